#include "title/JxCQuizPageAction.h"

#include <vector>

#include "foundation/JxCInStrStream.h"
#include "objects/actions/JxCClosePageAction.h"
#include "objects/actions/JxCOpenPageAction.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCPageObject.h"
#include "title/JxCProductData.h"
#include "title/JxCQuizPage.h"
#include "title/JxCQuizPanel.h"
#include "title/JxQuizState.h"

std::int16_t JxCQuizPageAction::Read(JxCInStrStream& in, JxCRunTimeObject* owner)
{
    if (!JxCAction::Read(in, owner))
        return 0;
    std::int32_t code = kNone;
    if (!in.ReadBigEndian16To32(code))
        return 0;
    code_ = code;
    if (code_ == kSetTopic) {
        std::int32_t topic = -1;
        if (!in.ReadBigEndian16To32(topic))
            return 0;
        topic_ = topic;
    }
    return 1;
}

std::int16_t JxCQuizPageAction::Post()
{
    JxCBaseProduct* product = GetProduct();
    if (!product)
        return 0;
    auto* copy = new JxCQuizPageAction(*this);
    copy->CopySubscriptions(*this);
    product->QueueAction(copy);
    product->ProcessActions();
    return 1;
}

std::int16_t JxCQuizPageAction::Execute()
{
    if (code_ == kResetQuiz) {
        ResetQuizProgress();
        return 1;
    }
    if (code_ == kUnminimise) {
        unminimise();
        return 1;
    }
    JxCQuizPage* page = FindOpenQuizPage();
    if (!page)
        return 1;
    JxCQuizPanel* panel = page->GetQuizPanel();
    switch (code_) {
    case kClose: {
        if (!QuizSavedState().minimised)
            page->SavePosition();
        JxCClosePageAction close;
        close.SetTarget(std::uint32_t(page->GetPageId()), 0);
        close.Post();
        // The quiz is reached from the bar again.
        PutQuizMiconBack();
        break;
    }
    case kOk:
        if (panel)
            panel->SubmitAnswer();
        break;
    case kResearch:
        research();
        break;
    case kMinimise:
        page->Minimise();
        break;
    case kUpdateEditBox:
        if (panel)
            panel->UpdateAnswerField();
        break;
    case kSetTopic:
        page->SetTopic(topic_);
        break;
    case kTestCertificate: {
        const JxCQuizInf* quiz = QuizInformation();
        page->OpenQuestionPages(quiz ? quiz->GetTopic() : -1);
        break;
    }
    default:
        break;
    }
    return 1;
}

void JxCQuizPageAction::research()
{
    JxCBaseProduct* product = GetProduct();
    JxCQuizPage* page = FindOpenQuizPage();
    const JxCQuizInf* quiz = QuizInformation();
    if (!product || !page || !quiz || quiz->GetTopic() < 0)
        return;
    const std::int32_t first = quiz->GetResearchPage(1);
    const std::int32_t second = quiz->GetResearchPage(2);
    const std::int32_t third = quiz->GetResearchPage(3);
    JxCPageObject* base = product->GetFirstPage();
    bool minimised = false;
    if (!base || base->GetPageId() != first) {
        page->Minimise();
        QuizSavedState().position = JxCPoint(5, 5);
        product->GoToPage(first, 0);
        minimised = true;
    } else {
        // Already on the research page: only it, the quiz and the other
        // research pages stay.
        if (product->GetCurrentPage() == page)
            product->SetCurrentPage(base);
        std::vector<JxCPageObject*> closing;
        JxCPageObjectList& pages = product->GetPageList();
        for (JxCPageObject* open = pages.GetFirst(); open; open = pages.GetNext(open)) {
            const std::int32_t id = open->GetPageId();
            if (open != base && open != page && id != first && id != second && id != third)
                closing.push_back(open);
        }
        for (JxCPageObject* open : closing) {
            JxCClosePageAction close;
            close.SetTarget(std::uint32_t(open->GetPageId()), 0);
            close.Post();
        }
    }
    // Queued, so that they open over the research page once it is there.
    for (std::int32_t more : {second, third}) {
        if (more == JxCQuizInf::kNoPage)
            continue;
        JxCOpenPageAction open;
        open.SetTarget(std::uint32_t(more), 0, 0);
        open.Post();
    }
    if (minimised) {
        JxCQuizPageAction restore;
        restore.SetCode(kUnminimise);
        restore.Post();
    }
}

void JxCQuizPageAction::unminimise()
{
    JxCBaseProduct* product = GetProduct();
    const JxCProductData* data = GetTitleData();
    if (!product || !data || !QuizSavedState().minimised)
        return;
    product->OpenPage(data->GetFields().quizReopenPage, 0, 0, 1);
}

