#include "runtime/JxCBaseProduct.h"

#include <utility>

#include "events/JxCTitleHooks.h"
#include "events/JxEventLink.h"
#include "foundation/JxProductLink.h"
#include "foundation/JxResourceLibraries.h"
#include "foundation/JxStartupSettings.h"
#include "graphics/JxCStyleDef.h"
#include "graphics/JxColourEffects.h"
#include "graphics/JxGraphicsLink.h"
#include "graphics/JxTransitionLink.h"
#include "graphics/JxZoomBox.h"
#include "platform/draw/gdiobject.h"
#include "platform/draw/palette.h"
#include "platform/fs/system_info.h"
#include "platform/window/window.h"
#include "runtime/JxCWindowClass.h"
#include "runtime/JxPrinting.h"

namespace {

constexpr std::uint32_t kUnknownPlatformId = 3000;

JxCBaseProduct*& productSlot()
{
    static JxCBaseProduct* product = nullptr;
    return product;
}

// The product that listens for dying objects: the last one constructed.
JxCBaseProduct*& listeningProduct()
{
    static JxCBaseProduct* product = nullptr;
    return product;
}

struct Palettes {
    plat::HPALETTE current = nullptr;
    plat::HPALETTE base = nullptr;
    // The palette the call before replaced, kept until the next call.
    plat::HPALETTE replaced = nullptr;
};

Palettes& palettes()
{
    static Palettes p;
    return p;
}

JxMediaListHooks& mediaListHooks()
{
    static JxMediaListHooks hooks;
    return hooks;
}

struct PlatformVersion {
    std::uint32_t id = kUnknownPlatformId;
    bool queried = false;
};

PlatformVersion& platformVersion()
{
    static PlatformVersion version;
    return version;
}

void forgetDyingObject(JxCNotifyRoot* dying)
{
    JxCBaseProduct* product = listeningProduct();
    if (product && static_cast<JxCNotifyRoot*>(product) != dying)
        product->ForgetObject(dying);
}

bool sameObject(const JxCPageObject* page, const JxCNotifyRoot* object)
{
    return page && static_cast<const JxCNotifyRoot*>(page) == object;
}

}  // namespace

JxCBaseProduct::JxCBaseProduct()
{
    secondaryPages_.SetOwnsItems(0);
    idleClients_.SetOwnsItems(0);

    plat::OSVERSIONINFOA info;
    if (plat::GetVersionExA(&info)) {
        platformVersion().id = info.dwPlatformId;
        platformVersion().queried = true;
    }

    listeningProduct() = this;
    SetNotifyRootDeathHook(forgetDyingObject);

    // The foundation's reporters ask the product for its windows and title.
    JxProductLink link;
    link.markIdle = [this] { MarkIdle(); };
    link.title = []() -> std::optional<JxCString> {
        if (auto text = LoadStringFromLibraries(kTitleTextId))
            return JxCString(text->c_str());
        return std::nullopt;
    };
    link.mainWindow = [this] { return window_; };
    link.firstPageWindow = [this]() -> plat::HWND {
        JxCPageObject* first = GetFirstPage();
        return first ? first->GetWindow() : nullptr;
    };
    link.palette = []() -> plat::HPALETTE { return GetProductPalette(); };
    // A data path the user picks while the title runs is where the pages'
    // files are read from from then on.
    link.setDataPath = [this](const JxCString& path) {
        if (productDef_)
            productDef_->SetDataPath(path.GetText() ? path.GetText() : "");
    };
    SetProductLink(std::move(link));

    // The graphics layer's pictures ask for the transparent index and the
    // data store.
    JxGraphicsLink graphics;
    graphics.useWinG = [] { return UseWinG(); };
    graphics.transparentIndex = [this] {
        return productDef_ ? std::uint8_t(productDef_->GetTransparentIndex()) : std::uint8_t(255);
    };
    graphics.dataStore = [this] { return dataStore_.get(); };
    SetGraphicsLink(std::move(graphics));
    // Text output and the paragraph styles find the title's styles here.
    SetStyleDefSource([this]() -> JxCStyleDef* { return productData_ ? productData_->GetStyleDef() : nullptr; });

    connectEvents();
    connectTransitions();
}

