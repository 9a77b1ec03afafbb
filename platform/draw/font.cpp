#include "platform/draw/font.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <strings.h>
#include <unordered_map>

#include "platform/core/codepage.h"
#include "platform/draw/builtin_font.h"
#include "platform/draw/dc.h"
#include "platform/draw/freetype_module.h"
#include "platform/draw/symbol_map.h"

namespace plat {

namespace {

// The faces the engine's titles name, and the installed faces with the
// same metrics that stand in for them.
struct Substitute {
    const char* windowsFace;
    const char* face;
};
constexpr Substitute kSubstitutes[] = {
    {"Times New Roman", "Liberation Serif"},
    {"Arial", "Liberation Sans"},
    {"Courier New", "Liberation Mono"},
    {"Symbol", "DejaVu Sans"},
};

bool sameFace(const char* a, const char* b)
{
    return strcasecmp(a, b) == 0;
}

bool isBuiltinFace(const char* face)
{
    return sameFace(face, kBuiltinFaceName) || sameFace(face, "System");
}

bool isSymbolFace(const LOGFONT& lf)
{
    return lf.lfCharSet == SYMBOL_CHARSET || sameFace(lf.lfFaceName, "Symbol");
}

// The face to look for: the substitute of a Windows face; without a face
// name, the family's own face.
std::string hostFace(const LOGFONT& lf)
{
    if (lf.lfFaceName[0] == '\0') {
        BYTE family = lf.lfPitchAndFamily & 0xF0;
        if (family == FF_ROMAN)
            return "Liberation Serif";
        if (family == FF_MODERN || (lf.lfPitchAndFamily & 0x03) == FIXED_PITCH)
            return "Liberation Mono";
        return "Liberation Sans";
    }
    if (lf.lfCharSet == SYMBOL_CHARSET && !sameFace(lf.lfFaceName, "Symbol"))
        return lf.lfFaceName;
    for (const Substitute& s : kSubstitutes)
        if (sameFace(lf.lfFaceName, s.windowsFace))
            return s.face;
    return lf.lfFaceName;
}

// A face of the font library, with the glyphs drawn so far.
class LoadedFont : public FontInstance {
public:
    LoadedFont(std::unique_ptr<ScaledFace> face, const std::string& file, bool symbol)
        : face_(std::move(face)), file_(file), symbol_(symbol)
    {
    }

    const TEXTMETRIC& metrics() const override { return face_->metrics(); }
    std::string sourceFile() const override { return file_; }

    const Glyph& glyph(char32_t ch) override
    {
        auto it = cache_.find(ch);
        if (it != cache_.end())
            return it->second;
        return cache_.emplace(ch, face_->render(symbol_ && ch < 0x100 ? SymbolToUnicode(static_cast<unsigned char>(ch)) : ch)).first->second;
    }

private:
    std::unique_ptr<ScaledFace> face_;
    std::string file_;
    bool symbol_ = false;
    std::unordered_map<char32_t, Glyph> cache_;
};

}  // namespace

std::string MatchFontFile(const std::string& faceName, int weight, bool italic)
{
    const FreetypeModule* fonts = LoadFreetypeModule();
    return fonts ? fonts->matchFontFile(faceName, weight, italic) : std::string();
}

namespace {

// Instances shared by fonts with the same description.
std::shared_ptr<FontInstance> makeInstance(const LOGFONT& lf)
{
    static std::mutex mutex;
    static std::map<std::string, std::weak_ptr<FontInstance>> live;
    bool bold = lf.lfWeight >= 600;
    if (isBuiltinFace(lf.lfFaceName)) {
        static auto regular = std::make_shared<BuiltinFont>(false);
        static auto heavy = std::make_shared<BuiltinFont>(true);
        return bold ? heavy : regular;
    }
    std::string face = hostFace(lf);
    std::string file = MatchFontFile(face, lf.lfWeight, lf.lfItalic != 0);
    std::string key = file + '\n' + std::to_string(lf.lfHeight) + '\n' + std::to_string(lf.lfWeight) + '\n' +
                      std::to_string(int(lf.lfItalic != 0)) + std::to_string(int(isSymbolFace(lf)));
    std::lock_guard lock(mutex);
    if (auto it = live.find(key); it != live.end())
        if (auto shared = it->second.lock())
            return shared;
    std::shared_ptr<FontInstance> instance;
    const FreetypeModule* fonts = file.empty() ? nullptr : LoadFreetypeModule();
    if (std::unique_ptr<ScaledFace> opened = fonts ? fonts->openFace(file, lf, isSymbolFace(lf)) : nullptr)
        instance = std::make_shared<LoadedFont>(std::move(opened), file, isSymbolFace(lf));
    else
        instance = std::make_shared<BuiltinFont>(bold);  // no face installed at all: still draw
    live[key] = instance;
    return instance;
}

}  // namespace

HFONT CreateFontIndirect(const LOGFONT* font)
{
    if (!font)
        return nullptr;
    auto* f = new FontObject;
    f->logFont = *font;
    f->logFont.lfFaceName[LF_FACESIZE - 1] = '\0';
    return RegisterGdiObject(f);
}

HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                 DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                 DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, const char* face)
{
    LOGFONT lf;
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfEscapement = escapement;
    lf.lfOrientation = orientation;
    lf.lfWeight = weight;
    lf.lfItalic = BYTE(italic != 0);
    lf.lfUnderline = BYTE(underline != 0);
    lf.lfStrikeOut = BYTE(strikeOut != 0);
    lf.lfCharSet = BYTE(charSet);
    lf.lfOutPrecision = BYTE(outPrecision);
    lf.lfClipPrecision = BYTE(clipPrecision);
    lf.lfQuality = BYTE(quality);
    lf.lfPitchAndFamily = BYTE(pitchAndFamily);
    if (face)
        std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirect(&lf);
}

