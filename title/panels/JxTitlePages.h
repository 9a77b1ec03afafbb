#pragma once
// The title's pages, made by page type: its base page and the quiz page.
// Each has a file of its own.

#include "objects/pages/JxCPopupPageEx.h"
#include "title/panels/JxCGv2BasePage.h"
#include "title/quiz/JxCQuizPage.h"  // page type "QUIZ_PAGE"
