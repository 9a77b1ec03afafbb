// The product's start: palette, main window, splash, data store, the
// product data file and the first page.

#include <cstring>
#include <vector>

#include "foundation/JxErrorReport.h"
#include "foundation/JxFileUtils.h"
#include "foundation/JxResourceLibraries.h"
#include "foundation/JxStartupSettings.h"
#include "platform/clock/clock.h"
#include "platform/draw/blit.h"
#include "platform/draw/palette.h"
#include "platform/draw/surface.h"
#include "platform/modules/resources.h"
#include "platform/window/window.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCWindowClass.h"
#include "runtime/JxMainWindow.h"

namespace {

// The bytes of a resource found in the libraries; empty when none has it.
std::vector<std::uint8_t> resourceBytes(unsigned id, const char* type)
{
    JxCResourceLocator found = FindResourceInLibraries(plat::MAKEINTRESOURCEA(plat::WORD(id)), type);
    if (!found.GetResource())
        return {};
    plat::HGLOBAL data = plat::LoadResource(found.GetModule(), found.GetResource());
    const void* bytes = data ? plat::LockResource(data) : nullptr;
    const plat::DWORD size = plat::SizeofResource(found.GetModule(), found.GetResource());
    std::vector<std::uint8_t> copy;
    if (bytes)
        copy.assign(static_cast<const std::uint8_t*>(bytes), static_cast<const std::uint8_t*>(bytes) + size);
    if (data)
        plat::FreeResource(data);
    return copy;
}

std::uint32_t little32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

// A packed DIB (header, colour table, pixels) checked to hold all it says.
struct PackedDib {
    plat::BITMAPINFO info;
    const std::uint8_t* bits = nullptr;
    bool valid = false;
};

PackedDib parseDib(const std::vector<std::uint8_t>& bytes)
{
    PackedDib dib;
    if (bytes.size() < sizeof(plat::BITMAPINFOHEADER))
        return dib;
    std::memcpy(&dib.info.bmiHeader, bytes.data(), sizeof(plat::BITMAPINFOHEADER));
    const plat::BITMAPINFOHEADER& h = dib.info.bmiHeader;
    if (h.biSize != sizeof(plat::BITMAPINFOHEADER) || h.biBitCount != 8 || h.biCompression != plat::BI_RGB ||
        h.biWidth <= 0 || h.biHeight == 0 || h.biWidth > 4096 || h.biHeight > 4096 || h.biHeight < -4096)
        return dib;
    const std::uint32_t colours = h.biClrUsed ? h.biClrUsed : 256;
    const std::uint64_t stride = (std::uint64_t(h.biWidth) + 3) & ~std::uint64_t(3);
    const std::uint64_t rows = std::uint64_t(h.biHeight < 0 ? -h.biHeight : h.biHeight);
    const std::uint64_t tableEnd = sizeof(plat::BITMAPINFOHEADER) + std::uint64_t(colours) * 4;
    if (colours > 256 || tableEnd + stride * rows > bytes.size())
        return dib;
    std::memcpy(dib.info.bmiColors, bytes.data() + sizeof(plat::BITMAPINFOHEADER), colours * 4);
    dib.bits = bytes.data() + tableEnd;
    dib.valid = true;
    return dib;
}

}  // namespace

plat::HPALETTE JxCBaseProduct::LoadPalette(unsigned id)
{
    const std::vector<std::uint8_t> bytes = resourceBytes(id, "PALETTE");
    if (bytes.size() < 4)
        return nullptr;
    plat::LOGPALETTE palette;
    palette.palVersion = plat::WORD(bytes[0] | bytes[1] << 8);
    palette.palNumEntries = plat::WORD(bytes[2] | bytes[3] << 8);
    const std::size_t count = palette.palNumEntries;
    if (count == 0 || count > 256 || bytes.size() < 4 + 4 * count)
        return nullptr;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t entry = little32(bytes.data() + 4 + 4 * i);
        palette.palPalEntry[i] = {plat::BYTE(entry), plat::BYTE(entry >> 8), plat::BYTE(entry >> 16),
                                  plat::BYTE(entry >> 24)};
    }
    return plat::CreatePalette(&palette);
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
    const std::vector<std::uint8_t> bytes = resourceBytes(kSplashResourceId, plat::RT_BITMAP);
    const PackedDib dib = parseDib(bytes);
    if (!dib.valid || startPage_ > 1)
        return;
    const int width = dib.info.bmiHeader.biWidth;
    const int height = dib.info.bmiHeader.biHeight < 0 ? -dib.info.bmiHeader.biHeight : dib.info.bmiHeader.biHeight;
    JxCWindowCreateParams params;
    params.x = screenWidth > width ? (screenWidth - width) / 2 : 0;
    params.y = screenHeight > height ? (screenHeight - height) / 2 : 0;
    params.width = width;
    params.height = height;
    params.style = plat::WS_POPUP | plat::WS_VISIBLE;
    splash_ = CreateAppWindow(kMainWindowClassName, params);
    if (!splash_)
        return;
    if (plat::HDC dc = plat::GetDC(splash_)) {
        plat::SetDIBitsToDevice(dc, 0, 0, plat::DWORD(width), plat::DWORD(height), 0, 0, 0, plat::UINT(height),
                                dib.bits, &dib.info, plat::DIB_RGB_COLORS);
        plat::ReleaseDC(splash_, dc);
    }
}

std::int16_t JxCBaseProduct::openDataStore()
{
    const std::string name = LoadStringFromLibraries(kDataStoreNameId).value_or("");
    JxCString path(GetProgramFolderString());
    path += name.c_str();
    if (!FileExists(path.GetText())) {
        path = GetDataPath();
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
    HPALETTE palette = LoadPalette(kPaletteResourceId);
    if (!palette) {
        ReportErrorOk(kOutOfGlobalMemoryId);
        ReportErrorOk(kPaletteErrorId);
        return 0;
    }
    SetProductPalette(palette, 1);
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
    return 1;
}
