#include "title/quiz/JxCQuizInf.h"

#include <string_view>

#include "foundation/JxCInStrStream.h"

namespace {

constexpr std::array<const char*, JxCQuizInf::kTopicCount> kTitleBitmaps = {
    "CamCranb", "Computeb", "Electrib", "Elctromb", "Floatinb", "Flyingb", "Frictiob", "GearBelb",
    "Heatb",    "InclPlnb", "Leversb",  "LightImb", "Magnetsb", "Photogpb", "Pressurb", "Pulleysb",
    "Screwsb",  "SensDtcb", "Soundb",   "Springsb", "Telecomb", "Wheelsb"};

constexpr std::array<const char*, JxCQuizInf::kTopicCount> kShortNames = {
    "Cams", "Comp", "Elec", "Elmg", "Floa", "Fly",  "Fric", "Gear", "Heat", "Incl", "Leve",
    "Ligh", "Magn", "Phot", "Pres", "Pull", "Scre", "Sens", "Soun", "Spri", "Tele", "Whee"};

constexpr std::array<const char*, JxCQuizInf::kTopicCount> kPictures = {
    "CamCrank", "Computer", "Electric", "Elctromg", "Floating", "Flying",   "Friction", "GearBelt",
    "Heat",     "InclPlne", "Levers",   "LightImg", "Magnetsm", "Photogpy", "Pressure", "Pulleys",
    "Screws",   "SensDtct", "Sound",    "Springs",  "Telecoms", "Wheels"};

const char* topicEntry(const std::array<const char*, JxCQuizInf::kTopicCount>& table, std::int32_t topic)
{
    return topic >= 0 && topic < JxCQuizInf::kTopicCount ? table[std::size_t(topic)] : "";
}

bool readQuestion(JxCInStrStream& in, JxCQuizInf::Question& q)
{
    JxCQuizInf::Question read;
    in.ReadBigEndian16To32(read.valueA).ReadBigEndian16To32(read.valueB).ReadBigEndian16To32(read.valueC);
    in.ReadCountedString(read.text).ReadCountedString(read.answers);
    for (std::int32_t& page : read.researchPages)
        in.ReadBigEndian32(page);
    if (in.Fail())
        return false;
    q = std::move(read);
    return true;
}

}  // namespace

std::int16_t JxCQuizInf::Read(JxCInStrStream& in)
{
    std::int16_t whole = 1;
    for (Question& q : questions_) {
        if (whole && readQuestion(in, q))
            continue;
        whole = 0;
        q = Question();
    }
    return whole;
}

std::int32_t JxCQuizInf::QuestionIndex(std::int32_t level, std::int32_t topic, std::int32_t question)
{
    if (level < 0 || level >= kLevelCount || topic < 0 || topic >= kTopicCount || question < 0 ||
        question >= kQuestionsPerLevel)
        return -1;
    return (topic * kLevelCount + level) * kQuestionsPerLevel + question;
}

const JxCQuizInf::Question* JxCQuizInf::GetQuestion(std::int32_t index) const
{
    return index >= 0 && index < kQuestionCount ? &questions_[std::size_t(index)] : nullptr;
}

bool JxCQuizInf::SetTopic(std::int32_t topic)
{
    // A topic past the tables is no topic, so that nothing reads past them.
    if (topic < 0 || topic >= kTopicCount)
        topic = -1;
    if (topic == topic_)
        return false;
    topic_ = topic;
    return true;
}

JxCString JxCQuizInf::SelectQuestion(std::int32_t question, std::int32_t level)
{
    questionNumber_ = question;
    current_ = topic_ < 0 ? -1 : QuestionIndex(level, topic_, question);
    const Question* q = GetCurrentQuestion();
    return q ? q->text : JxCString();
}

std::int32_t JxCQuizInf::GetResearchPage(std::int32_t n) const
{
    const Question* q = GetCurrentQuestion();
    if (!q || n < 1 || n > std::int32_t(q->researchPages.size()))
        return kNoPage;
    return q->researchPages[std::size_t(n - 1)];
}

JxCString JxCQuizInf::GetQuestionText(std::int32_t level, std::int32_t topic, std::int32_t question) const
{
    const Question* q = GetQuestion(QuestionIndex(level, topic, question));
    return q ? q->text : JxCString();
}

JxCString JxCQuizInf::GetAnswerList(std::int32_t level, std::int32_t topic, std::int32_t question) const
{
    const Question* q = GetQuestion(QuestionIndex(level, topic, question));
    return q ? q->answers : JxCString();
}

JxCString JxCQuizInf::GetAnswerPart(std::int32_t level, std::int32_t topic, std::int32_t question,
                                    std::int32_t n) const
{
    const Question* q = GetQuestion(QuestionIndex(level, topic, question));
    if (!q || n < 0 || n >= kMaxAnswerParts)
        return {};
    std::string_view rest = q->answers.View();
    for (std::int32_t i = 0; i < n; ++i) {
        const std::size_t comma = rest.find(',');
        if (comma == std::string_view::npos)
            return {};
        rest.remove_prefix(comma + 1);
    }
    return JxCString(rest.substr(0, rest.find(',')));
}

const char* JxCQuizInf::TopicTitleBitmap(std::int32_t topic)
{
    return topicEntry(kTitleBitmaps, topic);
}

const char* JxCQuizInf::TopicShortName(std::int32_t topic)
{
    return topicEntry(kShortNames, topic);
}

const char* JxCQuizInf::TopicPicture(std::int32_t topic)
{
    return topicEntry(kPictures, topic);
}

const char* JxCQuizInf::LevelWord(std::int32_t level)
{
    if (level < 0)
        return "";
    return level == 0 ? "mas" : level == 1 ? "exp" : "gen";
}
