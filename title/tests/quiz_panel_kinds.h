#pragma once
// The quiz's panel that a quiz-panels input (a fuzz input or seed) names by
// its first byte: 0 the quiz panel, 1 the topics panel, 2 the question
// panel (taken modulo 3).

#include <cstdint>
#include <memory>

#include "title/JxCQTopicsPanel.h"
#include "title/JxCQuestionPanel.h"
#include "title/JxCQuizPanel.h"

inline std::unique_ptr<JxCPanelObject> NewQuizPanelOfKind(std::uint8_t kind)
{
    switch (kind % 3) {
    case 0:
        return std::make_unique<JxCQuizPanel>();
    case 1:
        return std::make_unique<JxCQTopicsPanel>();
    default:
        return std::make_unique<JxCQuestionPanel>();
    }
}
