#include "runtime/JxDataDiscDialog.h"

#include <string>

#include "foundation/JxMessageText.h"
#include "foundation/JxProductLink.h"
#include "foundation/JxResourceLibraries.h"
#include "foundation/JxStartupSettings.h"
#include "foundation/JxStringLoader.h"
#include "platform/ui/dialog.h"
#include "platform/window/window.h"
#include "runtime/JxDataPathCheck.h"

namespace {

using namespace plat;

void initialise(HWND dialog, const JxCString* description)
{
    std::string title;
    if (LoadStringText(kTitleTextId, title))
        SetWindowTextA(dialog, title.c_str());
    const JxCString& path = GetDataPathString();
    if (path.IsEmpty())
        return;
    JxCString label;
    std::string_view p = path.View();
    if (p.size() >= 2 && p[1] == ':')
        GetVolumeLabel(p[0], label);
    const JxCString text = MakeDataDiscText(path, label, description ? *description : JxCString());
    SetDlgItemTextA(dialog, kDataDiscTextId, text.GetText() ? text.GetText() : "");
}

}  // namespace

JxCString MakeDataDiscText(const JxCString& dataPath, const JxCString& label, const JxCString& description)
{
    const std::string text = "Drive " + std::string(dataPath.View()) + " on Volume " + std::string(label.View()) +
                             "\n" + std::string(description.View());
    return JxCString(text.c_str());
}

LRESULT DataDiscDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        initialise(dialog, reinterpret_cast<const JxCString*>(lParam));
        return 1;
    case WM_COMMAND:
        switch (int(wParam & 0xFFFF)) {
        case kDataDiscQuit:
        case kDataDiscRetry:
            EndDialog(dialog, LRESULT(wParam & 0xFFFF));
            return 1;
        case IDCANCEL:  // the close box and Escape
            EndDialog(dialog, kDataDiscQuit);
            return 1;
        case kDataDiscOtherDrive:
            if (RunLocateDialog(1))
                EndDialog(dialog, kDataDiscOtherDrive);
            return 1;
        default:
            return 0;
        }
    default:
        return 0;
    }
}

std::int32_t RunDataDiscDialog(const JxCString& description)
{
    const char* name = MAKEINTRESOURCEA(WORD(kDataDiscTemplateId));
    JxCResourceLocator found = FindResourceInLibraries(name, RT_DIALOG);
    if (!found.GetResource())
        return kDataDiscQuit;
    const LRESULT result = DialogBoxParamA(found.GetModule(), name, ProductMainWindow(), &DataDiscDialogProc,
                                           reinterpret_cast<LPARAM>(&description));
    return result == -1 ? kDataDiscQuit : std::int32_t(result);
}
