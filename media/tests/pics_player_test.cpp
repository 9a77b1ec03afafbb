#include <gtest/gtest.h>

#include "media/tests/pics_test_support.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using testkit::PicsFile;
using testkit::PicsFrame;

constexpr std::uint8_t kGround = 7;

// Pixels of a width x height frame: distinct per place, with every fifth
// one the transparent index.
Bytes FramePixels(int width, int height, int seed)
{
    Bytes p;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            p.push_back((x + y) % 5 == 0 ? 255 : std::uint8_t(10 + seed * 40 + y * width + x));
    return p;
}

class PicsFrameTest : public PicsTest {
protected:
    // Draws frame `index` of the file onto the slate (read as the first
    // frame, or after the frames before it) and checks every pixel of the
    // slate: the frame's pixels at its place, `under(x, y)` wherever the
    // frame leaves the slate alone or shows the background.
    template <class Under>
    void ExpectDrawn(JxCMemorySlate& slate, const Bytes& pixels, int left, int top, int width, int height,
                     Under under)
    {
        const JxCRect area = slate.GetState().deviceArea;
        for (int y = 0; y < area.bottom; ++y)
            for (int x = 0; x < area.right; ++x) {
                const int fx = x - left, fy = y - top;
                const bool inside = fx >= 0 && fy >= 0 && fx < width && fy < height;
                const std::uint8_t frame = inside ? pixels[std::size_t(fy * width + fx)] : 0;
                const std::uint8_t want = !inside ? under(x, y) : frame == 255 && transparentFrames ? under(x, y) : frame;
                ASSERT_EQ(Px(slate, x, y), want) << "at " << x << "," << y;
            }
    }

    bool transparentFrames = false;
};

TEST_F(PicsFrameTest, FramesOfOddAndPaddedWidthsLandExactlyOpaqueAndTransparent)
{
    // Width 7 is stored in 8-byte rows and decoded in one run; 10 is stored
    // in 10-byte rows and decoded into 12-byte rows, 2 bytes skipped per
    // row; 9 is both odd and padded.
    for (int width : {7, 10, 9}) {
        for (bool transparent : {false, true}) {
            SCOPED_TRACE(testing::Message() << "width " << width << (transparent ? " transparent" : " opaque"));
            const int height = 4;
            const Bytes first = FramePixels(width, height, 0), second = FramePixels(width, height, 1);
            PicsFile ani;
            ani.frame(PicsFrame::Of(2, 1, std::int16_t(width), height, first))
                .frame(PicsFrame::Of(3, 2, std::int16_t(width), height, second));
            auto ground = [](int x, int y) { return std::uint8_t(kGround + (x + 3 * y) % 3); };
            JxCMemorySlate slate(20, 9);
            Fill(slate, ground);
            transparentFrames = transparent;

            auto player = OpenBytes(ani.Bytes(), 1, 1, 2);
            ASSERT_TRUE(player) << status;
            player->transparent = transparent ? 1 : 0;
            // The first frame, held coded until drawn.
            ASSERT_EQ(DrawPICSFrame(player.get(), &slate), 0);
            ExpectDrawn(slate, first, 3, 3, width, height, ground);
            // The second, decoded as it is read, over what the slate shows.
            Fill(slate, ground);
            ASSERT_EQ(ReadFrame(player.get(), &slate, 0, 1, 2), 0);
            ASSERT_EQ(DrawPICSFrame(player.get(), &slate), 0);
            ExpectDrawn(slate, second, 4, 4, width, height, ground);
            EXPECT_EQ(GetPICSFrame(player.get()), 2u);
            EXPECT_EQ(player->framesRead, 2u);
        }
    }
}

