#include "foundation/JxMessageText.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "foundation/JxErrorHook.h"
#include "foundation/JxStringLoader.h"

namespace {

std::string fmt(const char* text, const JxMessageArg& a1 = {}, const JxMessageArg& a2 = {},
                const JxMessageArg& a3 = {}, const JxMessageArg& a4 = {}, const JxMessageArg& a5 = {})
{
    return std::string(FormatMessageArgs(text, a1, a2, a3, a4, a5).Text().View());
}

// Installs a string table for one test.
class WithStrings {
public:
    explicit WithStrings(std::map<unsigned, std::string> table)
    {
        previous_ = SetStringLoader([table](unsigned id, std::string& text) {
            auto it = table.find(id);
            if (it == table.end())
                return false;
            text = it->second;
            return true;
        });
    }
    ~WithStrings() { SetStringLoader(previous_); }

private:
    JxStringLoader previous_;
};

TEST(FormatMessageArgs, SequentialAndPositionalMarkers)
{
    EXPECT_EQ(fmt("Page %s of %s", 3, 9), "Page 3 of 9");
    EXPECT_EQ(fmt("%2 before %1", "a", "b"), "b before a");
    EXPECT_EQ(fmt("%1%1%s", "a", "b"), "aaa");  // positions do not advance the sequence
    EXPECT_EQ(fmt("%d-%x-%c-%G", "a", "b", "c", "d"), "a-b-c-d");
}

TEST(FormatMessageArgs, PercentSignsAndUnknownMarkers)
{
    EXPECT_EQ(fmt("100%%"), "100%");
    EXPECT_EQ(fmt("100%"), "100%");
    EXPECT_EQ(fmt("50%-"), "50%");
    EXPECT_EQ(fmt("a%qb"), "a%b");
    EXPECT_EQ(fmt("%"), "%");
}

TEST(FormatMessageArgs, WidthsNeverPad)
{
    EXPECT_EQ(fmt("%5d", "a", "b", "c", "d", "e"), "ed");
    EXPECT_EQ(fmt("%05d|%-10s|%.2f|%ld", "a", "b", "c", "d"), "a|b|c|d");
    EXPECT_EQ(fmt("[% d]", "x"), "[x]");
}

TEST(FormatMessageArgs, MissingArgumentsAreEmpty)
{
    EXPECT_EQ(fmt("<%s><%s>", "only"), "<only><>");
    EXPECT_EQ(fmt("<%9>"), "<>");
    EXPECT_EQ(std::string(FormatMessageArgs("%s%s%s%s%s%s%s%s%s[%s]", 1, 2, 3, 4, 5, 6, 7, 8, 9)
                              .Text()
                              .View()),
              "123456789[]");
    EXPECT_TRUE(FormatMessageArgs(nullptr, "x").Text().IsEmpty());
}

TEST(FormatMessageArgs, ResultHasNoLengthLimit)
{
    const std::string big(5000, 'z');
    EXPECT_EQ(fmt("<%s>", big.c_str()).size(), 5002u);
}

TEST(MessageText, NumbersBecomeText)
{
    auto s = [](const JxCString& x) { return std::string(x.View()); };
    EXPECT_EQ(s(MakeString(std::int16_t{-1})), "-1");
    EXPECT_EQ(s(MakeString(std::uint16_t{65535})), "65535");
    EXPECT_EQ(s(MakeString(4000000000UL)), "4000000000");
    EXPECT_EQ(s(MakeString(-7L)), "-7");
    EXPECT_EQ(s(MakeString(0.5)), "0.5");
    EXPECT_EQ(s(MakeString(0.25f)), "0.25");
    EXPECT_EQ(s(MakeString(1e20)), "1E+20");
    EXPECT_EQ(s(MakeString('q')), "q");
    EXPECT_EQ(s(MakeString(static_cast<unsigned char>('r'))), "r");
}

TEST(MessageText, StringFormatMayUseItsOwnText)
{
    JxCString s("<%s>");
    s.Format(s.GetText(), "in");
    EXPECT_EQ(std::string(s.View()), "<in>");
    s.Format("%s%s%s%s%s", 1, 2, 3, 4, 5);
    EXPECT_EQ(std::string(s.View()), "12345");
}

TEST(FormatResourceMessage, TextOfTheIdOrTheFallbacks)
{
    {
        WithStrings none({});
        EXPECT_EQ(std::string(FormatResourceMessage(4711).Text().View()),
                  "An unknown error (4711) has occured, or the correct error text cannot be displayed.");
    }
    {
        WithStrings table({{1136, "Unable to open file %s."}, {8106, "No text for message %u."}});
        EXPECT_EQ(std::string(FormatResource(1136, "a.def").Text().View()), "Unable to open file a.def.");
        EXPECT_EQ(std::string(FormatResource(4711, "ignored").Text().View()), "No text for message 4711.");
    }
}

TEST(ErrorHook, ReportsReachTheInstalledReporter)
{
    EXPECT_EQ(ReportError(1009, "x"), 0);  // nobody listening: dropped
    std::string seen;
    JxErrorReporter previous = SetErrorReporter([&](std::int32_t id, std::span<const JxMessageArg> args) {
        seen = std::to_string(id) + ":" + std::string(FormatMessageArgList("%s/%s", args).Text().View());
        return 4;
    });
    EXPECT_EQ(ReportError(1116, "a.def", 7), 4);
    EXPECT_EQ(seen, "1116:a.def/7");
    SetErrorReporter(previous);
}

}  // namespace
