#pragma once
// Message boxes: a text, a caption, an icon and one of the classic button
// sets; the answer is the id of the button pressed (IDOK 1 to IDNO 7).

#include "platform/core/types.h"
#include "platform/ui/dialog.h"

namespace plat {

constexpr UINT MB_OK = 0x0;
constexpr UINT MB_OKCANCEL = 0x1;
constexpr UINT MB_ABORTRETRYIGNORE = 0x2;
constexpr UINT MB_YESNOCANCEL = 0x3;
constexpr UINT MB_YESNO = 0x4;
constexpr UINT MB_RETRYCANCEL = 0x5;
constexpr UINT MB_TYPEMASK = 0xF;
constexpr UINT MB_ICONHAND = 0x10;
constexpr UINT MB_ICONSTOP = MB_ICONHAND;
constexpr UINT MB_ICONERROR = MB_ICONHAND;
constexpr UINT MB_ICONQUESTION = 0x20;
constexpr UINT MB_ICONEXCLAMATION = 0x30;
constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr UINT MB_ICONASTERISK = 0x40;
constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr UINT MB_ICONMASK = 0xF0;
constexpr UINT MB_DEFBUTTON1 = 0x000;
constexpr UINT MB_DEFBUTTON2 = 0x100;
constexpr UINT MB_DEFBUTTON3 = 0x200;
constexpr UINT MB_DEFMASK = 0xF00;
constexpr UINT MB_APPLMODAL = 0x0000;
constexpr UINT MB_SYSTEMMODAL = 0x1000;
constexpr UINT MB_TASKMODAL = 0x2000;
constexpr UINT MB_MODEMASK = 0x3000;

// Shows the box and waits for the answer; painting and timers of the
// program's windows go on meanwhile. The owner (or, task-modal, every
// window of the program) takes no input until the box is answered. A null
// caption is "Error". Headless, the box is offered to the responder as
// kind "MessageBox" with its style and button ids (platform/ui/responder.h).
int MessageBoxA(HWND owner, const char* text, const char* caption, UINT style);
inline int MessageBox(HWND owner, const char* text, const char* caption, UINT style)
{
    return MessageBoxA(owner, text, caption, style);
}

// The button ids of a style's button set, left to right. A button set that
// does not exist is shown as OK.
std::vector<int> MessageBoxButtons(UINT style);

// Plays the system sound of a box type (0, MB_ICONHAND ... or 0xFFFFFFFF)
// on the sound device (see audio/system_beep.h); FALSE when the output
// could not take it. Every call is counted, for the tests.
BOOL MessageBeep(UINT type);
int MessageBeepCount();

}  // namespace plat
