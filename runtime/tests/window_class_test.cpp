#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/backend/harness.h"
#include "platform/window/window.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCMainTovelWindowObject.h"
#include "runtime/JxCWindowClass.h"
#include "runtime/JxMainWindowProc.h"

namespace {

int& liveObjects()
{
    static int n = 0;
    return n;
}

class CountedObject : public JxCBaseWindowObject {
public:
    CountedObject() { ++liveObjects(); }
    ~CountedObject() override { --liveObjects(); }
    void OnCreate() override { ++created; }
    int created = 0;
};

JxCBaseWindowObject* makeCounted()
{
    return new CountedObject;
}

int& destroysSeen()
{
    static int n = 0;
    return n;
}

// The video procedure, counting WM_DESTROY.
plat::LRESULT countingProc(plat::HWND h, plat::UINT m, plat::WPARAM w, plat::LPARAM l)
{
    if (m == plat::WM_DESTROY)
        ++destroysSeen();
    return VideoWindowProc(h, m, w, l);
}

// Refuses its creation after attaching the object.
plat::LRESULT attachThenRefuse(plat::HWND h, plat::UINT m, plat::WPARAM w, plat::LPARAM l)
{
    if (m == plat::WM_CREATE) {
        VideoWindowProc(h, m, w, l);
        return -1;
    }
    return VideoWindowProc(h, m, w, l);
}

// Refuses its creation without touching the object.
plat::LRESULT refuse(plat::HWND h, plat::UINT m, plat::WPARAM w, plat::LPARAM l)
{
    if (m == plat::WM_CREATE)
        return -1;
    return plat::DefWindowProcA(h, m, w, l);
}

class TestProduct : public JxCBaseProduct {
public:
    std::int16_t Start() override { return 1; }
};

class WindowClassTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        liveObjects() = 0;
        destroysSeen() = 0;
        ResetMainWindowState();
    }
    void TearDown() override { DeleteProduct(); }

    JxCWindowClassRecord record(const char* name, plat::WNDPROC proc)
    {
        JxCWindowClassRecord r;
        r.name = name;
        r.factory = makeCounted;
        r.windowProc = proc;
        plat::WNDCLASSA wc;
        wc.lpfnWndProc = proc;
        wc.cbWndExtra = 4;
        wc.lpszClassName = name;
        EXPECT_NE(plat::RegisterClassA(wc), 0);
        return r;
    }
    static JxCWindowCreateParams params()
    {
        JxCWindowCreateParams p;
        p.title = "w";
        p.width = 100;
        p.height = 80;
        p.style = plat::WS_POPUP;
        return p;
    }
    static int topWindows()
    {
        int n = 0;
        plat::EnumWindows([](plat::HWND, plat::LPARAM l) -> plat::BOOL {
            ++*reinterpret_cast<int*>(l);
            return 1;
        }, reinterpret_cast<plat::LPARAM>(&n));
        return n;
    }

    plat::Harness harness;
};

TEST_F(WindowClassTest, TheListKeepsTheFirstOfEqualOrderAndFindsNamesWithoutCase)
{
    JxCWindowClassList list;
    JxCWindowClassRecord a;
    a.name = "Panel";
    a.iconId = 1;
    AddWindowClass(list, a, 0);
    JxCWindowClassRecord b = a;
    b.name = "PANEL";
    b.iconId = 2;
    AddWindowClass(list, b, 0);
    ASSERT_NE(FindWindowClass(list, "panel"), nullptr);
    EXPECT_EQ(FindWindowClass(list, "panel")->iconId, 1);
    EXPECT_EQ(list.Nodes().size(), 1u);
    // A higher order value replaces it.
    AddWindowClass(list, b, 1);
    EXPECT_EQ(FindWindowClass(list, "Panel")->iconId, 2);
    EXPECT_EQ(list.Nodes().size(), 1u);
    EXPECT_EQ(RemoveWindowClass(list, "pAnEl"), 1);
    EXPECT_EQ(RemoveWindowClass(list, "Panel"), 0);
    EXPECT_EQ(FindWindowClass(list, "Panel"), nullptr);
}

