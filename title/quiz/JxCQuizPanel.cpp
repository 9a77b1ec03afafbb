#include "title/quiz/JxCQuizPanel.h"

#include <algorithm>

#include "events/JxProperties.h"
#include "foundation/JxCInStrStream.h"
#include "objects/widgets/JxCBitmap.h"
#include "objects/widgets/JxCButton.h"
#include "objects/widgets/JxCEditBox.h"
#include "objects/widgets/JxCParaText.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCKeyParams.h"
#include "runtime/JxCPageObject.h"
#include "title/widgets/JxCGvStickyButton.h"
#include "title/JxCProductData.h"
#include "title/quiz/JxCQuizCard.h"
#include "title/quiz/JxCQuizPage.h"
#include "title/users/JxCUserRecord.h"
#include "title/quiz/JxQuizState.h"
#include "title/JxTitleSound.h"

namespace {

constexpr const char* kFanfare = "\\quiz\\fanfare";
constexpr std::uint16_t kEnter = 13;

const char* textOf(const JxCTableString& text)
{
    return text.GetText() ? text.GetText() : "";
}

// Takes the object out of the list without deleting it.
void detach(JxCDisplayObjectList& list, JxCDisplayObject* object)
{
    if (JxCListNode* node = list.FindNode(object)) {
        list.UnlinkNode(node);
        delete node;
    }
}

std::int32_t zOrderOf(JxCDisplayObject& object)
{
    std::int32_t z = 0;
    object.GetNumberProperty(kPropZOrder, &z);
    return z;
}

}  // namespace

JxCQuizPanel::JxCQuizPanel() : completedPages_(kPageTableSize, 0) {}

JxCQuizPanel::~JxCQuizPanel() = default;

std::int16_t JxCQuizPanel::Read(JxCInStrStream& in, JxCPageDef* pageDef)
{
    if (!JxCTransparentPanel::Read(in, pageDef))
        return 0;
    in.ReadBigEndian16To32(kept_);
    in.ReadBigEndian32(pages_.right).ReadBigEndian32(pages_.wrong).ReadBigEndian32(pages_.nearly);
    in.ReadBigEndian32(pages_.results);
    for (std::int32_t& id : objectIds_)
        in.ReadBigEndian16To32(id);
    for (std::int32_t& page : pages_.questions)
        in.ReadBigEndian32(page);
    for (std::int32_t& page : completedPages_)
        in.ReadBigEndian32(page);
    if (in.Fail())
        return 0;
    findObjects();
    return 1;
}

void JxCQuizPanel::findObjects()
{
    JxCDisplayObjectList& list = GetDisplayObjects();
    for (JxCDisplayObject* object = list.GetFirst(); object; object = list.GetNext(object)) {
        if (!answerField_)
            answerField_ = dynamic_cast<JxCEditBox*>(object);
        if (!questionDisplay_)
            questionDisplay_ = dynamic_cast<JxCParaText*>(object);
        if (!stickyButton_)
            stickyButton_ = dynamic_cast<JxCGvStickyButton*>(object);
    }
    answerButton_ = dynamic_cast<JxCButton*>(FindObjectById(objectIds_[0]));
    researchButton_ = dynamic_cast<JxCButton*>(FindObjectById(objectIds_[1]));
    testButton_ = dynamic_cast<JxCButton*>(FindObjectById(objectIds_[2]));
    picture_ = dynamic_cast<JxCBitmap*>(FindObjectById(objectIds_[4]));
}

std::int32_t JxCQuizPanel::GetCompletedPage(std::int32_t level, std::int32_t topic) const
{
    const std::int32_t entry = level * JxCQuizInf::kTopicCount + topic;
    if (level < 0 || topic < 0 || topic >= JxCQuizInf::kTopicCount || entry >= kPageTableSize)
        return 0;
    return completedPages_[std::size_t(entry)];
}

// --- The cards ------------------------------------------------------------------

std::vector<JxCQuizCard*> JxCQuizPanel::GetCards()
{
    std::vector<JxCQuizCard*> cards;
    JxCDisplayObjectList& list = GetDisplayObjects();
    for (JxCDisplayObject* object = list.GetLast(); object; object = list.GetPrev(object))
        if (auto* card = dynamic_cast<JxCQuizCard*>(object))
            cards.push_back(card);
    return cards;
}

std::vector<JxCQuizCard*> JxCQuizPanel::GetStackedCards() const
{
    std::vector<JxCQuizCard*> cards;
    for (const auto& card : stack_)
        cards.push_back(card.get());
    return cards;
}

std::vector<JxCQuizCard*> JxCQuizPanel::GetAllCards()
{
    std::vector<JxCQuizCard*> cards = GetCards();
    for (const auto& card : stack_)
        cards.push_back(card.get());
    return cards;
}

JxCQuizCard* JxCQuizPanel::GetFrontCard()
{
    const std::vector<JxCQuizCard*> cards = GetCards();
    return cards.empty() ? nullptr : cards.front();
}

