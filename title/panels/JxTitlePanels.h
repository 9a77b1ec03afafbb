#pragma once
// The title's panels, made by panel type; each has a file of its own.

#include "title/panels/JxCDialogPanel.h"
#include "title/panels/JxCGavoPanel.h"
#include "title/panels/JxCSchoolhousePanel.h"
#include "title/users/JxCLoginPanel.h"
#include "title/panels/JxCNavPanel.h"
#include "title/quiz/JxCQTopicsPanel.h"
#include "title/quiz/JxCQuestionPanel.h"
#include "title/quiz/JxCQuizPanel.h"
#include "title/JxLogBook.h"  // the logbook base panel
