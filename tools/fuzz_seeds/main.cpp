// Writes the seed files of the quiz's fuzz targets into the seeds folder:
//   quiz_seeds fuzz/seeds

#include <string>
#include <vector>

#include "runtime/JxTypeRegistry.h"
#include "testkit/quiz_pages.h"
#include "testkit/quiz_questions.h"
#include "testkit/title_folder.h"
#include "testkit/word_data.h"
#include "title/JxClassRegistrations.h"

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

// A quiz panels input: the panel kind (0 quiz, 1 topics, 2 question), then
// the stored record.
void writePanelSeed(const std::string& path, std::uint8_t kind, std::vector<std::uint8_t> record)
{
    record.insert(record.begin(), kind);
    testkit::WriteHostFile(path, record);
}

void writeQuizPanelSeeds(const std::string& dir)
{
    testkit::ProductData file;
    file.Intern("pic");
    testkit::PanelRecord cards(1);
    testkit::ParaText para;
    cards.add(testkit::ParaTextRecord(para).id(1).rect(0, 0, 300, 20), file);
    cards.add(testkit::EditBoxRecord("pic", "pic", "", 1).id(2).rect(0, 30, 200, 50), file);
    cards.add(testkit::ButtonRecord({"pic", "pic", ""}).id(3).rect(210, 30, 250, 50), file);
    for (int c = 0; c < 5; ++c) {
        const auto left = std::int16_t(10 + 60 * c);
        cards.add(testkit::QuizCardRecord(file, "pic", std::int16_t(c), std::int16_t(c), c == 2 ? "" : "pic",
                                          {left, 170, std::int16_t(left + 8), 178})
                      .id(std::int16_t(10 + c))
                      .z(std::int16_t(c % 2))
                      .at(left, 120),
                  file);
    }
    testkit::QuizPanelTail tail;
    tail.answerButton = 3;
    tail.researchButton = 3;
    tail.testButton = 99;
    tail.picture = 1;
    const std::vector<std::uint8_t> quiz = testkit::QuizPanelBytes(cards, tail);
    writePanelSeed(dir + "/quiz_panel", 0, quiz);
    std::vector<std::uint8_t> cut = quiz;
    cut.resize(cut.size() - 700);
    writePanelSeed(dir + "/quiz_panel_cut", 0, cut);
    testkit::TopicsLayout layout;
    layout.icon = "pic";
    layout.perColumn = 0;
    layout.horizontalSpacing = -30000;
    layout.verticalSpacing = 30000;
    writePanelSeed(dir + "/topics_no_rows", 1, testkit::QTopicsPanelBytes(testkit::PanelRecord(1), layout, file));
    layout.perColumn = 10;
    layout.horizontalSpacing = 150;
    layout.verticalSpacing = 20;
    writePanelSeed(dir + "/topics_ten", 1, testkit::QTopicsPanelBytes(testkit::PanelRecord(1), layout, file));
    testkit::QuestionPanelTail questions;
    questions.level = 7;
    questions.questionIds = {1, 1, 1, 1, 1};
    questions.answerIds = {2, 2, 2, 2, 2};
    questions.pictureId = 10;
    writePanelSeed(dir + "/question_panel", 2, testkit::QuestionPanelBytes(cards, questions));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    const std::string dir = argv[1];
    writeWordDataSeeds(dir + "/word_data");
    writeQuizRecordSeeds(dir + "/quiz_records");
    // The quiz panels' records name their objects' types by the program's
    // registered classes.
    RegisterClasses();
    RegisterTypeIds();
    writeQuizPanelSeeds(dir + "/quiz_panels");
    ReleaseTypeRegistries();
    UnregisterClasses();
    return 0;
}
