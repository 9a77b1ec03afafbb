#include "runtime/JxCProduct.h"

#include <string>

#include "foundation/JxResourceLibraries.h"
#include "foundation/JxStartupSettings.h"
#include "platform/window/window.h"
#include "runtime/JxCPageDef.h"
#include "runtime/JxClassFactories.h"
#include "runtime/JxMainWindow.h"

namespace {

std::string titleText()
{
    if (auto text = LoadStringFromLibraries(kTitleTextId))
        return *text;
    return "kelbo32";
}

}  // namespace

std::int16_t JxCProduct::Start()
{
    using namespace plat;
    SetActionProcessor(std::make_unique<JxCActionProcessor>());
    SetCaret(std::make_unique<JxCCaret>());
    // The title's own start comes before the main window.
    if (JxCBaseProductData* data = GetProductData(); data && !data->Initialise())
        return 0;
    const DWORD style = WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, kPageWidth, kPageHeight};
    AdjustWindowRect(&frame, style, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;

    HWND window = CreateMainWindow(titleText().c_str(), width, height);
    if (!window)
        return 0;
    SetProductWindow(window);
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    SetWindowPos(window, HWND_TOP, left < 0 ? 0 : left, top < 0 ? 0 : top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    return 1;
}

JxCPageDef* JxCProduct::NewPageDef()
{
    return CreateGavoPageDef();
}

JxCPageObject* JxCProduct::NewPageForDef(const JxCPageDef& def)
{
    return CreatePageOfType(def.GetPageType());
}

JxCPanelObject* JxCProduct::NewPanelById(JxCPanelTypeId type)
{
    return CreatePanelById(type);
}
