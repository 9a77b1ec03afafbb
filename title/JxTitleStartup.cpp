#include "title/JxTitleStartup.h"

#include <memory>

#include "media/JxCQT3Overseer.h"
#include "media/JxCResourceObject.h"
#include "media/JxTransitionMedia.h"
#include "media/JxWaveDevice.h"
#include "platform/backend/backend.h"
#include "runtime/JxCTovelApp.h"
#include "title/JxCDialogPanel.h"
#include "title/JxClassRegistrations.h"
#include "title/JxDialogPages.h"
#include "title/JxCProductData.h"
#include "title/JxCUserRecord.h"
#include "title/JxTitleHooks.h"
#include "title/JxTitleRandom.h"

bool RescueTitleSession()
{
    JxCProductData* data = GetTitleData();
    JxCUserRecord* record = data ? data->GetUserRecord() : nullptr;
    return record && record->SaveQuietly();
}

void ConnectTitleServices(JxCTovelApp& app)
{
    plat::SetSessionRescue(RescueTitleSession);
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
