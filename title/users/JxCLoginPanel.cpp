#include "title/users/JxCLoginPanel.h"

#include "foundation/JxCInStrStream.h"
#include "platform/window/messages.h"
#include "runtime/JxCKeyParams.h"
#include "title/users/JxCUser.h"
#include "title/panels/JxDialogPages.h"
#include "title/users/JxLoginWidgets.h"

std::int16_t JxCLoginPanel::Read(JxCInStrStream& in, JxCPageDef* pageDef)
{
    if (!JxCTransparentPanel::Read(in, pageDef))
        return 0;
    return in.ReadBigEndian32(confirmationPage_) ? 1 : 0;
}

std::int16_t JxCLoginPanel::HandleKey(JxCKeyParams& key)
{
    // The key itself, not the character "." that shares its code.
    const bool deleteKey = (key.GetMessage() == plat::WM_KEYDOWN || key.GetMessage() == plat::WM_SYSKEYDOWN) &&
                           key.GetKeyCode() == plat::VK_DELETE;
    if (!deleteKey)
        return JxCTransparentPanel::HandleKey(key);
    deletePickedUser();
    return 1;
}

void JxCLoginPanel::deletePickedUser()
{
    JxCUser* user = TitleUser();
    JxCLoginField* field = user ? user->GetLoginWidgets().loginField : nullptr;
    if (!field)
        return;
    const JxCString name = field->GetText();
    if (user->IsCurrentName(name) || RunDialogPage(confirmationPage_, 0) != kDeleteAnswer)
        return;
    if (!user->DeleteUser(name))
        return;
    // The confirmation may have closed the login page meanwhile.
    field = user->GetLoginWidgets().loginField;
    if (JxCLoginCollage* list = field ? FindLoginCollage(*field) : nullptr)
        list->Reload(user->GetCurrentName());
}
