#include "testkit/sample_quiz.h"

#include <array>
#include <cmath>

#include "testkit/display_objects.h"
#include "testkit/quiz_pages.h"
#include "testkit/sample_links.h"
#include "testkit/sample_title.h"
#include "testkit/type_ids.h"
#include "testkit/wave.h"
#include "testkit/title_panels.h"

namespace testkit {

namespace {

constexpr std::array<const char*, 22> kTopicNames = {
    "Cams and cranks", "Computers", "Electricity", "Electromagnets", "Floating",  "Flying",
    "Friction",        "Gears and belts", "Heat",   "Inclined planes", "Levers", "Light and images",
    "Magnets",         "Photography", "Pressure",   "Pulleys",         "Screws", "Sensors",
    "Sound",           "Springs",     "Telecoms",   "Wheels"};

// The pictures the title's quiz asks for by topic: the topics page's title
// marks, the quiz panel's pictures and the question pages' short names.
constexpr std::array<const char*, 22> kTitleBitmaps = {
    "CamCranb", "Computeb", "Electrib", "Elctromb", "Floatinb", "Flyingb", "Frictiob", "GearBelb",
    "Heatb",    "InclPlnb", "Leversb",  "LightImb", "Magnetsb", "Photogpb", "Pressurb", "Pulleysb",
    "Screwsb",  "SensDtcb", "Soundb",   "Springsb", "Telecomb", "Wheelsb"};
constexpr std::array<const char*, 22> kPictures = {
    "CamCrank", "Computer", "Electric", "Elctromg", "Floating", "Flying",   "Friction", "GearBelt",
    "Heat",     "InclPlne", "Levers",   "LightImg", "Magnetsm", "Photogpy", "Pressure", "Pulleys",
    "Screws",   "SensDtct", "Sound",    "Springs",  "Telecoms", "Wheels"};
constexpr std::array<const char*, 22> kShortNames = {
    "Cams", "Comp", "Elec", "Elmg", "Floa", "Fly",  "Fric", "Gear", "Heat", "Incl", "Leve",
    "Ligh", "Magn", "Phot", "Pres", "Pull", "Scre", "Sens", "Soun", "Spri", "Tele", "Whee"};

constexpr std::array<const char*, 5> kOrdinals = {"first", "second", "third", "fourth", "fifth"};

// The quiz's pages and templates.
enum QuizPage : std::uint32_t {
    kTopicsPage = 60,
    kQuizPage = 61,
    kRightPage = 63,
    kWrongPage = 64,
    kNearPage = 65,
    kResultsPage = 66,
    kFinishedPage = 67,
    kTopicDonePage = 68,
    kQuestionsPage0 = 69,
};
constexpr std::uint16_t kTopicsTemplate = 60;
constexpr std::uint16_t kQuizTemplate = 61;
constexpr std::uint16_t kNoticeTemplate = 62;
constexpr std::uint16_t kQuestionsTemplate = 63;
// The research page of every question: the sample's contents page.
constexpr std::int32_t kResearchPage = 2;
// The paragraph style of the sample's title record.
constexpr std::int16_t kParaStyle = 2;

BmpPicture block(std::int32_t width, std::int32_t height, std::uint8_t colour)
{
    return BmpPicture{width, height, std::vector<std::uint8_t>(std::size_t(width * height), colour), SamplePalette()};
}

BmpPicture framedBlock(std::int32_t width, std::int32_t height, std::uint8_t frame, std::uint8_t field)
{
    BmpPicture p = block(width, height, frame);
    for (std::int32_t y = 2; y < height - 2; ++y)
        for (std::int32_t x = 2; x < width - 2; ++x)
            p.pixels[std::size_t(y * width + x)] = field;
    return p;
}

void addPicture(TitleFolder& title, const std::string& name, const BmpPicture& picture)
{
    title.files[name + ".dib"] = EncodeBmp(picture);
}

// A rising three-note fanfare, under a second long.
std::vector<std::uint8_t> fanfare()
{
    constexpr std::uint32_t kRate = 22050;
    const double notes[] = {523.25, 659.25, 783.99, 1046.5};
    std::vector<std::int16_t> samples;
    for (std::size_t n = 0; n < std::size(notes); ++n) {
        const std::size_t length = n + 1 < std::size(notes) ? kRate / 6 : kRate / 2;
        for (std::size_t i = 0; i < length; ++i) {
            const double t = double(i) / kRate;
            samples.push_back(std::int16_t(8000 * std::exp(-3 * t) * std::sin(2 * M_PI * notes[n] * t)));
        }
    }
    return EncodeWave(Pcm16Sound(samples, kRate));
}

ParaText label(const std::string& text)
{
    ParaText para;
    para.styleId = kParaStyle;
    para.text = text;
    return para;
}

// Three pictures of a button: up, pressed and disabled.
ButtonPictures buttonPictures(TitleFolder& title, const std::string& name, std::int32_t w, std::int32_t h)
{
    addPicture(title, name + "up", framedBlock(w, h, kSampleNavy, kSampleTeal));
    addPicture(title, name + "dn", framedBlock(w, h, kSampleNavy, kSampleSand));
    addPicture(title, name + "off", framedBlock(w, h, 248, 7));
    return ButtonPictures{name + "up", name + "dn", name + "off", 0, 0};
}

// The topics page: 22 topics in three columns, each a name to click, the
// done tick of each topic done at the user's level and a marker beside the
// current one, and a button that brings a minimised quiz back.
void addTopicsPage(TitleFolder& title)
{
    ProductData& data = title.data;
    TemplateBuilder& t = data.templateDef(kTopicsTemplate, "BASE_PAGE");
    t.panel(1, "Display").at(0, 0).size(640, 60).colour(24, 40, 96);
    t.panel(2, "QTopicsPanel").at(0, 60).size(640, 360).colour(232, 216, 176);
    t.panel(3, "NavPanel").at(0, 420).size(640, 60).colour(32, 128, 128);
    addPicture(title, "quiz_done", framedBlock(16, 16, kSampleMoss, kSampleWhite));
    for (int topic = 0; topic < 22; ++topic)
        addPicture(title, kTitleBitmaps[std::size_t(topic)], block(8, 16, kSampleRust));
    TopicsLayout layout;
    layout.icon = "quiz_done";
    layout.iconLeft = 16;
    layout.iconTop = 16;
    layout.titleLeft = 182;
    layout.titleTop = 0;
    layout.horizontalSpacing = 205;
    layout.verticalSpacing = 40;
    layout.perColumn = 8;
    PanelRecord panel(2);
    for (std::int16_t topic = 0; topic < 22; ++topic) {
        const auto x = std::int16_t(16 + (topic / 8) * 206);
        const auto y = std::int16_t(16 + (topic % 8) * 40);
        panel.add(ParaTextRecord(label(kTopicNames[std::size_t(topic)])).rect(std::int16_t(x + 22), y, std::int16_t(x + 180), std::int16_t(y + 24)), data);
        panel.add(HotspotRecord(0).rect(x, y, std::int16_t(x + 180), std::int16_t(y + 24)).on("on_click", {QuizPageAction(6, topic)}), data);
    }
    // Brings a minimised quiz back.
    panel.add(ButtonRecord(buttonPictures(title, "quiz_back", 60, 24)).rect(560, 320, 620, 344).on("on_click", {QuizPageAction(5)}), data);
    AddSampleHomeLink(title, panel);
    data.page(kTopicsPage, kTopicsTemplate)
        .name("Quiz topics")
        .storedPanel("QTopicsPanel", QTopicsPanelBytes(panel, layout, data))
        .on("on_open", {OpenPageAction(kQuizPage)});
}

// The quiz page: a strip to drag it by with the minimise and research
// buttons, the question, the answer field and its button, the five cards
// with their tabs, the topic's picture and the test button.
void addQuizPage(TitleFolder& title)
{
    ProductData& data = title.data;
    // Linked to its opener: a click on the topics page does not close it.
    TemplateBuilder& t = data.templateDef(kQuizTemplate, "QUIZ_PAGE").offset(250, 230);
    t.pageWords[1] = 1;
    t.panel(1, "QuizPanel").size(379, 203).colour(255, 255, 255);
    // The page's face: a strip along the top to drag it by, over a frame.
    BmpPicture face = framedBlock(379, 203, kSampleNavy, kSampleWhite);
    for (std::int32_t y = 0; y < 25; ++y)
        for (std::int32_t x = 0; x < 379; ++x)
            face.pixels[std::size_t(y * 379 + x)] = kSampleNavy;
    addPicture(title, "quiz_face", face);
    addPicture(title, "quiz_tab", block(50, 5, kSampleRust));
    addPicture(title, "blank", block(50, 40, kSampleWhite));
    for (int topic = 0; topic < 22; ++topic) {
        BmpPicture p = framedBlock(50, 40, kSampleNavy, std::uint8_t(16 + 10 * topic));
        addPicture(title, kPictures[std::size_t(topic)], p);
    }
    PanelRecord panel(1);
    panel.add(BitmapRecord("quiz_face").at(0, 0).z(-1), data);
    panel.add(ButtonRecord(buttonPictures(title, "quiz_research", 70, 19)).id(4).rect(300, 3, 370, 22).on("on_click", {QuizPageAction(2)}), data);
    panel.add(ButtonRecord(buttonPictures(title, "quiz_min", 40, 19)).id(7).rect(250, 3, 290, 22).on("on_click", {QuizPageAction(3)}), data);
    panel.add(ParaTextRecord(label("")).id(1).rect(10, 30, 370, 72), data);
    panel.add(EditBoxRecord("EDITFOC", "EDITBOX", "", 1).id(2).rect(10, 76, 270, 106), data);
    panel.add(ButtonRecord(buttonPictures(title, "quiz_ok", 60, 30)).id(3).rect(280, 76, 340, 106).on("on_click", {QuizPageAction(1)}), data);
    panel.add(BitmapRecord("blank").id(6).at(316, 120), data);
    panel.add(ButtonRecord(buttonPictures(title, "quiz_test", 50, 20)).id(5).rect(316, 170, 366, 190).on("on_click", {QuizPageAction(8)}), data);
    for (int c = 0; c < 5; ++c) {
        addPicture(title, "quiz_card" + std::to_string(c), framedBlock(50, 40, kSampleNavy, c % 2 ? kSampleWhite : kSampleSand));
        const auto left = std::int16_t(10 + 58 * c);
        panel.add(QuizCardRecord(data, "quiz_card" + std::to_string(c), std::int16_t(c), std::int16_t(c), "quiz_tab",
                                 {left, 166, std::int16_t(left + 50), 171})
                      .id(std::int16_t(10 + c))
                      .z(std::int16_t(10 - c))
                      .at(left, 120),
                  data);
    }
    QuizPanelTail tail;
    tail.right = kRightPage;
    tail.wrong = kWrongPage;
    tail.nearly = kNearPage;
    tail.results = kResultsPage;
    tail.answerButton = 3;
    tail.researchButton = 4;
    tail.testButton = 5;
    tail.picture = 6;
    tail.questionPages = {kQuestionsPage0, kQuestionsPage0 + 1, kQuestionsPage0 + 2};
    tail.completedPages.fill(kTopicDonePage);
    data.page(kQuizPage, kQuizTemplate).name("Quiz").storedPanel("QuizPanel", QuizPanelBytes(panel, tail));
}

// The small pages the answers open: a message, closed by a click on it.
void addNoticePages(TitleFolder& title)
{
    ProductData& data = title.data;
    data.templateDef(kNoticeTemplate, "POPUP_PAGE").offset(200, 120).panel(1, "Display").size(240, 80).colour(232, 216, 176);
    const std::pair<std::uint32_t, const char*> notices[] = {
        {kRightPage, "Right! Click here for the next question."},
        {kWrongPage, "Not quite. Click here and try again."},
        {kNearPage, "Nearly: say it another way. Click here."},
        {kResultsPage, "A whole level done: well done! Click here."},
        {kFinishedPage, "You have finished the quiz. Click here."},
        {kTopicDonePage, "Topic complete! Pick another. Click here."},
        {kSampleStillTherePage, "Still there? Click here to go on."},
    };
    addPicture(title, "quiz_note", framedBlock(240, 80, kSampleRust, kSampleSand));
    for (const auto& [id, text] : notices) {
        PanelRecord panel(1);
        panel.add(BitmapRecord("quiz_note").at(0, 0).z(-1), data);
        panel.add(ParaTextRecord(label(text)).rect(10, 10, 230, 70), data);
        panel.add(HotspotRecord(0).rect(0, 0, 240, 80).on("on_click", {ClosePageAction(id)}), data);
        data.page(id, kNoticeTemplate).name(text).storedPanel("Display", TitlePanelBytes(panel));
    }
}

// The question pages of the three levels: the topic's five questions and
// the answers given.
void addQuestionPages(TitleFolder& title)
{
    ProductData& data = title.data;
    data.templateDef(kQuestionsTemplate, "POPUP_PAGE").offset(120, 80).panel(1, "QuestionPanel").size(400, 300).colour(255, 255, 255);
    for (const char* level : {"mas", "exp", "gen"})
        for (int topic = 0; topic < 22; ++topic)
            addPicture(title, std::string(level) + kShortNames[std::size_t(topic)], framedBlock(40, 30, kSampleTeal, kSampleSand));
    addPicture(title, "quiz_sheet", framedBlock(400, 300, kSampleTeal, kSampleWhite));
    for (std::int16_t level = 0; level < 3; ++level) {
        const auto id = std::uint32_t(kQuestionsPage0 + std::uint32_t(level));
        PanelRecord panel(1);
        panel.add(BitmapRecord("quiz_sheet").at(0, 0).z(-1), data);
        QuestionPanelTail tail;
        tail.level = level;
        for (std::int16_t q = 0; q < 5; ++q) {
            const auto y = std::int16_t(10 + 56 * q);
            tail.questionIds[std::size_t(q)] = std::int16_t(10 + q);
            tail.answerIds[std::size_t(q)] = std::int16_t(20 + q);
            panel.add(ParaTextRecord(label("")).id(std::int16_t(10 + q)).rect(10, y, 340, std::int16_t(y + 26)), data);
            panel.add(ParaTextRecord(label("")).id(std::int16_t(20 + q)).rect(30, std::int16_t(y + 26), 340, std::int16_t(y + 50)), data);
        }
        tail.pictureId = 30;
        panel.add(BitmapRecord("blank").id(30).at(350, 10), data);
        panel.add(HotspotRecord(0).rect(340, 250, 400, 300).on("on_click", {ClosePageAction(id)}), data);
        data.page(id, kQuestionsTemplate).name("Questions").storedPanel("QuestionPanel", QuestionPanelBytes(panel, tail));
    }
}

}  // namespace

std::string SampleQuizAnswer(int question)
{
    return "part " + std::to_string(question + 1);
}

std::string SampleQuizNearAnswer(int question)
{
    return "piece " + std::to_string(question + 1);
}

WordData SampleQuizWordData()
{
    WordData words = SampleWordData();
    words.secondList.push_back("part:piece;pieces");
    return words;
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
    record.quiz = SampleQuizQuestions();
    for (int i = 0; i < QuizQuestions::kCount; ++i)
        record.quiz.record(i).research(kResearchPage);
    if (!IsDisplayObjectTypeRegistered("QuizCard") || !IsDisplayObjectTypeRegistered("ParaText") ||
        !IsDisplayObjectTypeRegistered("EditBox") || !IsDisplayObjectTypeRegistered("Hotspot") ||
        !IsDisplayObjectTypeRegistered("Button"))
        return;
    record.fields.quizReopenPage = kQuizPage;
    record.fields.testPage = kTopicsPage;
    record.fields.finishedPage = kFinishedPage;
    addTopicsPage(title);
    addQuizPage(title);
    addNoticePages(title);
    addQuestionPages(title);
    title.files["quiz/fanfare.wav"] = fanfare();
    title.data.product().pages.push_back(kTopicsPage);
}

}  // namespace testkit
