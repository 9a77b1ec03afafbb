#include "runtime/JxCTovelApp.h"

#include <climits>
#include <cstring>

#include "events/JxCBitmapRef.h"
#include "foundation/JxCErrorObject.h"
#include "foundation/JxCharTables.h"
#include "foundation/JxErrorReport.h"
#include "foundation/JxLanguage.h"
#include "foundation/JxMemoryGuard.h"
#include "foundation/JxResourceLibraries.h"
#include "foundation/JxStartupSettings.h"
#include "graphics/JxCSlatePool.h"
#include "platform/fs/errors.h"
#include "platform/window/cursor.h"
#include "platform/window/window.h"
#include "runtime/JxCIndexString.h"
#include "runtime/JxCProduct.h"
#include "runtime/JxCWindowClass.h"
#include "runtime/JxDataPathCheck.h"
#include "runtime/JxTypeRegistry.h"
#include "runtime/JxVersionInfo.h"

namespace {

constexpr plat::UINT kFileHandles = 50;
constexpr int kAboutTextSize = 64;

JxCTovelApp theApp(0);

bool isNumberEnd(char c)
{
    return c == '\0' || c == ' ' || c == '\n' || c == '\t' || c == '/' || c == '\\';
}

// A decimal number: leading white space, one sign, digits up to the first
// other character; no digits give 0; beyond the 32-bit range it is clamped.
std::int32_t toNumber(const char* p, const char* end)
{
    while (p < end && (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == '\v' || *p == '\f'))
        ++p;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-'))
        negative = *p++ == '-';
    std::int64_t value = 0;
    for (; p < end && *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > std::int64_t(INT_MAX) + 1)
            value = std::int64_t(INT_MAX) + 1;
    }
    if (negative)
        return value > INT_MAX ? INT_MIN : std::int32_t(-value);
    return value > INT_MAX ? INT_MAX : std::int32_t(value);
}

void lowerInPlace(char* text)
{
    for (unsigned char* p = reinterpret_cast<unsigned char*>(text); *p; ++p) {
        if (IsLeadByte(*p) && p[1]) {
            ++p;  // a double-byte character keeps its trail byte
            continue;
        }
        *p = TextCharToLower(*p);
    }
}

}  // namespace

JxStartupServices JxStartupServices::Defaults()
{
    JxStartupServices s;
    s.loadWaitCursor = [] { return LoadCursorFromLibraries(0, plat::IDC_WAIT); };
    s.readSettings = [] { ReadSettings(); };
    s.resetVersionInfo = [] { ResetVersionInfo(); };
    s.selectLanguage = [] {
        SelectLanguage(GetVersionLanguageId());
        InstallIndexKeyComparison();
    };
    s.registerTypeIds = [] { return RegisterTypeIds(); };
    s.checkPhysicalMemory = [] { CheckPhysicalMemory(); };
    s.reserveEmergencyMemory = [] { ReserveEmergencyMemory(); };
    s.isTestingEnabled = [] { return IsTestingEnabled(); };
    // From the data checks on, the file opener asks them about missing data.
    s.checkStartupDataPaths = [] {
        ConnectDataDiscChecks();
        return CheckStartupDataPaths();
    };
    s.checkDataVersionsAlt = [] {
        ConnectDataDiscChecks();
        return CheckDataVersionsAlt();
    };
    s.reserveFileHandles = [] { plat::SetHandleCount(kFileHandles); };
    s.makeProduct = [] { return std::make_unique<JxCProduct>(); };
    s.registerWindowClasses = [](const JxCStartupInfo& info) { return RegisterWindowClasses(info); };
    s.mousePresent = [] { return plat::GetSystemMetrics(plat::SM_MOUSEPRESENT) != 0; };
    s.clearDeferredErrors = [] { ClearDeferredErrors(); };
    s.releaseEmergencyMemory = [] { ReleaseEmergencyMemory(); };
    s.releaseTypeRegistries = [] { ReleaseTypeRegistries(); };
    return s;
}

JxCTovelApp::JxCTovelApp(std::int32_t priority) : JxCBaseApp(priority), services_(JxStartupServices::Defaults()) {}

std::int16_t JxCTovelApp::InitInstance(JxCStartupInfo& info)
{
    return StartupShowWaitCursor() && StartupCreateProduct(info) && StartupRegisterClasses(info) &&
           StartupCheckDevices() && StartupRunProduct();
}

