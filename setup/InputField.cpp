#include "setup/InputField.h"

#include <vector>

#include "platform/ui/controls.h"
#include "platform/window/window.h"
#include "setup/GreekText.h"
#include "setup/PictureMask.h"

namespace {

std::string windowText(plat::HWND edit)
{
    int n = plat::GetWindowTextLengthA(edit);
    std::vector<char> buffer(std::size_t(n) + 1, '\0');
    plat::GetWindowTextA(edit, buffer.data(), n + 1);
    return std::string(buffer.data());
}

}  // namespace

InputField::InputField(std::string picture, char caseMode, int limit)
    : picture_(std::move(picture)), caseMode_(caseMode), limit_(limit), value_(std::size_t(limit) + 1, '\0')
{
}

void InputField::Attach(plat::HWND edit) const
{
    plat::SendMessageA(edit, plat::EM_LIMITTEXT, plat::WPARAM(limit_), 0);
}

bool InputField::OnChange(plat::HWND edit)
{
    if (updating_)
        return true;
    std::string text = windowText(edit);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char picture = i < picture_.size() ? picture_[i] : '\0';
        if (picture == '\0' || !CheckPictureChar(edit, picture, text[i])) {
            if (picture == '\0')
                BeepInvalidInput();
            updating_ = true;
            plat::SetWindowTextA(edit, previous_.c_str());
            updating_ = false;
            plat::SendMessageA(edit, plat::EM_SETSEL, plat::WPARAM(i), plat::LPARAM(i));
            return false;
        }
    }
    std::string cased = text;
    if (caseMode_ == 'K')
        UpperBuffer(int(cased.size()), cased);
    else if (caseMode_ == 'M')
        LowerBuffer(int(cased.size()), cased);
    if (cased != text) {
        plat::DWORD selection = plat::DWORD(plat::SendMessageA(edit, plat::EM_GETSEL, 0, 0));
        updating_ = true;
        plat::SetWindowTextA(edit, cased.c_str());
        updating_ = false;
        plat::SendMessageA(edit, plat::EM_SETSEL, plat::LOWORD(selection), plat::HIWORD(selection));
    }
    accept(cased);
    return true;
}

void InputField::Adopt(plat::HWND edit) { accept(windowText(edit)); }

void InputField::accept(const std::string& text)
{
    previous_ = text;
    value_.assign(std::size_t(limit_) + 1, '\0');
    value_.replace(0, std::min(text.size(), std::size_t(limit_)), text, 0, std::size_t(limit_));
    ConvertPadBuffer(limit_, value_);
}
