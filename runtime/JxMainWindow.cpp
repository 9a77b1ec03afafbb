#include "runtime/JxMainWindow.h"

#include <string>

#include "foundation/JxCString.h"
#include "foundation/JxErrorReport.h"
#include "foundation/JxProductLink.h"
#include "foundation/JxResourceLibraries.h"
#include "foundation/JxStartupSettings.h"
#include "platform/config/profile.h"
#include "platform/draw/dc.h"
#include "platform/draw/palette.h"
#include "platform/window/window.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCWindowClass.h"
#include "runtime/JxDontTellAgainDialog.h"

namespace {

using namespace plat;

constexpr const char* kVideoSection = "video";
constexpr const char* kNoColourWarningKey = "nocolourwarning";
// The static colours at both ends of a palette device's palette.
constexpr UINT kLowStaticColours = 10;
constexpr UINT kHighStaticStart = 246;
constexpr UINT kPaletteSize = 256;

std::string iniPath()
{
    JxCString path;
    GetProductIniPath(path);
    return std::string(path.GetText() ? path.GetText() : "");
}

std::string text(unsigned id)
{
    return LoadStringFromLibraries(id).value_or(std::string());
}

// Shows the 256-colour warning unless the INI file says it was ticked away,
// and keeps the answer.
void warnOf256Colours(HWND window)
{
    const std::string ini = iniPath();
    if (GetPrivateProfileIntA(kVideoSection, kNoColourWarningKey, 0, ini.c_str()) != 0)
        return;
    const std::string caption = WindowText(window);
    const std::string message = text(kColourWarningId);
    const std::string check = text(kDontTellAgainCheckTextId);
    JxCDontTellAgainInfo answer = ShowDontTellAgainDialog(caption.c_str(), message.c_str(), check.c_str(), 0);
    WritePrivateProfileStringA(kVideoSection, kNoColourWarningKey, answer.checked ? "1" : "0", ini.c_str());
}

// The twenty static colours of a palette device come from the screen's
// system palette; every other entry may be mapped to any colour the
// display offers, never collapsed onto another entry.
void preparePalette(HDC dc, bool paletteDevice)
{
    HPALETTE palette = GetProductPalette();
    if (!palette)
        return;
    PALETTEENTRY entries[kPaletteSize];
    const UINT count = GetPaletteEntries(palette, 0, kPaletteSize, entries);
    PALETTEENTRY system[kPaletteSize];
    const bool haveSystem = paletteDevice && GetSystemPaletteEntries(dc, 0, kPaletteSize, system) == kPaletteSize;
    for (UINT i = 0; i < count; ++i) {
        const bool isStatic = i < kLowStaticColours || i >= kHighStaticStart;
        if (isStatic) {
            if (haveSystem)
                entries[i] = system[i];
        } else {
            entries[i].peFlags = PC_NOCOLLAPSE;
        }
    }
    SetPaletteEntries(palette, 0, count, entries);
    if (HPALETTE previous = SelectPalette(dc, palette, 0)) {
        RealizePalette(dc);
        SelectPalette(dc, previous, 1);
    }
}

}  // namespace

HWND CreateMainWindow(const char* title, std::int32_t width, std::int32_t height)
{
    JxCWindowCreateParams params;
    params.title = title;
    params.x = 0;
    params.y = 0;
    params.width = width;
    params.height = height;
    params.style = WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    HWND window = CreateAppWindow(kMainWindowClassName, params);
    if (!window) {
        ProductMarkIdle();
        ReportErrorOk(kNoMainWindowId);
        return nullptr;
    }
    SetFocus(window);
    HDC dc = GetDC(window);
    if (!dc)
        return window;
    const bool paletteDevice = (GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) != 0;
    const int planes = GetDeviceCaps(dc, PLANES);
    const int bits = GetDeviceCaps(dc, BITSPIXEL);
    const std::int64_t power = std::int64_t(planes) * bits;
    // 2 to the power of planes times bits; past 62 bits it is simply many.
    const std::int64_t colours = power <= 0 ? 1 : power >= 62 ? INT64_MAX : (std::int64_t(1) << power);
    if (colours >= 1 && colours <= 16)
        ReportErrorOk(kFewColoursId);
    else if (colours >= 17 && colours <= 256)
        warnOf256Colours(window);
    preparePalette(dc, paletteDevice);
    ReleaseDC(window, dc);
    return window;
}
