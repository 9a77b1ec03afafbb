#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "foundation/JxCErrorObject.h"
#include "foundation/JxErrorLog.h"
#include "foundation/tests/reporting_fixture.h"
#include "platform/ui/responder.h"
#include "platform/window/messages.h"
#include "platform/window/window.h"

namespace {

constexpr unsigned kBoxFlags = 0x30 | 0x2000;  // exclamation, task-modal

class ErrorReportTest : public ReportingTest {
protected:
    void SetUp() override
    {
        ReportingTest::SetUp();
        programStrings(
            "1\tkelbo32.ini\n4\tKelbo Test\n1002\tNo memory for %s.\n1063\tOut of memory.\n"
            "2000\tFile %s is damaged.\n2001\t%2 before %1\n2002\tNothing to say.\n");
    }
    // Settings with the log on, the log file beside the program.
    void logOn(const std::string& extra = "")
    {
        iniFile("[Directory]\nLogErrors=1\nLogFile=" + programFolder() + "error.log\n" + extra);
        ReadSettings();
    }
    std::string log() const { return hostFile("error.log"); }
};

TEST_F(ErrorReportTest, QuietReportsGoToTheLogOneLineEachAndShowNothing)
{
    plat::testing::TempConfig::writeFile(config.program() + "/error.log", "left from the last run\r\n");
    logOn();
    EXPECT_EQ(log(), "");  // start-up empties the log
    EXPECT_EQ(OhNoItsAnError(2000, "a.bmp"), 0);
    EXPECT_EQ(OhNoItsAnError(2001, "a", "b"), 0);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(log(), "File a.bmp is damaged.\r\nb before a\r\n");
}

TEST_F(ErrorReportTest, DeveloperModePrefixesQuietReportsWithTheirId)
{
    logOn("Developer=1\n");
    OhNoItsAnError(2001, "a", "b");
    // The prefix does not shift the text's numbered markers.
    EXPECT_EQ(log(), "[2001]: b before a\r\n");
}

TEST_F(ErrorReportTest, WithoutTheLogQuietReportsShowNothingExceptOutOfMemory)
{
    iniFile("[Directory]\n");
    ReadSettings();
    EXPECT_EQ(OhNoItsAnError(2000, "a.bmp"), 0);
    EXPECT_TRUE(boxes.empty());

    answers = {1};
    EXPECT_EQ(OhNoItsAnError(1002, "x"), 1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "[1063]: Out of memory.");
}

TEST_F(ErrorReportTest, ReportsBeforeTheProgramStartedAreDropped)
{
    ResetErrorReporting();
    EXPECT_EQ(OhNoItsAnError(4711), 0);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ErrorReportTest, AMissingTextShowsItsIdInAnOkBoxFromEveryReporter)
{
    answers = {1, 1};
    EXPECT_EQ(OhNoItsAnError(4711, "ignored"), 1);
    EXPECT_EQ(ReportErrorAbortRetryIgnore(4712), 1);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "Unable to load error message. (id = 4711)\n");
    EXPECT_EQ(boxes[0].style, kBoxFlags);
    EXPECT_EQ(boxes[1].text, "Unable to load error message. (id = 4712)\n");
    EXPECT_EQ(boxes[1].style, kBoxFlags);  // no Abort, Retry, Ignore without a text
}

TEST_F(ErrorReportTest, VisibleReportsCarryTheIdPrefixTheTitleAndTheirButtons)
{
    answers = {4, 6, 2, 1};
    EXPECT_EQ(ReportErrorAbortRetryIgnore(2000, "a.bmp"), 4);
    EXPECT_EQ(ReportErrorYesNo(2002), 6);
    EXPECT_EQ(ReportErrorRetryCancel(2002), 2);
    EXPECT_EQ(ReportErrorOk(2002), 1);
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[0].text, "[2000]: File a.bmp is damaged.");
    EXPECT_EQ(boxes[0].caption, "Kelbo Test");
    EXPECT_EQ(boxes[0].style, 0x102u | kBoxFlags);
    EXPECT_EQ(boxes[1].style, 0x4u | kBoxFlags);
    EXPECT_EQ(boxes[2].style, 0x5u | kBoxFlags);
    EXPECT_EQ(boxes[3].style, 0x0u | kBoxFlags);
}

TEST_F(ErrorReportTest, VisibleReportsAreLoggedToo)
{
    logOn();
    answers = {1, 1};
    ReportErrorOk(2000, "a.bmp");
    ReportErrorOk(4711);
    // A message of an id without text ends in its own line break.
    EXPECT_EQ(log(), "[2000]: File a.bmp is damaged.\r\nUnable to load error message. (id = 4711)\r\n\r\n");
}

