#include <gtest/gtest.h>

#include "foundation/JxCRect.h"
#include "platform/backend/harness.h"
#include "platform/window/window.h"

namespace {

plat::LRESULT PlainProc(plat::HWND h, plat::UINT m, plat::WPARAM w, plat::LPARAM l)
{
    return plat::DefWindowProcA(h, m, w, l);
}

}  // namespace

TEST(JxCRect, MapsBothCornersBetweenClientAndScreen)
{
    plat::Harness harness;
    plat::WNDCLASSA wc;
    wc.lpfnWndProc = &PlainProc;
    wc.lpszClassName = "RectMapping";
    ASSERT_NE(plat::RegisterClassA(wc), 0);
    const plat::HWND parent = plat::CreateWindowExA(0, "RectMapping", "parent", plat::WS_VISIBLE, 50, 40, 300,
                                                    200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
    const plat::HWND child = plat::CreateWindowExA(0, "RectMapping", "child", plat::WS_CHILD | plat::WS_VISIBLE,
                                                   10, 20, 100, 80, parent, nullptr, nullptr, nullptr);
    ASSERT_NE(child, nullptr);

    plat::POINT origin{0, 0};
    plat::ClientToScreen(child, &origin);
    JxCRect r(1, 2, 30, 40);
    r.ClientToScreen(child);
    EXPECT_TRUE(r == JxCRect(std::int16_t(origin.x + 1), std::int16_t(origin.y + 2), std::int16_t(origin.x + 30),
                             std::int16_t(origin.y + 40)));
    EXPECT_EQ(r.Width(), 29);
    r.ScreenToClient(child);
    EXPECT_TRUE(r == JxCRect(1, 2, 30, 40));
    plat::DestroyWindow(parent);
    plat::UnregisterClassA("RectMapping", nullptr);
}
