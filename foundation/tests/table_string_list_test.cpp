#include "foundation/JxCTableStringList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/JxErrorHook.h"

namespace {

std::string str(const JxCTableString& s)
{
    return std::string(s.View());
}

// Collects the ids reported while it lives.
class ReportLog {
public:
    ReportLog()
    {
        previous_ = SetErrorReporter([this](std::int32_t id, std::span<const JxMessageArg> args) {
            ids.push_back(id);
            texts.push_back(args.empty() ? std::string() : str(args[0].Text()));
            return 0;
        });
    }
    ~ReportLog() { SetErrorReporter(previous_); }
    std::vector<std::int32_t> ids;
    std::vector<std::string> texts;

private:
    JxErrorReporter previous_;
};

TEST(TableStringList, BuildsFindsAndWalks)
{
    ReportLog log;
    JxCTableStringList list;
    list.add("alpha");
    JxCBaseString* beta = list.add("Beta");
    list.add("gamma");
    std::int32_t index = 99;
    JxCTableString found = list.Find("BETA", index);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(found.GetText(), beta->GetText());  // a view of the stored copy
    EXPECT_TRUE(list.Find("delta", index).IsEmpty());
    EXPECT_EQ(index, -1);

    std::vector<std::string> forward;
    for (JxCTableString t = list.GetFirstText(); !t.IsEmpty(); t = list.GetNextText(t))
        forward.push_back(str(t));
    EXPECT_EQ(forward, (std::vector<std::string>{"alpha", "Beta", "gamma"}));
    EXPECT_EQ(str(list.GetPrevText(JxCTableString("GAMMA"))), "Beta");
    EXPECT_TRUE(list.GetPrevText(JxCTableString("alpha")).IsEmpty());
    EXPECT_TRUE(list.GetNextText(JxCTableString("nowhere")).IsEmpty());
    EXPECT_EQ(str(list.GetAt(2)), "gamma");
    EXPECT_TRUE(list.GetAt(3).IsEmpty());
    EXPECT_TRUE(list.GetAt(-1).IsEmpty());
    EXPECT_TRUE(log.ids.empty());
}

TEST(TableStringList, RemovingTheItemLastHandedOutIsSafe)
{
    JxCTableStringList list;
    list.add("one");
    JxCBaseString* two = list.add("two");
    list.add("three");
    JxCTableString t = list.GetFirstText();
    t = list.GetNextText(t);  // "two" handed out
    EXPECT_EQ(str(t), "two");
    EXPECT_EQ(list.Remove(two), 1);
    EXPECT_EQ(list.Remove(two), 0);
    EXPECT_EQ(str(list.GetNextText(JxCTableString("one"))), "three");
    EXPECT_TRUE(JxCTableStringList().GetFirstText().IsEmpty());
}

TEST(TableStringList, FrozenTableAnswersFromTheRecordsAndReportsChanges)
{
    ReportLog log;
    const char block[] = "zero\0one\0two";
    const JxCTableString records[] = {JxCTableString(block), JxCTableString(block + 5),
                                      JxCTableString(block + 9)};
    JxCTableStringList list;
    list.add("built");
    list.Freeze(records, 3);
    EXPECT_EQ(list.GetFirstText().GetText(), block);
    EXPECT_EQ(list.GetNextText(records[0]).GetText(), block + 5);
    EXPECT_EQ(list.GetNextText(JxCTableString("ONE")).GetText(), block + 9);
    EXPECT_TRUE(list.GetNextText(records[2]).IsEmpty());
    EXPECT_EQ(list.GetPrevText(records[1]).GetText(), block);
    EXPECT_TRUE(list.GetPrevText(records[0]).IsEmpty());
    EXPECT_TRUE(list.GetPrevText(JxCTableString("none")).IsEmpty());
    EXPECT_EQ(str(list.GetAt(2)), "two");
    EXPECT_TRUE(list.GetAt(3).IsEmpty());
    EXPECT_TRUE(log.ids.empty());

    std::int32_t index = 0;
    list.add("late");
    list.Find("late", index);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(log.ids, (std::vector<std::int32_t>{1068, 1068}));
    EXPECT_EQ(log.texts[0], "JxCTableString::add");
}

}  // namespace