TEST_F(WindowClassTest, TheProgramHasItsTwoClasses)
{
    const JxCWindowClassList& list = GetWindowClassList();
    const JxCWindowClassRecord* main = FindWindowClass(list, "jxtovel");
    const JxCWindowClassRecord* video = FindWindowClass(list, "VIDEO");
    ASSERT_NE(main, nullptr);
    ASSERT_NE(video, nullptr);
    EXPECT_EQ(main->iconId, 1900);
    EXPECT_EQ(main->doubleClicks, 1);
    EXPECT_EQ(main->noClose, 0);
    EXPECT_NE(main->cursor, nullptr);
    EXPECT_NE(main->brush, nullptr);
    std::unique_ptr<JxCBaseWindowObject> object(main->factory());
    EXPECT_NE(dynamic_cast<JxCMainTovelWindowObject*>(object.get()), nullptr);
    ASSERT_TRUE(RegisterWindowClasses(JxCStartupInfo{}));
    plat::WNDCLASSA info;
    ASSERT_TRUE(plat::GetClassInfoA(nullptr, "JxTovel", &info));
    EXPECT_EQ(info.cbWndExtra, 4);
    EXPECT_EQ(info.style, plat::CS_DBLCLKS);
}

TEST_F(WindowClassTest, ASecondCopyRegistersNothing)
{
    JxCStartupInfo info;
    info.previousInstance = reinterpret_cast<plat::HINSTANCE>(1);
    EXPECT_EQ(RegisterWindowClasses(info), 1);
    plat::WNDCLASSA wc;
    EXPECT_FALSE(plat::GetClassInfoA(nullptr, "JxTovel", &wc));
}

TEST_F(WindowClassTest, AnUnlistedClassMakesNoWindow)
{
    EXPECT_EQ(CreateAppWindow("Nothing", params()), nullptr);
    EXPECT_EQ(liveObjects(), 0);
}

TEST_F(WindowClassTest, TheWindowCarriesItsObjectInWordZero)
{
    JxCWindowClassRecord r = record("Counted", countingProc);
    plat::HWND w = CreateWindowFromClass(r, params());
    ASSERT_NE(w, nullptr);
    auto* object = static_cast<CountedObject*>(GetWindowObject(w));
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->GetWindow(), w);
    EXPECT_EQ(object->created, 1);
    plat::DestroyWindow(w);
    EXPECT_EQ(liveObjects(), 0);
    EXPECT_EQ(destroysSeen(), 1);
}

TEST_F(WindowClassTest, DeletingTheObjectDestroysItsWindowOnce)
{
    JxCWindowClassRecord r = record("Counted", countingProc);
    plat::HWND w = CreateWindowFromClass(r, params());
    delete GetWindowObject(w);
    EXPECT_FALSE(plat::IsWindow(w));
    EXPECT_EQ(destroysSeen(), 1);
    EXPECT_EQ(liveObjects(), 0);
}

TEST_F(WindowClassTest, AnObjectNoWindowTookOverIsDeleted)
{
    // A procedure that never attaches: the window is no window of the
    // program, and neither it nor the object stays.
    JxCWindowClassRecord plain = record("Plain", plat::DefWindowProcA);
    int before = topWindows();
    EXPECT_EQ(CreateWindowFromClass(plain, params()), nullptr);
    EXPECT_EQ(liveObjects(), 0);
    EXPECT_EQ(topWindows(), before);
    // A creation refused before the object was attached.
    JxCWindowClassRecord refused = record("Refused", refuse);
    EXPECT_EQ(CreateWindowFromClass(refused, params()), nullptr);
    EXPECT_EQ(liveObjects(), 0);
    // Refused after attaching: the window's destruction deletes the object,
    // and only it.
    JxCWindowClassRecord late = record("Late", attachThenRefuse);
    EXPECT_EQ(CreateWindowFromClass(late, params()), nullptr);
    EXPECT_EQ(liveObjects(), 0);
}

TEST_F(WindowClassTest, AFailedRegistrationUnregistersEveryClass)
{
    record("Video", VideoWindowProc);
    EXPECT_EQ(RegisterWindowClasses(JxCStartupInfo{}), 0);
    plat::WNDCLASSA wc;
    EXPECT_FALSE(plat::GetClassInfoA(nullptr, "JxTovel", &wc));
    EXPECT_FALSE(plat::GetClassInfoA(nullptr, "Video", &wc));
}

TEST_F(WindowClassTest, DestroyingTheMainWindowPostsTheQuitAndOtherWindowsDoNot)
{
    ASSERT_TRUE(RegisterWindowClasses(JxCStartupInfo{}));
    SetProduct(std::make_unique<TestProduct>());
    plat::HWND main = CreateAppWindow("JxTovel", params());
    plat::HWND other = CreateAppWindow("JxTovel", params());
    ASSERT_NE(main, nullptr);
    ASSERT_NE(other, nullptr);
    GetProduct()->SetProductWindow(main);
    plat::DestroyWindow(other);
    harness.runUntilIdle();
    EXPECT_FALSE(harness.quitSeen());
    plat::DestroyWindow(main);
    harness.runUntilIdle();
    EXPECT_TRUE(harness.quitSeen());
    EXPECT_EQ(harness.exitCode(), 0);
    EXPECT_EQ(GetProduct()->GetProductWindow(), nullptr);
}

