#pragma once
// The version record that heads the product data file and forms the data
// version file "JxMMDAT.VER": seven counted strings (a big-endian 16-bit
// length, then the bytes), in this order: product code, software version
// (two characters, "31" for 3.1), two strings nobody compares, the country
// code (a two-letter code of the language table), and two description
// lines that the data-disc dialog shows.

#include <cstdint>

#include "foundation/JxCObject.h"
#include "foundation/JxCString.h"

class JxCInStrStream;

class JxCVersion : public JxCObject {
public:
    JxCVersion() = default;
    // A record for a text (a volume label): its first eight characters are
    // the product code.
    explicit JxCVersion(const char* text);
    JxCVersion(const JxCVersion&) = default;
    JxCVersion& operator=(const JxCVersion&) = default;
    ~JxCVersion() override = default;

    JxCString GetProductCode() const { return productCode_; }
    JxCString GetSoftwareVersion() const { return softwareVersion_; }
    JxCString GetCountryCode() const { return countryCode_; }

    // Whether the product code is the data disc's volume label; reason 0
    // when nothing needed checking or the code is empty, 1 when it differs,
    // 2 when no label is configured.
    std::int16_t CheckProduct(std::int16_t& reason) const;

protected:
    friend bool ReadVersion(JxCInStrStream& in, JxCVersion& version);
    // Reads the first five strings; false when the stream ends inside them.
    bool readFields(JxCInStrStream& in);

    JxCString productCode_;
    JxCString softwareVersion_;
    JxCString third_;
    JxCString fourth_;
    JxCString countryCode_;
    std::int16_t valid_ = 1;
};

// Reads the first five strings of a record; the record is replaced only
// when all five were there.
bool ReadVersion(JxCInStrStream& in, JxCVersion& version);

class JxCFileVersion : public JxCVersion {
public:
    JxCFileVersion() { valid_ = 0; }
    // Reads the file when it exists; IsValid tells whether a whole record
    // was there.
    explicit JxCFileVersion(const char* path);

    // Reads all seven strings; the record is replaced only when all were
    // there.
    bool ReadFrom(JxCInStrStream& in);
    bool IsValid() const { return valid_ != 0; }
    // Line 1, a line break, line 2.
    JxCString GetDescription() const;

private:
    JxCString line1_;
    JxCString line2_;
};

// Checks the product data file's record against the program: the country
// code against the current language, then the software version against
// the resource library's file version. Asks the user to change the data
// path on a mismatch (with Ignore in developer mode); 1 when nothing
// differed or the user ignored it.
std::int16_t CheckVersionRecord(const JxCVersion& record);

// Message ids of the check.
constexpr unsigned kCountryMismatchId = 1251;
constexpr unsigned kCountryMismatchDevId = 1253;
constexpr unsigned kVersionMismatchId = 1266;
constexpr unsigned kVersionMismatchDevId = 1267;
// The expected volume label when the setting "VolumeLabel" is empty.
constexpr unsigned kVolumeLabelTextId = 6;
// The data version file's name when the library has one.
constexpr unsigned kDataVersionFileTextId = 1203;
inline constexpr const char* kDataVersionFileName = "JxMMDAT.VER";
inline constexpr const char* kPageVersionFileName = "JxMMPAG.VER";

// The expected label: "VolumeLabel", else library string 6; empty when
// neither has one.
JxCString GetExpectedVolumeLabel();
// The data version file of the data path.
JxCString GetDataVersionFilePath();
