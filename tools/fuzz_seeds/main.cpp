// Writes the seeds of the fuzz targets whose inputs testkit writes (the
// product data file, the quiz's files and records, panels' records) into
// one folder per target under the seeds folder:
//   fuzz_seeds SEEDS
// The fuzz build runs it, so that records which name display-object types
// always name them by the ids the program gives them now.

#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "runtime/JxTypeRegistry.h"
#include "testkit/fuzz_seeds.h"
#include "testkit/quiz_questions.h"
#include "testkit/sample_title.h"
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

void writeProductDataSeeds(const std::string& dir)
{
    testkit::TitleFolder sample = testkit::SampleTitle();
    testkit::AddSampleLogbook(sample);
    testkit::WriteHostFile(dir + "/sample", sample.data.Bytes());
    testkit::ProductData rich = sample.data;
    testkit::TemplateBuilder& popup = rich.templateDef(7, "POPUP_PAGE");
    popup.anchor(1, 2).offset(-5, 9).area(10, 20, 300, 200).frame(2, 4).ownerPanels({1, 2}).printPanels({2}).reuse();
    popup.panel(4, "TransparentPanel").stored(6).colour(1, 2, 3).at(7, 8).size(90, 80);
    rich.page(6, 7).name("Popup").storedPanel("Display", {0, 1, 0, 2, 0, 0});
    testkit::WriteHostFile(dir + "/popup_and_stored_panel", rich.Bytes());
    testkit::ProductData empty;
    empty.product().startPages({});
    testkit::WriteHostFile(dir + "/no_pages", empty.Bytes());
    std::vector<std::uint8_t> cut = sample.data.Bytes();
    cut.resize(cut.size() / 2);
    testkit::WriteHostFile(dir + "/truncated", cut);
    testkit::WriteHostFile(dir + "/wrong_offsets", testkit::ProductData(sample.data).claimPageData(9).Bytes());
}

void writeSeeds(const std::string& dir, const std::vector<testkit::FuzzSeed>& seeds)
{
    for (const testkit::FuzzSeed& seed : seeds)
        testkit::WriteHostFile(dir + "/" + seed.name, seed.bytes);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: fuzz_seeds SEEDS\n";
        return 2;
    }
    try {
        const std::string dir = argv[1];
        writeWordDataSeeds(dir + "/word_data");
        writeQuizRecordSeeds(dir + "/quiz_records");
        // The records below name their objects by the program's registered
        // classes.
        RegisterClasses();
        RegisterTypeIds();
        writeProductDataSeeds(dir + "/product_data");
        writeSeeds(dir + "/panel_record", testkit::PanelRecordSeeds().seeds);
        writeSeeds(dir + "/quiz_panels", testkit::QuizPanelSeeds().seeds);
        ReleaseTypeRegistries();
        UnregisterClasses();
    } catch (const std::exception& e) {
        std::cerr << "fuzz_seeds: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
