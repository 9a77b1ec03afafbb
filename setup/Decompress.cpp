#include "setup/Decompress.h"

#include <cstdio>

#include "platform/fs/errors.h"
#include "platform/lz/lz.h"
#include "platform/ui/message_box.h"

namespace {

const char* errorName(plat::LONG code)
{
    switch (code) {
    case plat::LZERROR_GLOBLOCK: return "LZERROR_GLOBLOCK";
    case plat::LZERROR_GLOBALLOC: return "LZERROR_GLOBALLOC";
    case plat::LZERROR_READ: return "LZERROR_READ";
    case plat::LZERROR_BADOUTHANDLE: return "LZERROR_BADOUTHANDLE";
    case plat::LZERROR_BADINHANDLE: return "LZERROR_BADINHANDLE";
    default: return nullptr;
    }
}

void plainBox(const char* format, const std::string& name)
{
    char text[600];
    std::snprintf(text, sizeof text, format, name.c_str());
    plat::MessageBoxA(nullptr, text, nullptr, plat::MB_OK);
}

}  // namespace

int DecompressFile(const std::string& source, const std::string& target, plat::DWORD* error)
{
    if (error)
        *error = 0;
    plat::OFSTRUCT sourceInfo, targetInfo;
    int in = plat::LZOpenFileA(source.c_str(), &sourceInfo, plat::OF_READ);
    if (in < 0) {
        plainBox("error opening source file %s", source);
        return 0;
    }
    // The expansion goes to a new file that replaces the target only when
    // it is whole.
    int out = plat::LZOpenFileA(target.c_str(), &targetInfo, plat::OF_CREATE | plat::OF_READWRITE);
    if (out < 0) {
        plat::LZClose(in);
        plainBox("error opening dest file %s", target);
        return 0;
    }
    plat::LONG result = plat::LZCopy(in, out);
    if (result < 0 && error)
        *error = plat::GetLastError();
    plat::LZClose(in);
    if (result < 0) {
        plat::DiscardFile(out);
        if (const char* name = errorName(result))
            plat::MessageBoxA(nullptr, name, nullptr, plat::MB_OK);
        return 0;
    }
    // A file that cannot be put in place is a failed write, which the
    // caller reports.
    if (plat::_lclose(out) != plat::HFILE_ERROR)
        return 1;
    if (error)
        *error = plat::GetLastError();
    return 0;
}
