#pragma once
// The loaded library's faces and font matching (draw/freetype_module.h).

#include <memory>
#include <string>

#include "platform/draw/freetype_module.h"

namespace plat {

std::string MatchFontconfigFile(const std::string& face, int weight, bool italic);
std::unique_ptr<ScaledFace> OpenFreetypeFace(const std::string& file, const LOGFONT& font, bool symbol);

}  // namespace plat
