#pragma once
// The installer's small modal boxes: the yes/no question, the exit
// confirmation, the retry/abort error dialog and the plain error box.

#include <string_view>

#include "platform/core/types.h"

// "YesOrNoBox": caption and text in code page 737. 1 for Yes, 0 for No
// (Escape too); Enter presses whichever of the two has the focus.
int AskYesOrNo(plat::HWND owner, std::string_view caption, std::string_view text);
// "ExitInstall" over the main window: 1 exit, 0 continue.
int AskExitInstall(plat::HWND owner);
// "ErrorBox": the text (ready for display) in control 150; 1 retry, 0 abort.
int AskRetryOrAbort(plat::HWND owner, std::string_view text);
// A message box with the error icon after an information beep; the text in
// code page 737, the caption string 124. A detail (a path, an error name)
// is already in the Windows page: it follows the text on a line of its own
// and is shown as it is.
void ShowErrorBox(plat::HWND owner, std::string_view text, std::string_view detail = {});
