#pragma once
// The product object: the one object that holds a running title (its
// pages, timers, action queue, string table and the title's product data).
//
// Built so far is what the application's start-up and exit need of it: the
// start page number, the compiled-data flag, the product data, the main
// window, the splash, the start (virtual: the title's product class gives
// it), the idle pass and the exit's stop of the queued actions. The rest of
// the product (pages, timers, busy state, the action processor, the caret,
// the palette) comes with the product start and the display objects.

#include <cstdint>
#include <memory>

#include "foundation/JxCObject.h"
#include "platform/core/types.h"
#include "runtime/JxCBaseProductData.h"

class JxCBaseProduct : public JxCObject {
public:
    JxCBaseProduct();
    ~JxCBaseProduct() override;
    JxCBaseProduct(const JxCBaseProduct&) = delete;
    JxCBaseProduct& operator=(const JxCBaseProduct&) = delete;

    // Opens the main window and the first page; 0 when the title cannot
    // start (the start reports why).
    virtual std::int16_t Start() = 0;
    // Offers idle time to the idle clients; non-zero: more is wanted.
    virtual std::int16_t OnIdle(std::int32_t count);
    // Cancels the queued action lists (at exit).
    virtual void StopQueuedActions() {}
    virtual void DestroySplash() {}

    std::int32_t GetStartPage() const { return startPage_; }
    void SetStartPage(std::int32_t page) { startPage_ = page; }
    std::int16_t IsCompiledData() const { return compiledData_; }
    void SetCompiledData(std::int16_t flag) { compiledData_ = flag; }

    // The product owns its product data.
    void SetProductData(std::unique_ptr<JxCBaseProductData> data) { productData_ = std::move(data); }
    JxCBaseProductData* GetProductData() const { return productData_.get(); }

    plat::HWND GetProductWindow() const { return window_; }
    void SetProductWindow(plat::HWND window) { window_ = window; }
    // Told by the main window's object while the window goes.
    void ForgetProductWindow() { window_ = nullptr; }

private:
    std::int32_t startPage_ = 1;
    std::int16_t compiledData_ = 0;
    std::unique_ptr<JxCBaseProductData> productData_;
    plat::HWND window_ = nullptr;
};

// The one product. theProduct owns it and theBaseProduct saw it as its
// base; here they are one pointer, null whenever no product exists, so
// nothing can keep reaching a deleted product.
JxCBaseProduct* GetProduct();
void SetProduct(std::unique_ptr<JxCBaseProduct> product);
// Deletes the product (when there is one) and clears the pointer first.
void DeleteProduct();
