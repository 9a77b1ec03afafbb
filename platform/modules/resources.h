#pragma once
// Resources of a module by type and by id or name: strings, dialog
// templates, bitmaps, icons, cursors and the title's own types ("PALETTE",
// "WAVE", "WINPICS", ...). Ids travel as MAKEINTRESOURCE pointers, as the
// engine passes them; a name "#123" means id 123.

#include <cstdint>
#include <string>

#include "platform/core/types.h"

namespace plat {

struct ResourceEntry;
using HRSRC = ResourceEntry*;
using HGLOBAL = const void*;

inline const char* MAKEINTRESOURCEA(WORD id) { return reinterpret_cast<const char*>(std::uintptr_t(id)); }
inline bool IS_INTRESOURCE(const char* p) { return (reinterpret_cast<std::uintptr_t>(p) >> 16) == 0; }

inline const char* const RT_CURSOR = MAKEINTRESOURCEA(1);
inline const char* const RT_BITMAP = MAKEINTRESOURCEA(2);
inline const char* const RT_ICON = MAKEINTRESOURCEA(3);
inline const char* const RT_MENU = MAKEINTRESOURCEA(4);
inline const char* const RT_DIALOG = MAKEINTRESOURCEA(5);
inline const char* const RT_STRING = MAKEINTRESOURCEA(6);
inline const char* const RT_RCDATA = MAKEINTRESOURCEA(10);
inline const char* const RT_GROUP_CURSOR = MAKEINTRESOURCEA(12);
inline const char* const RT_GROUP_ICON = MAKEINTRESOURCEA(14);
inline const char* const RT_VERSION = MAKEINTRESOURCEA(16);

constexpr DWORD ERROR_RESOURCE_DATA_NOT_FOUND = 1812;
constexpr DWORD ERROR_RESOURCE_TYPE_NOT_FOUND = 1813;
constexpr DWORD ERROR_RESOURCE_NAME_NOT_FOUND = 1814;

// Null when the module holds no such resource. A string block (type
// RT_STRING, id / 16 + 1) exists when any of its sixteen ids has a text.
HRSRC FindResourceA(HMODULE module, const char* name, const char* type);
// The resource's bytes, kept by the module while it is loaded. Bitmaps come
// as packed DIBs (the BMP file without its 14-byte file header), icons and
// cursors as their .ico and .cur files, dialog templates as text in the
// module's code page, a string block as sixteen entries of a 16-bit length
// and that many bytes.
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
const void* LockResource(HGLOBAL data);
DWORD SizeofResource(HMODULE module, HRSRC resource);
BOOL FreeResource(HGLOBAL data);

// The host file a resource is read from, for messages about its contents;
// empty for a string block, the version block or an unknown resource.
std::string ResourceHostFile(HMODULE module, HRSRC resource);

// What identifies a module's resources across loads (its folder and name),
// for caches of objects made from them: a freed handle may come back for
// another library, this key does not. Empty when the module is not loaded.
std::string ResourceOwnerKey(HMODULE module);

// The code page of the module's texts (its module.ini); the current ANSI
// page for a handle that is no live module.
int GetModuleCodePage(HMODULE module);

// Copies string id of the module, cut to size - 1 bytes, and returns the
// bytes copied; 0 when the module has no such string.
int LoadStringA(HMODULE module, UINT id, char* buffer, int size);

}  // namespace plat
