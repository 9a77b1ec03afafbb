#include "runtime/JxCMainTovelWindowObject.h"

#include "platform/window/window.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxMainWindowProc.h"

JxCMainTovelWindowObject::~JxCMainTovelWindowObject()
{
    plat::HWND window = GetWindow();
    JxCBaseProduct* product = GetProduct();
    if (window && product && window == product->GetProductWindow()) {
        // The product has no help file and no caret yet, so there is no help
        // session to end and no caret to take off the window. The quit
        // message ends the loop; its parameter is the exit code.
        product->ForgetProductWindow();
        plat::PostQuitMessage(0);
    }
    // A page window's tear-down (its parent's page made current, "on_close"
    // raised on the product) comes with the pages.
}

std::int16_t JxCMainTovelWindowObject::HandleEvent(std::int16_t code, std::int16_t value, std::int32_t value32)
{
    if (code == kAppActivation)
        SetAppActive(value);
    return JxCBaseWindowObject::HandleEvent(code, value, value32);
}
