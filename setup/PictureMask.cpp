#include "setup/PictureMask.h"

#include <string>

#include "platform/ui/message_box.h"
#include "setup/GreekText.h"
#include "setup/SetupBoxes.h"
#include "setup/SetupText.h"

namespace {

struct PictureSet {
    char picture;
    plat::UINT stringId;
    bool greek;  // the entry holds 737 letters, converted before use
};

constexpr PictureSet kSets[] = {
    {'9', 200, false}, {'0', 201, false}, {'D', 202, false}, {'T', 203, false},
    {'F', 206, false}, {'E', 207, false}, {'d', 209, false}, {'G', 210, true},
};

}  // namespace

int IsCharInSet(std::string_view set, char c)
{
    return set.find(c) != std::string_view::npos ? 1 : 0;
}

void BeepInvalidInput()
{
    plat::MessageBeep(plat::MB_ICONEXCLAMATION);
}

int CheckPictureChar(plat::HWND owner, char picture, char c)
{
    if (picture == 'X')
        return 1;
    const PictureSet* found = nullptr;
    for (const PictureSet& s : kSets)
        if (s.picture == picture)
            found = &s;
    if (!found) {
        ShowErrorBox(owner, "validpic() not a valid picture");
        return 0;
    }
    // The sets are taken as stored: "_" is one of their characters.
    std::string set = LoadRawText(found->stringId);
    if (found->greek)
        set = ConvertGreekText(set);
    if (IsCharInSet(set, c))
        return 1;
    if (owner)
        BeepInvalidInput();
    return 0;
}

int ValidateByPicture(std::string_view text, std::string_view picture)
{
    std::string converted = ConvertGreekText(text);
    for (std::size_t i = 0; i < converted.size(); ++i) {
        if (i >= picture.size() || !CheckPictureChar(nullptr, picture[i], converted[i]))
            return 0;
    }
    return 1;
}
