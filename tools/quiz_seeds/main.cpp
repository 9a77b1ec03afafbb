// Writes the seed files of the quiz's fuzz targets into the seeds folder:
//   quiz_seeds fuzz/seeds

#include <string>
#include <vector>

#include "testkit/quiz_questions.h"
#include "testkit/title_folder.h"
#include "testkit/word_data.h"

namespace {

// A word-data input: the file, the separators, the answer list and the
// typed text, separated as the fuzz target splits them.
std::vector<std::uint8_t> matcherInput(std::vector<std::uint8_t> file, const std::string& answers,
                                       const std::string& typed)
{
    const std::string separator = "\n%%\n";
    std::string rest = separator + " \t.;:!?\"()-/" + separator + answers + separator + typed;
    file.insert(file.end(), rest.begin(), rest.end());
    return file;
}

void writeWordDataSeeds(const std::string& dir)
{
    const std::vector<std::uint8_t> standard = testkit::SampleWordData().Bytes();
    testkit::WriteHostFile(dir + "/set_with_conjunction", matcherInput(standard, "gear,wheel+axle", "axle and wheel"));
    testkit::WriteHostFile(dir + "/phrases", matcherInput(standard, "lever", "I think it is the lever, probably"));
    testkit::WriteHostFile(dir + "/second_list", matcherInput(standard, " Spring ,, coil + X-ray", "cogs"));
    testkit::WriteHostFile(dir + "/seventeen_words",
                           matcherInput(standard, "lever", "a b c d e f g h i j k l m n o p lever"));
    testkit::WriteHostFile(dir + "/no_lists", matcherInput({}, "x+ray", "and"));
    std::vector<std::uint8_t> cut = standard;
    cut.resize(cut.size() / 2);
    testkit::WriteHostFile(dir + "/cut_short", matcherInput(cut, "lever", "the lever"));
    testkit::WordData claimed = testkit::SampleWordData();
    claimed.claimedCategoryCount = 0xFFFFFFFF;
    testkit::WriteHostFile(dir + "/huge_count", matcherInput(claimed.Bytes(), "lever", "not lever"));
}

void writeQuizRecordSeeds(const std::string& dir)
{
    testkit::QuizQuestions quiz;
    for (int topic = 0; topic < 22; ++topic)
        for (int level = 0; level < 3; ++level)
            for (int q = 0; q < 5; ++q)
                quiz.at(level, topic, q)
                    .text("Question " + std::to_string(q))
                    .answers("gear,,wheel+axle,a,b,c,d,e,f,g,h,i")
                    .values(std::int16_t(-topic), std::int16_t(level), std::int16_t(q))
                    .research(100 + topic, q == 0 ? -1 : 200, -1);
    const std::vector<std::uint8_t> whole = quiz.Bytes();
    testkit::WriteHostFile(dir + "/every_question", whole);
    testkit::WriteHostFile(dir + "/empty_questions", testkit::QuizQuestions().Bytes());
    std::vector<std::uint8_t> cut = whole;
    cut.resize(cut.size() / 3);
    testkit::WriteHostFile(dir + "/cut_short", cut);
    std::vector<std::uint8_t> claimed = whole;
    claimed[6] = 0x7F;  // the first question text's length
    testkit::WriteHostFile(dir + "/long_text", claimed);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    const std::string dir = argv[1];
    writeWordDataSeeds(dir + "/word_data");
    writeQuizRecordSeeds(dir + "/quiz_records");
    return 0;
}
