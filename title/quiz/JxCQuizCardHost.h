#pragma once
// What a question card asks of the panel that holds it: the question
// display, the answer field, the panel's buttons and the order of its cards.
// The quiz panel is the host of its cards; on any other panel a card falls
// back to a plain host over that panel's first edit box and paragraph text.

#include "foundation/JxCString.h"

class JxCQuizCard;

class JxCQuizCardHost {
public:
    virtual ~JxCQuizCardHost() = default;

    // Shows the question text in the panel's question display.
    virtual void ShowQuestion(const JxCString& text) = 0;
    // The answer field's text, and setting it.
    virtual JxCString GetAnswerText() = 0;
    virtual void SetAnswerText(const JxCString& text) = 0;
    // Brings the answer and research buttons up to date.
    virtual void UpdateButtons() = 0;
    // Makes `card` the front, active card.
    virtual void BringToFront(JxCQuizCard& card) = 0;
    // After a right answer: the front card leaves, the next one comes.
    virtual void MoveToNextCard() = 0;
};
