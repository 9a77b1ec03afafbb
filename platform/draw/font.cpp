#include "platform/draw/font.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <mutex>
#include <strings.h>
#include <tuple>
#include <unordered_map>

#include "platform/core/codepage.h"
#include "platform/draw/builtin_font.h"
#include "platform/draw/dc.h"
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

struct FreeTypeLibrary {
    std::mutex mutex;
    FT_Library library = nullptr;
    FreeTypeLibrary() { FT_Init_FreeType(&library); }
    ~FreeTypeLibrary() { FT_Done_FreeType(library); }
};

FreeTypeLibrary& freeType()
{
    static FreeTypeLibrary lib;
    return lib;
}

LONG roundScaled(long long units, long long numerator, long long denominator)
{
    // Half away from zero, on whole values.
    long long v = units * numerator;
    return LONG(v >= 0 ? (2 * v + denominator) / (2 * denominator) : -((-2 * v + denominator) / (2 * denominator)));
}

class FreeTypeFont : public FontInstance {
public:
    FreeTypeFont(FT_Face face, const std::string& file, const LOGFONT& lf) : face_(face), file_(file)
    {
        symbol_ = isSymbolFace(lf);
        const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        const TT_HoriHeader* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
        const long long upem = face->units_per_EM ? face->units_per_EM : 2048;
        long long winAscent = os2 ? os2->usWinAscent : face->ascender;
        long long winDescent = os2 ? os2->usWinDescent : -face->descender;
        if (winAscent + winDescent <= 0) {
            winAscent = face->ascender;
            winDescent = -face->descender;
        }
        // A negative height is the em; a positive one the whole cell, ascent
        // plus descent; 0 asks for the default size.
        long long height = lf.lfHeight == 0 ? -12 * kLogPixelsPerInch / 72 : lf.lfHeight;
        long long num, den;  // pixels per font unit
        if (height < 0) {
            num = -height;
            den = upem;
        } else {
            num = height;
            den = winAscent + winDescent;
        }
        TEXTMETRIC& m = metrics_;
        m.tmAscent = roundScaled(winAscent, num, den);
        m.tmDescent = roundScaled(winDescent, num, den);
        m.tmHeight = m.tmAscent + m.tmDescent;
        LONG em = height < 0 ? LONG(-height) : roundScaled(upem, num, den);
        m.tmInternalLeading = std::max<LONG>(0, m.tmHeight - em);
        // The line gap the face asks for beyond what its Windows ascent and
        // descent already hold.
        long long gap = hhea ? hhea->Line_Gap - ((winAscent + winDescent) - (hhea->Ascender - hhea->Descender)) : 0;
        m.tmExternalLeading = std::max<LONG>(0, roundScaled(gap, num, den));
        m.tmAveCharWidth = os2 ? roundScaled(os2->xAvgCharWidth, num, den) : em / 2;
        m.tmMaxCharWidth = roundScaled(face->bbox.xMax - face->bbox.xMin, num, den);
        m.tmWeight = lf.lfWeight == 0 ? FW_NORMAL : lf.lfWeight;
        m.tmItalic = lf.lfItalic ? 1 : 0;
        m.tmUnderlined = lf.lfUnderline ? 1 : 0;
        m.tmStruckOut = lf.lfStrikeOut ? 1 : 0;
        m.tmCharSet = symbol_ ? SYMBOL_CHARSET : lf.lfCharSet == DEFAULT_CHARSET ? ANSI_CHARSET : lf.lfCharSet;
        m.tmPitchAndFamily = BYTE((FT_IS_FIXED_WIDTH(face) ? 0 : 1) | 0x06);  // variable pitch, TrueType, device
        // Strokes the face does not have are made: bold and italic.
        emboldenStrokes_ = m.tmWeight >= 600 && !(face->style_flags & FT_STYLE_FLAG_BOLD);
        slant_ = lf.lfItalic && !(face->style_flags & FT_STYLE_FLAG_ITALIC);
        // The em in 26.6 pixels; the face is hinted at that size.
        FT_F26Dot6 emSize = FT_F26Dot6((num * upem * 64 + den / 2) / den);
        FT_Set_Char_Size(face_, 0, std::max<FT_F26Dot6>(emSize, 64), 72, 72);
    }
    ~FreeTypeFont() override { FT_Done_Face(face_); }

