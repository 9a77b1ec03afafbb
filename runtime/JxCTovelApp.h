#pragma once
// The program's application object and its five start-up steps:
//   1 show the wait cursor;
//   2 read the settings, select the language, number the type ids, check
//     memory and the data, create the product, read "/start=";
//   3 register the window classes;
//   4 probe the sound device, warn when there is no mouse;
//   5 create the title's product data and start the product.
// Initialisation stops at the first step that fails; the exit operation
// runs in every case.
//
// Every operation the steps call goes through the application's services,
// so that tests can replace any of them. The title layer installs those
// that live above this layer (the class registrations, the title's product
// data and the wave-device probe) before the entry function runs.

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/core/types.h"
#include "runtime/JxCBaseApp.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCBaseProductData.h"

struct JxStartupServices {
    // Step 1.
    std::function<plat::HCURSOR()> loadWaitCursor;
    // Step 2.
    std::function<void()> readSettings;
    std::function<void()> resetVersionInfo;
    std::function<void()> selectLanguage;
    // Installs the classes that the definitions name (display-object types,
    // factory rows); the title layer provides it. Without it nothing can be
    // built by type.
    std::function<void()> registerClasses;
    std::function<std::int16_t()> registerTypeIds;
    std::function<void()> checkPhysicalMemory;
    std::function<void()> reserveEmergencyMemory;
    std::function<bool()> isTestingEnabled;
    std::function<std::int16_t()> checkStartupDataPaths;
    std::function<std::int16_t()> checkDataVersionsAlt;
    std::function<void()> reserveFileHandles;
    std::function<std::unique_ptr<JxCBaseProduct>()> makeProduct;
    // Step 3.
    std::function<std::int16_t(const JxCStartupInfo&)> registerWindowClasses;
    // Step 4. Without a probe the device cannot be checked and the step
    // fails.
    std::function<std::int16_t()> checkWaveDevice;
    std::function<bool()> mousePresent;
    // Step 5. Without a factory the product has no product data.
    std::function<std::unique_ptr<JxCBaseProductData>()> makeProductData;
    // Exit. The media objects go while the product still lives.
    std::function<void()> releaseMedia;
    std::function<void()> clearDeferredErrors;
    std::function<void()> releaseEmergencyMemory;
    std::function<void()> releaseTypeRegistries;
    std::function<void()> unregisterClasses;

    // The program's own operations; those of the layers above are empty.
    static JxStartupServices Defaults();
};

class JxCTovelApp : public JxCBaseApp {
public:
    explicit JxCTovelApp(std::int32_t priority = 0);
    ~JxCTovelApp() override = default;

    std::int16_t InitInstance(JxCStartupInfo& info) override;
    void ExitInstance() override;
    std::int16_t OnIdle(std::int32_t count) override;

    JxStartupServices& Services() { return services_; }

    std::int16_t StartupShowWaitCursor();
    std::int16_t StartupCreateProduct(JxCStartupInfo& info);
    std::int16_t StartupRegisterClasses(JxCStartupInfo& info);
    std::int16_t StartupCheckDevices();
    std::int16_t StartupRunProduct();

private:
    JxStartupServices services_;
    // The cursor before the wait cursor; current again when the title runs.
    plat::HCURSOR savedCursor_ = nullptr;
};

// The program's one application object, built by static construction.
JxCTovelApp& GetTovelApp();

// Lower-cases the command line in place and returns the number given after
// "/start=" (up to a blank, tab, newline, '/' or '\'), or startPage when the
// option is absent. A number beyond the 32-bit range is clamped to it; 0 (no
// digits, or the number 0) gives 1.
std::int32_t ReadStartPage(char* commandLine, std::int32_t startPage);

// Ids start-up uses.
constexpr unsigned kNoMouseId = 1176;
constexpr unsigned kAboutItemTextId = 3012;
constexpr plat::UINT kAboutCommandId = 1904;