void JxCBaseProduct::connectEvents()
{
    // Event dispatch reaches the current page, the definitions and the
    // action queue through the product.
    JxEventLink events;
    events.currentOpenPage = [this]() -> JxCRunTimeObject* {
        return IsPageOpen(currentPage_) ? currentPage_ : nullptr;
    };
    events.pageDefHandlers = [](JxCRunTimeObject* page) -> JxCEventHandlerList* {
        JxCPageDef* def = static_cast<JxCPageObject*>(page)->GetPageDef();
        return def ? &def->GetEventHandlers() : nullptr;
    };
    events.templateHandlers = [this](JxCRunTimeObject* page) -> JxCEventHandlerList* {
        JxCPageDef* def = static_cast<JxCPageObject*>(page)->GetPageDef();
        return def && productDef_ ? productDef_->GetTemplateHandlers(def->GetTemplateId()) : nullptr;
    };
    events.productDef = [this]() -> JxCRunTimeObject* { return productDef_.get(); };
    events.productFolder = [this] { return productDef_ ? productDef_->GetSecondText() : JxCString(); };
    events.markBusy = [this] { MarkBusy(); };
    events.markIdle = [this] { MarkIdle(); };
    events.queueAction = [this](JxCAction* action) { QueueAction(action); };
    events.processActions = [this] { ProcessActions(); };
    SetEventLink(std::move(events));
}

void JxCBaseProduct::connectTransitions()
{
    // The zoom box and the window transitions of popup pages ask the
    // product for its state and have it make the page windows.
    JxTransitionProductLink link;
    link.isBusy = [this] { return IsBusy() != 0; };
    link.markBusy = [this] { MarkBusy(); };
    link.markIdle = [this] { MarkIdle(); };
    link.isClosingPopup = [this] { return closingPopup_ != 0; };
    link.isSoundSuppressed = [this] { return soundSuppressed_ != 0; };
    link.lastMousePoint = [this] { return lastMousePoint_; };
    link.setMediaOwner = [this](JxCNotifyRoot* owner) {
        if (owner)
            SetMediaOwner(owner);
        else
            mediaOwner_ = nullptr;
    };
    link.releaseMediaOwner = [this](const JxCNotifyRoot* owner) { ReleaseMediaOwner(owner); };
    link.timerClient = [this](plat::HWND window, std::uintptr_t id) -> const JxCNotifyRoot* {
        // The slot as the main window's timer dispatch reads it.
        const std::uintptr_t slot = id & 0xFFFF;
        if (!window || window != window_ || slot >= std::uintptr_t(kTimerCount))
            return nullptr;
        const JxCTimerInfo& timer = GetTimerInfo(std::int16_t(slot));
        return timer.active ? timer.owner : nullptr;
    };
    link.restorePalette = [] {
        plat::HPALETTE current = GetProductPalette();
        SetProductPalette(current, 1);
        return current;
    };
    link.dataPath = [this] {
        JxCString path = productDef_ ? productDef_->GetSecondText() : JxCString();
        path += JxCTableString("\\");
        return path;
    };
    link.pageWindows = [this] {
        std::vector<plat::HWND> windows;
        for (JxCPageObject* page = pages_.GetFirst(); page; page = pages_.GetNext(page))
            if (page->GetWindow())
                windows.push_back(page->GetWindow());
        return windows;
    };
    link.currentPageFirstPanel = [this]() -> std::optional<JxCRunTimeObject*> {
        if (!currentPage_)
            return std::nullopt;
        JxCPanelObjectList* panels = currentPage_->GetPanelList();
        return panels ? panels->GetFirst() : nullptr;
    };
    link.createPageWindow = [](const JxZoomTarget& target) {
        JxCWindowCreateParams params;
        params.title = target.title.GetText() ? target.title.GetText() : "";
        params.x = target.x;
        params.y = target.y;
        params.width = target.width;
        params.height = target.height;
        params.style = target.style;
        params.parent = target.parent;
        return CreateAppWindow(kMainWindowClassName, params);
    };
    SetTransitionProductLink(std::move(link));
}