JxCQuizCard* JxCQuizPanel::FindCard(std::int32_t cardId)
{
    for (JxCQuizCard* card : GetAllCards())
        if (card->GetCardId() == cardId)
            return card;
    return nullptr;
}

void JxCQuizPanel::stackCard(JxCQuizCard* card)
{
    ForgetObject(card);
    detach(GetDisplayObjects(), card);
    stack_.emplace_back(card);
}

void JxCQuizPanel::unstackCards()
{
    for (auto& card : stack_)
        GetDisplayObjects().InsertByZOrder(card.release());
    stack_.clear();
}

void JxCQuizPanel::ClearCards()
{
    for (JxCQuizCard* card : GetCards()) {
        card->SetCardActive(false);
        stackCard(card);
    }
}

void JxCQuizPanel::BringToFront(JxCQuizCard& chosen)
{
    if (JxCQuizCard* front = GetFrontCard(); front && front->IsCardActive())
        front->DeactivateCard();
    // The cards leave the list with their places, front first; the chosen
    // one takes the front place and the others follow by question.
    std::vector<JxCQuizCard*> cards = GetCards();
    std::vector<std::int32_t> places;
    for (JxCQuizCard* card : cards) {
        places.push_back(zOrderOf(*card));
        detach(GetDisplayObjects(), card);
    }
    std::stable_sort(cards.begin(), cards.end(), [&chosen](const JxCQuizCard* a, const JxCQuizCard* b) {
        if ((a == &chosen) != (b == &chosen))
            return a == &chosen;
        return a->GetQuestionNumber() < b->GetQuestionNumber();
    });
    for (std::size_t i = 0; i < cards.size(); ++i) {
        cards[i]->SetNumberProperty(kPropZOrder, places[i]);
        cards[i]->SetCardActive(cards[i] == &chosen);
    }
    // Back to front, so that among equal places the chosen card ends in
    // front too.
    for (auto card = cards.rbegin(); card != cards.rend(); ++card)
        GetDisplayObjects().InsertByZOrder(*card);
    chosen.ActivateCard();
    UpdateResearchButton();
    redraw();
}

void JxCQuizPanel::MoveToNextCard()
{
    if (JxCQuizCard* front = GetFrontCard()) {
        front->DeactivateCard();
        front->ClearTexts();
        stackCard(front);
    }
    if (JxCQuizCard* next = GetFrontCard()) {
        next->ActivateCard();
    } else {
        SetAnswerText(JxCString());
        ShowQuestion(JxCString());
        if (answerField_)
            answerField_->Disable(1);
    }
    redraw();
}

void JxCQuizPanel::ShowTopic(std::int32_t topic)
{
    if (picture_) {
        const char* name = topic < 0 ? "blank" : JxCQuizInf::TopicPicture(topic);
        picture_->SetImage(JxCTableString(name), 0);
    }
    if (topic >= 0) {
        unstackCards();
        JxCQuizCard* first = nullptr;
        JxCQuizCard* firstOpen = nullptr;
        for (JxCQuizCard* card : GetCards()) {
            if (!first || card->GetQuestionNumber() < first->GetQuestionNumber())
                first = card;
            if (!card->IsAnswered() && (!firstOpen || card->GetQuestionNumber() < firstOpen->GetQuestionNumber()))
                firstOpen = card;
        }
        if (JxCQuizCard* chosen = firstOpen ? firstOpen : first) {
            BringToFront(*chosen);
            if (!firstOpen)
                chosen->DeactivateCard();
        }
        // The answer field, disabled while no topic was chosen, takes the
        // typing now.
        UpdateAnswerField();
        UpdateButtons();
        UpdateResearchButton();
    }
    redraw();
}

// --- The host's texts and buttons -------------------------------------------------

void JxCQuizPanel::ShowQuestion(const JxCString& text)
{
    if (questionDisplay_)
        questionDisplay_->SetText(textOf(text), 1);
}

JxCString JxCQuizPanel::GetAnswerText()
{
    return answerField_ ? answerField_->GetText() : JxCString();
}

void JxCQuizPanel::SetAnswerText(const JxCString& text)
{
    if (answerField_)
        answerField_->SetText(textOf(text), 1, 1);
}

void JxCQuizPanel::setEnabled(JxCDisplayObject* object, bool enabled)
{
    if (auto* button = dynamic_cast<JxCButton*>(object)) {
        if (enabled != (button->TestStateFlags(JxCDisplayObject::kStateDisabled) == 0))
            enabled ? button->Enable(1) : button->Disable(1);
    } else if (auto* field = dynamic_cast<JxCEditBox*>(object)) {
        enabled ? field->Enable(1) : field->Disable(1);
    }
}

void JxCQuizPanel::UpdateButtons()
{
    // The answer goes in while a question is on the front card and
    // something is typed for it.
    const JxCQuizCard* front = GetFrontCard();
    const bool answerable = QuizCurrentTopic() >= 0 && front && front->IsCardActive() && !GetAnswerText().IsEmpty();
    setEnabled(answerButton_, answerable);
}