TEST_F(PicsFrameTest, ATransparentFrameShowsItsBackgroundSourceWhereTheIndexIs)
{
    const Bytes pixels = FramePixels(6, 3, 2);
    PicsFile ani;
    ani.frame(PicsFrame::Of(0, 0, 6, 3, pixels)).frame(PicsFrame::Of(1, 1, 6, 3, pixels));
    JxCMemorySlate slate(10, 6);
    Fill(slate, [](int, int) { return kGround; });
    auto player = OpenBytes(ani.Bytes());
    ASSERT_TRUE(player);
    player->transparent = 1;
    std::vector<JxCRect> asked;
    player->background = [&asked](JxCSlate& frame) {
        asked.push_back(frame.GetArea());
        frame.DrawRectangle(frame.GetArea(), JxCRGB(0, 0, 0));
    };
    ASSERT_EQ(ReadFrame(player.get(), &slate, 1, 0, 0), 0);
    ASSERT_EQ(DrawPICSFrame(player.get(), &slate), 0);
    ASSERT_EQ(ReadFrame(player.get(), &slate, 0, 2, 0), 0);
    ASSERT_EQ(DrawPICSFrame(player.get(), &slate), 0);
    // The background drew into each frame's place on the target.
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0], JxCRect(0, 0, 6, 3));
    EXPECT_EQ(asked[1], JxCRect(3, 1, 9, 4));
    const std::uint8_t black = Px(slate, 3, 1);  // (0, 0) of the second frame is transparent
    EXPECT_NE(black, kGround);
    transparentFrames = true;
    ExpectDrawn(slate, pixels, 3, 1, 6, 3, [&](int x, int y) {
        return x >= 3 && x < 9 && y >= 1 && y < 4 ? black : Px(slate, x, y);
    });
}

TEST_F(PicsFrameTest, AFramePartlyOffTheSlateIsClippedToIt)
{
    const Bytes pixels = FramePixels(10, 5, 3);
    PicsFile ani;
    ani.frame(PicsFrame::Of(-4, -2, 10, 5, pixels)).frame(PicsFrame::Of(3, 3, 10, 5, pixels));
    for (bool transparent : {false, true}) {
        SCOPED_TRACE(transparent ? "transparent" : "opaque");
        JxCMemorySlate slate(8, 5);
        auto ground = [](int x, int y) { return std::uint8_t(kGround + x + y); };
        Fill(slate, ground);
        transparentFrames = transparent;
        auto player = OpenBytes(ani.Bytes());
        ASSERT_TRUE(player);
        player->transparent = transparent ? 1 : 0;
        ASSERT_EQ(ReadFrame(player.get(), &slate, 1, 0, 0), 0);
        ASSERT_EQ(DrawPICSFrame(player.get(), &slate), 0);
        ExpectDrawn(slate, pixels, -4, -2, 10, 5, ground);
        Fill(slate, ground);
        ASSERT_EQ(ReadFrame(player.get(), &slate, 0, 0, 0), 0);
        ASSERT_EQ(DrawPICSFrame(player.get(), &slate), 0);
        ExpectDrawn(slate, pixels, 3, 3, 10, 5, ground);
    }
}

TEST_F(PicsFrameTest, AChunkWithoutPictureDrawsNothingSkipsItsBytesAndCountsAsRead)
{
    const Bytes pixels = FramePixels(4, 2, 1);
    PicsFrame empty;
    empty.sound = Bytes(5, 0x80);
    // Picture bytes that no picture owns: passed over, not drawn.
    empty.code = Bytes{0x83, 1, 2, 3};
    PicsFile ani;
    ani.frame(PicsFrame::Of(0, 0, 4, 2, pixels)).frame(empty).frame(PicsFrame::Of(1, 1, 4, 2, pixels));
    JxCMemorySlate slate(6, 4);
    Fill(slate, [](int, int) { return kGround; });
    auto player = OpenBytes(ani.Bytes(), 1);
    ASSERT_TRUE(player);
    ASSERT_EQ(ReadFrame(player.get(), &slate, 0, 0, 0), 0);
    EXPECT_EQ(player->framesRead, 2u);
    ASSERT_EQ(DrawPICSFrame(player.get(), &slate), 0);
    ExpectDrawn(slate, pixels, 0, 0, 0, 0, [](int, int) { return kGround; });
    EXPECT_EQ(GetPICSFrame(player.get()), 1u);
    ASSERT_EQ(QueuedSlices(*player).size(), 1u);
    EXPECT_EQ(QueuedSlices(*player)[0], Bytes(5, 0x80));
    // The stream stayed in step: the third chunk reads and draws.
    ASSERT_EQ(ReadFrame(player.get(), &slate, 0, 0, 0), 0);
    ASSERT_EQ(DrawPICSFrame(player.get(), &slate), 0);
    ExpectDrawn(slate, pixels, 1, 1, 4, 2, [](int, int) { return kGround; });
}

