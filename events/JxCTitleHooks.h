#pragma once
// The few title operations that the engine's pages, panels and actions call:
// the open quiz page and its test page, the logbook flag, the navigation
// panel's current-page entry and button reset, the quiz page's research
// button, and one step back through the visited pages. The title installs
// its own at start-up; until then (and in a program without the title) the
// defaults answer "none" and do nothing.

#include <cstdint>

class JxCRunTimeObject;

class JxCTitleHooks {
public:
    virtual ~JxCTitleHooks() = default;

    // The open quiz page, or null.
    virtual JxCRunTimeObject* FindQuizPage() { return nullptr; }
    // The id of the quiz's test page; 0 without a quiz.
    virtual std::int32_t GetTestPageId() { return 0; }
    // Whether the logbook is open.
    virtual std::int16_t IsLogbookOpen() { return 0; }
    // The navigation panel of the first page, or null.
    virtual JxCRunTimeObject* FindCurrentPageEntry() { return nullptr; }
    virtual void ResetButtons(JxCRunTimeObject* navigationPanel) { (void)navigationPanel; }
    virtual void UpdateResearchButton(JxCRunTimeObject* quizPage) { (void)quizPage; }
    // One step back in the page history; the result of going there.
    virtual std::int16_t GoBack() { return 0; }
};

// The hooks in force: the installed ones, else the defaults.
JxCTitleHooks& GetTitleHooks();
// Installs the hooks (not owned; null: the defaults); returns the previous.
JxCTitleHooks* SetTitleHooks(JxCTitleHooks* hooks);