void JxCQuizPanel::UpdateResearchButton()
{
    JxCBaseProduct* product = GetProduct();
    const JxCQuizInf* quiz = QuizInformation();
    if (!researchButton_ || !product || !quiz)
        return;
    bool enabled = false;
    if (quiz->GetTopic() >= 0) {
        std::int32_t research = quiz->GetResearchPage(3);
        if (research == JxCQuizInf::kNoPage)
            research = quiz->GetResearchPage(2);
        if (research == JxCQuizInf::kNoPage)
            research = quiz->GetResearchPage(1);
        JxCPageObject* below = product->GetCurrentPage();
        if (below && below == GetParent())
            below = product->GetPageList().GetPrev(below);
        enabled = research != JxCQuizInf::kNoPage && (!below || below->GetPageId() != research);
    }
    setEnabled(researchButton_, enabled);
}

void JxCQuizPanel::UpdateTestButton()
{
    JxCBaseProduct* product = GetProduct();
    const JxCProductData* data = GetTitleData();
    if (!testButton_ || !product || !data)
        return;
    const bool testOpen = data->GetTestPageId() != 0 && product->FindPageById(data->GetTestPageId());
    const JxCUserRecord* record = QuizUserRecord();
    const std::int32_t level = record ? record->GetLevel() : 0;
    setEnabled(testButton_, !testOpen && level < JxCUserRecord::kTopLevel);
}

void JxCQuizPanel::UpdateAnswerField()
{
    if (!answerField_)
        return;
    setEnabled(answerField_, QuizCurrentTopic() >= 0);
    // With the focus the quiz page takes the keyboard.
    answerField_->TakeFocus();
}

std::int16_t JxCQuizPanel::HandleKey(JxCKeyParams& key)
{
    // The answer field may take the key (and clear it) first.
    const bool enter = !key.IsKeyDown() && key.GetKeyCode() == kEnter;
    JxCTransparentPanel::HandleKey(key);
    UpdateButtons();
    if (!enter || !answerButton_ || answerButton_->TestStateFlags(JxCDisplayObject::kStateDisabled))
        return 1;
    if (stickyButton_) {
        if (stickyButton_->IsStuck())
            return 1;
        stickyButton_->Press();
    }
    SubmitAnswer();
    return 1;
}

// --- Answering ------------------------------------------------------------------

void JxCQuizPanel::openPage(std::int32_t id)
{
    if (JxCBaseProduct* product = GetProduct(); product && id != 0)
        product->OpenPage(id, kOpenTransition, kOpenParameter, 1);
}

void JxCQuizPanel::SubmitAnswer()
{
    if (JxCQuizCard* front = GetFrontCard())
        submit(*front);
    if (stickyButton_)
        stickyButton_->Release();
}

void JxCQuizPanel::submit(JxCQuizCard& front)
{
    if (JxCProductData* data = GetTitleData())
        data->ResetIdle();
    std::int32_t value = 0;
    const std::int16_t result = front.Check(value);
    if (result == JxCAnswerMatcher::kRight) {
        front.RecordAnswer(value);
        const std::vector<JxCQuizCard*> cards = GetCards();
        const bool othersOpen = std::any_of(cards.begin(), cards.end(), [&front](const JxCQuizCard* card) {
            return card != &front && !card->IsAnswered();
        });
        if (othersOpen) {
            MoveToNextCard();
            openPage(pages_.right);
        } else {
            const JxCUserRecord* record = QuizUserRecord();
            completeTopic(record ? record->GetLevel() : 0, QuizCurrentTopic());
        }
    } else {
        openPage(result == JxCAnswerMatcher::kNearlyRight ? pages_.nearly : pages_.wrong);
    }
    redraw();
}

void JxCQuizPanel::completeTopic(std::int32_t level, std::int32_t topic)
{
    ClearCards();
    PlayTitleSound(JxCString(kFanfare));
    const JxCUserRecord* record = QuizUserRecord();
    if (record && record->IsLevelDone(level)) {
        completeLevel(level);
        return;
    }
    openPage(GetCompletedPage(level, topic));
    setEnabled(answerButton_, false);
    setEnabled(researchButton_, false);
}

void JxCQuizPanel::completeLevel(std::int32_t level)
{
    JxCQuizPage* page = dynamic_cast<JxCQuizPage*>(GetParent());
    UpdateAnswerField();
    if (JxCProductData* data = GetTitleData())
        data->SetCompletedLevel(level);
    if (JxCUserRecord* record = QuizUserRecord())
        record->AdvanceLevel();
    if (JxCBaseProduct* product = GetProduct(); product && pages_.results != 0)
        product->GoToPage(pages_.results, 0);
    SetAnswerText(JxCString());
    if (page)
        page->SetTopic(-1);
    else if (JxCQuizInf* quiz = QuizInformation())
        quiz->SetTopic(-1);
    QuizSavedState().ClearCards();
    UpdateTestButton();
    UpdateResearchButton();
}

void JxCQuizPanel::redraw()
{
    if (GetParent() && GetParent()->GetWindow())
        Draw(nullptr, nullptr, 0);
}
