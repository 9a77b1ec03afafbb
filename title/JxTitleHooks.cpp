#include "title/JxTitleHooks.h"

#include "events/JxCTitleHooks.h"
#include "title/JxCProductData.h"
#include "title/JxCQuizPage.h"
#include "title/JxQuizState.h"
#include "title/JxLogBook.h"

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