TEST_F(ErrorReportTest, AbortThenNoShowsTheBoxAgainAndAbortThenYesEndsTheProcess)
{
    answers = {3, 7, 3, 6};
    try {
        ReportErrorAbortRetryIgnore(2000, "a.bmp");
        FAIL() << "the process should have ended";
    } catch (const ProcessEnded& e) {
        EXPECT_EQ(e.code, 0);
    }
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[1].text, "Are you sure you want to quit?");
    EXPECT_EQ(boxes[1].style, 0x2034u);
    EXPECT_EQ(boxes[2].text, boxes[0].text);
    EXPECT_EQ(boxes[3].text, "Are you sure you want to quit?");
}

// The quit question ended unanswered by the program's end (the host closed
// it meanwhile): that is no Yes, which would end the process at once
// without the end's save; the quit goes on to the program's loop.
TEST_F(ErrorReportTest, AQuitQuestionThatGaveWayUnansweredEndsNothingAtOnce)
{
    plat::SetResponder([this](const plat::UiRequest& r) -> std::optional<int> {
        boxes.push_back(r);
        if (boxes.size() == 1)
            return kAnswerAbort;
        plat::PostQuitMessage(0);
        return plat::kAnswerByInput;
    });
    EXPECT_EQ(ReportErrorAbortRetryIgnore(2000, "a.bmp"), 0);
    EXPECT_EQ(boxes.size(), 2u);
    plat::MSG quit;
    EXPECT_TRUE(plat::PeekMessageA(&quit, nullptr, plat::WM_QUIT, plat::WM_QUIT, plat::PM_REMOVE));
}

TEST_F(ErrorReportTest, TheLibrarysQuitQuestionStaysOnceLoaded)
{
    programStrings("2002\tNothing to say.\n1064\tQuit now?\n");
    answers = {3, 7, 4};
    EXPECT_EQ(ReportErrorAbortRetryIgnore(2002), 4);
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[1].text, "[1064]: Quit now?");
    EXPECT_EQ(std::string(QuitQuestionText().View()), "Quit now?");
}

TEST_F(ErrorReportTest, TheFoundationsReportsReachTheQuietReporter)
{
    programStrings("1\tkelbo32.ini\n1116\tInteger expected in file '%s', line %d\n");
    logOn();
    EXPECT_EQ(ReportError(1116, "a.def", 7), 0);
    EXPECT_EQ(log(), "Integer expected in file 'a.def', line 7\r\n");
}

TEST_F(ErrorReportTest, AnUnformattableTextIsShownAsItStands)
{
    // A library text with more markers than arguments, or stray percent signs.
    programStrings("2003\t%s %d %s %% %\n");
    answers = {1};
    ReportErrorOk(2003, "only");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "[2003]: only   % %");
}

TEST_F(ErrorReportTest, StringIdChoicesAndStandardErrors)
{
    programStrings("2004\tPlain %s text\n1090\tNo sound device.\n");
    answers = {1, 1};
    ReportStringIdChoice(2004, 0);
    ReportStringIdChoice(4711, 0);  // no text: nothing
    EXPECT_EQ(ReportStandardError(5), 1);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "Plain %s text");
    EXPECT_EQ(boxes[1].text, "[1090]: No sound device.");
    EXPECT_EQ(ErrorCodeToMessageId(2), 1066u);
    EXPECT_EQ(ErrorCodeToMessageId(3), 1066u);
    EXPECT_EQ(ErrorCodeToMessageId(101), 1075u);
    EXPECT_EQ(ErrorCodeToMessageId(102), 1078u);
    EXPECT_EQ(ErrorCodeToMessageId(103), 1077u);
    EXPECT_EQ(ErrorCodeToMessageId(104), 1076u);
    EXPECT_EQ(ErrorCodeToMessageId(100), 0u);
}

TEST_F(ErrorReportTest, DeferredReportsKeepTheirFirst255BytesUntilCleared)
{
    QueueError(7, std::string(300, 'x').c_str());
    QueueError(8, "short");
    JxCErrorObjectList& list = GetErrorObjectList();
    ASSERT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.First()->GetText().GetLength(), 255u);
    EXPECT_EQ(list.Next(list.First())->GetId(), 8);
    EXPECT_EQ(ClearDeferredErrors(), 1);
    EXPECT_EQ(list.GetCount(), 0);
}

TEST_F(ErrorReportTest, TheLogIsLeftAloneWhileLoggingIsOff)
{
    iniFile("[Directory]\nLogFile=" + programFolder() + "error.log\n");
    ReadSettings();
    AppendToErrorLog("nothing");
    EXPECT_FALSE(std::filesystem::exists(config.program() + "/error.log"));
}

}  // namespace
