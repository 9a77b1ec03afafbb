#pragma once
// Mouse cursors: the standard ones (arrow, I-beam, hourglass, cross and the
// rest of the IDC_ set, drawn from built-in pictures) and cursors loaded from
// the cursor files of a resource library. The current cursor is shown by the
// backend, which registers itself as the presenter.

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "platform/core/types.h"

namespace plat {

// The standard cursors, as MAKEINTRESOURCE names.
constexpr WORD IDC_ARROW_ID = 32512;
constexpr WORD IDC_IBEAM_ID = 32513;
constexpr WORD IDC_WAIT_ID = 32514;
constexpr WORD IDC_CROSS_ID = 32515;
constexpr WORD IDC_UPARROW_ID = 32516;
constexpr WORD IDC_SIZENWSE_ID = 32642;
constexpr WORD IDC_SIZENESW_ID = 32643;
constexpr WORD IDC_SIZEWE_ID = 32644;
constexpr WORD IDC_SIZENS_ID = 32645;
constexpr WORD IDC_SIZEALL_ID = 32646;
constexpr WORD IDC_NO_ID = 32648;
constexpr WORD IDC_APPSTARTING_ID = 32650;
constexpr WORD IDC_HAND_ID = 32649;
inline const char* const IDC_ARROW = reinterpret_cast<const char*>(std::uintptr_t(IDC_ARROW_ID));
inline const char* const IDC_IBEAM = reinterpret_cast<const char*>(std::uintptr_t(IDC_IBEAM_ID));
inline const char* const IDC_WAIT = reinterpret_cast<const char*>(std::uintptr_t(IDC_WAIT_ID));
inline const char* const IDC_CROSS = reinterpret_cast<const char*>(std::uintptr_t(IDC_CROSS_ID));
inline const char* const IDC_UPARROW = reinterpret_cast<const char*>(std::uintptr_t(IDC_UPARROW_ID));
inline const char* const IDC_SIZEALL = reinterpret_cast<const char*>(std::uintptr_t(IDC_SIZEALL_ID));
inline const char* const IDC_SIZENWSE = reinterpret_cast<const char*>(std::uintptr_t(IDC_SIZENWSE_ID));
inline const char* const IDC_SIZENESW = reinterpret_cast<const char*>(std::uintptr_t(IDC_SIZENESW_ID));
inline const char* const IDC_SIZEWE = reinterpret_cast<const char*>(std::uintptr_t(IDC_SIZEWE_ID));
inline const char* const IDC_SIZENS = reinterpret_cast<const char*>(std::uintptr_t(IDC_SIZENS_ID));
inline const char* const IDC_NO = reinterpret_cast<const char*>(std::uintptr_t(IDC_NO_ID));
inline const char* const IDC_HAND = reinterpret_cast<const char*>(std::uintptr_t(IDC_HAND_ID));
inline const char* const IDC_APPSTARTING = reinterpret_cast<const char*>(std::uintptr_t(IDC_APPSTARTING_ID));

// The cursor object the handles point at.
struct CursorObject {
    int width = 0;
    int height = 0;
    POINT hotspot;
    // 0xAARRGGBB, rows top-down; alpha 0 is transparent.
    std::vector<std::uint32_t> pixels;
    // Pixels that invert the screen under them (shown as the backend can).
    std::vector<bool> invert;
    // Standard and resource cursors are shared and never destroyed.
    bool shared = false;
    WORD standardId = 0;  // the IDC_ id of a standard cursor
};

// A standard cursor (instance null, name an IDC_ id) or the cursor resource
// of a module by id or name. Null when there is none; an unknown standard
// id is null too.
HCURSOR LoadCursorA(HINSTANCE instance, const char* name);
inline HCURSOR LoadCursor(HINSTANCE instance, const char* name) { return LoadCursorA(instance, name); }
// A cursor from the bytes of a .cur (or .ico) file: the image closest to
// 32 by 32 with the most colours. Null for damaged data.
HCURSOR CreateCursorFromFileData(std::string_view bytes);
// Only cursors made by CreateCursorFromFileData are freed; shared ones stay.
BOOL DestroyCursor(HCURSOR cursor);
bool IsLiveCursor(HCURSOR cursor);

// The cursor shown over the program; returns the one before.
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
// The display count: the cursor shows while it is 0 or more.
int ShowCursor(BOOL show);

// The backend's hook: called with the cursor to show (null: none) whenever
// the cursor or its visibility changes.
using CursorPresenter = std::function<void(HCURSOR)>;
void SetCursorPresenter(CursorPresenter presenter);

}  // namespace plat
