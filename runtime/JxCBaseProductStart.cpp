// The product's start: palette, main window, splash, data store, the
// product data file and the first page.

#include "foundation/JxErrorReport.h"
#include "foundation/JxFileUtils.h"
#include "foundation/JxResourceLibraries.h"
#include "foundation/JxStartupSettings.h"
#include "graphics/JxBitmapLoaders.h"
#include "graphics/JxCDisplaySlate.h"
#include "graphics/JxCSlatePool.h"
#include "platform/clock/clock.h"
#include "platform/window/window.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCWindowClass.h"
#include "runtime/JxMainWindow.h"
#include "runtime/JxPrinting.h"

plat::HPALETTE JxCBaseProduct::LoadPalette(unsigned id)
{
    return LoadPaletteResource(id);
}

void JxCBaseProduct::DestroySplash()
{
    if (splash_)
        plat::DestroyWindow(splash_);
    splash_ = nullptr;
}

void JxCBaseProduct::showSplash(int screenWidth, int screenHeight)
{
    // Missing quietly: a title need not have a splash.
    JxObjectRef bitmap = LoadBitmapResourceById(kSplashResourceId, 1);
    if (!bitmap.Get())
        return;
    const int width = GetBitmapWidth(bitmap);
    const int height = GetBitmapHeight(bitmap);
    if (startPage_ <= 1) {
        JxCWindowCreateParams params;
        params.x = (screenWidth > width ? screenWidth - width : 0) / 2;
        params.y = (screenHeight > height ? screenHeight - height : 0) / 2;
        params.width = width;
        params.height = height;
        params.style = plat::WS_POPUP | plat::WS_VISIBLE;
        splash_ = CreateAppWindow(kMainWindowClassName, params);
        if (splash_) {
            JxCDisplaySlate screen(splash_, 0, 0);
            BlitBitmapToSlate(&screen, bitmap, JxCPoint(0, 0), GetProductPalette(), 0);
        }
    }
    DeleteBitmapRecord(bitmap);
}

std::int16_t JxCBaseProduct::openDataStore()
{
    const std::string name = LoadStringFromLibraries(kDataStoreNameId).value_or("");
    JxCString path(GetProgramFolderString());
    path += name.c_str();
    if (!FileExists(path.GetText())) {
        path = GetDataPathString();
        path += "\\";
        path += name.c_str();
    }
    dataStore_ = std::make_unique<JxCMungeFile>(path.GetText());
    return dataStore_->IsOpen() ? 1 : 0;
}

std::int16_t JxCBaseProduct::failStart()
{
    MarkIdle();
    return 0;
}

std::int16_t JxCBaseProduct::Start()
{
    using namespace plat;
    SetActionProcessor(std::make_unique<JxCActionProcessor>());
    idleStamp_ = GetTickCount();
    ClearPrintSettings();
    HPALETTE palette = LoadPalette(kPaletteResourceId);
    if (!palette)
        palette = LoadPaletteFromBitmapResource(kPaletteResourceId);
    if (!palette) {
        ReportErrorOk(kOutOfGlobalMemoryId);
        ReportErrorOk(kPaletteErrorId);
        return 0;
    }
    SetProductPalette(palette, 1);
    SetSlatePoolSize(6);
    capturePage_ = currentPage_ = focusPage_ = savedCurrentPage_ = savedFocusPage_ = nullptr;
    soundSuppressed_ = closingPanels_ = closingPopup_ = changingPage_ = 0;
    MarkBusy();
    SetCaret(std::make_unique<JxCCaret>());
    if (productData_ && !productData_->Initialise())
        return failStart();

    const int screenWidth = GetSystemMetrics(SM_CXFULLSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYFULLSCREEN) + GetSystemMetrics(SM_CYCAPTION);
    const std::string title = LoadStringFromLibraries(kTitleTextId).value_or("");
    // A main window that cannot be made stops the start at once.
    window_ = CreateMainWindow(title.c_str(), screenWidth, screenHeight);
    if (!window_)
        return failStart();
    showSplash(screenWidth, screenHeight);
    if (UsesMungedSprites() && !openDataStore())
        return failStart();
    if (!LoadProductData())
        return failStart();
    productDef_->SetStartIndex(startPage_);

    const int width = productDef_->GetSize().cx;
    const int height = productDef_->GetSize().cy - 20 + GetSystemMetrics(SM_CYCAPTION);
    const int x = (screenWidth - width) / 2;
    const int y = (screenHeight - height) / 2;
    if (!window_)
        return failStart();
    MoveWindow(window_, x < 0 ? 0 : x, y < 0 ? 0 : y, width, height, 0);

    // An empty start-page list is a damaged file, not a page to look for.
    if (productDef_->GetStartPages().empty()) {
        OhNoItsAnError(JxCPageDef::kNoPageDataId, 0);
        return failStart();
    }
    std::unique_ptr<JxCPageDef> first(NewPageDef());
    if (!first || !first->Load(productDef_->GetStartPage()))
        return failStart();
    if (!ChangePage(first.release()))
        return failStart();
    MarkIdle();
    statistics_.OpenCoverageFiles(GetProgramFolderString());
    return 1;
}
