#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <utility>

#include "platform/core/zeroed_pages.h"
#include "platform/screen/screen.h"

namespace plat {
namespace {

TEST(ZeroedPagesTest, EveryByteIsZeroAndWritableAtAnySize)
{
    for (std::size_t bytes : {std::size_t(0), std::size_t(1), std::size_t(4097), (std::size_t(2) << 20) + 3}) {
        SCOPED_TRACE(bytes);
        ZeroedPages block(bytes);
        ASSERT_NE(block.data(), nullptr);
        ASSERT_GE(block.size(), std::max<std::size_t>(bytes, 1));
        auto* p = static_cast<std::uint8_t*>(block.data());
        EXPECT_TRUE(std::all_of(p, p + block.size(), [](std::uint8_t b) { return b == 0; }));
        p[block.size() - 1] = 0xFF;
    }
}

TEST(ZeroedPagesTest, AMoveHandsTheBlockOverAndLeavesTheSourceEmpty)
{
    ZeroedPages a(100);
    static_cast<char*>(a.data())[99] = 7;
    ZeroedPages b(std::move(a));
    EXPECT_EQ(a.data(), nullptr);
    EXPECT_EQ(static_cast<char*>(b.data())[99], 7);
    ZeroedPages c(10);
    c = std::move(b);
    EXPECT_EQ(b.data(), nullptr);
    EXPECT_EQ(static_cast<char*>(c.data())[99], 7);
}

// A framebuffer of more than one huge page is the desktop colour to its
// last pixel, and a smaller one after it still is.
TEST(ZeroedPagesTest, TheScreenIsTheDesktopColourToItsLastPixelAfterEachReset)
{
    Screen& screen = TheScreen();
    for (auto [w, h] : {std::pair{1280, 1024}, std::pair{640, 480}, std::pair{Screen::kDefaultWidth, Screen::kDefaultHeight}}) {
        screen.reset(w, h, 32);
        const std::uint32_t* p = screen.pixels();
        const std::size_t count = std::size_t(w) * std::size_t(h);
        EXPECT_EQ(std::count(p, p + count, 0x00008080u), std::ptrdiff_t(count)) << w << "x" << h;
    }
}

}  // namespace
}  // namespace plat
