// The sample title walked by its own links, as the sample-title tool writes
// it, headless on the virtual clock: the login leads on to the welcome
// page; then every start page, and every page the walk reaches, is shown in
// the main window and each of its links clicked in turn (an object whose
// click changes, opens, closes or goes back through pages). A page none of
// whose links leads to another page is a dead end, and from every page the
// links must lead back to the welcome page.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "runtime/JxCPanelObject.h"
#include "runtime/JxCProductDef.h"
#include "runtime/JxKeywordTables.h"
#include "tests/sample_run_fixture.h"

namespace {

using namespace testkit;

using PageId = std::int32_t;

class SampleWalkTest : public SampleRunTest {
protected:
    static PageId firstPageId()
    {
        JxCPageObject* first = GetProduct() ? GetProduct()->GetFirstPage() : nullptr;
        return first ? first->GetPageId() : -1;
    }

    // The program has settled and the user has looked for a moment: no
    // action waits or plays, no page change runs.
    bool settled()
    {
        JxCBaseProduct* product = GetProduct();
        const bool calm = product && !product->GetBusyBits() && !product->IsChangingPage() &&
                          product->CountPendingActions() == 0 && !IsAnyResourcePlaying();
        if (!calm)
            unsettledAt_ = harness->now();
        return calm && harness->now() - unsettledAt_ >= kLook;
    }

    // Whether the object's click moves through the pages.
    static bool isLink(JxCDisplayObject& object)
    {
        const JxActionKeyword moves[] = {JxActionKeyword::CHANGEPAGE, JxActionKeyword::OPENPAGE,
                                         JxActionKeyword::BACKPAGE,   JxActionKeyword::Closepage,
                                         JxActionKeyword::NavAct,     JxActionKeyword::AppendPageAction};
        const auto click = std::int16_t(EventId(JxEventKeyword::on_click));
        JxCEventHandlerList& handlers = object.GetEventHandlers();
        for (JxCEventHandler* h = handlers.GetFirst(); h; h = handlers.GetNext(h)) {
            JxCActionList* actions = h->GetActions();
            if (h->GetEvent() != click || !actions)
                continue;
            for (JxCAction* a = actions->GetFirst(); a; a = actions->GetNext(a))
                for (JxActionKeyword move : moves)
                    if (a->GetType() == ActionTypeId(move))
                        return true;
        }
        return false;
    }

    // The links of the main window's page: the middle of each, in the main
    // window's client area.
    static std::vector<plat::POINT> linksShown()
    {
        std::vector<plat::POINT> links;
        JxCPanelObjectList& panels = GetProduct()->GetFirstPage()->GetPageDef()->GetPanelList();
        for (JxCPanelObject* panel = panels.GetFirst(); panel; panel = panels.GetNext(panel)) {
            JxCDisplayObjectList& objects = panel->GetDisplayObjects();
            for (JxCDisplayObject* o = objects.GetFirst(); o; o = objects.GetNext(o)) {
                if (!isLink(*o))
                    continue;
                const JxCRect r = o->GetRect();
                const JxCRect p = panel->GetRect();
                links.push_back({p.left + (r.left + r.right) / 2, p.top + (r.top + r.bottom) / 2});
            }
        }
        return links;
    }

    // The main window shows the page alone: pages opened over it close, and
    // another page changes to it.
    void showAlone(PageId id)
    {
        JxCBaseProduct* product = GetProduct();
        while (product->GetPageCount() > 1)
            product->RemovePage(product->GetPageList().GetLast());
        if (firstPageId() != id)
            product->GoToPage(id, 0);
    }

    // The page's links are each clicked, from the page shown alone; a page
    // reached for the first time is walked in its turn.
    void walk(PageId id)
    {
        if (!walked_.insert(id).second)
            return;
        leadsTo_[id];
        script.then("page " + std::to_string(id), [this] { return settled(); }, [this, id] { showAlone(id); });
        script.then("page " + std::to_string(id) + " shown", [this, id] { return settled() && firstPageId() == id; },
                    [this, id] {
                        for (std::size_t i = 0; i < linksShown().size(); ++i)
                            clickLink(id, i);
                    });
    }
    void clickLink(PageId id, std::size_t index)
    {
        const std::string name = "link " + std::to_string(index) + " of page " + std::to_string(id);
        script.then(name, [this] { return settled(); }, [this, id] { showAlone(id); });
        script.then(name + " shown", [this, id] { return settled() && firstPageId() == id; },
                    [this, index] {
                        const std::vector<plat::POINT> links = linksShown();
                        if (index < links.size())
                            harness->click(onScreen(main, links[index].x, links[index].y));
                    });
        script.then(name + " followed", [this] { return settled(); },
                    [this, id] {
                        const PageId reached = firstPageId();
                        leadsTo_[id].insert(reached);
                        walk(reached);
                    });
    }

    // The pages from which the links lead, directly or not, to the page.
    std::set<PageId> leadingTo(PageId target) const
    {
        std::set<PageId> found{target};
        for (bool grew = true; grew;) {
            grew = false;
            for (const auto& [from, to] : leadsTo_)
                if (!found.count(from) && std::any_of(to.begin(), to.end(), [&](PageId p) { return found.count(p); }))
                    grew = found.insert(from).second;
        }
        return found;
    }

    std::set<PageId> walked_;
    std::map<PageId, std::set<PageId>> leadsTo_;
    std::uint64_t unsettledAt_ = 0;
};

TEST_F(SampleWalkTest, EveryPageLeadsOnAndBackToTheWelcomePage)
{
    missingFiles = {kSampleMovie};  // the gallery's
    // The greeting leads on through the login.
    logInAsNewUser("Walker");
    script.then("the welcome page", [this] { return settled(); },
                [this] {
                    walked_.insert(kSampleGreetingPage);
                    leadsTo_[kSampleGreetingPage] = {firstPageId()};
                    for (std::int32_t start : GetProduct()->GetProductDef()->GetStartPages())
                        walk(start);
                });
    runScript();
    ASSERT_FALSE(script.failed()) << script.failure() << " (" << pagesAtTheEnd << ")";

    const std::set<PageId> home = leadingTo(kSampleWelcomePage);
    for (const auto& [page, reached] : leadsTo_) {
        EXPECT_TRUE(std::any_of(reached.begin(), reached.end(), [page](PageId p) { return p != page; }))
            << "page " << page << " is a dead end";
        EXPECT_TRUE(home.count(page)) << "page " << page << " leads nowhere back to the welcome page";
    }
    EXPECT_GE(leadsTo_.size(), 10u) << "the walk reached the title's pages";
}

}  // namespace
