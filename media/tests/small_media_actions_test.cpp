// The sound and movie stops and seeks: each binds to the shared media of
// its name (a stop whose media cannot be had fails its read), pauses only
// what plays, seeks back to a position, and leaves the media when it goes.

#include "foundation/JxCInStrStream.h"
#include "media/JxCQT3Resource.h"
#include "media/JxCSoundResource.h"
#include "media/JxSmallMediaActions.h"
#include "media/tests/movie_fixture.h"
#include "runtime/JxClassFactories.h"
#include "testkit/big_endian.h"
#include "testkit/wave.h"

namespace media_test {
namespace {

class SmallMediaActionsTest : public MovieTest {
protected:
    void SetUp() override
    {
        MovieTest::SetUp();
        auto def = std::make_unique<JxCProductDef>();
        def->SetDataPath("E:");
        product().SetProductDef(std::move(def));
        writeSound("BEEP.wav", testkit::EncodeWave(testkit::Pcm16Sound(testkit::RampSamples(22050))));
        RegisterResourceClass(JxResourceKind::Sound, MakeInstance<JxCResourceObject, JxCSoundResource>);
        RegisterResourceClass(JxResourceKind::Movie, MakeInstance<JxCResourceObject, JxCQT3Resource>);
    }
    void TearDown() override
    {
        EmptyResourceList();
        UnregisterFactoryClasses();
        MovieTest::TearDown();
    }
    template <class Action>
    std::int16_t read(Action& action, const std::vector<std::uint8_t>& record)
    {
        JxCInStrStream in(JxMemoryBlock{record.data(), std::uint32_t(record.size())});
        return action.Read(in, owner);
    }
    // A stop-sound record naming the text through the product's table.
    std::vector<std::uint8_t> soundRecord(const char* name)
    {
        product().InternString(name);
        std::vector<std::uint8_t> r;
        testkit::PutBigEndian16(r, std::uint16_t(product().GetTableStringCount()));
        return r;
    }
};

TEST_F(SmallMediaActionsTest, StopSoundPausesOnlyAPlayingSoundAndSeekSoundRewindsIt)
{
    JxCStopSoundAction stop;
    ASSERT_EQ(read(stop, soundRecord("BEEP")), 1);
    JxCSoundResource* sound = stop.GetSound();
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(stop.GetOwner(), owner);
    EXPECT_EQ(stop.Execute(), 0) << "nothing plays";

    JxCSeekSoundAction seek;
    ASSERT_EQ(seek.Setup(JxCString("beep"), 0, owner), 1);
    EXPECT_EQ(seek.GetResource(), sound) << "one media for the name, whatever its case";
    EXPECT_EQ(GetResourceList().GetCount(), 1);

    ASSERT_TRUE(sound->Play(&action));
    harness.runFor(100);
    EXPECT_EQ(stop.Execute(), 1);
    EXPECT_TRUE(sound->IsPaused());
    sound->SetParameterWords(7, 8, 9);
    EXPECT_EQ(seek.Execute(), 1);
    EXPECT_TRUE(sound->IsStopped());
    // The sound is told the position and the action's length (none).
    EXPECT_EQ(sound->GetParameterWord(0), 0);
    EXPECT_EQ(sound->GetParameterWord(1), 0);
    EXPECT_EQ(sound->GetParameterWord(2), 9);
    {
        JxCSeekSoundAction further;
        ASSERT_EQ(further.Setup(JxCString("BEEP"), 250, owner), 1);
        EXPECT_EQ(further.Execute(), 1);
        EXPECT_EQ(sound->GetParameterWord(0), 250);
    }

    // A copy joins the media; the media goes with the last action.
    {
        JxCStopSoundAction copy(stop);
        EXPECT_EQ(copy.GetResource(), sound);
        EXPECT_EQ(sound->CountActions(), 3);
    }
    EXPECT_EQ(sound->CountActions(), 2);
}

TEST(SmallMediaActionTypes, SoundActionsCarryTheirOwnTypesAndMovieActionsTheBases)
{
    using K = JxActionKeyword;
    EXPECT_EQ(JxCStopSoundAction().GetType(), ActionTypeId(K::STOPWAVE));
    EXPECT_EQ(JxCSeekSoundAction().GetType(), ActionTypeId(K::SEEKWAVE));
    EXPECT_EQ(JxCBaseStopVideoAction().GetType(), ActionTypeId(K::NULL_ACT));
    EXPECT_EQ(JxCBaseSeekVideoAction().GetType(), ActionTypeId(K::NULL_ACT));
}

TEST_F(SmallMediaActionsTest, AStopWithoutMediaFailsItsReadAndASeekWithoutMediaDoesNothing)
{
    JxCStopSoundAction stop;
    std::vector<std::uint8_t> none;
    testkit::PutBigEndian16(none, 0);
    EXPECT_EQ(read(stop, none), 0) << "no name";
    EXPECT_EQ(read(stop, {0x00}), 0) << "a cut record";
    EXPECT_EQ(stop.Execute(), 0);
    JxCSeekSoundAction seek;
    EXPECT_EQ(seek.Execute(), 1);
    JxCBaseSeekVideoAction seekVideo;
    EXPECT_EQ(seekVideo.Execute(), 0);
    JxCBaseStopVideoAction stopVideo;
    EXPECT_EQ(stopVideo.Execute(), 0);
    EXPECT_EQ(GetResourceList().GetCount(), 0);
}

TEST_F(SmallMediaActionsTest, StopVideoPausesTheMovieAndSeekVideoPlaysOnFromThePositionToTheEnd)
{
    JxCBaseStopVideoAction stop;
    std::vector<std::uint8_t> record;
    testkit::PutBigEndian16(record, 4);
    for (char c : std::string("FIVE"))
        record.push_back(std::uint8_t(c));
    ASSERT_EQ(read(stop, record), 1);
    auto* movie = dynamic_cast<JxCQT3Resource*>(stop.GetResource());
    ASSERT_NE(movie, nullptr);
    ASSERT_TRUE(movie->Play(&action));
    harness.runFor(150);
    EXPECT_EQ(stop.Execute(), 1);
    EXPECT_TRUE(movie->IsPaused());

    JxCBaseSeekVideoAction seek;
    ASSERT_EQ(seek.Setup(JxCString("FIVE"), -3, owner), 1);
    EXPECT_EQ(seek.GetResource(), movie);
    EXPECT_EQ(seek.Execute(), 1);
    EXPECT_EQ(movie->GetStartTime(), 0) << "a negative position is the start";
    EXPECT_EQ(movie->GetEndTime(), 5 * kMovieFrame) << "to the end of its five frames";
    EXPECT_FALSE(movie->IsPlaying());
    EXPECT_EQ(movie->GetCurrentTime(), 0);
}

}  // namespace
}  // namespace media_test
