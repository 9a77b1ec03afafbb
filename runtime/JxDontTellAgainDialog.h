#pragma once
// The warning dialog with a "Don't tell me this again." check box (dialog
// 5555 of the resource libraries).

#include <cstdint>
#include <string>

#include "platform/core/types.h"
#include "platform/ui/dialog.h"

struct JxCDontTellAgainInfo {
    plat::DLGPROC dialogProc = nullptr;
    std::int16_t checked = 0;  // 1: ticked
    std::string caption;
    std::string message;
    std::string checkText;
};

// Shows the dialog modally, without an owner; the record's check state is
// the answer (the initial state when the dialog could not be shown).
JxCDontTellAgainInfo ShowDontTellAgainDialog(const char* caption, const char* message, const char* checkText,
                                             std::int16_t checked);

plat::LRESULT DontTellAgainDialogProc(plat::HWND dialog, plat::UINT message, plat::WPARAM wParam,
                                      plat::LPARAM lParam);

constexpr unsigned kDontTellAgainDialogId = 5555;
constexpr int kDontTellAgainCheckId = 5556;
constexpr int kDontTellAgainMessageId = 5557;
