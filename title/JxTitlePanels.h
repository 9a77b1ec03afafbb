#pragma once
// The title's panels, made by panel type; each has a file of its own.

#include "title/JxCDialogPanel.h"
#include "title/JxCGavoPanel.h"  // with the schoolhouse panel
#include "title/JxCLoginPanel.h"
#include "title/JxCNavPanel.h"
#include "title/JxCQTopicsPanel.h"
#include "title/JxCQuestionPanel.h"
#include "title/JxCQuizPanel.h"
#include "title/JxLogBook.h"  // the logbook base panel
