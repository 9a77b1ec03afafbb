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
    // The user picked, by the file of the row: never found again by name.
    const std::int32_t picked = PickedUser(*field);
    const JxCUserEntry* entry = user->GetEntry(picked);
    if (!entry || user->IsCurrentEntry(picked))
        return;
    const JxCString fileName = entry->fileName;
    if (RunDialogPage(confirmationPage_, 0) != kDeleteAnswer || !user->DeleteUser(user->FindFile(fileName)))
        return;
    // The confirmation may have closed the login page meanwhile.
    field = user->GetLoginWidgets().loginField;
    const JxCUserRecord* current = user->GetRecord();
    if (JxCLoginCollage* list = field ? FindLoginCollage(*field) : nullptr)
        list->Reload(current ? current->GetFileName() : JxCString());
}
