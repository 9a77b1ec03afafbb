#include "runtime/JxCBaseProduct.h"

#include "foundation/JxProductLink.h"
#include "foundation/JxResourceLibraries.h"
#include "foundation/JxStartupSettings.h"
#include "platform/window/window.h"

namespace {

std::unique_ptr<JxCBaseProduct>& productSlot()
{
    static std::unique_ptr<JxCBaseProduct> product;
    return product;
}

}  // namespace

JxCBaseProduct::JxCBaseProduct()
{
    // The foundation's reporters ask the product for its windows and title.
    JxProductLink link;
    link.markIdle = [] {};
    link.title = []() -> std::optional<JxCString> {
        if (auto text = LoadStringFromLibraries(kTitleTextId))
            return JxCString(text->c_str());
        return std::nullopt;
    };
    link.mainWindow = [this] { return window_; };
    link.firstPageWindow = []() -> plat::HWND { return nullptr; };  // no pages yet
    link.palette = []() -> plat::HPALETTE { return nullptr; };
    link.setDataPath = [](const JxCString&) {};
    SetProductLink(std::move(link));
}

JxCBaseProduct::~JxCBaseProduct()
{
    SetProductLink(std::nullopt);
    // Until pages exist the product's main window is its own to close.
    if (window_ && plat::IsWindow(window_)) {
        plat::HWND window = window_;
        window_ = nullptr;
        plat::DestroyWindow(window);
    }
}

std::int16_t JxCBaseProduct::OnIdle(std::int32_t)
{
    // No idle client exists yet.
    return 0;
}

JxCBaseProduct* GetProduct()
{
    return productSlot().get();
}

void SetProduct(std::unique_ptr<JxCBaseProduct> product)
{
    DeleteProduct();
    productSlot() = std::move(product);
}

void DeleteProduct()
{
    std::unique_ptr<JxCBaseProduct> gone = std::move(productSlot());
    gone.reset();
}
