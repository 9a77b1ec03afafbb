#pragma once
// The host of question cards on a panel that is not the quiz panel: the
// panel's first edit box is the answer field and its first paragraph text
// the question display. The cards keep their places; one of them is active
// at a time, and after a right answer the next unanswered card in the
// panel's list takes over.

#include "title/quiz/JxCQuizCardHost.h"

class JxCEditBox;
class JxCPanelObject;
class JxCParaText;

class JxCPlainQuizCardHost : public JxCQuizCardHost {
public:
    explicit JxCPlainQuizCardHost(JxCPanelObject& panel) : panel_(panel) {}

    void ShowQuestion(const JxCString& text) override;
    JxCString GetAnswerText() override;
    void SetAnswerText(const JxCString& text) override;
    void UpdateButtons() override {}
    void BringToFront(JxCQuizCard& card) override;
    void MoveToNextCard() override;

private:
    JxCEditBox* answerField();
    JxCParaText* questionDisplay();
    // The active card of the panel, or null.
    JxCQuizCard* activeCard();
    void redraw();

    JxCPanelObject& panel_;
};