std::int16_t JxCBaseProduct::BuildPaletteTable()
{
    if (paletteTable_)
        return 1;
    auto table = std::make_unique<std::array<std::uint16_t, 256>>();
    if (!GetDibPalette(GetProductPalette(), kShadowEffect, 0, 0, table->data()))
        return 0;
    paletteTable_ = std::move(table);
    return 1;
}

JxCBaseProduct::~JxCBaseProduct()
{
    statistics_.CloseCoverageFiles();
    // The pages go first, while everything they may still reach as they
    // close (the processor, the product data, the definitions) is there.
    closeAllPages();
    ClearPrintSettings();
    DeleteProductPalettes();
    caret_.reset();
    processor_.reset();
    productData_.reset();
    dataStream_.reset();
    recordTable_.clear();
    productDef_.reset();
    // A start that failed after the splash leaves it to the product.
    JxCBaseProduct::DestroySplash();
    // Until the base page exists to close it, the main window is the
    // product's own to destroy; its timers die with it.
    if (window_ && plat::IsWindow(window_)) {
        plat::HWND window = window_;
        window_ = nullptr;
        plat::DestroyWindow(window);
    }
    for (JxCTimerInfo& timer : timers_)
        timer = JxCTimerInfo();
    mediaOwner_ = nullptr;
    if (listeningProduct() == this) {
        listeningProduct() = nullptr;
        SetNotifyRootDeathHook(nullptr);
    }
    SetProductLink(std::nullopt);
    SetGraphicsLink(std::nullopt);
    SetStyleDefSource(std::nullopt);
    SetEventLink(std::nullopt);
    SetTransitionProductLink(std::nullopt);
}

void JxCBaseProduct::closeAllPages()
{
    while (JxCPageObject* page = pages_.GetFirst())
        pages_.ClosePage(page);
}

void JxCBaseProduct::StopQueuedActions()
{
    PurgeQueuedActions(0);
}

void JxCBaseProduct::SetProductData(std::unique_ptr<JxCBaseProductData> data)
{
    productData_ = std::move(data);
}

void JxCBaseProduct::SetActionProcessor(std::unique_ptr<JxCActionProcessor> processor)
{
    processor_ = std::move(processor);
}

std::uint32_t JxCBaseProduct::GetRecordOffset(std::int32_t index) const
{
    if (index < 0 || std::size_t(index) >= recordTable_.size())
        return kNoRecord;
    return recordTable_[std::size_t(index)];
}

JxCPageObject* JxCBaseProduct::GetFirstPage()
{
    return pages_.GetFirst();
}

JxCPageObject* JxCBaseProduct::FindPageById(std::int32_t id)
{
    for (JxCPageObject* page = pages_.GetFirst(); page; page = pages_.GetNext(page))
        if (page->GetPageDef() && page->GetPageDef()->GetPageId() == id)
            return page;
    return nullptr;
}

std::int16_t JxCBaseProduct::IsPageOpen(const JxCPageObject* page) const
{
    return page && pages_.FindNode(page) ? 1 : 0;
}

std::int16_t JxCBaseProduct::HasPage(const JxCPageObject* page) const
{
    return IsPageOpen(page);
}

JxCPageObject* JxCBaseProduct::GetTopPage()
{
    JxCPageObject* first = GetFirstPage();
    if (!first)
        return nullptr;
    plat::HWND top = first->GetWindow() ? plat::GetTopWindow(first->GetWindow()) : nullptr;
    if (!top)
        return first;
    for (JxCPageObject* page = pages_.GetFirst(); page; page = pages_.GetNext(page))
        if (page->GetWindow() == top)
            return page;
    return nullptr;
}

JxCPageObject* JxCBaseProduct::SetCurrentPage(JxCPageObject* page)
{
    return std::exchange(currentPage_, page);
}

JxCPageObject* JxCBaseProduct::SetSavedCurrentPage(JxCPageObject* page)
{
    return std::exchange(savedCurrentPage_, page);
}

void JxCBaseProduct::RestoreCurrentPage()
{
    if (IsPageOpen(savedCurrentPage_))
        SetCurrentPage(savedCurrentPage_);
    else
        savedCurrentPage_ = nullptr;
}

