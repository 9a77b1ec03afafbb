#include "platform/draw/freetype_module.h"

#include <cstdio>

#include "platform/modules/program_library.h"

namespace plat {

namespace {

bool usable(const FreetypeModule& module)
{
    return module.version == kFreetypeModuleVersion && module.matchFontFile && module.openFace;
}

void missing(const std::string& why)
{
    std::fprintf(stderr, "Fonts cannot be loaded (%s); text is drawn in the built-in face.\n", why.c_str());
}

#ifdef KELBO_FREETYPE_MODULE_BUILT
constexpr const char* kBuilt = KELBO_FREETYPE_MODULE_BUILT;
#else
constexpr const char* kBuilt = nullptr;
#endif

LazyProgramLibrary<FreetypeModule>& library()
{
    static LazyProgramLibrary<FreetypeModule> fonts("libkelbo_freetype.so", kFreetypeModuleEntry, kBuilt, usable,
                                                    missing);
    return fonts;
}

}  // namespace

const FreetypeModule* LoadFreetypeModule()
{
    return library().get();
}

void SetFreetypeModulePath(std::optional<std::string> path)
{
    library().setPath(std::move(path));
}

}  // namespace plat
