// The loaded library's one way in (draw/freetype_module.h).

#include "platform/freetype/freetype_faces.h"

extern "C" __attribute__((visibility("default"))) const plat::FreetypeModule* kelbo_freetype_module()
{
    static const plat::FreetypeModule module{plat::kFreetypeModuleVersion, &plat::MatchFontconfigFile,
                                             &plat::OpenFreetypeFace};
    return &module;
}
