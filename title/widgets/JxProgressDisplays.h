#pragma once
// What shows the logged-in user's progress, on the logbook's and the quiz's
// pages: the four-digit number display with its three counters, the
// all-visited and quiz-state bitmaps, the certificate, go-test, reset and
// cancel buttons and the certificate and question actions. Each display
// works its value out when it creates its resources (its page opens), from
// the current user's record and the quiz state. With nobody logged in the
// visited and quiz counters keep the value of their record, the reset
// button stays as it is, the level label compares with level 0, and the
// others see an empty record (nothing visited or answered, level 0).

#include <array>
#include <cstdint>

#include "foundation/JxCRect.h"
#include "foundation/JxCString.h"
#include "objects/actions/JxCOpenPageAction.h"
#include "objects/widgets/JxCBitmap.h"
#include "objects/widgets/JxCButton.h"
#include "runtime/JxCDisplayObject.h"
#include "runtime/JxSharedBitmaps.h"

class JxCUserRecord;

// A number of up to four digits drawn with ten digit pictures, one per
// position (units first). Record after the display object's: the ten
// pictures' names (table strings, digit 0 first), the four rectangles
// (units first), the value (16-bit). The value is the number property
// "Value"; setting it redraws the object. Values are drawn clamped to 0 to
// 9999.
class JxCDigits : public JxCDisplayObject {
public:
    static constexpr std::int32_t kMaxShown = 9999;

    JxCDigits() = default;
    ~JxCDigits() override;

    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type) override;
    // Loads the ten pictures; 0 when one cannot be loaded.
    std::int16_t CreateResources() override;
    std::int16_t ReleaseResources() override;
    std::int16_t Draw(JxCSlate* slate, const JxCRect* clip) override;

    std::int16_t GetNumberProperty(std::int16_t index, std::int32_t* value) override;
    std::int16_t SetNumberProperty(std::int16_t index, std::int32_t value) override;
    JxPropertyKind GetPropertyInfo(std::int16_t index, std::int32_t* stringId) override;

    std::int32_t GetValue() const { return value_; }
    void SetValue(std::int32_t value) { value_ = value; }
    // The digit shown at each position, units first.
    std::array<std::int32_t, 4> GetDigits() const;

private:
    std::array<JxCTableString, 10> names_;
    std::array<JxSharedImage, 10> images_;
    std::array<JxCRect, 4> places_;
    std::int32_t value_ = 0;
};

// Object type "Visitedcount": the share of the index's pages the user has
// visited, in percent (0 for an empty index).
class JxCVisitedCount : public JxCDigits {
public:
    std::int16_t CreateResources() override;
};

// Object type "quizcount": the questions answered at the user's level, in
// percent of 110 (100 at level 3).
class JxCQuizCount : public JxCDigits {
public:
    std::int16_t CreateResources() override;
};

// Object type "AnsweredCount": how many of the five questions of the quiz's
// current topic are answered at the level of the question panel that holds
// it (at the user's level on any other panel).
class JxCAnsweredCount : public JxCDigits {
public:
    std::int16_t CreateResources() override;
};

// Object type "AllVisited": shown when every page of the index is visited.
class JxCAllVisited : public JxCBitmap {
public:
    std::int16_t CreateResources() override;
};

// Object type "quiztick": record adds a topic (16-bit); shown when the user
// is at level 3 or has answered the topic's five questions at their level.
class JxCQuizTick : public JxCBitmap {
public:
    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type) override;
    std::int16_t CreateResources() override;

private:
    std::int32_t topic_ = 0;
};

// Object type "QuizLabl": record adds a level (16-bit); shown while the
// user's level is that one.
class JxCQuizLabl : public JxCBitmap {
public:
    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type) override;
    std::int16_t CreateResources() override;

private:
    std::int32_t level_ = 0;
};

// Object type "CertificateButton": record adds a level threshold (16-bit,
// signed). With -1 it is disabled until the user has started the quiz;
// otherwise while the user's level is at most the threshold.
class JxCCertificateButton : public JxCButton {
public:
    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type) override;
    std::int16_t CreateResources() override;

private:
    std::int32_t threshold_ = -1;
};

// Object type "GoTestButton": inactive (state 0) once the current topic's
// five questions are answered at the level of the question panel that
// holds it (at the user's level on any other panel). A click while active
// makes the current topic the quiz's; a click while inactive only marks the
// product idle.
class JxCGoTestButton : public JxCButton {
public:
    std::int16_t CreateResources() override;
    std::int16_t GetState() const { return state_; }

protected:
    void Clicked() override;

private:
    std::int16_t state_ = 1;
};

// Object type "ResetButton": disabled while the logged-in user has not
// started the quiz.
class JxCResetButton : public JxCButton {
public:
    std::int16_t CreateResources() override;
};

// Object type "CancelButton": a push button whose normal and pressed
// pictures are the program's own bitmap resources "CANCLOUT" and "CANCLIN",
// its size theirs; without either it cannot be made.
class JxCCancelButton : public JxCButton {
public:
    std::int16_t CreateResources() override;
};

// Action "opencertificate": record adds the certificate pages of levels 0
// and 1 (u32 each). Opens the page of the level the quiz completed last,
// once: the completed level is then forgotten. Without one it succeeds and
// opens nothing; levels above 1 open the action's own target.
class JxCOpenCertificateAction : public JxCOpenPageAction {
public:
    JxCOpenCertificateAction() = default;
    JxCOpenCertificateAction(const JxCOpenCertificateAction& other) = default;
    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* owner) override;
    std::int16_t Execute() override;
    std::int16_t Post() override;
    void SetPages(std::int32_t level0, std::int32_t level1) { pages_ = {level0, level1}; }

private:
    std::array<std::int32_t, 2> pages_{};
};

// Action "OpenQuestion": record adds the question pages of levels 0 and 1
// (u32 each) and a topic (16-bit). The topic becomes the quiz's current
// one; then the page of the user's level opens (levels above 1: the
// action's own target).
class JxCOpenQuestionAction : public JxCOpenPageAction {
public:
    JxCOpenQuestionAction() = default;
    JxCOpenQuestionAction(const JxCOpenQuestionAction& other) = default;
    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* owner) override;
    std::int16_t Execute() override;
    std::int16_t Post() override;
    void SetPages(std::int32_t level0, std::int32_t level1) { pages_ = {level0, level1}; }
    void SetTopic(std::int32_t topic) { topic_ = topic; }
    // Equal pages, topic and target.
    bool Equals(const JxCOpenQuestionAction& other) const
    {
        return pages_ == other.pages_ && topic_ == other.topic_ && SameTarget(other);
    }

private:
    std::array<std::int32_t, 2> pages_{};
    std::int32_t topic_ = 0;
};

// The logged-in user's record, or a record with nothing visited or
// answered at level 0 when nobody is logged in.
const JxCUserRecord& CurrentRecordOrEmpty();
