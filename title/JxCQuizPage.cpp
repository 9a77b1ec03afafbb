#include "title/JxCQuizPage.h"

#include <algorithm>

#include "events/JxNotifyTables.h"
#include "objects/actions/JxCClosePageAction.h"
#include "objects/actions/JxCOpenPageAction.h"
#include "objects/widgets/JxCButton.h"
#include "objects/widgets/JxCEditBox.h"
#include "platform/window/window.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCPageDef.h"
#include "runtime/JxKeywordTables.h"
#include "title/JxCProductData.h"
#include "title/JxCQTopicsPanel.h"
#include "title/JxCQuizCard.h"
#include "title/JxCQuizPageAction.h"
#include "title/JxCQuizPanel.h"
#include "title/JxCUserRecord.h"
#include "title/JxProgressDisplays.h"
#include "title/JxQuizState.h"

namespace {

std::int32_t userLevel()
{
    const JxCUserRecord* record = QuizUserRecord();
    return record ? record->GetLevel() : 0;
}

void openPage(std::int32_t id)
{
    if (JxCBaseProduct* product = GetProduct(); product && id != 0)
        product->OpenPage(id, 0, 0, 1);
}

}  // namespace

JxCQTopicsPanel* FindTopicsPanel()
{
    JxCBaseProduct* product = GetProduct();
    if (!product)
        return nullptr;
    JxCPageObjectList& pages = product->GetPageList();
    for (JxCPageObject* page = pages.GetFirst(); page; page = pages.GetNext(page)) {
        JxCPanelObjectList* panels = page->GetPanelList();
        for (JxCPanelObject* panel = panels ? panels->GetFirst() : nullptr; panel; panel = panels->GetNext(panel))
            if (auto* topics = dynamic_cast<JxCQTopicsPanel*>(panel))
                return topics;
    }
    return nullptr;
}

JxCQuizPage::JxCQuizPage() = default;

JxCQuizPage::~JxCQuizPage()
{
    RemoveReceiverNotifies(this);
    if (JxCQuizInf* quiz = QuizInformation())
        quiz->SetTopic(-1);
}

JxCQuizPanel* JxCQuizPage::GetQuizPanel() const
{
    JxCPanelObjectList* panels = GetPanelList();
    for (JxCPanelObject* panel = panels ? panels->GetFirst() : nullptr; panel; panel = panels->GetNext(panel))
        if (auto* quiz = dynamic_cast<JxCQuizPanel*>(panel))
            return quiz;
    return nullptr;
}

JxCSize JxCQuizPage::GetPageSize() const
{
    JxCBaseProduct* product = GetProduct();
    JxCProductDef* productDef = product ? product->GetProductDef() : nullptr;
    const JxCTemplateDef* templateDef =
        productDef && GetPageDef() ? productDef->FindTemplateDef(GetPageDef()->GetTemplateId()) : nullptr;
    if (templateDef && (templateDef->GetSize().cx || templateDef->GetSize().cy))
        return templateDef->GetSize();
    return JxCSize(kDefaultWidth, kDefaultHeight);
}

std::int16_t JxCQuizPage::CreateResources()
{
    JxCBaseProduct* product = GetProduct();
    const JxCProductData* data = GetTitleData();
    JxCPageObject* current = product ? product->GetCurrentPage() : nullptr;
    openedFromHome_ = data && current && data->GetFields().quizHomePage != 0 &&
                      current->GetPageId() == data->GetFields().quizHomePage;
    if (!JxCPopupPageEx::CreateResources())
        return 0;
    if (!changeRegistration_)
        changeRegistration_ =
            AddObjectNotifyOnActionStopped(std::int16_t(ActionTypeId(JxActionKeyword::CHANGEPAGE)), 0, nullptr);
    if (!openRegistration_)
        openRegistration_ =
            AddObjectNotifyOnActionStopped(std::int16_t(ActionTypeId(JxActionKeyword::OPENPAGE)), 0, nullptr);
    JxCQuizPanel* panel = GetQuizPanel();
    if (panel) {
        if (JxCQuizCard* front = panel->GetFrontCard())
            front->ActivateCard();
    }
    if (QuizSavedState().minimised) {
        Restore();
    } else {
        if (panel && QuizCurrentTopic() >= 0)
            panel->ShowTopic(QuizCurrentTopic());
        SavePosition();
    }
    return 1;
}