JxCPageObject* JxCBaseProduct::SetFocusPage(JxCPageObject* page)
{
    return std::exchange(focusPage_, page);
}

JxCPageObject* JxCBaseProduct::SetSavedFocusPage(JxCPageObject* page)
{
    return std::exchange(savedFocusPage_, page);
}

void JxCBaseProduct::RestoreFocusPage()
{
    if (IsPageOpen(savedFocusPage_))
        SetFocusPage(savedFocusPage_);
    else
        savedFocusPage_ = nullptr;
}

JxCPageObject* JxCBaseProduct::pageHoldingFocusedField()
{
    auto holds = [this](JxCPageObject* page) {
        return HasPage(page) && !page->IsClosing() && page->GetWindow() && page->GetFocusObject();
    };
    if (holds(focusPage_))
        return focusPage_;
    for (JxCPageObject* page = pages_.GetLast(); page; page = pages_.GetPrev(page))
        if (holds(page) && page->CanActivate())
            return page;
    return nullptr;
}

void JxCBaseProduct::ReturnKeyboard()
{
    if (plat::GetFocus())
        return;
    JxCPageObject* page = pageHoldingFocusedField();
    if (page)
        SetFocusPage(page);
    else if (HasPage(focusPage_) && !focusPage_->IsClosing())
        page = focusPage_;
    if (page && page->GetWindow())
        plat::SetFocus(page->GetWindow());
}

void JxCBaseProduct::ReleaseMouseCapture()
{
    plat::ReleaseCapture();
    if (JxCPageObject* page = std::exchange(capturePage_, nullptr))
        page->EndCapture();
}

void JxCBaseProduct::RemovePage(JxCPageObject* page)
{
    pages_.ClosePage(page);
}

void JxCBaseProduct::RefreshPanelStates()
{
    for (JxCPageObject* page = pages_.GetFirst(); page; page = pages_.GetNext(page)) {
        JxCPageDef* def = page->GetPageDef();
        if (!def)
            continue;
        JxCPanelObjectList& panels = def->GetPanelList();
        for (JxCPanelObject* panel = panels.GetFirst(); panel; panel = panels.GetNext(panel))
            panel->UpdateActive();
    }
}

void JxCBaseProduct::BlockInput()
{
    changingPage_ = 1;
    ShowWaitCursor();
}

JxCPoint JxCBaseProduct::GetMousePoint() const
{
    plat::POINT point{};
    plat::GetCursorPos(&point);
    if (plat::HWND window = plat::WindowFromPoint(point))
        plat::ScreenToClient(window, &point);
    return JxCPoint(std::int16_t(point.x), std::int16_t(point.y));
}

void JxCBaseProduct::ForgetObject(JxCNotifyRoot* dying)
{
    for (std::int16_t slot = 0; slot < kTimerCount; ++slot) {
        JxCTimerInfo& timer = timers_[std::size_t(slot)];
        if (timer.owner != dying)
            continue;
        // Even when the window timer cannot be killed, its ticks must not
        // reach the dead owner: the entry loses its owner either way.
        if (!KillTimerSlot(slot)) {
            timer.owner = nullptr;
            timer.active = 0;
        }
    }
    if (mediaOwner_ == dying)
        mediaOwner_ = nullptr;
    if (auto forget = mediaListHooks().forgetOwner)
        forget(dying);
    if (caret_ && caret_->GetOwner() == dying)
        caret_->Detach(caret_->GetWindow());
    // Lists may hold an object more than once.
    for (JxCList* list : {&idleClients_, &secondaryPages_, static_cast<JxCList*>(&pages_),
                          static_cast<JxCList*>(&topmostPages_)})
        while (list->Remove(dying)) {
        }
    // A page that goes while the product still points at it.
    for (JxCPageObject** ref : {&capturePage_, &currentPage_, &savedCurrentPage_, &mousePage_, &focusPage_,
                                &savedFocusPage_})
        if (sameObject(*ref, dying))
            *ref = nullptr;
    for (JxCPageObject* page = pages_.GetFirst(); page; page = pages_.GetNext(page))
        page->ForgetPage(dying);
}

