#include "title/JxCQuizCard.h"

#include "foundation/JxCInStrStream.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCPanelObject.h"
#include "runtime/JxCTypeKey.h"
#include "title/JxCPlainQuizCardHost.h"
#include "title/JxCProductData.h"
#include "title/JxCUserRecord.h"
#include "title/JxQuizState.h"

std::int32_t QuizUserLevel()
{
    const JxCUserRecord* record = QuizUserRecord();
    return record ? record->GetLevel() : 0;
}

JxCQuizCard::JxCQuizCard() = default;

JxCQuizCard::~JxCQuizCard() = default;

std::int16_t JxCQuizCard::Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type)
{
    if (!JxCBitmap::Read(in, container, type))
        return 0;
    std::int32_t id = 0;
    std::int32_t question = 0;
    if (!in.ReadBigEndian16To32(id).ReadBigEndian16To32(question))
        return 0;
    if (!ReadTableString(in, overlayName_) || !in.ReadBigEndianRect(overlayRect_))
        return 0;
    cardId_ = id;
    questionNumber_ = question;
    return 1;
}

std::int16_t JxCQuizCard::CreateResources()
{
    if (!JxCBitmap::CreateResources())
        return 0;
    if (overlayName_.IsEmpty() || overlay_)
        return 1;
    auto overlay = std::make_unique<JxCBitmap>();
    overlay->Attach(GetContainer(), JxCTypeKey(JxCTableString("Bitmap")));
    overlay->SetRect(overlayRect_);
    overlay->SetFileName(overlayName_);
    // A missing overlay picture leaves the card without one; the card itself
    // still works.
    if (overlay->CreateResources())
        overlay_ = std::move(overlay);
    return 1;
}

std::int16_t JxCQuizCard::ReleaseResources()
{
    overlay_.reset();
    return JxCBitmap::ReleaseResources();
}

std::int16_t JxCQuizCard::Draw(JxCSlate* slate, const JxCRect* clip)
{
    const std::int16_t drawn = JxCBitmap::Draw(slate, clip);
    if (!active_ || !overlay_)
        return drawn;
    // The overlay lies beside the card, outside the part of the card being
    // drawn; the slate's own clip (the panel's area being drawn) bounds it.
    overlay_->Draw(slate, nullptr);
    return drawn;
}

std::int16_t JxCQuizCard::MouseUp(const JxCPoint& point, std::int16_t flag)
{
    const std::int16_t result = JxCBitmap::MouseUp(point, flag);
    Click();
    if (JxCProductData* data = GetTitleData())
        data->ResetIdle();
    return result;
}

std::int32_t JxCQuizCard::HandleCommand(std::int32_t code, std::int32_t a, std::int32_t b, std::int32_t c)
{
    if (code != kSelectCardCommand)
        return JxCBitmap::HandleCommand(code, a, b, c);
    if (a != cardId_)
        return 0;
    Host().BringToFront(*this);
    return 1;
}

namespace {

// The host of a card outside any panel: nothing to show, nothing typed.
class NoQuizCardHost : public JxCQuizCardHost {
public:
    void ShowQuestion(const JxCString&) override {}
    JxCString GetAnswerText() override { return {}; }
    void SetAnswerText(const JxCString&) override {}
    void UpdateButtons() override {}
    void BringToFront(JxCQuizCard& card) override { card.ActivateCard(); }
    void MoveToNextCard() override {}
};

}  // namespace

JxCQuizCardHost& JxCQuizCard::Host()
{
    JxCRunTimeObject* container = GetContainer();
    if (auto* host = dynamic_cast<JxCQuizCardHost*>(container))
        return *host;
    if (!plainHost_) {
        // The panel outlives its cards.
        if (auto* panel = dynamic_cast<JxCPanelObject*>(container))
            plainHost_ = std::make_unique<JxCPlainQuizCardHost>(*panel);
        else
            plainHost_ = std::make_unique<NoQuizCardHost>();
    }
    return *plainHost_;
}

bool JxCQuizCard::LoadQuestion()
{
    JxCQuizInf* quiz = QuizInformation();
    question_ = quiz ? quiz->SelectQuestion(questionNumber_, QuizUserLevel()) : JxCString();
    if (question_.IsEmpty())
        return false;
    const JxCQuizInf::Question* current = quiz->GetCurrentQuestion();
    matcher_.SetAnswerList(current ? current->answers : JxCString());
    return true;
}

void JxCQuizCard::ActivateCard()
{
    LoadQuestion();
    JxCQuizCardHost& host = Host();
    host.ShowQuestion(question_);
    host.SetAnswerText(typed_);
    host.UpdateButtons();
    active_ = 1;
}

void JxCQuizCard::DeactivateCard()
{
    typed_ = Host().GetAnswerText();
    active_ = 0;
}

std::int16_t JxCQuizCard::Check(std::int32_t& value)
{
    typed_ = Host().GetAnswerText();
    return matcher_.CheckAnswer(typed_, value);
}

void JxCQuizCard::RecordAnswer(std::int32_t value)
{
    if (JxCUserRecord* record = QuizUserRecord())
        record->SetAnswer(record->GetLevel(), QuizCurrentTopic(), questionNumber_, value);
}

bool JxCQuizCard::IsAnswered() const
{
    const std::int32_t topic = QuizCurrentTopic();
    const JxCUserRecord* record = QuizUserRecord();
    return topic >= 0 && record && record->IsAnswered(record->GetLevel(), topic, questionNumber_);
}

void JxCQuizCard::Click()
{
    typed_ = JxCString();
    if (!active_) {
        Host().BringToFront(*this);
    } else if (!IsAnswered()) {
        ActivateCard();
    } else {
        Host().MoveToNextCard();
    }
}

void JxCQuizCard::ClearTexts()
{
    typed_ = JxCString();
    question_ = JxCString();
}