FontInstance* FontInstanceOf(HFONT font)
{
    return FontInstanceOf(AsGdi<FontObject>(font, GdiKind::Font));
}

FontInstance* FontInstanceOf(FontObject* f)
{
    if (!f)
        return nullptr;
    if (!f->instance)
        f->instance = makeInstance(f->logFont);
    return f->instance.get();
}

GdiObject* MakeStockFont(int which)
{
    auto* f = new FontObject;
    std::strncpy(f->logFont.lfFaceName, kBuiltinFaceName, LF_FACESIZE - 1);
    f->logFont.lfHeight = BuiltinFont::kCellHeight;
    // The system font is the bold one, as on the screens the engine knew.
    f->logFont.lfWeight = which == SYSTEM_FONT ? FW_BOLD : FW_NORMAL;
    return f;
}

BOOL GetTextMetrics(HDC hdc, TEXTMETRIC* out)
{
    DeviceContext* dc = LiveDC(hdc);
    if (!dc || !out)
        return 0;
    FontInstance* f = FontInstanceOf(dc->font);
    if (!f)
        return 0;
    *out = f->metrics();
    return 1;
}

int GetTextFace(HDC hdc, int size, char* out)
{
    DeviceContext* dc = LiveDC(hdc);
    if (!dc)
        return 0;
    const FontObject* f = dc->font;
    if (!f)
        return 0;
    const char* face = f->logFont.lfFaceName;
    int n = int(std::strlen(face));
    if (!out)
        return n + 1;
    if (size <= 0)
        return 0;
    int copied = std::min(n, size - 1);
    std::memcpy(out, face, std::size_t(copied));
    out[copied] = '\0';
    return copied;
}

std::u32string DecodeForFont(const DeviceContext* dc, const char* text, int count)
{
    std::string_view bytes(text, std::size_t(count));
    const FontObject* f = dc->font;
    if (f && isSymbolFace(f->logFont)) {
        // A symbol font takes the bytes as its own character codes.
        std::u32string out;
        for (unsigned char c : bytes)
            out += char32_t(c);
        return out;
    }
    return DecodeText(bytes, GetACP());
}

BOOL GetTextExtentPoint32(HDC hdc, const char* text, int count, SIZE* size)
{
    DeviceContext* dc = LiveDC(hdc);
    if (!dc || !size || count < 0 || (!text && count > 0))
        return 0;
    FontInstance* f = FontInstanceOf(dc->font);
    if (!f)
        return 0;
    LONG width = 0;
    for (char32_t ch : DecodeForFont(dc, text, count))
        width += f->glyph(ch).advance;
    size->cx = width;
    size->cy = f->metrics().tmHeight;
    return 1;
}

BOOL GetTextExtentPoint(HDC hdc, const char* text, int count, SIZE* size)
{
    return GetTextExtentPoint32(hdc, text, count, size);
}

}  // namespace plat
