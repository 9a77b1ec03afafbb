#pragma once
// The title's panels, made by panel type.
//
// The login and quiz panels have files of their own; the others here are
// stand-ins so far: the factories build them by their names; their records
// and drawing come with the title's features.

#include "objects/panels/JxCViewingPanel.h"
#include "runtime/JxCPanelObject.h"
#include "title/JxCLoginPanel.h"  // the login panel
#include "title/JxCQTopicsPanel.h"
#include "title/JxCQuestionPanel.h"
#include "title/JxCQuizPanel.h"
#include "title/JxLogBook.h"  // the logbook base panel

// Panel type "Display". A release in it restarts the idle tick's counts.
class JxCGavoPanel : public JxCViewingPanel {
public:
    JxCGavoPanel() = default;
    ~JxCGavoPanel() override = default;
    std::int16_t MouseUp(const JxCPoint& point) override;
};

// Panel type "NavPanel".
class JxCNavPanel : public JxCPanelObject {
public:
    JxCNavPanel() = default;
    ~JxCNavPanel() override = default;
};

// Panel type "DialogPanel".
class JxCDialogPanel : public JxCPanelObject {
public:
    JxCDialogPanel() = default;
    ~JxCDialogPanel() override = default;
};

// Panel type "SchoolhousePanel".
class JxCSchoolhousePanel : public JxCGavoPanel {
public:
    JxCSchoolhousePanel() = default;
    ~JxCSchoolhousePanel() override = default;
};
