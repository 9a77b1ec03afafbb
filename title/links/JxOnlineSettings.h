#pragma once
// Where the web links keep their choices: the browser's path, whether the
// user declined to choose a browser, and whether addresses open through the
// online service.
//
// The names come from the resource libraries (section 8215, keys 8216 to
// 8218). The browser path and the declined flag live in the registry under
// HKEY_LOCAL_MACHINE\Software\<string 7>\<section> wherever there is a
// registry, and in the section of the settings file where there is none;
// the online-service flag always lives in the settings file. The settings
// file is the shared "mmapp.ini" when WIN.INI names one, else the title's
// INI file.

#include <cstdint>

// Fills the names once; 0 (tried again next time) when a text is missing.
std::int16_t LoadOnlineSettings();

// The stored browser path into buffer (size bytes with the terminator); 1
// when there is one.
std::int16_t ReadBrowserPath(char* buffer, std::uint32_t size);
// Stores the browser path; null deletes it. 1 on success.
std::int16_t WriteBrowserPath(const char* text);
// The declined flag; 0 when it is missing or cannot be read.
std::int32_t ReadBrowserDeclined();
std::int16_t WriteBrowserDeclined(std::int32_t declined);
// The online-service flag ("1" when set); 0 when missing.
std::int32_t ReadOnlineServiceFlag();
std::int16_t SetOnlineServiceFlag();
std::int16_t DeleteOnlineServiceFlag();

// Puts the text on the clipboard for the main window; nothing happens when
// the clipboard cannot be opened.
void CopyTextToClipboard(const char* text);

// The settings' string ids.
constexpr unsigned kOnlineCompanyId = 7;
constexpr unsigned kOnlineSectionId = 8215;
constexpr unsigned kBrowserPathKeyId = 8216;
constexpr unsigned kBrowserDeclinedKeyId = 8217;
constexpr unsigned kOnlineServiceKeyId = 8218;

// Test support: the names are filled again on the next use.
void ResetOnlineSettings();
