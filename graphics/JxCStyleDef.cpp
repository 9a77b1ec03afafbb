#include "graphics/JxCStyleDef.h"

#include <cstring>
#include <memory>
#include <new>
#include <utility>

#include "foundation/JxCInStrStream.h"
#include "foundation/JxWinHelpers.h"
#include "platform/draw/draw.h"

namespace {

std::optional<JxStyleDefSource>& styleSource()
{
    static std::optional<JxStyleDefSource> source;
    return source;
}

// Reads a counted list, appending each record as it is read.
template <class Item, class List>
bool ReadList(JxCInStrStream& in, List& list)
{
    std::int16_t count = 0;
    if (!in.ReadBigEndian16(count) || count < 0)
        return false;
    for (std::int16_t i = 0; i < count; ++i) {
        std::unique_ptr<Item> item(new (std::nothrow) Item());
        if (!item || !item->Read(in))
            return false;
        list.Add(item.release());
    }
    return true;
}

}  // namespace

// --- JxCCharStyleObject ------------------------------------------------------

JxCCharStyleObject::~JxCCharStyleObject()
{
    if (font_)
        plat::DeleteObject(font_);
}

bool JxCCharStyleObject::Read(JxCInStrStream& in)
{
    std::int16_t nameLength = 0;
    in.ReadBigEndian16To32(id).ReadBigEndian16To32(secondId);
    in.ReadRGB(background).ReadRGB(text).ReadRGB(highlightBackground).ReadRGB(highlightText);
    in.ReadBigEndian16To32(size);
    in.ReadBigEndian16(bold).ReadBigEndian16(italic).ReadBigEndian16(underline);
    in.ReadBigEndian16(transparentBackground).ReadBigEndian16(nameLength);
    if (!in || nameLength < 0 || std::uint32_t(nameLength) > in.Remaining())
        return false;
    std::string name(std::size_t(nameLength), '\0');
    if (!in.ReadBlock(name.data(), std::uint32_t(nameLength)))
        return false;
    faceName = JxCString(std::string_view(name.c_str()));
    in.ReadBigEndian16To32(weight);
    return bool(in);
}

plat::LOGFONT JxCCharStyleObject::MakeLogFont(int logPixelsY) const
{
    plat::LOGFONT lf;
    lf.lfHeight = -TwipsToPixelsAt(size, logPixelsY);
    lf.lfWidth = 0;
    lf.lfWeight = weight ? weight : (bold ? plat::FW_BOLD : plat::FW_NORMAL);
    lf.lfItalic = italic ? 1 : 0;
    lf.lfUnderline = underline ? 1 : 0;
    lf.lfStrikeOut = 0;
    lf.lfCharSet = plat::DEFAULT_CHARSET;
    lf.lfQuality = plat::PROOF_QUALITY;
    lf.lfPitchAndFamily = plat::DEFAULT_PITCH | plat::FF_DONTCARE;
    std::strncpy(lf.lfFaceName, faceName.GetText(), plat::LF_FACESIZE - 1);
    return lf;
}

plat::HFONT JxCCharStyleObject::GetFont(plat::HDC hdc)
{
    if (!font_ && hdc) {
        const plat::LOGFONT lf = MakeLogFont(plat::GetDeviceCaps(hdc, plat::LOGPIXELSY));
        font_ = plat::CreateFontIndirect(&lf);
    }
    return font_;
}

// --- JxCParaStyleObject ------------------------------------------------------

bool JxCParaStyleObject::Read(JxCInStrStream& in)
{
    std::uint8_t align = 'L';
    in.ReadBigEndian16To32(id).ReadBigEndian16To32(secondId).ReadBigEndian16To32(charStyleId);
    in.ReadByte(align);
    in.ReadBigEndian16To32(spaceBefore).ReadBigEndian16To32(spaceAfter);
    in.ReadBigEndian16To32(firstIndent).ReadBigEndian16To32(laterIndent);
    alignment = char(align);
    return bool(in);
}

JxCCharStyleObject* JxCParaStyleObject::GetCharStyle()
{
    if (!charStyle_)
        if (JxCStyleDef* styles = GetProductStyleDef())
            charStyle_ = styles->FindCharacterStyle(charStyleId);
    return charStyle_;
}

// --- JxCStyleDef -------------------------------------------------------------

std::int16_t JxCStyleDef::Read(JxCInStrStream& in)
{
    if (!ReadList<JxCCharStyleObject>(in, characterStyles_))
        return 0;
    return ReadList<JxCParaStyleObject>(in, paragraphStyles_) ? 1 : 0;
}

JxCCharStyleObject* JxCStyleDef::FindCharacterStyle(std::int32_t id)
{
    for (JxCCharStyleObject* s = characterStyles_.GetFirst(); s; s = characterStyles_.GetNext(s))
        if (s->id == id)
            return s;
    return nullptr;
}

JxCParaStyleObject* JxCStyleDef::FindParagraphStyle(std::int32_t id)
{
    for (JxCParaStyleObject* s = paragraphStyles_.GetFirst(); s; s = paragraphStyles_.GetNext(s))
        if (s->id == id)
            return s;
    return nullptr;
}

std::optional<JxStyleDefSource> SetStyleDefSource(std::optional<JxStyleDefSource> source)
{
    return std::exchange(styleSource(), std::move(source));
}

JxCStyleDef* GetProductStyleDef()
{
    return styleSource() && *styleSource() ? (*styleSource())() : nullptr;
}