TEST_F(PicsTest, HeaderAndChunkChecksGiveTheirCodes)
{
    const Bytes pixels = FramePixels(4, 2, 0);
    EXPECT_FALSE(OpenBytes(PicsFile().version(2).frame(PicsFrame::Of(0, 0, 4, 2, pixels)).Bytes()));
    EXPECT_EQ(status, kPicsBadVersion);
    EXPECT_FALSE(OpenBytes(PicsFile().Truncated(9)));
    EXPECT_EQ(status, kPicsCannotOpen);

    PicsFrame wrongType = PicsFrame::Of(0, 0, 4, 2, pixels);
    wrongType.type = 2;
    const Bytes bad = PicsFile().frame(wrongType).Bytes();
    EXPECT_FALSE(OpenBytes(bad, 1));
    EXPECT_EQ(status, kPicsBadChunk);
    auto player = OpenBytes(bad);
    ASSERT_TRUE(player);
    EXPECT_EQ(ReadFrame(player.get(), nullptr, 1, 0, 0), kPicsBadChunk);

    plat::InjectWaveOutResult(plat::WaveOutCall::Open, plat::WAVERR_BADFORMAT);
    EXPECT_FALSE(OpenBytes(PicsFile().frame(PicsFrame::Of(0, 0, 4, 2, pixels)).Bytes()));
    EXPECT_EQ(status, kPicsFormatRefused);
    // A format the devices do not know at all.
    Bytes unknown = testkit::PcmFormat();
    unknown[0] = 0x55;
    EXPECT_FALSE(OpenBytes(PicsFile().format(unknown).frame(PicsFrame::Of(0, 0, 4, 2, pixels)).Bytes()));
    EXPECT_EQ(status, kPicsFormatRefused);

    EXPECT_EQ(ReadFrame(nullptr, nullptr, 1, 0, 0), kPicsFailed);
    EXPECT_EQ(DrawPICSFrame(nullptr, nullptr), kPicsFailed);
    EXPECT_EQ(GetPICSFrame(nullptr), 0u);
    EXPECT_EQ(GetPICSState(nullptr), 0);
}

TEST_F(PicsTest, TheLeadInIsQueuedAtOpenInARingOfItsSizePlusTwo)
{
    const Bytes pixels = FramePixels(4, 2, 0);
    auto player = OpenBytes(PicsFile().frame(PicsFrame::Of(0, 0, 4, 2, pixels)).Bytes());
    ASSERT_TRUE(player);
    EXPECT_EQ(player->sound->GetBufferCount(), 2);
    EXPECT_TRUE(QueuedSlices(*player).empty());

    PicsFile ani;
    ani.leadIn(2, 0, Bytes(4, 9)).frame(PicsFrame::Of(0, 0, 4, 2, pixels));
    player = OpenBytes(ani.Bytes());
    ASSERT_TRUE(player);
    EXPECT_EQ(player->sound->GetBufferCount(), 2);

    PicsFile sounding;
    sounding.leadIn(2, 3, Bytes(4, 9))
        .frame(PicsFrame::Of(0, 0, 4, 2, pixels, Bytes(2, 5)))
        .frame(PicsFrame::Of(0, 0, 4, 2, pixels));
    player = OpenBytes(sounding.Bytes(), 1);
    ASSERT_TRUE(player);
    EXPECT_EQ(player->sound->GetBufferCount(), 8);
    const auto slices = QueuedSlices(*player);
    ASSERT_EQ(slices.size(), 7u);
    EXPECT_EQ(slices[5], Bytes(4, 9));
    EXPECT_EQ(slices[6], Bytes(2, 5));
    EXPECT_EQ(GetPICSFrameCount(player.get()), 2u);
    EXPECT_EQ(GetPICSState(player.get()), kPicsOpen);
    EXPECT_EQ(player->preloaded, 1);
    EXPECT_EQ(player->framesRead, 1u);
    EXPECT_EQ(player->leadInFactor, 2u);
    ClosePICS(player);
    EXPECT_FALSE(player);

    // Picture bytes claimed by a lead-in chunk are passed over.
    PicsFrame slice;
    slice.sound = Bytes(3, 4);
    slice.code = Bytes{0x82, 1, 2};
    PicsFile withCode;
    withCode.leadIn(0, 0, {}).leadInChunk(slice).frame(PicsFrame::Of(0, 0, 4, 2, pixels));
    withCode.claimLeadIn(1, 1);
    EXPECT_TRUE(OpenBytes(withCode.Bytes(), 1)) << status;
}

