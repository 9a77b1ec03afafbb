#pragma once
// Picture masks of the input fields: one picture character per input
// position decides which characters may stand there.
//
//   "9" digits, "0" digits, blank and "-", "D" digits and "/", "T" digits
//   and ":", "F" "-", "." and digits, "E" letters, digits and "_.->[]",
//   "d" letters, digits, "_" and blank, "G" blank, Greek letters, digits and
//   "_.-+&*()", "X" anything.
//
// The allowed sets are entries of the string table.

#include <string_view>

#include "platform/core/types.h"

// 1 when the character is in the set.
int IsCharInSet(std::string_view set, char c);
// 1 when the picture character allows c (a 1253 byte). A picture character
// that is none of the above shows the error box "validpic() not a valid
// picture" and rejects. With an owner window a rejection beeps.
int CheckPictureChar(plat::HWND owner, char picture, char c);
// 1 when every character of a 737 text is allowed by the picture character
// at its position; a character beyond the end of the picture is not. No
// beep.
int ValidateByPicture(std::string_view text, std::string_view picture);
// The exclamation beep of a rejected key.
void BeepInvalidInput();
