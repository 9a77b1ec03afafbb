#pragma once
// The sample title as the sample-title tool writes it (its logbook, its
// quiz's word file, opening on the login), run whole and headless by a
// user script: the users' files on a fixed drive C:, the sounds on the
// headless wave device, and helpers to find the pages and click them.

#include <filesystem>
#include <memory>
#include <string>

#include "platform/audio/audio_output.h"
#include "platform/audio/headless_audio.h"
#include "platform/audio/wave_out.h"
#include "platform/window/messages.h"
#include "runtime/JxCPageObject.h"
#include "testkit/sample_links.h"
#include "testkit/sample_login.h"
#include "testkit/sample_quiz.h"
#include "tests/program_fixture.h"
#include "tests/user_script.h"
#include "title/users/JxLoginWidgets.h"

class SampleRunTest : public ProgramTest {
protected:
    // Clicks made before a new page has started are not delivered: the
    // user looks this long at a new page before clicking.
    static constexpr std::uint64_t kLook = 500;
    // How far the clock moves each time a waiting step looks again.
    static constexpr std::uint64_t kWaitTickMs = 10;

    void SetUp() override
    {
        ProgramTest::SetUp();
        {
            ProgramClasses classes;
            testkit::WriteSampleTitle(config.program(), true, true);
        }
        testkit::WriteHostFile(config.program() + "/WordData.dat", testkit::SampleQuizWordData().Bytes());
        // The users' files go to a folder of their own on the hard disk.
        testkit::InstalledSettings settings;
        settings.extra = "User=C:\\Users\r\n";
        LayOutInstalledTitle(config, settings);
        auto out = std::make_unique<plat::HeadlessAudio>();
        audio = out.get();
        plat::InstallAudioOutput(std::move(out));
    }
    void TearDown() override
    {
        ProgramTest::TearDown();
        plat::InstallAudioOutput(nullptr);
    }

    std::string userFile(const std::string& name) const
    {
        return plat::testing::TempConfig::readFile(config.root() + "/Users/" + name);
    }

    // The script's run (from the command line's start page): the steps
    // taken one at a time, the main window closed once they are done or one
    // failed.
    void runScript(const char* commandLine = "")
    {
        bool closing = false;
        run(
            [&](plat::HWND main) {
                this->main = main;
                if (script.step())
                    return true;
                if (closing)
                    return false;
                if (!(script.done() || script.failed())) {
                    // A step waits. While the program runs no timer the
                    // clock would stand still: it moves on, so that a wait
                    // for what never comes runs out of patience instead of
                    // hanging.
                    if (waitDeadline)
                        return false;
                    harness->advance(kWaitTickMs);
                    return true;
                }
                closing = true;
                pagesAtTheEnd = openPages();
                plat::PostMessageA(main, plat::WM_CLOSE, 0, 0);
                return true;
            },
            commandLine);
    }

    // The open pages, first to last, and the current one: what the script
    // saw when it ended, for a failure's message.
    static std::string openPages()
    {
        std::string list = "pages open:";
        JxCPageObjectList& pages = GetProduct()->GetPageList();
        for (JxCPageObject* p = pages.GetFirst(); p; p = pages.GetNext(p))
            list += " " + std::to_string(p->GetPageId());
        JxCPageObject* current = GetProduct()->GetCurrentPage();
        return list + ", current " + (current ? std::to_string(current->GetPageId()) : "none");
    }
    std::string pagesAtTheEnd;

    static JxCPageObject* page(std::uint32_t id) { return GetProduct() ? GetProduct()->FindPageById(std::int32_t(id)) : nullptr; }
    static bool isCurrent(std::uint32_t id)
    {
        JxCPageObject* current = GetProduct() ? GetProduct()->GetCurrentPage() : nullptr;
        return current && current->GetPageId() == std::int32_t(id);
    }
    static bool quietly() { return plat::OpenWaveOutCount() == 0; }

    // A click at a point of the content panel (at (0, 60) of the client
    // area), or in the middle of one of its rectangles.
    void clickContent(int x, int y) { harness->click(onScreen(main, x, 60 + y)); }
    void clickContent(const testkit::SampleRect& r) { clickContent((r[0] + r[2]) / 2, (r[1] + r[3]) / 2); }
    // The link button drawn on the screen (its white field): its page has
    // opened and shows.
    bool showsLink(const testkit::SampleRect& r) const
    {
        return colourAt(main, r[0] + 4, 60 + r[1] + 4) == paletteColour(testkit::kSampleWhite);
    }
    // A page's window on the screen.
    static plat::RECT screenRect(JxCPageObject* page)
    {
        plat::RECT r{};
        if (page && page->GetWindow())
            plat::GetWindowRect(page->GetWindow(), &r);
        return r;
    }
    // A click in the middle of a page's window.
    void clickPage(std::uint32_t id)
    {
        const plat::RECT r = screenRect(page(id));
        harness->click(plat::POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    }

    // From the login: a new user typed and added, logged in with Enter, on
    // to the welcome page.
    void logInAsNewUser(const std::string& name)
    {
        script.then(
            "the login field",
            [] {
                JxCPageObject* front = GetProduct()->GetPageList().GetLast();
                return front && dynamic_cast<JxCNewUserField*>(front->GetFocusObject());
            },
            [this, name] {
                harness->typeText(name);
                harness->tap(plat::VK_RETURN);  // the new user
            });
        script.then("the new user listed", [] { return true; }, [this] { harness->tap(plat::VK_RETURN); });
        script.waitFor("the welcome page", [] { return isCurrent(testkit::kSampleWelcomePage) && !page(testkit::kSampleLoginPage); });
    }

    plat::HeadlessAudio* audio = nullptr;
    UserScript script{*harness};
    plat::HWND main = nullptr;
};
