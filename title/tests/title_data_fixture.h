#pragma once
// The title's product running on the headless desktop: the title's classes
// registered, a product data file written with testkit (the title record
// included) and read, the title's product data attached, a main window on
// the virtual clock, the action processor, the headless sound output and a
// data folder P:\Data for the title's media.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "events/JxCNotify.h"
#include "events/JxCTitleHooks.h"
#include "media/JxCResourceObject.h"
#include "objects/actions/JxCOpenPageAction.h"
#include "events/JxNotifyTables.h"
#include "foundation/JxCInStrStream.h"
#include "foundation/JxLanguage.h"
#include "platform/audio/audio_output.h"
#include "platform/audio/headless_audio.h"
#include "platform/audio/wave_out.h"
#include "platform/draw/draw.h"
#include "platform/window/window.h"
#include "runtime/JxCProduct.h"
#include "runtime/JxCWindowClass.h"
#include "runtime/JxKeywordTables.h"
#include "runtime/JxMainWindowProc.h"
#include "runtime/JxMainWindowState.h"
#include "runtime/JxTypeRegistry.h"
#include "runtime/JxVersionInfo.h"
#include "testkit/bmp.h"
#include "testkit/product_data.h"
#include "testkit/title_record.h"
#include "testkit/wave.h"
#include "title/JxCProductData.h"
#include "title/JxClassRegistrations.h"
#include "title/JxTitleHooks.h"
#include "title/JxTitleRandom.h"
#include "title/tests/user_fixture.h"

namespace title_test {

// Tells which page each open-page action that starts is aimed at.
class OpenWatcher : public JxCNotifyRoot {
public:
    void PreNotify(JxCNotify*, JxCObject* sender) override
    {
        if (auto* open = dynamic_cast<JxCOpenPageAction*>(sender))
            opened.push_back(std::int32_t(open->GetPageKey()));
    }
    std::vector<std::int32_t> opened;
};

class TitleDataTest : public UserFilesTest {
protected:
    void SetUp() override
    {
        UserFilesTest::SetUp();
        iniFile("[Directory]\nUser=P:\\Users\nData=P:\\Data\nDeveloper=1\n");
        ReadSettings();
        std::filesystem::create_directories(config.program() + "/Data");
        auto out = std::make_unique<plat::HeadlessAudio>();
        audio = out.get();
        plat::InstallAudioOutput(std::move(out));
        ResetMainWindowState();
        RegisterClasses();
        RegisterTypeIds();
        ConnectTitleHooks();
        ConnectResourceList();
        ASSERT_TRUE(RegisterWindowClasses(JxCStartupInfo{}));
        SetProduct(std::make_unique<JxCProduct>());
        const std::vector<std::uint8_t> stored = testkit::EncodeLogPalette(testkit::DistinctColours());
        SetProductPalette(plat::CreatePalette(reinterpret_cast<const plat::LOGPALETTE*>(stored.data())), 1);
        JxCWindowCreateParams p;
        p.width = 640;
        p.height = 480;
        p.style = plat::WS_POPUP | plat::WS_VISIBLE;
        main = CreateAppWindow(kMainWindowClassName, p);
        ASSERT_NE(main, nullptr);
        product().SetProductWindow(main);
        product().SetActionProcessor(std::make_unique<JxCActionProcessor>());
        auto data = std::make_unique<JxCProductData>();
        data->Initialise();
        product().SetProductData(std::move(data));
        MainWindowInput().appActive = 1;
        TitleRandom().Seed(12345);
        watcher.AddObjectNotifyOnActionStart(ActionTypeId(JxActionKeyword::OPENPAGE), 0, nullptr);
        file.templateDef(1, "BASE_PAGE").panel(1, "Display").at(0, 0).size(640, 480);
    }
    void TearDown() override
    {
        RemoveReceiverNotifies(&watcher);
        if (JxCBaseProduct* p = GetProduct()) {
            while (JxCPageObject* page = p->GetPageList().GetLast())
                p->GetPageList().ClosePage(page);
            p->ForgetProductWindow();
        }
        EmptyResourceList();
        DeleteProduct();
        if (main)
            plat::DestroyWindow(main);
        DeleteProductPalettes();
        ReleaseTypeRegistries();
        UnregisterClasses();
        SetTitleHooks(nullptr);
        plat::CloseAllWaveOut();
        plat::InstallAudioOutput(nullptr);
        UserFilesTest::TearDown();
    }

    JxCBaseProduct& product() { return *GetProduct(); }
    JxCProductData& data() { return *GetTitleData(); }

    // Reads the product data file with the title record.
    void readTitle()
    {
        file.version().countryCode = GetLanguageCode() ? GetLanguageCode() : "";
        file.version().softwareVersion = std::string(GetVersionCode().View());
        file.titleRecord(title.Bytes(file));
        bytes = file.Bytes();
        JxCInStrStream in(JxMemoryBlock{bytes.data(), std::uint32_t(bytes.size())});
        ASSERT_TRUE(product().ReadProductData(in, std::uint32_t(bytes.size())));
        const std::uint32_t a = product().GetPageDataOffset();
        product().SetDataStream(
            std::make_unique<JxCInStrStream>(JxMemoryBlock{bytes.data() + a, std::uint32_t(bytes.size() - a)}));
    }
    // Changes to the page as a change-page action does: the page built
    // becomes the first and the current page, then the action stops.
    void changeTo(std::int32_t id)
    {
        JxCPageDef* def = product().NewPageDef();
        ASSERT_TRUE(def->Load(id));
        ASSERT_TRUE(product().ChangePage(def));
        JxCPageObject* page = product().GetPageList().GetLast();
        product().GetPageList().Remove(page);
        product().GetPageList().AddHead(page);
        product().SetCurrentPage(page);
        NotifyActionStopped(ActionTypeId(JxActionKeyword::CHANGEPAGE), 0, nullptr);
    }
    // A sound of n samples in the data folder.
    void writeSound(const std::string& name, std::size_t samples = 2205)
    {
        const std::vector<std::uint8_t> wave = testkit::EncodeWave(testkit::Pcm16Sound(testkit::RampSamples(samples)));
        plat::testing::TempConfig::writeFile(config.program() + "/Data/" + name + ".wav",
                                             std::string(wave.begin(), wave.end()));
    }
    // Each user in a file of their own, so that the record saved as the
    // last user leaves does not overwrite the next one's.
    void logIn(const std::string& name, const testkit::UserFile& user)
    {
        writeUser("jx_" + name + ".Gv3", user);
        JxCUser& users = *data().GetUser();
        users.LoadList();
        ASSERT_TRUE(users.Login(users.FindFile(JxCString(("jx_" + name + ".Gv3").c_str()))));
    }

    testkit::ProductData file;
    testkit::TitleRecord title;
    std::vector<std::uint8_t> bytes;
    plat::HeadlessAudio* audio = nullptr;
    plat::HWND main = nullptr;
    OpenWatcher watcher;
    plat::Harness harness;
};

}  // namespace title_test
