#include "title/JxTitleHooks.h"

#include "events/JxCTitleHooks.h"
#include "title/panels/JxCNavPanel.h"
#include "title/JxCProductData.h"
#include "title/quiz/JxCQuizPage.h"
#include "title/JxLogBook.h"
#include "title/quiz/JxQuizState.h"

namespace {

class TitleHooks : public JxCTitleHooks {
public:
    std::int32_t GetTestPageId() override
    {
        const JxCProductData* data = GetTitleData();
        return data ? data->GetTestPageId() : 0;
    }
    std::int16_t IsLogbookOpen() override { return IsLogbookShowing(); }
    JxCRunTimeObject* FindQuizPage() override { return FindOpenQuizPage(); }
    void UpdateResearchButton(JxCRunTimeObject* quizPage) override
    {
        if (auto* page = dynamic_cast<JxCQuizPage*>(quizPage))
            page->UpdateResearchButton();
    }
    JxCRunTimeObject* FindCurrentPageEntry() override { return JxCNavPanel::FindCurrentPageEntry(); }
    // Every caller redraws the bar after the reset, so the reset does.
    void ResetButtons(JxCRunTimeObject* navigationPanel) override
    {
        if (auto* bar = dynamic_cast<JxCNavPanel*>(navigationPanel)) {
            bar->ResetButtons();
            bar->Draw(nullptr, nullptr, 1);
        }
    }
    std::int16_t GoBack() override
    {
        JxCProductData* data = GetTitleData();
        return data ? data->GoBack() : 0;
    }
};

}  // namespace

void ConnectTitleHooks()
{
    static TitleHooks hooks;
    SetTitleHooks(&hooks);
}
