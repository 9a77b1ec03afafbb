#pragma once
// The quiz page (page type "QUIZ_PAGE"): a pop-up page, 379 by 203 unless
// its template says otherwise, that holds the quiz panel. Its top 25 rows
// drag it (except on a button, and except when it was opened from the
// quiz's home page); it stays on the screen.
//
// It can minimise: it closes, keeping its position, topic and the cards'
// typed answers in the process-wide quiz state (JxQuizState.h), and when it
// next opens it comes back as it was. While it is minimised the navigation
// bar shows its micon and the schoolhouse hides its marker. It minimises
// itself when the page beneath it changes, unless it was opened from the
// quiz's home page.

#include <cstdint>

#include "objects/pages/JxCPopupPageEx.h"

class JxCQTopicsPanel;
class JxCQuizPanel;

class JxCQuizPage : public JxCPopupPageEx {
public:
    static constexpr std::int32_t kDragRows = 25;
    static constexpr std::int16_t kDefaultWidth = 379;
    static constexpr std::int16_t kDefaultHeight = 203;

    JxCQuizPage();
    // The quiz has no current topic once its page is gone.
    ~JxCQuizPage() override;

    // Creates the pop-up page; the front card becomes active; a minimised
    // quiz comes back, else the current topic shows. Keeps its position.
    std::int16_t CreateResources() override;
    // Without a topic the quiz page becomes current and opens the topics
    // page (the finished page once every level is done).
    std::int16_t Start() override;
    std::int16_t GetWindowRect(const plat::POINT& screen) const override;
    JxCSize GetPageSize() const override;
    // The research button follows page changes; a change of the page
    // beneath ends a drag of the page and minimises it (not when opened
    // from the quiz's home page).
    void Notify(JxCNotify* registration, JxCObject* sender) override;

    // Chooses the topic: the topics page marks it; a topic the user has done
    // at their level opens the results and question pages instead of the
    // cards; another topic shows its cards.
    void SetTopic(std::int32_t topic);
    // Keeps the cards' typed answers, the position and the topic, puts the
    // micon back in the navigation bar and closes the page. Once only: the
    // page is on its way out after that.
    void Minimise();
    // The saved state back (on the start after a minimise).
    void Restore();
    // Opens the results page and the question pages of the topic, having
    // minimised.
    void OpenQuestionPages(std::int32_t topic);
    void UpdateResearchButton();
    // The position kept (top left on the screen).
    void SavePosition();
    // Moves the page, kept within the screen.
    void MoveTo(JxCPoint position);

    JxCQuizPanel* GetQuizPanel() const;
    bool IsOpenedFromHome() const { return openedFromHome_; }

private:
    bool onButton(const plat::POINT& screen) const;
    void pageBeneathChanged();
    void endDrag();

    bool openedFromHome_ = false;
    bool minimising_ = false;
    JxCNotify* changeRegistration_ = nullptr;
    JxCNotify* openRegistration_ = nullptr;
};

// The topics panel on an open page below the quiz, or null.
JxCQTopicsPanel* FindTopicsPanel();
