#pragma once
// Fonts: logical fonts matched to installed faces through fontconfig (with
// the metric-compatible substitutes for the classic Windows faces), rendered
// by FreeType as 1-bit glyphs so that 8-bit pictures stay exact, measured
// with Windows metrics. A small built-in face serves the stock fonts and
// tests whose pixels must not depend on what is installed.

#include <memory>
#include <string>
#include <vector>

#include "platform/core/types.h"
#include "platform/draw/gdiobject.h"

namespace plat {

struct DeviceContext;

constexpr int LF_FACESIZE = 32;

constexpr LONG FW_DONTCARE = 0;
constexpr LONG FW_NORMAL = 400;
constexpr LONG FW_BOLD = 700;

constexpr BYTE ANSI_CHARSET = 0;
constexpr BYTE DEFAULT_CHARSET = 1;
constexpr BYTE SYMBOL_CHARSET = 2;
constexpr BYTE GREEK_CHARSET = 161;

constexpr BYTE DEFAULT_PITCH = 0;
constexpr BYTE FIXED_PITCH = 1;
constexpr BYTE VARIABLE_PITCH = 2;
constexpr BYTE FF_DONTCARE = 0x00;
constexpr BYTE FF_ROMAN = 0x10;
constexpr BYTE FF_SWISS = 0x20;
constexpr BYTE FF_MODERN = 0x30;

constexpr BYTE PROOF_QUALITY = 2;

struct LOGFONT {
    LONG lfHeight = 0;
    LONG lfWidth = 0;
    LONG lfEscapement = 0;
    LONG lfOrientation = 0;
    LONG lfWeight = FW_NORMAL;
    BYTE lfItalic = 0;
    BYTE lfUnderline = 0;
    BYTE lfStrikeOut = 0;
    BYTE lfCharSet = DEFAULT_CHARSET;
    BYTE lfOutPrecision = 0;
    BYTE lfClipPrecision = 0;
    BYTE lfQuality = 0;
    BYTE lfPitchAndFamily = 0;
    char lfFaceName[LF_FACESIZE] = {};
};

struct TEXTMETRIC {
    LONG tmHeight = 0;
    LONG tmAscent = 0;
    LONG tmDescent = 0;
    LONG tmInternalLeading = 0;
    LONG tmExternalLeading = 0;
    LONG tmAveCharWidth = 0;
    LONG tmMaxCharWidth = 0;
    LONG tmWeight = 0;
    LONG tmOverhang = 0;
    LONG tmDigitizedAspectX = 96;
    LONG tmDigitizedAspectY = 96;
    BYTE tmFirstChar = 0x20;
    BYTE tmLastChar = 0xFF;
    BYTE tmDefaultChar = 0x1F;
    BYTE tmBreakChar = 0x20;
    BYTE tmItalic = 0;
    BYTE tmUnderlined = 0;
    BYTE tmStruckOut = 0;
    BYTE tmPitchAndFamily = 0;
    BYTE tmCharSet = 0;
};

// One glyph as drawn: a 1-bit image placed relative to the pen position on
// the baseline.
struct Glyph {
    int width = 0;  // of the image
    int height = 0;
    int left = 0;  // from the pen position to the image's left column
    int top = 0;  // from the baseline up to the image's top row
    int advance = 0;
    std::vector<BYTE> rows;  // height rows of (width + 7) / 8 bytes, MSB leftmost
    bool bit(int x, int y) const { return rows[std::size_t(y) * ((width + 7) / 8) + x / 8] & (0x80 >> (x & 7)); }
};

// A face at one size, with the metrics Windows would report for it.
class FontInstance {
public:
    virtual ~FontInstance() = default;
    virtual const TEXTMETRIC& metrics() const = 0;
    virtual const Glyph& glyph(char32_t ch) = 0;
    // The file the face came from; empty for the built-in face.
    virtual std::string sourceFile() const = 0;
};

struct FontObject : GdiObject {
    using Handle = HFONT;
    FontObject() : GdiObject(GdiKind::Font) {}
    LOGFONT logFont;
    // Made when the font is first used.
    std::shared_ptr<FontInstance> instance;
};

// The face name of the built-in face.
inline constexpr const char* kBuiltinFaceName = "Kelbo Fixed";

HFONT CreateFontIndirect(const LOGFONT* font);
HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                 DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                 DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, const char* face);
BOOL GetTextMetrics(HDC hdc, TEXTMETRIC* out);
int GetTextFace(HDC hdc, int size, char* out);
// Text is bytes of the current code page.
BOOL GetTextExtentPoint32(HDC hdc, const char* text, int count, SIZE* size);
BOOL GetTextExtentPoint(HDC hdc, const char* text, int count, SIZE* size);

// The face instance a font stands for (made on first use); null for a
// stale handle.
FontInstance* FontInstanceOf(HFONT font);
FontInstance* FontInstanceOf(FontObject* font);
// The file fontconfig chose for a face name, after the substitutions; empty
// when none was found.
std::string MatchFontFile(const std::string& faceName, int weight, bool italic);

// Text bytes as the characters the DC's font draws: the current code page's,
// or the byte values themselves for a symbol font.
std::u32string DecodeForFont(const DeviceContext* dc, const char* text, int count);

// Used by the stock object table.
GdiObject* MakeStockFont(int which);

}  // namespace plat
