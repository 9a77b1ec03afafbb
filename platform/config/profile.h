#pragma once
// The INI profile calls with Windows rules (see IniDocument for the rules of
// the file itself). A file name without a folder means the emulated Windows
// folder; other names are Windows paths. The WIN.INI forms use "WIN.INI"
// there, and so does every call given a null file name. Every change rewrites the whole file atomically; a change that
// cannot be written returns false and leaves the file as it was.

#include "platform/config/ini_document.h"
#include "platform/core/types.h"

namespace plat {

// Copies the value (or the default, trailing blanks removed) into buffer
// and returns its length. A value that does not fit is cut to size - 1
// characters. A null section lists the section names, a null key the keys
// of the section, each followed by a NUL and the list by one more; a list
// that does not fit returns size - 2. A list of section names fits only with
// room to spare: one that its closing NUL would exactly fill is cut.
DWORD GetPrivateProfileStringA(const char* section, const char* key, const char* defaultValue,
                               char* buffer, DWORD size, const char* fileName);
// The value as a decimal number: leading blanks, an optional sign, digits;
// trailing text is ignored, a value without digits gives 0, a missing or
// empty value gives the default. Negative numbers come back as their
// 32-bit pattern. A null section or key reads the first name of the list
// the string call gives (so a file with sections answers 0).
UINT GetPrivateProfileIntA(const char* section, const char* key, int defaultValue,
                           const char* fileName);
// Sets the value; a null value deletes the key, a null key the section.
// With a null section only the flush (everything null) succeeds; the error
// is then ERROR_FILE_NOT_FOUND for an absent or empty file, else
// ERROR_INVALID_PARAMETER. An empty file name is ERROR_ACCESS_DENIED.
BOOL WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                const char* fileName);
// The section names, as GetPrivateProfileStringA with a null section.
DWORD GetPrivateProfileSectionNamesA(char* buffer, DWORD size, const char* fileName);

// The whole file as one document, read as the calls above read it (a
// missing or unreadable file is an empty one), for a reader that asks many
// values of a file it does not change.
IniDocument ReadPrivateProfile(const char* fileName);
// A value of such a document, as GetPrivateProfileStringA gives it.
DWORD GetProfileStringOf(const IniDocument& ini, const char* section, const char* key, const char* defaultValue,
                         char* buffer, DWORD size);
// A number of such a document, as GetPrivateProfileIntA gives it (section
// and key both named).
UINT GetProfileIntOf(const IniDocument& ini, const char* section, const char* key, int defaultValue);

DWORD GetProfileStringA(const char* section, const char* key, const char* defaultValue,
                        char* buffer, DWORD size);
UINT GetProfileIntA(const char* section, const char* key, int defaultValue);
BOOL WriteProfileStringA(const char* section, const char* key, const char* value);

}  // namespace plat
