#pragma once
// The title's panels, made by panel type.
//
// The quiz, topics, login and question panels are stand-ins so far: the
// factories build them by their names; their records and drawing come with
// the title's features.

#include "objects/panels/JxCViewingPanel.h"
#include "runtime/JxCPanelObject.h"
#include "title/JxCDialogPanel.h"
#include "title/JxCGavoPanel.h"
#include "title/JxCNavPanel.h"
#include "title/JxLogBook.h"  // the logbook base panel

// Panel type "QuizPanel".
class JxCQuizPanel : public JxCTransparentPanel {
public:
    JxCQuizPanel() = default;
    ~JxCQuizPanel() override = default;
};

// Panel type "QTopicsPanel".
class JxCQTopicsPanel : public JxCViewingPanel {
public:
    JxCQTopicsPanel() = default;
    ~JxCQTopicsPanel() override = default;
};

// Panel type "LoginPanel".
class JxCLoginPanel : public JxCPanelObject {
public:
    JxCLoginPanel() = default;
    ~JxCLoginPanel() override = default;
};

// Panel type "QuestionPanel".
class JxCQuestionPanel : public JxCTransparentPanel {
public:
    JxCQuestionPanel() = default;
    ~JxCQuestionPanel() override = default;
};
