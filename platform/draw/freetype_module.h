#pragma once
// The one interface between the platform and the library that links
// FreeType and fontconfig (libkelbo_freetype.so, made from
// platform/freetype/). The platform loads it when a font other than the
// built-in face is first asked for: most pages draw their text as pictures,
// so start-up does not pay for loading FreeType, fontconfig and what they
// need. Without it, text is drawn in the built-in face and the program says
// so once.
//
// Only this file's declarations cross the boundary; the library calls
// nothing of the platform's.

#include <memory>
#include <optional>
#include <string>

#include "platform/draw/font.h"

namespace plat {

// A face opened at one size.
class ScaledFace {
public:
    virtual ~ScaledFace() = default;
    // The metrics Windows would report for the face at that size.
    virtual const TEXTMETRIC& metrics() const = 0;
    // The character's glyph (U+FFFD's where the face lacks it); an empty
    // glyph when the face cannot draw it.
    virtual Glyph render(char32_t ch) = 0;
};

struct FreetypeModule {
    int version = 0;
    // The file fontconfig chooses for a face name, weight and slant after
    // its substitutions; empty when none.
    std::string (*matchFontFile)(const std::string& face, int weight, bool italic) = nullptr;
    // The face in the file at the logical font's size, bold and slanted as
    // it asks where the face itself is not; null when it cannot be opened.
    std::unique_ptr<ScaledFace> (*openFace)(const std::string& file, const LOGFONT& font, bool symbol) = nullptr;
};

constexpr int kFreetypeModuleVersion = 1;
// The library's one exported function: `const FreetypeModule* NAME()`.
constexpr const char* kFreetypeModuleEntry = "kelbo_freetype_module";

// The library, loaded at the first call; null when it or FreeType is
// missing (said once on the standard error), and then for the rest of the run.
const FreetypeModule* LoadFreetypeModule();
// Tests: the file to load instead (an empty one is missing); nullopt puts
// the usual places back. The next LoadFreetypeModule looks again.
void SetFreetypeModulePath(std::optional<std::string> path);

}  // namespace plat
