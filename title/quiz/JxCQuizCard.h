#pragma once
// A question card of the quiz (object type "QuizCard"): a picture that
// stands for one of the five questions of the current topic. The active
// card's question shows in its panel's question display and the answer typed
// for it in the panel's answer field; an active card also shows its overlay
// picture. The card checks the typed answer with its answer matcher and
// records a right one in the user's record.
//
// Record after the bitmap's: the card id (16-bit), the question number (0
// to 4, 16-bit), the overlay picture's name (a table string) and the
// overlay rectangle (content coordinates of the panel).
//
// The card asks its panel for the question display, the answer field and
// the order of the cards (JxCQuizCardHost). A panel that is no host gets a
// plain one over its first edit box and paragraph text.

#include <cstdint>
#include <memory>

#include "foundation/JxCRect.h"
#include "foundation/JxCString.h"
#include "objects/widgets/JxCBitmap.h"
#include "title/quiz/JxCAnswerMatcher.h"

class JxCQuizCardHost;

class JxCQuizCard : public JxCBitmap {
public:
    // The command by which a panel names the card to bring to the front:
    // HandleCommand(kSelectCardCommand, card id, 0, 0).
    static constexpr std::int32_t kSelectCardCommand = 0x5143;

    JxCQuizCard();
    ~JxCQuizCard() override;

    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type) override;
    // The picture, then the overlay (a "Bitmap" in the card's panel) when
    // the card names one. 0 when the card's own picture cannot be loaded.
    std::int16_t CreateResources() override;
    std::int16_t ReleaseResources() override;
    // The picture; then, while active, the overlay.
    std::int16_t Draw(JxCSlate* slate, const JxCRect* clip) override;
    // The display object's release, the card's click, then the title's idle
    // count restarts.
    std::int16_t MouseUp(const JxCPoint& point, std::int16_t flag) override;
    // The select-card command: the card it names comes to the front.
    std::int32_t HandleCommand(std::int32_t code, std::int32_t a, std::int32_t b, std::int32_t c) override;

    // Loads the question, shows it and the card's typed answer in the
    // panel, brings the panel's buttons up to date and sets the active flag.
    void ActivateCard();
    // Keeps what the answer field holds as the card's typed answer and
    // clears the active flag.
    void DeactivateCard();
    // Question n of the current topic at the user's level becomes the quiz's
    // current question, its text the card's and its answers the matcher's.
    // False when there is no such question (no topic, the user past the last
    // level): the card then has no question.
    bool LoadQuestion();
    // Takes the answer field's text as the typed answer and checks it: 0
    // wrong, 1 right, 2 nearly right, with the matching alternative in value.
    std::int16_t Check(std::int32_t& value);
    // A right answer into the user's record, at the user's level and the
    // current topic.
    void RecordAnswer(std::int32_t value);
    // A topic is current and the user has answered the card's question at
    // their level.
    bool IsAnswered() const;
    // The card's own click: an inactive card comes to the front; the active
    // one shows its question again, or once answered gives way to the next.
    void Click();
    // The typed answer and question are forgotten (a card set aside).
    void ClearTexts();

    std::int32_t GetCardId() const { return cardId_; }
    std::int32_t GetQuestionNumber() const { return questionNumber_; }
    bool IsCardActive() const { return active_ != 0; }
    void SetCardActive(bool active) { active_ = active ? 1 : 0; }
    const JxCString& GetTypedAnswer() const { return typed_; }
    void SetTypedAnswer(const JxCString& typed) { typed_ = typed; }
    const JxCString& GetQuestionText() const { return question_; }
    const JxCRect& GetOverlayRect() const { return overlayRect_; }
    const JxCBitmap* GetOverlay() const { return overlay_.get(); }
    JxCAnswerMatcher& GetMatcher() { return matcher_; }

    // The panel's host: the panel itself when it is one, else the plain
    // host over it.
    JxCQuizCardHost& Host();

private:
    std::unique_ptr<JxCBitmap> overlay_;
    JxCRect overlayRect_;
    JxCTableString overlayName_;
    JxCString typed_;
    JxCString question_;
    std::int16_t active_ = 0;
    JxCAnswerMatcher matcher_;
    std::int32_t cardId_ = 0;
    std::int32_t questionNumber_ = 0;
    std::unique_ptr<JxCQuizCardHost> plainHost_;
};

// The user's level for the quiz: the logged-in user's, 0 with nobody.
std::int32_t QuizUserLevel();
