#pragma once
// The sample title's quiz: a question for each of the 22 topics at each of
// the three levels, five to a topic, all answered the same simple way, so
// that a person (or a script) can go through the whole quiz:
//   question: "<topic> at level <l + 1>: what is part <q + 1>?"
//   answers:  "part <q + 1>,<the word for q + 1> part"   ("part 3", "third part")
// and its word file, which goes beside the program.
//
// With the program's classes registered, the quiz's pages too (pages and
// templates 60 to 79): the topics page (60, a start page), which opens the
// quiz page (61); the right, wrong, near, results, finished and
// topic-complete pages (63 to 68), each closed by a click; the question
// pages of the three levels (69 to 71); the fanfare "\quiz\fanfare".
// Every question's research page is the contents page (2).

#include <cstdint>
#include <string>

#include "testkit/quiz_questions.h"
#include "testkit/title_folder.h"
#include "testkit/title_record.h"
#include "testkit/word_data.h"

namespace testkit {

// A small page of the quiz's notices that the idle list opens: "Still
// there?", closed by a click, over whatever page shows.
constexpr std::uint32_t kSampleStillTherePage = 72;

// The questions above.
QuizQuestions SampleQuizQuestions();
// The first alternative of question q (0 to 4), which any level and topic
// accept: "part 1" ... "part 5".
std::string SampleQuizAnswer(int question);
// A near answer to question q: "piece 1" ... "piece 5", which the sample's
// word file turns into the right answer only through its looser list.
std::string SampleQuizNearAnswer(int question);
// The word file that goes beside the program: the small word file
// (testkit/word_data.h) whose looser list also takes "piece" for "part".
WordData SampleQuizWordData();
// The sample title's quiz: its questions in the title record.
void AddSampleQuiz(TitleFolder& title, TitleRecord& record);

}  // namespace testkit
