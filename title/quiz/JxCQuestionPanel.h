#pragma once
// The question panel (panel type "QuestionPanel"): the five questions of
// the current topic at one level, each with the answer the user gave (the
// alternative the record names), and the topic's picture for that level.
// The counters and buttons on it take their level from it.
//
// Record after the panel's own: the level (16-bit); for each question the
// ids of its question text and its answer text (16-bit each); the id of the
// picture (16-bit).

#include <array>
#include <cstdint>

#include "objects/panels/JxCTransparentPanel.h"

class JxCQuestionPanel : public JxCTransparentPanel {
public:
    static constexpr std::size_t kQuestions = 5;

    JxCQuestionPanel() = default;
    ~JxCQuestionPanel() override = default;

    std::int16_t Read(JxCInStrStream& in, JxCPageDef* pageDef) override;
    // Fills the texts and the picture, then makes the objects' resources.
    std::int16_t CreateResources() override;

    std::int32_t GetLevel() const { return level_; }

private:
    std::int32_t level_ = 0;
    std::array<std::int32_t, kQuestions> questionIds_{};
    std::array<std::int32_t, kQuestions> answerIds_{};
    std::int32_t pictureId_ = 0;
};
