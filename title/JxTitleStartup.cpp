#include "title/JxTitleStartup.h"

#include <memory>

#include "media/JxCResourceObject.h"
#include "media/JxWaveDevice.h"
#include "runtime/JxCTovelApp.h"
#include "title/JxClassRegistrations.h"
#include "title/JxCProductData.h"
#include "title/JxTitleHooks.h"
#include "title/JxTitleRandom.h"

void ConnectTitleServices(JxCTovelApp& app)
{
    JxStartupServices& services = app.Services();
    services.registerClasses = [] { RegisterClasses(); };
    services.unregisterClasses = [] { UnregisterClasses(); };
    services.checkWaveDevice = [] { return CheckWaveDevice(); };
    services.releaseMedia = [] { EmptyResourceList(); };
    ConnectResourceList();
    ConnectTitleHooks();
    SeedTitleRandomFromClock();
    services.makeProductData = []() -> std::unique_ptr<JxCBaseProductData> {
        return std::make_unique<JxCProductData>();
    };
}
