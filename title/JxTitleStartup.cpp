#include "title/JxTitleStartup.h"

#include <memory>

#include "media/JxCQT3Overseer.h"
#include "media/JxCResourceObject.h"
#include "media/JxTransitionMedia.h"
#include "media/JxWaveDevice.h"
#include "runtime/JxCTovelApp.h"
#include "title/JxCDialogPanel.h"
#include "title/JxClassRegistrations.h"
#include "title/JxDialogPages.h"
#include "title/JxCProductData.h"
#include "title/JxTitleHooks.h"
#include "title/JxTitleRandom.h"

void ConnectTitleServices(JxCTovelApp& app)
{
    JxStartupServices& services = app.Services();
    // The movie layer lives from the classes' registration to their
    // release, after every media object has gone.
    // The dialog pages run modally from the classes' registration to
    // their release.
    services.registerClasses = [] {
        RegisterClasses();
        StartMovieLayer();
        SetDialogPageRunner(RunDialogPageModally);
    };
    services.unregisterClasses = [] {
        SetDialogPageRunner(nullptr);
        EndMovieLayer();
        UnregisterClasses();
    };
    services.checkWaveDevice = [] { return CheckWaveDevice(); };
    services.releaseMedia = [] { EmptyResourceList(); };
    ConnectResourceList();
    ConnectTransitionMedia();
    ConnectTitleHooks();
    SeedTitleRandomFromClock();
    services.makeProductData = []() -> std::unique_ptr<JxCBaseProductData> {
        return std::make_unique<JxCProductData>();
    };
}
