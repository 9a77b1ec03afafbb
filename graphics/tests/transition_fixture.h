#pragma once
// The transitions on the headless desktop: slates as in SlateTest, the
// product's side of the transitions answered by the test (busy marks,
// closing popups, pages, media owner, data path), the media's side by a
// fake that plays nothing, and a hook that sees every wait of a nested
// loop, which is where each pass or frame is on the screen.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "graphics/JxTransitionLink.h"
#include "graphics/JxZoomBox.h"
#include "graphics/tests/slate_fixture.h"
#include "platform/backend/headless.h"
#include "platform/tests/golden.h"
#include "platform/window/messages.h"

class TransitionTest : public SlateTest {
protected:
    void SetUp() override
    {
        SlateTest::SetUp();
        JxTransitionProductLink product;
        product.isBusy = [this] { return busyCount > 0; };
        product.markBusy = [this] { ++marksBusy; busyBit = true; };
        product.markIdle = [this] { ++marksIdle; busyBit = false; };
        product.isClosingPopup = [this] { return closingPopup; };
        product.isSoundSuppressed = [this] { return soundSuppressed; };
        product.lastMousePoint = [this] { return lastMouse; };
        product.setMediaOwner = [this](JxCNotifyRoot* owner) { mediaOwner = owner; };
        product.releaseMediaOwner = [this](const JxCNotifyRoot* owner) {
            if (!owner || owner == mediaOwner)
                mediaOwner = nullptr;
        };
        product.dataPath = [this] { return JxCString(dataPath.c_str()); };
        product.pageWindows = [this] { return pageWindows; };
        product.currentPageFirstPanel = [this] { return firstPanel; };
        product.restorePalette = [this] { return palette; };
        product.createPageWindow = [this](const JxZoomTarget& target) {
            created.push_back(target.transition);
            return Window(target.x, target.y, target.width, target.height);
        };
        previousProduct_ = SetTransitionProductLink(product);
        JxTransitionMediaLink media;
        media.playSound = [this](const JxCString& name) { sounds.emplace_back(name.View()); };
        previousMedia_ = SetTransitionMediaLink(media);
        harness.backend().setIdleHook([this](std::optional<std::uint64_t>) {
            ++waits;
            if (onWait)
                onWait();
            return false;
        });
    }
    void TearDown() override
    {
        harness.backend().setIdleHook({});
        SetTransitionMediaLink(previousMedia_);
        SetTransitionProductLink(previousProduct_);
        SlateTest::TearDown();
    }

    // A top-level window that records what is dispatched to it.
    plat::HWND Recorder()
    {
        plat::WNDCLASSA wc;
        wc.lpfnWndProc = [](plat::HWND h, plat::UINT m, plat::WPARAM w, plat::LPARAM l) -> plat::LRESULT {
            if (m != plat::WM_PAINT && m != plat::WM_NCPAINT && m != plat::WM_ERASEBKGND)
                Dispatched().push_back(m);
            return plat::DefWindowProcA(h, m, w, l);
        };
        wc.lpszClassName = "TransitionRecorder";
        plat::RegisterClassA(wc);
        Dispatched().clear();
        return plat::CreateWindowExA(0, "TransitionRecorder", "", plat::WS_POPUP, 700, 500, 10, 10, nullptr,
                                     nullptr, nullptr, nullptr);
    }
    static std::vector<plat::UINT>& Dispatched()
    {
        static std::vector<plat::UINT> messages;
        return messages;
    }
    static int CountDispatched(plat::UINT message)
    {
        int n = 0;
        for (plat::UINT m : Dispatched())
            n += m == message;
        return n;
    }
    // The screen against graphics/tests/golden/NAME.png; empty when equal.
    static std::string Golden(const std::string& name)
    {
        return plat::testing::CompareWithGolden(nullptr, name, "graphics/tests/golden");
    }

    int busyCount = 0;
    int marksBusy = 0;
    int marksIdle = 0;
    bool busyBit = false;
    bool closingPopup = false;
    bool soundSuppressed = false;
    JxCPoint lastMouse;
    JxCNotifyRoot* mediaOwner = nullptr;
    std::string dataPath;
    std::vector<plat::HWND> pageWindows;
    std::optional<JxCRunTimeObject*> firstPanel;
    std::vector<std::int32_t> created;
    std::vector<std::string> sounds;
    int waits = 0;
    std::function<void()> onWait;

private:
    std::optional<JxTransitionProductLink> previousProduct_;
    std::optional<JxTransitionMediaLink> previousMedia_;
};
