#pragma once
// The names by which pages and actions give a PICS animation:
//   "@NAME"   the "WINPICS" resource NAME of a resource library or the program;
//   "&NAME"   the file NAME.ani in the program's folder;
//   "\PATH"   the file at that path, as it stands;
//   "PATH"    the file under the data path (data path, backslash, PATH),
//             as it stands, so it must end in ".ani" itself; with the
//             setting "Munge" on, the data store finds the item of that
//             same name.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "media/JxPicsPlayer.h"

struct JxPicsName {
    std::string path;
    bool byResource = false;
};

JxPicsName ResolvePicsName(std::string_view name);

// Opens the animation of that name on the product's main window with the
// product palette; null with the status on failure.
std::unique_ptr<JxPicsPlayer> OpenPICSByName(std::string_view name, std::int16_t preload, std::int16_t* status);
