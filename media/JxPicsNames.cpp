#include "media/JxPicsNames.h"

#include "foundation/JxProductLink.h"
#include "foundation/JxResourceLibraries.h"
#include "foundation/JxStartupSettings.h"
#include "media/JxMissingMedia.h"

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
    const auto open = [&] {
        return OpenPICS(resolved.path.c_str(), ProductMainWindow(), ProductPalette(), status, preload,
                        resolved.byResource ? 1 : 0, 0, 0);
    };
    std::unique_ptr<JxPicsPlayer> player = open();
    // A file of its own that is not there is named, and opened after all
    // should the user bring it back.
    if (!player && status && *status == kPicsCannotOpen &&
        PicsSourceKind(resolved.path, resolved.byResource) == JxPicsSource::kLooseFile &&
        FindMediaFile(JxCString(resolved.path.c_str())))
        player = open();
    return player;
}
