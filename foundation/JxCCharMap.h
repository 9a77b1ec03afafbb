#pragma once
// Character maps describe a code page for the weight tokenisers: its
// double-byte lead bytes, the case pairs of its characters, and the codes
// of its bytes. The system map follows the program's current code page; the
// single-byte map is held in tables: planes of 256 codes (one per character
// set, one of them the plane that bytes map through and one the plane
// weights are indexed through), a flag table, and lower- and upper-case
// tables, all of which can be read from and written to a binary stream.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "foundation/JxCWiseObj.h"

class JxCInStrStream;
class JxCOutStream;

class JxCCharMap : public JxCWiseObj {
public:
    JxCCharMap* AsCharMap() override { return this; }

    // Change the character at text[0] (two bytes for a double-byte one) in
    // place; the number of bytes it takes.
    virtual std::size_t MakeUpper(char* text) const = 0;
    virtual std::size_t MakeLower(char* text) const = 0;
    virtual bool IsLeadByte(std::uint8_t c) const = 0;

    // The code of a byte, the byte of a code ('?' for none), and the index
    // of a byte's weight; the identity unless a map says otherwise.
    virtual std::uint16_t ToCode(std::uint8_t c) const { return c; }
    virtual std::uint8_t FromCode(std::uint16_t code) const { return code < 256 ? static_cast<std::uint8_t>(code) : '?'; }
    virtual std::uint8_t IndexOf(std::uint8_t c) const { return c; }
};

class JxCSystemCharMap : public JxCCharMap {
public:
    JxCSystemCharMap();

    JxCWiseObj* MakeUnique() override { return UniqueCopy(this); }
    std::size_t MakeUpper(char* text) const override;
    std::size_t MakeLower(char* text) const override;
    bool IsLeadByte(std::uint8_t c) const override { return leadBytes_[c] != 0; }

private:
    std::uint16_t leadBytes_[256] = {};
};

class JxCSingleByteCharMap : public JxCCharMap {
public:
    static constexpr std::uint16_t kMaxPlanes = 64;
    using Plane = std::vector<std::uint16_t>;  // 256 codes

    explicit JxCSingleByteCharMap(std::uint16_t planeCount = 1);

    JxCWiseObj* MakeUnique() override { return UniqueCopy(this); }
    std::size_t MakeUpper(char* text) const override;
    std::size_t MakeLower(char* text) const override;
    bool IsLeadByte(std::uint8_t) const override { return false; }
    std::uint16_t ToCode(std::uint8_t c) const override { return planes_[mappingPlane_][c]; }
    std::uint8_t FromCode(std::uint16_t code) const override;
    std::uint8_t IndexOf(std::uint8_t c) const override;

    std::uint16_t GetPlaneCount() const { return static_cast<std::uint16_t>(planes_.size()); }
    // Selects the plane later entries are set in and read from.
    bool SelectPlane(std::uint16_t plane);
    std::uint16_t GetCurrentPlane() const { return current_; }
    // Gives the current plane a role: "Unicode" (weights are indexed
    // through it), "Windows" or "All" (bytes map through it).
    bool NamePlane(std::string_view name);
    // Sets entry index of the current plane; with check, a code that the
    // plane already holds elsewhere is refused.
    bool SetEntry(std::uint8_t index, std::uint16_t code, bool check = true);
    std::uint16_t GetEntry(std::uint8_t index) const { return planes_[current_][index]; }
    // The code at the position of code in plane from, in the current plane;
    // false when plane from does not hold it.
    bool Translate(std::uint16_t from, std::uint16_t code, std::uint16_t& translated) const;
    void SetCasePair(std::uint8_t lower, std::uint8_t upper);
    std::uint8_t GetUpper(std::uint8_t c) const { return static_cast<std::uint8_t>(upper_[c]); }
    std::uint8_t GetLower(std::uint8_t c) const { return static_cast<std::uint8_t>(lower_[c]); }
    void SetFlag(std::uint8_t c, std::uint16_t flag) { flags_[c] = flag; }
    std::uint16_t GetFlag(std::uint8_t c) const { return flags_[c]; }

    // The plane count, the two role planes, every plane, the flags, the
    // lower- and upper-case tables: 16-bit values, big-endian. A read that
    // fails or names impossible planes leaves the map as it was.
    bool Read(JxCInStrStream& in);
    bool Write(JxCOutStream& out) const;

private:
    std::vector<Plane> planes_;
    std::uint16_t current_ = 0;
    std::uint16_t unicodePlane_ = 0;
    std::uint16_t mappingPlane_ = 0;
    Plane flags_;
    Plane lower_;
    Plane upper_;
};