// Every size the file gives is held to what the file holds: each of these
// fails with 5, without a read outside the bytes or a large allocation.
TEST_F(PicsTest, DamagedFilesFailWithStatusFive)
{
    const Bytes pixels = FramePixels(6, 4, 0);
    auto frameWith = [&](auto change) {
        PicsFrame f = PicsFrame::Of(1, 1, 6, 4, pixels, Bytes(8, 3));
        // The true code and decoded size whatever the change.
        f.code = testkit::EncodePicsFrame(f);
        f.decodedSize = 4 * 8;
        change(f);
        return PicsFile().frame(f).Bytes();
    };
    Bytes cbSizeTooLarge = testkit::PcmFormat();
    cbSizeTooLarge[16] = 1;
    const std::vector<std::pair<const char*, Bytes>> atOpen = {
        {"frame count past the end", PicsFile().claimFrameCount(1000).frame(PicsFrame::Of(0, 0, 6, 4, pixels)).Bytes()},
        {"frame count at the top", PicsFile().claimFrameCount(0xFFFFFFFF).Bytes()},
        {"lead-in past the end", PicsFile().leadIn(1, 1, {}).claimLeadIn(0xFFFF, 0xFFFF).Bytes()},
        {"format too short", PicsFile().format(Bytes(15, 0)).Bytes()},
        {"format too long", PicsFile().format(Bytes(1025, 0)).Bytes()},
        {"format longer than the file", PicsFile().claimFormatLength(900).Bytes()},
        {"format length at the top", PicsFile().claimFormatLength(0xFFFFFFFF).Bytes()},
        {"extra bytes outside the format", PicsFile().format(cbSizeTooLarge).Bytes()},
    };
    for (const auto& [what, bytes] : atOpen) {
        EXPECT_FALSE(OpenBytes(bytes)) << what;
        EXPECT_EQ(status, kPicsReadFailed) << what;
    }
    const std::vector<std::pair<const char*, Bytes>> atFrame = {
        {"sound past the end", frameWith([](PicsFrame& f) { f.soundSize = 0xFFFFFFF0; })},
        {"code past the end", frameWith([](PicsFrame& f) { f.codedSize = 0x7FFFFFFF; })},
        {"right not past left", frameWith([](PicsFrame& f) { f.right = f.left; })},
        {"bottom above top", frameWith([](PicsFrame& f) { f.bottom = std::int16_t(f.top - 1); })},
        {"decoded size not rows x row width", frameWith([](PicsFrame& f) { f.decodedSize = 6 * 4; })},
        {"a huge rectangle", frameWith([](PicsFrame& f) {
             f.left = -32768;
             f.top = -32768;
             f.right = 32767;
             f.bottom = 32767;
             f.decodedSize = 0xFFFFFFFF;
         })},
        {"more picture than the code can give", frameWith([](PicsFrame& f) {
             f.bottom = 20000;
             f.decodedSize = std::uint32_t(19999) * 8;
         })},
    };
    for (const auto& [what, bytes] : atFrame) {
        EXPECT_FALSE(OpenBytes(bytes, 1)) << what;
        EXPECT_EQ(status, kPicsReadFailed) << what;
        auto player = OpenBytes(bytes);
        ASSERT_TRUE(player) << what;
        EXPECT_EQ(ReadFrame(player.get(), nullptr, 0, 0, 0), kPicsReadFailed) << what;
    }
}

TEST_F(PicsFrameTest, AFileCutAnywhereFailsCleanly)
{
    PicsFile ani;
    ani.leadIn(1, 2, Bytes(6, 2));
    for (int i = 0; i < 3; ++i)
        ani.frame(PicsFrame::Of(std::int16_t(i), 0, 5, 3, FramePixels(5, 3, i), Bytes(4, std::uint8_t(i))));
    const Bytes whole = ani.Bytes();
    JxCMemorySlate slate(8, 4);
    for (std::size_t n = 0; n < whole.size(); ++n) {
        auto player = OpenBytes(ani.Truncated(n), 1);
        if (!player) {
            EXPECT_TRUE(status == kPicsCannotOpen || status == kPicsReadFailed) << n << ": " << status;
            continue;
        }
        std::int16_t last = DrawPICSFrame(player.get(), &slate);
        while (last == 0 && player->framesRead < player->frameCount) {
            last = ReadFrame(player.get(), &slate, 0, 0, 0);
            if (last == 0)
                DrawPICSFrame(player.get(), &slate);
        }
        EXPECT_EQ(last, kPicsReadFailed) << n;
    }
}

}  // namespace
