#pragma once
// The title's product on the headless desktop with the quiz's questions
// (testkit's generated ones), the program's word separators, a small word
// file beside the program, the styles of a question display and an answer
// field, and pictures for cards, overlays and the answer field.

#include <string>
#include <vector>

#include "platform/tests/temp_config.h"
#include "testkit/bmp.h"
#include "testkit/sample_quiz.h"
#include "testkit/title_folder.h"
#include "testkit/word_data.h"
#include "title/tests/title_data_fixture.h"

namespace title_test {

// Colour indexes of testkit::DistinctColours used by the quiz's pictures.
constexpr std::uint8_t kQuizPaper = 200;
constexpr std::uint8_t kCardColour = 40;
constexpr std::uint8_t kOverlayColour = 90;

class QuizTest : public TitleDataTest {
protected:
    void SetUp() override
    {
        TitleDataTest::SetUp();
        testkit::WriteHostFile(config.program() + "/WordData.dat", testkit::SampleWordData().Bytes());
        title.quiz = testkit::SampleQuizQuestions();
        testkit::CharStyleRecord box;
        box.id = 1;
        box.size = 200;
        testkit::ParaStyleRecord para;
        para.id = 2;
        para.charStyleId = 1;
        title.styles.characters = {box};
        title.styles.paragraphs = {para};
        for (int c = 0; c < 5; ++c)
            writePicture("card" + std::to_string(c) + ".dib", block(60, 40, std::uint8_t(kCardColour + 10 * c)));
        writePicture("tab.dib", block(60, 8, kOverlayColour));
        writePicture("field.dib", block(300, 24, 250));
    }

    // The program's word separators and tolerated word.
    std::string moreProgramStrings() const override
    {
        return "195\t \\t.,;:!?\"()-/\n196\tand\n";
    }
    static testkit::BmpPicture block(int w, int h, std::uint8_t colour)
    {
        return testkit::BmpPicture{w, h, std::vector<std::uint8_t>(std::size_t(w * h), colour),
                                   testkit::DistinctColours()};
    }
    void writePicture(const std::string& name, const testkit::BmpPicture& picture)
    {
        const std::vector<std::uint8_t> b = testkit::EncodeBmp(picture);
        plat::testing::TempConfig::writeFile(config.program() + "/Data/" + name, std::string(b.begin(), b.end()));
    }
    // Reads the title, with P:\Data as the data path.
    void readQuizTitle()
    {
        readTitle();
        product().GetProductDef()->SetDataPath("P:\\Data");
    }
    // Logs in a new user at the level, with the answers given as
    // {level, topic, question, value}.
    void logInAt(std::int16_t level, const std::vector<std::array<std::int16_t, 4>>& answers = {})
    {
        testkit::UserFile user;
        user.name = "Quizzer" + std::to_string(++logins_);
        user.level = level;
        for (const auto& a : answers)
            user.answer(a[0], a[1], a[2], a[3]);
        logIn(user.name, user);
    }
    JxCUserRecord& record() { return *data().GetUserRecord(); }

    int logins_ = 0;
};

}  // namespace title_test
