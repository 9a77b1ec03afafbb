#include "title/quiz/JxCPlainQuizCardHost.h"

#include "objects/widgets/JxCEditBox.h"
#include "objects/widgets/JxCParaText.h"
#include "runtime/JxCPanelObject.h"
#include "title/quiz/JxCQuizCard.h"

namespace {

template <class T>
T* firstOf(JxCPanelObject& panel, const T* after = nullptr)
{
    JxCDisplayObjectList& list = panel.GetDisplayObjects();
    JxCDisplayObject* object = after ? list.GetNext(after) : list.GetFirst();
    for (; object; object = list.GetNext(object))
        if (auto* found = dynamic_cast<T*>(object))
            return found;
    return nullptr;
}

}  // namespace

JxCEditBox* JxCPlainQuizCardHost::answerField()
{
    return firstOf<JxCEditBox>(panel_);
}

JxCParaText* JxCPlainQuizCardHost::questionDisplay()
{
    return firstOf<JxCParaText>(panel_);
}

JxCQuizCard* JxCPlainQuizCardHost::activeCard()
{
    for (JxCQuizCard* card = firstOf<JxCQuizCard>(panel_); card; card = firstOf<JxCQuizCard>(panel_, card))
        if (card->IsCardActive())
            return card;
    return nullptr;
}

void JxCPlainQuizCardHost::ShowQuestion(const JxCString& text)
{
    if (JxCParaText* display = questionDisplay())
        display->SetText(text.GetText() ? text.GetText() : "", 1);
}

JxCString JxCPlainQuizCardHost::GetAnswerText()
{
    JxCEditBox* field = answerField();
    return field ? field->GetText() : JxCString();
}

void JxCPlainQuizCardHost::SetAnswerText(const JxCString& text)
{
    if (JxCEditBox* field = answerField())
        field->SetText(text.GetText() ? text.GetText() : "", 1, 1);
}

void JxCPlainQuizCardHost::BringToFront(JxCQuizCard& card)
{
    if (JxCQuizCard* active = activeCard(); active && active != &card)
        active->DeactivateCard();
    card.ActivateCard();
    redraw();
}

void JxCPlainQuizCardHost::MoveToNextCard()
{
    JxCQuizCard* active = activeCard();
    if (active) {
        active->DeactivateCard();
        active->ClearTexts();
    }
    for (JxCQuizCard* card = firstOf<JxCQuizCard>(panel_); card; card = firstOf<JxCQuizCard>(panel_, card)) {
        if (card != active && !card->IsAnswered()) {
            card->ActivateCard();
            redraw();
            return;
        }
    }
    SetAnswerText(JxCString());
    ShowQuestion(JxCString());
    redraw();
}

void JxCPlainQuizCardHost::redraw()
{
    panel_.Draw(nullptr, nullptr, 0);
}