JxCBaseProduct* GetProduct()
{
    return productSlot();
}

void SetProduct(std::unique_ptr<JxCBaseProduct> product)
{
    DeleteProduct();
    productSlot() = product.release();
}

void DeleteProduct()
{
    delete productSlot();
    productSlot() = nullptr;
}

plat::HWND GetProductWindow()
{
    JxCBaseProduct* product = GetProduct();
    return product ? product->GetProductWindow() : nullptr;
}

plat::HPALETTE GetProductPalette()
{
    return palettes().current;
}

plat::HPALETTE GetBasePalette()
{
    return palettes().base;
}

plat::HPALETTE SetProductPalette(plat::HPALETTE palette, std::int16_t makeBase)
{
    Palettes& p = palettes();
    const plat::HPALETTE previous = p.current;
    p.current = palette;
    if (makeBase)
        p.base = palette;
    if (p.replaced && p.replaced != p.current && p.replaced != p.base && p.replaced != previous)
        plat::DeleteObject(p.replaced);
    p.replaced = previous;
    return previous;
}

void DeleteProductPalettes()
{
    Palettes& p = palettes();
    if (p.current)
        plat::DeleteObject(p.current);
    if (p.base && p.base != p.current)
        plat::DeleteObject(p.base);
    if (p.replaced && p.replaced != p.current && p.replaced != p.base)
        plat::DeleteObject(p.replaced);
    p = Palettes{};
}

JxMediaListHooks SetMediaListHooks(const JxMediaListHooks& hooks)
{
    return std::exchange(mediaListHooks(), hooks);
}

const JxMediaListHooks& GetMediaListHooks()
{
    return mediaListHooks();
}

std::int16_t StopActiveObjects(std::int16_t flag)
{
    static bool running = false;
    JxCBaseProduct* product = GetProduct();
    if (!product || running)
        return 0;
    running = true;
    product->PurgeQueuedActions(0);
    product->ReleaseMediaOwner(nullptr);
    std::int16_t playing = 0;
    if (auto stop = mediaListHooks().stopActive)
        playing = stop(flag);
    if (playing)
        product->MarkIdle();
    running = false;
    return playing;
}

std::int16_t StopPlayingResources()
{
    if (JxCBaseProduct* product = GetProduct())
        product->PurgeQueuedActions(0);
    auto stop = mediaListHooks().stopPlaying;
    return stop ? stop() : 0;
}

std::int16_t IsAnyResourcePlaying()
{
    auto any = mediaListHooks().anyPlaying;
    return any ? any() : 0;
}

void StopQueuedActions()
{
    if (JxCBaseProduct* product = GetProduct())
        product->StopQueuedActions();
}

namespace {

plat::HWND firstPageWindow()
{
    JxCBaseProduct* product = GetProduct();
    JxCPageObject* first = product ? product->GetFirstPage() : nullptr;
    return first ? first->GetWindow() : nullptr;
}

}  // namespace

std::int32_t GetPageCaptionHeight()
{
    plat::HWND window = firstPageWindow();
    if (!window)
        return 0;
    const auto style = plat::DWORD(plat::GetWindowLongA(window, plat::GWL_STYLE));
    return (style & plat::WS_CAPTION) == plat::WS_CAPTION ? plat::GetSystemMetrics(plat::SM_CYCAPTION) : 0;
}

std::int32_t GetPageFrameWidth()
{
    plat::HWND window = firstPageWindow();
    if (!window)
        return 0;
    const auto exStyle = plat::DWORD(plat::GetWindowLongA(window, plat::GWL_EXSTYLE));
    if (exStyle & plat::WS_EX_WINDOWEDGE)
        return plat::GetSystemMetrics(plat::SM_CXDLGFRAME);
    const auto style = plat::DWORD(plat::GetWindowLongA(window, plat::GWL_STYLE));
    return (style & plat::WS_BORDER) ? plat::GetSystemMetrics(plat::SM_CXBORDER) : 0;
}

std::uint32_t GetProductPlatformId()
{
    return platformVersion().id;
}

bool UseWinG()
{
    return platformVersion().queried && !IsTestSwitchOn();
}