    const TEXTMETRIC& metrics() const override { return metrics_; }
    std::string sourceFile() const override { return file_; }

    const Glyph& glyph(char32_t ch) override
    {
        auto it = cache_.find(ch);
        if (it != cache_.end())
            return it->second;
        return cache_.emplace(ch, render(symbol_ && ch < 0x100 ? SymbolToUnicode(static_cast<unsigned char>(ch)) : ch)).first->second;
    }

private:
    Glyph render(char32_t ch)
    {
        std::lock_guard lock(freeType().mutex);
        Glyph g;
        FT_UInt index = FT_Get_Char_Index(face_, ch);
        if (index == 0 && ch != 0xFFFD)
            index = FT_Get_Char_Index(face_, 0xFFFD);
        if (FT_Load_Glyph(face_, index, FT_LOAD_DEFAULT | FT_LOAD_TARGET_MONO) != 0)
            return g;
        if (emboldenStrokes_)
            FT_GlyphSlot_Embolden(face_->glyph);
        if (slant_)
            FT_GlyphSlot_Oblique(face_->glyph);
        if (FT_Render_Glyph(face_->glyph, FT_RENDER_MODE_MONO) != 0)
            return g;
        const FT_Bitmap& bm = face_->glyph->bitmap;
        g.width = int(bm.width);
        g.height = int(bm.rows);
        g.left = face_->glyph->bitmap_left;
        g.top = face_->glyph->bitmap_top;
        g.advance = int((face_->glyph->advance.x + 32) >> 6);
        int rowBytes = (g.width + 7) / 8;
        g.rows.assign(std::size_t(rowBytes) * g.height, 0);
        for (int y = 0; y < g.height; ++y)
            std::memcpy(&g.rows[std::size_t(y) * rowBytes], bm.buffer + std::ptrdiff_t(y) * bm.pitch,
                        std::size_t(rowBytes));
        return g;
    }

    FT_Face face_;
    std::string file_;
    bool symbol_ = false;
    bool emboldenStrokes_ = false;
    bool slant_ = false;
    TEXTMETRIC metrics_;
    std::unordered_map<char32_t, Glyph> cache_;
};

}  // namespace

namespace {

// The process's font configuration, loaded on first use and released at exit.
struct FontConfig {
    FcConfig* config = FcInitLoadConfigAndFonts();
    ~FontConfig()
    {
        FcConfigDestroy(config);
        FcFini();
    }
};

FcConfig* fontConfig()
{
    static FontConfig holder;
    return holder.config;
}

}  // namespace

std::string MatchFontFile(const std::string& faceName, int weight, bool italic)
{
    static std::mutex mutex;
    static std::map<std::tuple<std::string, int, bool>, std::string> cache;
    std::lock_guard lock(mutex);
    auto key = std::make_tuple(faceName, weight, italic);
    if (auto it = cache.find(key); it != cache.end())
        return it->second;
    std::string file;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(faceName.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight <= 0 ? FW_NORMAL : weight));
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(fontConfig(), pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(fontConfig(), pattern, &result);
    if (match) {
        FcChar8* path = nullptr;
        if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path)
            file = reinterpret_cast<const char*>(path);
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    cache.emplace(key, file);
    return file;
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
    FT_Face ftFace = nullptr;
    {
        std::lock_guard ftLock(freeType().mutex);
        if (file.empty() || FT_New_Face(freeType().library, file.c_str(), 0, &ftFace) != 0)
            ftFace = nullptr;
    }
    if (ftFace)
        instance = std::make_shared<FreeTypeFont>(ftFace, file, lf);
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
