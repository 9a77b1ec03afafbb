#include "media/JxPicsNames.h"

#include "foundation/JxProductLink.h"
#include "foundation/JxResourceLibraries.h"
#include "foundation/JxStartupSettings.h"

namespace {

std::string Text(const JxCTableString& text)
{
    return std::string(text.View());
}

}  // namespace

JxPicsName ResolvePicsName(std::string_view name)
{
    if (name.starts_with('@'))
        return {std::string(name.substr(1)), true};
    if (name.starts_with('&'))
        return {Text(GetProgramFolderString()) + std::string(name.substr(1)) + ".ani", false};
    if (name.starts_with('\\'))
        return {std::string(name), false};
    return {Text(GetDataPathString()) + "\\" + std::string(name), false};
}

std::unique_ptr<JxPicsPlayer> OpenPICSByName(std::string_view name, std::int16_t preload, std::int16_t* status)
{
    const JxPicsName resolved = ResolvePicsName(name);
    return OpenPICS(resolved.path.c_str(), ProductMainWindow(), ProductPalette(), status, preload,
                    resolved.byResource ? 1 : 0, 0, 0);
}