std::int16_t JxCQuizPage::Start()
{
    const std::int16_t result = JxCPopupPageEx::Start();
    JxCQuizPanel* panel = GetQuizPanel();
    if (QuizCurrentTopic() >= 0) {
        UpdateResearchButton();
        return result;
    }
    if (panel) {
        if (JxCEditBox* field = panel->GetAnswerField())
            field->Disable(1);
        if (JxCButton* research = panel->GetResearchButton())
            research->Disable(1);
    }
    JxCBaseProduct* product = GetProduct();
    if (product)
        product->SetCurrentPage(this);
    const JxCProductData* data = GetTitleData();
    if (userLevel() >= JxCUserRecord::kTopLevel) {
        if (panel) {
            if (JxCButton* test = panel->GetTestButton())
                test->Disable(1);
            panel->ClearCards();
        }
        openPage(data ? data->GetFields().finishedPage : 0);
    } else {
        openPage(data ? data->GetTestPageId() : 0);
    }
    return result;
}

bool JxCQuizPage::onButton(const plat::POINT& screen) const
{
    JxCQuizPanel* panel = GetQuizPanel();
    plat::HWND window = GetWindow();
    if (!panel || !window)
        return false;
    plat::POINT client = screen;
    plat::ScreenToClient(window, &client);
    const JxCPoint at = panel->ToContent(JxCPoint(std::int16_t(client.x), std::int16_t(client.y)));
    // A disabled button is still no place to drag from.
    JxCDisplayObjectList& objects = panel->GetDisplayObjects();
    for (JxCDisplayObject* object = objects.GetLast(); object; object = objects.GetPrev(object))
        if (object->GetRect().Contains(at))
            return dynamic_cast<JxCButton*>(object) != nullptr;
    return false;
}

std::int16_t JxCQuizPage::GetWindowRect(const plat::POINT& screen) const
{
    const std::int16_t hit = JxCPopupPageEx::GetWindowRect(screen);
    plat::HWND window = GetWindow();
    if (hit != kHitClient || !window || openedFromHome_)
        return hit;
    plat::RECT r{};
    plat::GetWindowRect(window, &r);
    if (screen.y < r.top + kDragRows && !onButton(screen))
        return kHitCaption;
    return hit;
}

void JxCQuizPage::Notify(JxCNotify* registration, JxCObject*)
{
    if (!registration || (registration != changeRegistration_ && registration != openRegistration_))
        return;
    if (registration == changeRegistration_)
        pageBeneathChanged();
    if (!minimising_)
        UpdateResearchButton();
}

void JxCQuizPage::pageBeneathChanged()
{
    endDrag();
    // A minimise already under way (the research button's own page change
    // among them) has saved what it needs; a second one would save the
    // page's position over the one it set.
    if (openedFromHome_ || minimising_ || QuizSavedState().minimised)
        return;
    Minimise();
}

void JxCQuizPage::endDrag()
{
    // A caption drag runs while the page's window holds the mouse: taking
    // the capture away ends it without moving the window.
    JxCBaseProduct* product = GetProduct();
    if (product && product->GetCapturePage() == this) {
        product->ReleaseMouseCapture();
        return;
    }
    plat::HWND window = GetWindow();
    if (window && plat::GetCapture() == window)
        plat::ReleaseCapture();
    if (GetCapturePanel())
        EndCapture();
}

void JxCQuizPage::UpdateResearchButton()
{
    if (JxCQuizPanel* panel = GetQuizPanel())
        panel->UpdateResearchButton();
}

void JxCQuizPage::SavePosition()
{
    plat::HWND window = GetWindow();
    if (!window)
        return;
    plat::RECT r{};
    plat::GetWindowRect(window, &r);
    QuizSavedState().position = JxCPoint(std::int16_t(r.left), std::int16_t(r.top));
}

