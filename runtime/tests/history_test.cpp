#include <gtest/gtest.h>

#include <vector>

#include "runtime/JxCHistory.h"

namespace {

// Cross-references that record where they were asked to go and their end.
struct Journal {
    std::vector<int> wentTo;
    std::vector<int> deleted;
};

class TestXref : public JxCProductXref {
public:
    TestXref(int page, Journal& journal) : JxCProductXref(page), journal_(journal) {}
    ~TestXref() override { journal_.deleted.push_back(GetPageId()); }
    std::int16_t GoTo() override
    {
        journal_.wentTo.push_back(GetPageId());
        return 0;
    }

private:
    Journal& journal_;
};

class HistoryTest : public ::testing::Test {
protected:
    void visit(std::initializer_list<int> pages)
    {
        for (int page : pages) {
            auto* entry = new TestXref(page, journal);
            if (!history.Add(entry))
                delete entry;
        }
    }
    std::vector<int> pages()
    {
        std::vector<int> ids;
        for (auto* e = history.GetFirst(); e; e = history.GetNext(e))
            ids.push_back(static_cast<JxCProductXref*>(e)->GetPageId());
        return ids;
    }
    Journal journal;
    JxCHistory history;
};

TEST_F(HistoryTest, RepeatsOfTheNewestVisitAreNotRecorded)
{
    visit({1, 2, 2, 3});
    EXPECT_EQ(pages(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(journal.deleted, (std::vector<int>{2}));  // the refused one, by the caller
    visit({2, 3});
    EXPECT_EQ(pages(), (std::vector<int>{1, 2, 3, 2, 3}));
}

TEST_F(HistoryTest, KeepsTheLast32Visits)
{
    for (int page = 1; page <= 33; ++page)
        visit({page});
    const auto ids = pages();
    ASSERT_EQ(ids.size(), 32u);
    EXPECT_EQ(ids.front(), 2);
    EXPECT_EQ(ids.back(), 33);
    EXPECT_EQ(journal.deleted, (std::vector<int>{1}));
}

TEST_F(HistoryTest, GoingBackDropsTheShownPagesAndGoesToTheOneBefore)
{
    visit({1, 2, 3});
    EXPECT_EQ(history.GoBack(1), 1);
    EXPECT_EQ(journal.wentTo, (std::vector<int>{2}));
    EXPECT_EQ(pages(), (std::vector<int>{1}));
    EXPECT_EQ(journal.deleted, (std::vector<int>{2, 3}));

    visit({2, 3});
    EXPECT_EQ(history.GoBack(2), 1);
    EXPECT_EQ(journal.wentTo, (std::vector<int>{2, 1}));
    EXPECT_TRUE(pages().empty());
}

TEST_F(HistoryTest, TooShortAHistoryChangesNothing)
{
    visit({1});
    EXPECT_EQ(history.GoBack(1), 0);
    EXPECT_EQ(history.GoBack(0), 0);  // no entry to land on
    EXPECT_EQ(pages(), (std::vector<int>{1}));
    visit({2, 3});
    EXPECT_EQ(history.GoBack(3), 0);
    EXPECT_EQ(history.GoBack(-1), 1);  // like going back one
    EXPECT_EQ(journal.wentTo, (std::vector<int>{2}));
    EXPECT_TRUE(journal.deleted.size() == 2);
}

TEST_F(HistoryTest, TakingTheNewestOutHandsItOver)
{
    EXPECT_EQ(history.RemoveLast(), nullptr);
    visit({4, 5});
    JxCProductXref* last = history.RemoveLast();
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->GetPageId(), 5);
    EXPECT_EQ(history.GetLast()->GetPageId(), 4);
    delete last;
}

}  // namespace
