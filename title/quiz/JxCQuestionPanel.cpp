#include "title/quiz/JxCQuestionPanel.h"

#include <string>

#include "foundation/JxCInStrStream.h"
#include "objects/widgets/JxCBitmap.h"
#include "objects/widgets/JxCParaText.h"
#include "title/quiz/JxCQuizInf.h"
#include "title/users/JxCUserRecord.h"
#include "title/quiz/JxQuizState.h"

namespace {

void showText(JxCDisplayObject* object, const JxCString& text)
{
    if (auto* para = dynamic_cast<JxCParaText*>(object))
        para->SetText(text.GetText() ? text.GetText() : "", 0);
}

}  // namespace

std::int16_t JxCQuestionPanel::Read(JxCInStrStream& in, JxCPageDef* pageDef)
{
    if (!JxCTransparentPanel::Read(in, pageDef))
        return 0;
    in.ReadBigEndian16To32(level_);
    for (std::size_t q = 0; q < kQuestions; ++q)
        in.ReadBigEndian16To32(questionIds_[q]).ReadBigEndian16To32(answerIds_[q]);
    in.ReadBigEndian16To32(pictureId_);
    return in.Fail() ? 0 : 1;
}

std::int16_t JxCQuestionPanel::CreateResources()
{
    const JxCQuizInf* quiz = QuizInformation();
    const JxCUserRecord* record = QuizUserRecord();
    const std::int32_t topic = quiz ? quiz->GetTopic() : -1;
    for (std::size_t q = 0; q < kQuestions; ++q) {
        const auto n = std::int32_t(q);
        JxCString question = quiz ? quiz->GetQuestionText(level_, topic, n) : JxCString();
        const std::int32_t value = record ? record->GetAnswer(level_, topic, n) : -1;
        JxCString answer = quiz && value >= 0 ? quiz->GetAnswerPart(level_, topic, n, value) : JxCString();
        showText(FindObjectById(questionIds_[q]), question);
        showText(FindObjectById(answerIds_[q]), answer);
    }
    if (auto* picture = dynamic_cast<JxCBitmap*>(FindObjectById(pictureId_))) {
        const std::string name =
            topic < 0 ? "blank" : std::string(JxCQuizInf::LevelWord(level_)) + JxCQuizInf::TopicShortName(topic);
        picture->SetFileName(JxCTableString(name.c_str()));
    }
    return JxCTransparentPanel::CreateResources();
}