std::int16_t JxCTovelApp::StartupShowWaitCursor()
{
    savedCursor_ = plat::SetCursor(services_.loadWaitCursor());
    return 1;
}

std::int16_t JxCTovelApp::StartupCreateProduct(JxCStartupInfo& info)
{
    services_.readSettings();
    services_.resetVersionInfo();
    services_.selectLanguage();
    if (services_.registerClasses)
        services_.registerClasses();
    // Without the type ids no definition can be read: start-up stops here.
    if (!services_.registerTypeIds())
        return 0;
    services_.checkPhysicalMemory();
    services_.reserveEmergencyMemory();
    std::int16_t dataFound =
        services_.isTestingEnabled() ? services_.checkStartupDataPaths() : services_.checkDataVersionsAlt();
    if (!dataFound)
        return 0;
    services_.reserveFileHandles();
    std::unique_ptr<JxCBaseProduct> product = services_.makeProduct();
    if (!product)
        return 0;
    product->SetCompiledData(1);
    product->SetStartPage(ReadStartPage(info.commandLine, product->GetStartPage()));
    SetProduct(std::move(product));
    return 1;
}

std::int16_t JxCTovelApp::StartupRegisterClasses(JxCStartupInfo& info)
{
    if (info.previousInstance)
        return 1;
    return services_.registerWindowClasses(info);
}

std::int16_t JxCTovelApp::StartupCheckDevices()
{
    if (!services_.checkWaveDevice || !services_.checkWaveDevice())
        return 0;
    if (!services_.mousePresent())
        ReportErrorOk(kNoMouseId);
    return 1;
}

std::int16_t JxCTovelApp::StartupRunProduct()
{
    JxCBaseProduct* product = GetProduct();
    if (!product)
        return 0;
    if (services_.makeProductData)
        product->SetProductData(services_.makeProductData());
    if (!product->Start()) {
        product->DestroySplash();
        DeleteProduct();
        return 0;
    }
    plat::HWND window = product->GetProductWindow();
    plat::SendMessageA(window, plat::WM_QUERYNEWPALETTE, 0, 0);
    plat::ShowWindow(window, plat::SW_SHOWNORMAL);
    plat::UpdateWindow(window);
    product->DestroySplash();
    if (plat::HMENU menu = plat::GetSystemMenu(window, 0)) {
        char text[kAboutTextSize] = {};
        LoadStringFromLibraries(kAboutItemTextId, text, kAboutTextSize);
        plat::AppendMenuA(menu, plat::MF_SEPARATOR, 0, nullptr);
        plat::AppendMenuA(menu, plat::MF_STRING, kAboutCommandId, text);
    }
    plat::SetCursor(savedCursor_);
    return 1;
}

void JxCTovelApp::ExitInstance()
{
    if (JxCBaseProduct* product = GetProduct()) {
        product->StopQueuedActions();
        DeleteProduct();
    }
    // The shared media go only after the product: closing its pages lets
    // their objects stop and unbind the media they hold.
    if (services_.releaseMedia)
        services_.releaseMedia();
    // What pictures are still shared, and the slates' pooled contexts, go
    // while they can still be deleted.
    ClearBitmapRefs();
    FreeSlatePool();
    services_.clearDeferredErrors();
    services_.releaseEmergencyMemory();
    services_.releaseTypeRegistries();
    if (services_.unregisterClasses)
        services_.unregisterClasses();
}

std::int16_t JxCTovelApp::OnIdle(std::int32_t count)
{
    JxCBaseProduct* product = GetProduct();
    return product ? product->OnIdle(count) : 0;
}

JxCTovelApp& GetTovelApp()
{
    return theApp;
}

std::int32_t ReadStartPage(char* commandLine, std::int32_t startPage)
{
    if (!commandLine)
        return startPage;
    lowerInPlace(commandLine);
    static constexpr char kOption[] = "/start=";
    const char* found = std::strstr(commandLine, kOption);
    if (found) {
        const char* p = found + sizeof kOption - 1;
        while (*p == ' ' || *p == '\t' || *p == '\n')
            ++p;
        const char* end = p;
        while (!isNumberEnd(*end))
            ++end;
        startPage = toNumber(p, end);
    }
    return startPage == 0 ? 1 : startPage;
}
