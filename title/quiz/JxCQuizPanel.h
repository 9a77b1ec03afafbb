#pragma once
// The quiz panel (panel type "QuizPanel"), on the quiz page: the answer
// field (its first edit box), the question display (its first paragraph
// text), the topic's picture, the answer, research and test buttons and the
// five question cards, whose host it is. The front card is the last card in
// the panel's list; cards answered right leave the list for a stack and
// come back when the topic is shown again.
//
// Record after the panel's own: a kept 16-bit value; the right-answer,
// wrong-answer, near-answer and results pages (u32 each); the ids of the
// answer, research and test buttons, a kept id and the picture's (u16
// each); the question pages of levels 0, 1 and above (u32 each); 330 page
// ids (u32), of which entry level x 22 + topic opens when that topic is
// completed at that level.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "objects/panels/JxCTransparentPanel.h"
#include "title/quiz/JxCQuizCardHost.h"

class JxCBitmap;
class JxCButton;
class JxCEditBox;
class JxCGvStickyButton;
class JxCParaText;

class JxCQuizPanel : public JxCTransparentPanel, public JxCQuizCardHost {
public:
    static constexpr std::int32_t kPageTableSize = 330;
    // How the answer's pages are opened.
    static constexpr std::int32_t kOpenTransition = 5;
    static constexpr std::int32_t kOpenParameter = 9;

    struct Pages {
        std::int32_t right = 0;
        std::int32_t wrong = 0;
        std::int32_t nearly = 0;
        std::int32_t results = 0;
        // Question pages of levels 0, 1 and above.
        std::array<std::int32_t, 3> questions{};
    };

    JxCQuizPanel();
    ~JxCQuizPanel() override;

    std::int16_t Read(JxCInStrStream& in, JxCPageDef* pageDef) override;
    // Enter while the answer button is enabled presses the sticky button
    // and submits the answer; not while the button is still down from a
    // submission under way.
    std::int16_t HandleKey(JxCKeyParams& key) override;

    // --- The host of the cards ---------------------------------------------
    void ShowQuestion(const JxCString& text) override;
    JxCString GetAnswerText() override;
    void SetAnswerText(const JxCString& text) override;
    void UpdateButtons() override;
    void BringToFront(JxCQuizCard& card) override;
    void MoveToNextCard() override;

    // Checks the front card's typed answer: a right one is recorded and the
    // next card comes (the last of the topic plays the fanfare and completes
    // the topic, perhaps the level); each result opens its page. Then the
    // sticky button, down since its click or Enter, comes up.
    void SubmitAnswer();
    // The topic's picture and cards: the answered cards come back, and the
    // first unanswered card becomes the active one. -1 shows no topic.
    void ShowTopic(std::int32_t topic);
    // Every card leaves the list for the stack.
    void ClearCards();
    void UpdateResearchButton();
    void UpdateTestButton();
    // Enables the answer field while a topic is current, and focuses it.
    void UpdateAnswerField();

    // The cards in the list, front first; and those on the stack.
    std::vector<JxCQuizCard*> GetCards();
    std::vector<JxCQuizCard*> GetStackedCards() const;
    JxCQuizCard* GetFrontCard();
    // Every card, listed or stacked.
    std::vector<JxCQuizCard*> GetAllCards();
    JxCQuizCard* FindCard(std::int32_t cardId);

    const Pages& GetPages() const { return pages_; }
    std::int32_t GetCompletedPage(std::int32_t level, std::int32_t topic) const;
    JxCEditBox* GetAnswerField() const { return answerField_; }
    JxCParaText* GetQuestionDisplay() const { return questionDisplay_; }
    JxCButton* GetAnswerButton() const { return answerButton_; }
    JxCButton* GetResearchButton() const { return researchButton_; }
    JxCButton* GetTestButton() const { return testButton_; }
    // The panel's first "StickyButton", or null.
    JxCGvStickyButton* GetStickyButton() const { return stickyButton_; }

private:
    void findObjects();
    void stackCard(JxCQuizCard* card);
    void unstackCards();
    void submit(JxCQuizCard& front);
    void openPage(std::int32_t id);
    void completeTopic(std::int32_t level, std::int32_t topic);
    void completeLevel(std::int32_t level);
    void setEnabled(JxCDisplayObject* object, bool enabled);
    void redraw();

    std::int32_t kept_ = 0;
    Pages pages_;
    std::array<std::int32_t, 5> objectIds_{};
    std::vector<std::int32_t> completedPages_;
    JxCEditBox* answerField_ = nullptr;
    JxCParaText* questionDisplay_ = nullptr;
    JxCBitmap* picture_ = nullptr;
    JxCButton* answerButton_ = nullptr;
    JxCButton* researchButton_ = nullptr;
    JxCButton* testButton_ = nullptr;
    JxCGvStickyButton* stickyButton_ = nullptr;
    // Cards answered right, out of the list; the panel owns them there.
    std::vector<std::unique_ptr<JxCQuizCard>> stack_;
};
