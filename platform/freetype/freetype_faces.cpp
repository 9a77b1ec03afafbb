#include "platform/freetype/freetype_faces.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <tuple>

#include "platform/draw/dc.h"

namespace plat {

namespace {

// One library for every face: opening and closing faces, and drawing with
// them, take its lock.
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

class FreeTypeFace : public ScaledFace {
public:
    FreeTypeFace(FT_Face face, const LOGFONT& lf, bool symbol) : face_(face)
    {
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
        m.tmCharSet = symbol ? SYMBOL_CHARSET : lf.lfCharSet == DEFAULT_CHARSET ? ANSI_CHARSET : lf.lfCharSet;
        m.tmPitchAndFamily = BYTE((FT_IS_FIXED_WIDTH(face) ? 0 : 1) | 0x06);  // variable pitch, TrueType, device
        // Strokes the face does not have are made: bold and italic.
        emboldenStrokes_ = m.tmWeight >= 600 && !(face->style_flags & FT_STYLE_FLAG_BOLD);
        slant_ = lf.lfItalic && !(face->style_flags & FT_STYLE_FLAG_ITALIC);
        // The em in 26.6 pixels; the face is hinted at that size.
        FT_F26Dot6 emSize = FT_F26Dot6((num * upem * 64 + den / 2) / den);
        FT_Set_Char_Size(face_, 0, std::max<FT_F26Dot6>(emSize, 64), 72, 72);
    }
    ~FreeTypeFace() override
    {
        std::lock_guard lock(freeType().mutex);
        FT_Done_Face(face_);
    }

    const TEXTMETRIC& metrics() const override { return metrics_; }

    Glyph render(char32_t ch) override
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

private:
    FT_Face face_;
    bool emboldenStrokes_ = false;
    bool slant_ = false;
    TEXTMETRIC metrics_;
};

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

std::string MatchFontconfigFile(const std::string& faceName, int weight, bool italic)
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

std::unique_ptr<ScaledFace> OpenFreetypeFace(const std::string& file, const LOGFONT& font, bool symbol)
{
    FT_Face face = nullptr;
    {
        std::lock_guard lock(freeType().mutex);
        if (file.empty() || !freeType().library || FT_New_Face(freeType().library, file.c_str(), 0, &face) != 0)
            return nullptr;
    }
    return std::make_unique<FreeTypeFace>(face, font, symbol);
}

}  // namespace plat