TEST_F(WindowClassTest, TheMainWindowClosesFromItsCloseCommandAndStaysWithinThePageSize)
{
    ASSERT_TRUE(RegisterWindowClasses(JxCStartupInfo{}));
    SetProduct(std::make_unique<TestProduct>());
    JxCWindowCreateParams p = params();
    p.style = plat::WS_CAPTION | plat::WS_SYSMENU;
    plat::HWND main = CreateAppWindow("JxTovel", p);
    GetProduct()->SetProductWindow(main);
    plat::MINMAXINFO mmi{};
    plat::SendMessageA(main, plat::WM_GETMINMAXINFO, 0, reinterpret_cast<plat::LPARAM>(&mmi));
    EXPECT_EQ(mmi.ptMaxTrackSize.x, 640);
    EXPECT_EQ(mmi.ptMaxTrackSize.y, 480);
    plat::SendMessageA(main, plat::WM_SYSCOMMAND, plat::SC_CLOSE, 0);
    EXPECT_FALSE(plat::IsWindow(main));
    harness.runUntilIdle();
    EXPECT_TRUE(harness.quitSeen());
}

TEST_F(WindowClassTest, OnlyTheFirstAltF4Counts)
{
    ASSERT_TRUE(RegisterWindowClasses(JxCStartupInfo{}));
    SetProduct(std::make_unique<TestProduct>());
    plat::HWND main = CreateAppWindow("JxTovel", params());
    plat::HWND page = CreateAppWindow("JxTovel", params());
    GetProduct()->SetProductWindow(main);
    // Alt+F4 in another window of the class closes the main window.
    plat::LPARAM alt = plat::KF_ALTDOWN_BIT;
    EXPECT_EQ(plat::SendMessageA(page, plat::WM_SYSKEYDOWN, plat::VK_F4, alt), 0);
    EXPECT_FALSE(plat::IsWindow(main));
    // From then on system keys are swallowed.
    EXPECT_EQ(plat::SendMessageA(page, plat::WM_SYSKEYDOWN, plat::VK_F4, alt), 1);
    EXPECT_TRUE(plat::IsWindow(page));
    plat::DestroyWindow(page);
}

TEST_F(WindowClassTest, TheVideoWindowSwallowsEveryMovieNotification)
{
    JxCWindowClassRecord r = record("Counted", countingProc);
    plat::HWND w = CreateWindowFromClass(r, params());
    for (plat::WPARAM code : {1, 2, 4, 8})
        EXPECT_EQ(plat::SendMessageA(w, plat::MM_MCINOTIFY, code, 0), 1);
    EXPECT_EQ(plat::SendMessageA(w, plat::WM_ERASEBKGND, 0, 0), 1);
    plat::DestroyWindow(w);
}

std::vector<int>& stopsSeen()
{
    static std::vector<int> stops;
    return stops;
}

TEST_F(WindowClassTest, AMovieWindowStopsWhatPlaysOnAClickAndAtTheMoviesEnd)
{
    ASSERT_TRUE(RegisterWindowClasses(JxCStartupInfo{}));
    SetProduct(std::make_unique<TestProduct>());
    JxCNotifyRoot owner;
    GetProduct()->SetMediaOwner(&owner);
    stopsSeen().clear();
    JxMediaListHooks hooks;
    hooks.stopActive = [](std::int16_t flag) -> std::int16_t {
        stopsSeen().push_back(flag);
        return 0;
    };
    JxMediaListHooks previous = SetMediaListHooks(hooks);
    plat::HWND video = CreateAppWindow("Video", params());
    ASSERT_NE(video, nullptr);
    plat::SendMessageA(video, plat::MM_MCINOTIFY, 2, 0);
    plat::SendMessageA(video, plat::MM_MCINOTIFY, 8, 0);
    EXPECT_TRUE(stopsSeen().empty());
    EXPECT_EQ(GetProduct()->GetMediaOwner(), &owner);
    plat::SendMessageA(video, plat::MM_MCINOTIFY, 1, 0);
    plat::SendMessageA(video, plat::MM_MCINOTIFY, 4, 0);
    plat::SendMessageA(video, plat::WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(stopsSeen(), (std::vector<int>{1, 1, 0}));
    EXPECT_EQ(GetProduct()->GetMediaOwner(), nullptr);
    SetMediaListHooks(previous);
    plat::DestroyWindow(video);
}

}  // namespace
