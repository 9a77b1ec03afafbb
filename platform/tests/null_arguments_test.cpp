// Calls given a null handle or file name, held to the answers Windows gives:
// GetClipRgn without a clip answers 0 before it looks at its region handle,
// on a memory DC of each surface depth, new or after its clip was reset; a
// null profile file name is WIN.INI.

#include <gtest/gtest.h>

#include <functional>

#include "platform/config/profile.h"
#include "platform/tests/draw_fixture.h"
#include "platform/tests/temp_config.h"

namespace plat {
namespace {

using testing::SurfaceDC;
using testing::TempConfig;

// A memory DC with a surface of the depth (1: the monochrome bitmap of a
// new memory DC); a second memory DC and a region, both already deleted.
class Surfaces {
public:
    Surfaces()
        : plain_(CreateCompatibleDC(nullptr)), eight_(10, 10, 8), thirtyTwo_(10, 10, 32),
          staleDC_(CreateCompatibleDC(nullptr)), staleRgn_(CreateRectRgn(0, 0, 1, 1)),
          rgn_(CreateRectRgn(0, 0, 0, 0))
    {
        DeleteDC(staleDC_);
        DeleteObject(staleRgn_);
    }
    ~Surfaces()
    {
        DeleteDC(plain_);
        DeleteObject(rgn_);
    }
    Surfaces(const Surfaces&) = delete;
    Surfaces& operator=(const Surfaces&) = delete;

    HDC of(int depth) const { return depth == 1 ? plain_ : depth == 8 ? eight_.dc() : thirtyTwo_.dc(); }
    HDC staleDC() const { return staleDC_; }
    HRGN staleRgn() const { return staleRgn_; }
    HRGN rgn() const { return rgn_; }
    // The DC's clip set, then reset to none.
    HDC reset(int depth) const
    {
        IntersectClipRect(of(depth), 2, 2, 5, 5);
        SelectClipRgn(of(depth), nullptr);
        return of(depth);
    }
    HDC clipped(int depth) const
    {
        SelectClipRgn(of(depth), nullptr);
        IntersectClipRect(of(depth), 2, 2, 5, 5);
        return of(depth);
    }

private:
    HDC plain_;
    SurfaceDC eight_;
    SurfaceDC thirtyTwo_;
    HDC staleDC_;
    HRGN staleRgn_;
    HRGN rgn_;
};

TEST(NullArgumentsTest, CallsAnswerAsWindowsDoes)
{
    TempConfig config;
    TempConfig::writeFile(config.config() + "/windows/WIN.INI",
                          "[windows]\r\nload=\r\n[Desktop]\r\nWallpaper=(None)\r\n[intl]\r\niCountry=30\r\n");
    const Surfaces s;
    char list[64];
    struct Case {
        const char* call;
        std::function<long()> answer;
        long windows;
    };
    const Case cases[] = {
        {"GetClipRgn(new 1-bit DC, NULL)", [&] { return GetClipRgn(s.of(1), nullptr); }, 0},
        {"GetClipRgn(new 8-bit DC, NULL)", [&] { return GetClipRgn(s.of(8), nullptr); }, 0},
        {"GetClipRgn(new 32-bit DC, NULL)", [&] { return GetClipRgn(s.of(32), nullptr); }, 0},
        {"GetClipRgn(new 8-bit DC, stale)", [&] { return GetClipRgn(s.of(8), s.staleRgn()); }, 0},
        {"GetClipRgn(reset 1-bit DC, NULL)", [&] { return GetClipRgn(s.reset(1), nullptr); }, 0},
        {"GetClipRgn(reset 8-bit DC, NULL)", [&] { return GetClipRgn(s.reset(8), nullptr); }, 0},
        {"GetClipRgn(reset 32-bit DC, NULL)", [&] { return GetClipRgn(s.reset(32), nullptr); }, 0},
        {"GetClipRgn(reset 32-bit DC, stale)", [&] { return GetClipRgn(s.reset(32), s.staleRgn()); }, 0},
        {"GetClipRgn(clipped 1-bit DC, NULL)", [&] { return GetClipRgn(s.clipped(1), nullptr); }, -1},
        {"GetClipRgn(clipped 8-bit DC, NULL)", [&] { return GetClipRgn(s.clipped(8), nullptr); }, -1},
        {"GetClipRgn(clipped 32-bit DC, stale)", [&] { return GetClipRgn(s.clipped(32), s.staleRgn()); }, -1},
        {"GetClipRgn(clipped 32-bit DC, rgn)", [&] { return GetClipRgn(s.clipped(32), s.rgn()); }, 1},
        {"GetClipRgn(stale DC, rgn)", [&] { return GetClipRgn(s.staleDC(), s.rgn()); }, -1},
        {"GetPrivateProfileIntA(NULL, NULL, 70, NULL)",
         [] { return long(GetPrivateProfileIntA(nullptr, nullptr, 70, nullptr)); }, 0},
        {"GetPrivateProfileIntA(\"intl\", NULL, 70, NULL)",
         [] { return long(GetPrivateProfileIntA("intl", nullptr, 70, nullptr)); }, 0},
        {"GetPrivateProfileIntA(\"intl\", \"iCountry\", 70, NULL)",
         [] { return long(GetPrivateProfileIntA("intl", "iCountry", 70, nullptr)); }, 30},
        {"GetProfileIntA(NULL, NULL, 70)", [] { return long(GetProfileIntA(nullptr, nullptr, 70)); }, 0},
        {"GetPrivateProfileStringA(NULL, NULL, \"\", list, 64, NULL)",
         [&] { return long(GetPrivateProfileStringA(nullptr, nullptr, "", list, sizeof list, nullptr)); },
         21},  // "windows\0Desktop\0intl\0"
        {"WritePrivateProfileStringA(\"kelbo\", \"k\", \"5\", NULL), read back from WIN.INI",
         [] {
             return WritePrivateProfileStringA("kelbo", "k", "5", nullptr) ? long(GetProfileIntA("kelbo", "k", 0))
                                                                          : -1;
         },
         5},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.answer(), c.windows) << c.call;
}

}  // namespace
}  // namespace plat
