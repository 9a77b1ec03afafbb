#pragma once
// Animations played on a panel of a page that draws into one memory slate,
// with the product's main window taking the sound completions from the
// headless sound device on the virtual clock, and the animation class
// registered as the PICS media. Animations are files of the program folder
// ("&NAME").

#include <memory>
#include <string>
#include <vector>

#include "events/JxCActionProcessor.h"
#include "media/JxCPicsResource.h"
#include "media/JxCResourceObject.h"
#include "objects/tests/panel_fixture.h"
#include "platform/audio/audio_output.h"
#include "platform/audio/headless_audio.h"
#include "platform/audio/wave_out.h"
#include "runtime/JxCBaseApp.h"
#include "runtime/JxCBaseWindowObject.h"
#include "runtime/JxClassFactories.h"
#include "runtime/JxCWindowClass.h"
#include "runtime/JxKeywordTables.h"
#include "runtime/JxMainWindowProc.h"
#include "testkit/pics.h"

namespace pics_play {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kRate = 11025;
constexpr std::size_t kSlice = 1103;  // about 100 ms of sound
constexpr int kFrameWidth = 20, kFrameHeight = 12;
constexpr std::uint8_t kMark = 200;

// Frame n (1 to 10): colour 100 + n, with a bar of 2n pixels across its top
// four rows in the mark colour, so that a pixel count tells which frame shows.
inline Bytes NumberedFrame(int n)
{
    Bytes p(std::size_t(kFrameWidth * kFrameHeight), std::uint8_t(100 + n));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 2 * n; ++x)
            p[std::size_t(y * kFrameWidth + x)] = kMark;
    return p;
}

class PicsPlayTest : public panel_test::PanelTest {
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        ResetMainWindowState();
        // Every box is noted and answered OK.
        plat::SetResponder([this](const plat::UiRequest& r) -> std::optional<int> {
            boxes.push_back(r);
            return kAnswerOk;
        });
        auto out = std::make_unique<plat::HeadlessAudio>();
        audio = out.get();
        plat::InstallAudioOutput(std::move(out));
        ASSERT_TRUE(RegisterWindowClasses(JxCStartupInfo{}));
        JxCWindowCreateParams p;
        p.title = "main";
        p.width = 640;
        p.height = 480;
        p.style = plat::WS_POPUP | plat::WS_VISIBLE;
        window = CreateAppWindow("JxTovel", p);
        ASSERT_NE(window, nullptr);
        GetProduct()->SetProductWindow(window);
        GetProduct()->SetActionProcessor(std::make_unique<JxCActionProcessor>());
        RegisterResourceClass(JxResourceKind::Pics, MakeInstance<JxCResourceObject, JxCPicsResource>);
        RegisterTypeIds();
        ConnectResourceList();
    }
    void TearDown() override
    {
        EmptyResourceList();
        panel.reset();
        page.reset();
        SetMediaListHooks({});
        UnregisterFactoryClasses();
        plat::CloseAllWaveOut();
        plat::ClearWaveOutInjections();
        PanelTest::TearDown();
        plat::InstallAudioOutput(nullptr);
    }

    // A panel 2 (100 by 50 at 10, 20) on a page of 200 by 100.
    void makePanel()
    {
        panelDef();
        testkit::PanelRecord record(2);
        readDefinitions();
        page = std::make_unique<panel_test::SlatePage>(200, 100);
        panel = readPanel(record.Bytes(), *page);
        ASSERT_TRUE(panel);
        panel->Draw(nullptr, nullptr, 0);
    }

    // Ten numbered frames at (4, 4), each with its slice of a tone after a
    // lead-in of two slices, or all silent.
    static testkit::PicsFile TenFrames(bool sound)
    {
        testkit::PicsFile ani;
        ani.format(testkit::PcmFormat(kRate));
        if (sound)
            ani.leadIn(1, 2, testkit::Tone(440, kSlice, kRate));
        for (int n = 1; n <= 10; ++n)
            ani.frame(testkit::PicsFrame::Of(4, 4, kFrameWidth, kFrameHeight, NumberedFrame(n),
                                             sound ? testkit::Tone(440, kSlice, kRate, std::size_t(n + 1) * kSlice)
                                                   : Bytes{}));
        return ani;
    }

    // The frame shown at the animation's place on the page (panel at 10,
    // 20, frame at 4, 4): the length of its bar, halved; 0 for none.
    int frameOnPage()
    {
        const int x0 = 14, y0 = 24;
        const std::uint8_t body = page->at(x0 + kFrameWidth - 1, y0 + 5);
        if (body <= 100 || body > 110)
            return 0;
        int bar = 0;
        while (bar < kFrameWidth && page->at(x0 + bar, y0) == kMark)
            ++bar;
        return bar / 2 == body - 100 ? bar / 2 : -1;
    }

    // The reports shown of that id (the test program has no texts for the
    // media's messages, so each shows its id in a box).
    int boxesOf(unsigned id) const
    {
        int n = 0;
        for (const plat::UiRequest& box : boxes)
            n += box.text.find("(id = " + std::to_string(id) + ")") != std::string::npos;
        return n;
    }

    plat::HeadlessAudio* audio = nullptr;
    plat::HWND window = nullptr;
    std::unique_ptr<panel_test::SlatePage> page;
    std::unique_ptr<JxCPanelObject> panel;
};

}  // namespace pics_play
