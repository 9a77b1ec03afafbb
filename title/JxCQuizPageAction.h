#pragma once
// Action "QuizPageAction": what the quiz page's buttons and the pages
// around it ask of the quiz. Record after the action's own: the code
// (16-bit); code 6 adds a topic (16-bit).
//
// Every code but 7 acts on the open quiz page, and does nothing while none
// is open (5 re-opens a minimised one).

#include <cstdint>

#include "events/JxCAction.h"

class JxCQuizPageAction : public JxCAction {
public:
    static constexpr std::int32_t kNone = -1;
    static constexpr std::int32_t kClose = 0;
    static constexpr std::int32_t kOk = 1;
    static constexpr std::int32_t kResearch = 2;
    static constexpr std::int32_t kMinimise = 3;
    static constexpr std::int32_t kUpdateEditBox = 4;
    static constexpr std::int32_t kUnminimise = 5;
    static constexpr std::int32_t kSetTopic = 6;
    static constexpr std::int32_t kResetQuiz = 7;
    static constexpr std::int32_t kTestCertificate = 8;

    JxCQuizPageAction() = default;
    JxCQuizPageAction(const JxCQuizPageAction&) = default;
    ~JxCQuizPageAction() override = default;

    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* owner) override;
    std::int16_t Execute() override;
    // Queues a copy.
    std::int16_t Post() override;

    std::int32_t GetCode() const { return code_; }
    void SetCode(std::int32_t code) { code_ = code; }
    std::int32_t GetTopic() const { return topic_; }
    void SetTopic(std::int32_t topic) { topic_ = topic; }

private:
    void research();
    void unminimise();

    std::int32_t code_ = kNone;
    std::int32_t topic_ = -1;
};
