#include "graphics/JxCFontDesc.h"

#include <cctype>
#include <cstring>
#include <utility>

#include "platform/draw/draw.h"

namespace {

const char* FamilyFace(std::int32_t family)
{
    switch (family) {
    case JxCFontDesc::kSerif:
        return "Times New Roman";
    case JxCFontDesc::kSansSerif:
        return "Arial";
    case JxCFontDesc::kSymbol:
        return "Symbol";
    case JxCFontDesc::kSystem:
        return "System";
    default:
        return nullptr;
    }
}

bool IsSymbolName(const char* name)
{
    constexpr const char* kSymbol = "symbol";
    for (std::size_t i = 0;; ++i) {
        const char a = char(std::tolower(static_cast<unsigned char>(name[i])));
        if (a != kSymbol[i])
            return false;
        if (a == 0)
            return true;
    }
}

}  // namespace

// --- JxCFontDesc -------------------------------------------------------------

JxCFontDesc::JxCFontDesc() : JxCFontDesc(kSerif, 12, 400, false) {}

JxCFontDesc::JxCFontDesc(std::int32_t family, std::int16_t size, std::int16_t weight, bool italic)
{
    SetFamily(family);
    SetPointSize(size);
    SetWeight(weight);
    SetItalic(italic);
}

void JxCFontDesc::SetFamily(std::int32_t family)
{
    family_ = family == kByFaceName ? kSerif : family;
    faceName_.fill(0);
    symbol_ = family_ == kSymbol ? 1 : 0;
}

void JxCFontDesc::SetFaceName(const char* name)
{
    faceName_.fill(0);
    if (name)
        std::memcpy(faceName_.data(), name, ::strnlen(name, faceName_.size() - 1));
    family_ = kByFaceName;
    symbol_ = IsSymbolName(faceName_.data()) ? 1 : 0;
}

void JxCFontDesc::SetPointSize(std::int16_t size)
{
    size_ = size < 1 ? 12 : size;
}

void JxCFontDesc::SetWeight(std::int16_t weight)
{
    weight_ = weight < 1 ? 400 : weight;
}

bool JxCFontDesc::operator==(const JxCFontDesc& o) const
{
    if (size_ != o.size_ || weight_ != o.weight_ || italic_ != o.italic_ || symbol_ != o.symbol_)
        return false;
    if (symbol_)
        return true;
    if (family_ != o.family_)
        return false;
    return family_ != kByFaceName || std::strcmp(faceName_.data(), o.faceName_.data()) == 0;
}

plat::HFONT JxCFontDesc::CreateFont() const
{
    plat::LOGFONT lf;
    lf.lfHeight = -size_;
    lf.lfWidth = 0;
    lf.lfWeight = weight_;
    lf.lfItalic = italic_ ? 1 : 0;
    const std::int32_t family = symbol_ ? kSymbol : family_;
    const char* face = FamilyFace(family);
    switch (family) {
    case kByFaceName:
        lf.lfCharSet = plat::DEFAULT_CHARSET;
        lf.lfPitchAndFamily = 0;
        face = faceName_.data();
        break;
    case kSerif:
        lf.lfPitchAndFamily = plat::VARIABLE_PITCH | plat::FF_ROMAN;
        break;
    case kSansSerif:
        lf.lfPitchAndFamily = plat::VARIABLE_PITCH | plat::FF_SWISS;
        break;
    case kSymbol:
        lf.lfCharSet = plat::SYMBOL_CHARSET;
        lf.lfPitchAndFamily = plat::VARIABLE_PITCH | plat::FF_ROMAN;
        break;
    default:
        lf.lfPitchAndFamily = 0;
        break;
    }
    if (face)
        std::memcpy(lf.lfFaceName, face, ::strnlen(face, plat::LF_FACESIZE - 1));
    return plat::CreateFontIndirect(&lf);
}

// --- JxCFontRecord -----------------------------------------------------------

JxCFontRecord::~JxCFontRecord()
{
    if (font)
        plat::DeleteObject(font);
}

plat::HFONT JxCFontRecord::GetHandle() const
{
    if (!font)
        font = desc.CreateFont();
    return font;
}

// --- JxCFontTable ------------------------------------------------------------

JxCFontTable::JxCFontTable()
{
    // The platform's object table must outlive this one, whose records
    // delete their fonts at exit: touching it now makes it older.
    plat::GetStockObject(plat::SYSTEM_FONT);
    default_ = FindOrAdd(JxCFontDesc(JxCFontDesc::kSerif, 12, 400, false));
}

JxCFontTable::~JxCFontTable()
{
    while (first_)
        delete std::exchange(first_, first_->next);
}

const JxCFontRecord* JxCFontTable::FindOrAdd(const JxCFontDesc& desc)
{
    for (JxCFontRecord* r = first_; r; r = r->next)
        if (r->desc == desc)
            return r;
    auto* record = new JxCFontRecord(desc, count_++);
    record->next = first_;
    first_ = record;
    return record;
}

JxCFontTable& GetFontTable()
{
    static JxCFontTable table;
    return table;
}

const JxCFontRecord* FindOrAddFont(const JxCFontDesc& desc)
{
    return GetFontTable().FindOrAdd(desc);
}

const JxCFontRecord* ResolveFont(const JxCFontRecord* font)
{
    return font ? font : GetFontTable().GetDefault();
}