void JxCQuizPage::MoveTo(JxCPoint position)
{
    plat::HWND window = GetWindow();
    if (!window)
        return;
    plat::RECT r{};
    plat::GetWindowRect(window, &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    const int screenWidth = plat::GetSystemMetrics(plat::SM_CXSCREEN);
    const int screenHeight = plat::GetSystemMetrics(plat::SM_CYSCREEN);
    const int x = std::clamp(int(position.x), 0, std::max(0, screenWidth - width));
    const int y = std::clamp(int(position.y), 0, std::max(0, screenHeight - height));
    plat::MoveWindow(window, x, y, width, height, 1);
}

void JxCQuizPage::SetTopic(std::int32_t topic)
{
    topic = ValidQuizTopic(topic);
    if (JxCQTopicsPanel* topics = FindTopicsPanel())
        topics->SelectTopic(topic);
    const JxCUserRecord* record = QuizUserRecord();
    const std::int32_t level = userLevel();
    if (topic >= 0 && record && level < JxCUserRecord::kTopLevel && record->IsTopicDone(level, topic)) {
        OpenQuestionPages(topic);
        return;
    }
    JxCQuizInf* quiz = QuizInformation();
    if (quiz && quiz->SetTopic(topic)) {
        if (JxCQuizPanel* panel = GetQuizPanel())
            panel->ShowTopic(topic);
    }
}

void JxCQuizPage::OpenQuestionPages(std::int32_t topic)
{
    JxCQuizPanel* panel = GetQuizPanel();
    if (!panel)
        return;
    const JxCQuizPanel::Pages pages = panel->GetPages();
    Minimise();
    JxCOpenPageAction results;
    results.SetTarget(std::uint32_t(pages.results), 0, 0);
    results.Post();
    JxCOpenQuestionAction questions;
    questions.SetTarget(std::uint32_t(pages.questions[2]), 0, 0);
    questions.SetPages(pages.questions[0], pages.questions[1]);
    questions.SetTopic(topic);
    questions.Post();
}

void JxCQuizPage::Minimise()
{
    if (minimising_)
        return;
    minimising_ = true;
    JxQuizSavedState& saved = QuizSavedState();
    if (JxCQuizPanel* panel = GetQuizPanel()) {
        // The front card's answer is still in the answer field.
        if (JxCQuizCard* front = panel->GetFrontCard(); front && front->IsCardActive())
            front->SetTypedAnswer(panel->GetAnswerText());
        saved.ClearCards();
        const std::vector<JxCQuizCard*> cards = panel->GetAllCards();
        for (std::size_t i = 0; i < cards.size() && i < JxQuizSavedState::kCards; ++i) {
            saved.typed[i] = cards[i]->GetTypedAnswer();
            saved.cardIds[i] = cards[i]->GetCardId();
        }
        const JxCQuizCard* front = panel->GetFrontCard();
        saved.frontCardId = front ? front->GetCardId() : -1;
    }
    SavePosition();
    saved.topic = QuizCurrentTopic();
    saved.minimised = true;
    ShowQuizMinimised(true);
    JxCClosePageAction close;
    close.SetTarget(std::uint32_t(GetPageId()), 0);
    close.Post();
}

void JxCQuizPage::Restore()
{
    JxQuizSavedState& saved = QuizSavedState();
    saved.minimised = false;
    JxCQuizInf* quiz = QuizInformation();
    if (quiz)
        quiz->SetTopic(saved.topic);
    JxCQuizPanel* panel = GetQuizPanel();
    if (panel && saved.topic >= 0) {
        panel->ShowTopic(saved.topic);
        if (JxCQuizCard* front = panel->FindCard(saved.frontCardId))
            panel->BringToFront(*front);
        for (std::size_t i = 0; i < JxQuizSavedState::kCards; ++i)
            if (JxCQuizCard* card = panel->FindCard(saved.cardIds[i]))
                card->SetTypedAnswer(saved.typed[i]);
        if (JxCQuizCard* front = panel->GetFrontCard(); front && front->IsCardActive())
            panel->SetAnswerText(front->GetTypedAnswer());
        // An answer typed before the minimise can go in at once.
        panel->UpdateButtons();
    }
    MoveTo(saved.position);
    ShowQuizMinimised(false);
    JxCQuizPageAction update;
    update.SetCode(JxCQuizPageAction::kUpdateEditBox);
    update.Post();
}
