// A resource library folder "kelbores.resources" made of any module.ini,
// strings.txt, bitmap/1.bmp, icon/1.ico and cursor/1.cur (in that order,
// separated by "%%" lines), looked up the way the program does: the main
// and the country library loaded, every string id of the file loaded into
// buffers of several sizes, and the bitmap, icon and cursor found, loaded
// and (the icon and the cursor) made into cursors. A string never runs past
// its buffer and always ends in a zero.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "foundation/JxResourceLibraries.h"
#include "foundation/JxStartupSettings.h"
#include "fuzz_support.h"
#include "platform/modules/resources.h"
#include "platform/window/cursor.h"

namespace {

// The ids at the start of the lines of a strings.txt, at most 64 of them.
std::vector<unsigned> idsOf(const std::string& strings)
{
    std::vector<unsigned> ids{0, 1, 15, 16, 5408, 65535};
    std::size_t pos = 0;
    while (pos < strings.size() && ids.size() < 70) {
        unsigned long id = 0;
        std::size_t digits = 0;
        while (pos + digits < strings.size() && digits < 6 && strings[pos + digits] >= '0' &&
               strings[pos + digits] <= '9')
            id = id * 10 + static_cast<unsigned>(strings[pos + digits++] - '0');
        if (digits > 0)
            ids.push_back(static_cast<unsigned>(id));
        const std::size_t nl = strings.find('\n', pos);
        pos = nl == std::string::npos ? strings.size() : nl + 1;
    }
    return ids;
}

void loadStrings(const std::vector<unsigned>& ids)
{
    for (unsigned id : ids) {
        for (int size : {1, 2, 5, 512}) {
            std::vector<char> buffer(static_cast<std::size_t>(size), '\x7f');
            const int n = LoadStringFromLibraries(id, buffer.data(), size);
            fuzz::Check(n >= 0 && n < size && buffer[static_cast<std::size_t>(n)] == '\0');
        }
        LoadStringFromLibraries(id);
    }
}

// The resource's bytes, all of them touched.
void loadResource(const char* id, const char* type, bool asCursor)
{
    JxCResourceLocator found = FindResourceInLibraries(id, type);
    if (!found.GetResource())
        return;
    plat::HGLOBAL handle = plat::LoadResource(found.GetModule(), found.GetResource());
    const void* bytes = plat::LockResource(handle);
    const plat::DWORD size = plat::SizeofResource(found.GetModule(), found.GetResource());
    if (!bytes)
        return;
    std::vector<char> copy(size);
    if (size)
        std::memcpy(copy.data(), bytes, size);
    if (asCursor) {
        if (plat::HCURSOR cursor = plat::CreateCursorFromFileData(std::string_view(copy.data(), copy.size())))
            plat::DestroyCursor(cursor);
    }
    plat::FreeResource(handle);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::string> files = fuzz::SplitInput(data, size, 5);
    plat::testing::TempConfig& folders = fuzz::Scratch();
    using plat::testing::TempConfig;
    const std::string library = folders.program() + "/kelbores.resources/";
    TempConfig::writeFile(folders.program() + "/kelbo32", "");
    TempConfig::writeFile(library + "module.ini", files[0]);
    TempConfig::writeFile(library + "strings.txt", files[1]);
    TempConfig::writeFile(library + "bitmap/1.bmp", files[2]);
    TempConfig::writeFile(library + "icon/1.ico", files[3]);
    TempConfig::writeFile(library + "cursor/1.cur", files[4]);
    // A country library for string 5408 to name.
    TempConfig::writeFile(folders.program() + "/kelboresGR.resources/strings.txt", files[1]);

    ResetResourceLibraries();
    ResetStartupSettings();
    LoadMainResourceLibrary();
    LoadCountryResourceLibrary();
    loadStrings(idsOf(files[1]));
    loadResource(plat::MAKEINTRESOURCEA(1), plat::RT_BITMAP, false);
    loadResource("#1", plat::RT_BITMAP, false);
    loadResource(plat::MAKEINTRESOURCEA(1), plat::RT_GROUP_ICON, true);
    loadResource(plat::MAKEINTRESOURCEA(1), plat::RT_GROUP_CURSOR, true);
    loadResource(plat::MAKEINTRESOURCEA(1), plat::RT_STRING, false);
    ResetResourceLibraries();
    return 0;
}
