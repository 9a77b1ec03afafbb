#include "testkit/sample_quiz.h"

#include <array>

namespace testkit {

namespace {

constexpr std::array<const char*, 22> kTopicNames = {
    "Cams and cranks", "Computers", "Electricity", "Electromagnets", "Floating",  "Flying",
    "Friction",        "Gears and belts", "Heat",   "Inclined planes", "Levers", "Light and images",
    "Magnets",         "Photography", "Pressure",   "Pulleys",         "Screws", "Sensors",
    "Sound",           "Springs",     "Telecoms",   "Wheels"};

constexpr std::array<const char*, 5> kOrdinals = {"first", "second", "third", "fourth", "fifth"};

}  // namespace

std::string SampleQuizAnswer(int question)
{
    return "part " + std::to_string(question + 1);
}

QuizQuestions SampleQuizQuestions()
{
    QuizQuestions quiz;
    for (int topic = 0; topic < 22; ++topic)
        for (int level = 0; level < 3; ++level)
            for (int q = 0; q < 5; ++q)
                quiz.at(level, topic, q)
                    .text(std::string(kTopicNames[std::size_t(topic)]) + " at level " + std::to_string(level + 1) +
                          ": what is part " + std::to_string(q + 1) + "?")
                    .answers(SampleQuizAnswer(q) + "," + kOrdinals[std::size_t(q)] + " part");
    return quiz;
}

void AddSampleQuiz(TitleFolder& title, TitleRecord& record)
{
    (void)title;
    record.quiz = SampleQuizQuestions();
}

}  // namespace testkit
