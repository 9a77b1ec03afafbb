#pragma once
// File version information of a module: what "VERSION.DLL" gives the
// engine. The block is read from the module's module.ini; the sub-blocks
// are "\" (the fixed file information), "\VarFileInfo\Translation" (pairs
// of 16-bit language id and code page) and "\StringFileInfo\llllcccc\Name"
// (texts such as "ProductName", "CompanyName", "FileVersion",
// "LegalCopyright").

#include "platform/core/types.h"

namespace plat {

struct VS_FIXEDFILEINFO {
    DWORD dwSignature = 0xFEEF04BD;
    DWORD dwStrucVersion = 0x00010000;
    DWORD dwFileVersionMS = 0;
    DWORD dwFileVersionLS = 0;
    DWORD dwProductVersionMS = 0;
    DWORD dwProductVersionLS = 0;
    DWORD dwFileFlagsMask = 0x3F;
    DWORD dwFileFlags = 0;
    DWORD dwFileOS = 0x40004;
    DWORD dwFileType = 2;
    DWORD dwFileSubtype = 0;
    DWORD dwFileDateMS = 0;
    DWORD dwFileDateLS = 0;
};

// The size of the block of a module file (GetModuleFileName's name), 0
// when it has none.
DWORD GetFileVersionInfoSizeA(const char* fileName, DWORD* handle);
BOOL GetFileVersionInfoA(const char* fileName, DWORD handle, DWORD size, void* data);
// A pointer into the block and the value's length (characters with the
// terminator for texts, bytes otherwise); false when the block lacks it.
BOOL VerQueryValueA(const void* block, const char* subBlock, void** buffer, UINT* length);

}  // namespace plat
