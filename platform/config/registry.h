#pragma once
// The registry: keys under HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE with
// string, number and binary values. Each root is a text hive in the
// configuration folder ("registry/HKEY_LOCAL_MACHINE.reg", ...), read on
// first use and rewritten atomically after every change, so what the
// installer writes is there for the engine to read. Key and value names
// are compared without regard to case. A change that cannot be written
// fails and leaves both the hive file and what later queries see as before.

#include <cstdint>

#include "platform/core/types.h"

namespace plat {

struct RegistryKey;
using HKEY = RegistryKey*;
using PHKEY = HKEY*;
using REGSAM = DWORD;
using LPBYTE = BYTE*;

inline const HKEY HKEY_CLASSES_ROOT = reinterpret_cast<HKEY>(std::uintptr_t(0x80000000u));
inline const HKEY HKEY_CURRENT_USER = reinterpret_cast<HKEY>(std::uintptr_t(0x80000001u));
inline const HKEY HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(std::uintptr_t(0x80000002u));

constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_EXPAND_SZ = 2;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;
constexpr DWORD REG_MULTI_SZ = 7;

constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_SET_VALUE = 0x0002;
constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
constexpr REGSAM KEY_READ = 0x20019;
constexpr REGSAM KEY_WRITE = 0x20006;
constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

// Results are Windows error codes: 0 success, 2 no such key or value, 5
// access denied (a handle opened without the right), 6 invalid handle, 87
// invalid parameter, 234 more data (with the size needed), 1018 the key was
// deleted, 29 the hive could not be written.
LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, REGSAM access, PHKEY result);
LONG RegCreateKeyExA(HKEY key, const char* subKey, DWORD reserved, const char* keyClass,
                     DWORD options, REGSAM access, const void* security, PHKEY result,
                     DWORD* disposition);
LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved, DWORD* type, LPBYTE data,
                      DWORD* dataSize);
LONG RegSetValueExA(HKEY key, const char* valueName, DWORD reserved, DWORD type, const BYTE* data,
                    DWORD dataSize);
LONG RegDeleteValueA(HKEY key, const char* valueName);
// Only a key without subkeys can be deleted.
LONG RegDeleteKeyA(HKEY key, const char* subKey);
LONG RegEnumKeyExA(HKEY key, DWORD index, char* name, DWORD* nameSize, DWORD* reserved,
                   char* keyClass, DWORD* classSize, void* lastWrite);
LONG RegCloseKey(HKEY key);

// Forgets the hives read so far; the next call reads them from disk again.
void ReloadRegistry();

}  // namespace plat
