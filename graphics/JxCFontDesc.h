#pragma once
// Font descriptions and the global font table. A slate's drawing state
// names its font by a record of the table; each distinct description has
// one record, which makes its GDI font on first use and keeps it for the
// whole run.

#include <array>
#include <cstdint>

#include "platform/core/types.h"

class JxCFontDesc {
public:
    enum Family : std::int32_t { kByFaceName = 0, kSerif = 1, kSansSerif = 2, kSymbol = 3, kSystem = 4 };

    // Family 1, size 12, weight 400, upright.
    JxCFontDesc();
    JxCFontDesc(std::int32_t family, std::int16_t size, std::int16_t weight, bool italic);

    // 0 becomes 1; clears the face name; the symbol flag follows family 3.
    void SetFamily(std::int32_t family);
    // At most 31 characters are kept; family 0; the symbol flag is set for
    // "symbol" in any case.
    void SetFaceName(const char* name);
    // A size below 1 becomes 12.
    void SetPointSize(std::int16_t size);
    // A weight below 1 becomes 400.
    void SetWeight(std::int16_t weight);
    void SetItalic(bool italic) { italic_ = italic ? 1 : 0; }
    // The size as it is, for a font scaled with its slate.
    void SetScaledSize(std::int16_t size) { size_ = size; }

    std::int32_t GetFamily() const { return family_; }
    const char* GetFaceName() const { return faceName_.data(); }
    std::int16_t GetPointSize() const { return size_; }
    std::int16_t GetWeight() const { return weight_; }
    bool IsItalic() const { return italic_ != 0; }
    bool IsSymbol() const { return symbol_ != 0; }

    bool operator==(const JxCFontDesc& other) const;

    // The logical font the description stands for.
    plat::HFONT CreateFont() const;

private:
    std::int32_t family_ = kSerif;
    std::array<char, 32> faceName_{};
    std::int16_t size_ = 12;
    std::int16_t weight_ = 400;
    std::uint32_t italic_ : 1 = 0;
    std::int32_t symbol_ = 0;
};

// One record per distinct description, numbered in order of creation.
struct JxCFontRecord {
    JxCFontRecord(const JxCFontDesc& d, std::int16_t n) : desc(d), number(n) {}
    JxCFontRecord(const JxCFontRecord&) = delete;
    JxCFontRecord& operator=(const JxCFontRecord&) = delete;
    ~JxCFontRecord();

    // The GDI font, made on first use; null when it cannot be made.
    plat::HFONT GetHandle() const;

    JxCFontDesc desc;
    mutable plat::HFONT font = nullptr;
    std::int16_t number;
    JxCFontRecord* next = nullptr;
};

class JxCFontTable {
public:
    JxCFontTable();
    JxCFontTable(const JxCFontTable&) = delete;
    JxCFontTable& operator=(const JxCFontTable&) = delete;
    ~JxCFontTable();

    // The first record of an equal description; else a new record at the
    // head of the table.
    const JxCFontRecord* FindOrAdd(const JxCFontDesc& desc);
    const JxCFontRecord* GetDefault() const { return default_; }
    std::int16_t GetCount() const { return count_; }

private:
    JxCFontRecord* first_ = nullptr;
    std::int16_t count_ = 0;
    const JxCFontRecord* default_ = nullptr;
};

// The process's one font table.
JxCFontTable& GetFontTable();
const JxCFontRecord* FindOrAddFont(const JxCFontDesc& desc);
// The record a drawing state's font stands for: the default for null.
const JxCFontRecord* ResolveFont(const JxCFontRecord* font);
