#include "title/quiz/JxQuizState.h"

#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCPageObject.h"
#include "title/panels/JxCNavPanel.h"
#include "title/panels/JxCSchoolhousePanel.h"
#include "title/JxCProductData.h"
#include "title/quiz/JxCQuizPage.h"
#include "title/users/JxCUserRecord.h"

void JxQuizSavedState::ClearCards()
{
    typed = {};
    cardIds = {-1, -1, -1, -1, -1};
    frontCardId = -1;
    topic = -1;
}

JxQuizSavedState& QuizSavedState()
{
    static JxQuizSavedState state;
    return state;
}

JxCQuizInf* QuizInformation()
{
    JxCProductData* data = GetTitleData();
    return data ? data->GetQuizInf() : nullptr;
}

JxCUserRecord* QuizUserRecord()
{
    JxCProductData* data = GetTitleData();
    return data ? data->GetUserRecord() : nullptr;
}

std::int32_t QuizCurrentTopic()
{
    const JxCQuizInf* quiz = QuizInformation();
    return quiz ? quiz->GetTopic() : -1;
}

void ResetQuizProgress()
{
    if (JxCUserRecord* record = QuizUserRecord())
        record->ResetQuiz();
    if (JxCQuizPage* page = FindOpenQuizPage())
        page->SetTopic(-1);
    QuizSavedState().ClearCards();
}

JxCQuizPage* FindOpenQuizPage()
{
    JxCBaseProduct* product = GetProduct();
    if (!product)
        return nullptr;
    JxCPageObjectList& pages = product->GetPageList();
    for (JxCPageObject* page = pages.GetFirst(); page; page = pages.GetNext(page))
        if (auto* quiz = dynamic_cast<JxCQuizPage*>(page))
            return quiz;
    return nullptr;
}

void PutQuizMiconBack()
{
    if (JxCNavPanel* bar = JxCNavPanel::FindCurrentPageEntry()) {
        bar->PutBackMicon();
        bar->Draw(nullptr, nullptr, 1);
    }
}

void ShowQuizMinimised(bool minimised)
{
    if (minimised)
        PutQuizMiconBack();
    else if (JxCNavPanel* bar = JxCNavPanel::FindCurrentPageEntry())
        bar->TakeOutMicon();
    JxCBaseProduct* product = GetProduct();
    if (!product)
        return;
    JxCPageObjectList& pages = product->GetPageList();
    for (JxCPageObject* page = pages.GetFirst(); page; page = pages.GetNext(page)) {
        JxCPanelObjectList* panels = page->GetPanelList();
        for (JxCPanelObject* panel = panels ? panels->GetFirst() : nullptr; panel; panel = panels->GetNext(panel)) {
            auto* school = dynamic_cast<JxCSchoolhousePanel*>(panel);
            if (school && school->SetMarker(minimised ? 0 : 1) && page->GetWindow())
                school->Draw(nullptr, nullptr, 1);
        }
    }
}

std::int32_t ValidQuizTopic(std::int32_t topic)
{
    return topic >= 0 && topic < JxCQuizInf::kTopicCount ? topic : -1;
}
