#pragma once
// What the quiz keeps for the whole process while its page is minimised
// (closed to make way for research pages or the question pages, to come
// back as it was): the page's position, the five cards' typed answers with
// their card ids, the topic and which card was in front.
//
// And the few look-ups the quiz's panels, page and action share: the quiz
// information, the user's record and level, the open quiz page.

#include <array>
#include <cstdint>

#include "foundation/JxCPoint.h"
#include "foundation/JxCString.h"

class JxCQuizInf;
class JxCQuizPage;
class JxCUserRecord;

struct JxQuizSavedState {
    static constexpr std::size_t kCards = 5;

    bool minimised = false;
    JxCPoint position;
    std::array<JxCString, kCards> typed;
    std::array<std::int32_t, kCards> cardIds{-1, -1, -1, -1, -1};
    std::int32_t frontCardId = -1;
    std::int32_t topic = -1;

    // Forgets the cards and the topic; the position stays.
    void ClearCards();
};

// The one saved state of the process.
JxQuizSavedState& QuizSavedState();

// The title's quiz information, or null.
JxCQuizInf* QuizInformation();
// The logged-in user's record, or null.
JxCUserRecord* QuizUserRecord();
// The quiz's current topic, -1 for none.
std::int32_t QuizCurrentTopic();
// Starts the user's quiz again: the record's answers and level cleared, the
// open quiz page without a topic and what the minimised quiz kept forgotten.
void ResetQuizProgress();
// The first open page of type "QUIZ_PAGE", or null.
JxCQuizPage* FindOpenQuizPage();
// What shows that the quiz waits minimised, set as it minimises and as it
// comes back: the navigation bar's micon (out of the bar while the quiz
// page is open) and the marker of an open schoolhouse panel (hidden
// meanwhile). Both redraw.
void ShowQuizMinimised(bool minimised);
// The micon back in the first page's navigation bar, drawn.
void PutQuizMiconBack();
// A topic read from a record or set at run time: 0 to 21, anything else is
// no topic (-1).
std::int32_t ValidQuizTopic(std::int32_t topic);
