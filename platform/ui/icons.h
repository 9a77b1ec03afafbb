#pragma once
// Icons: the standard ones (drawn by us in the classic manner) and icon
// resources of a module, and drawing them.

#include "platform/core/types.h"

namespace plat {

constexpr WORD IDI_APPLICATION_ID = 32512;
constexpr WORD IDI_HAND_ID = 32513;
constexpr WORD IDI_QUESTION_ID = 32514;
constexpr WORD IDI_EXCLAMATION_ID = 32515;
constexpr WORD IDI_ASTERISK_ID = 32516;
inline const char* const IDI_APPLICATION = reinterpret_cast<const char*>(std::uintptr_t(IDI_APPLICATION_ID));
inline const char* const IDI_HAND = reinterpret_cast<const char*>(std::uintptr_t(IDI_HAND_ID));
inline const char* const IDI_QUESTION = reinterpret_cast<const char*>(std::uintptr_t(IDI_QUESTION_ID));
inline const char* const IDI_EXCLAMATION = reinterpret_cast<const char*>(std::uintptr_t(IDI_EXCLAMATION_ID));
inline const char* const IDI_ASTERISK = reinterpret_cast<const char*>(std::uintptr_t(IDI_ASTERISK_ID));

// A standard icon (instance null, name an IDI_ id) or the icon resource of
// a module by id or name; null when there is none. Icons are shared: they
// live as long as the process.
HICON LoadIconA(HINSTANCE instance, const char* name);
inline HICON LoadIcon(HINSTANCE instance, const char* name) { return LoadIconA(instance, name); }
// Draws the icon with its top-left corner at (x, y); transparent pixels
// leave what is below.
BOOL DrawIcon(HDC hdc, int x, int y, HICON icon);

}  // namespace plat
