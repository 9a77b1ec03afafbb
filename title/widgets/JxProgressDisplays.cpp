#include "title/widgets/JxProgressDisplays.h"

#include <algorithm>

#include "events/JxProperties.h"
#include "foundation/JxCInStrStream.h"
#include "graphics/JxDibUtils.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCPanelObject.h"
#include "title/JxCProductData.h"
#include "title/quiz/JxCQuestionPanel.h"
#include "title/quiz/JxCQuizPage.h"
#include "title/users/JxCUserRecord.h"
#include "title/quiz/JxQuizState.h"

namespace {

// The level of the question panel the object sits on, or the user's level
// on any other panel.
std::int32_t levelOfPanel(const JxCDisplayObject& object, const JxCUserRecord& record)
{
    const JxCRunTimeObject* holder = object.GetContainer();
    // An object inside another display object sits on that one's panel; a
    // panel is its own container.
    while (holder && holder->GetKind() != kPanelKind && holder->GetContainer() != holder)
        holder = holder->GetContainer();
    const auto* panel = dynamic_cast<const JxCQuestionPanel*>(holder);
    return panel ? panel->GetLevel() : record.GetLevel();
}

void setDisabled(JxCDisplayObject& object, bool disabled)
{
    if (disabled)
        object.SetStateFlags(JxCDisplayObject::kStateDisabled);
    else
        object.ClearStateFlags(JxCDisplayObject::kStateDisabled);
}

// Opens the page for a level: the first for 0, the second for 1, the
// action's own target for any other.
std::int16_t openForLevel(JxCOpenPageAction& action, const std::array<std::int32_t, 2>& pages, std::int32_t level)
{
    const std::uint32_t own = action.GetPageKey();
    if (level == 0 || level == 1)
        action.SetTarget(std::uint32_t(pages[std::size_t(level)]), action.GetTransition(), action.GetParameter());
    const std::int16_t result = action.JxCOpenPageAction::Execute();
    action.SetTarget(own, action.GetTransition(), action.GetParameter());
    return result;
}

template <class Action>
std::int16_t postCopy(const Action& action)
{
    JxCBaseProduct* product = GetProduct();
    if (!product)
        return 0;
    auto* copy = new Action(action);
    copy->CopySubscriptions(action);
    product->QueueAction(copy);
    product->ProcessActions();
    return 1;
}

}  // namespace

const JxCUserRecord& CurrentRecordOrEmpty()
{
    static const JxCUserRecord empty;
    const JxCUserRecord* record = QuizUserRecord();
    return record ? *record : empty;
}

// --- JxCDigits ----------------------------------------------------------------

JxCDigits::~JxCDigits() = default;

std::int16_t JxCDigits::Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type)
{
    if (!JxCDisplayObject::Read(in, container, type))
        return 0;
    for (JxCTableString& name : names_)
        if (!ReadTableString(in, name))
            return 0;
    for (JxCRect& place : places_)
        if (!in.ReadBigEndianRect(place))
            return 0;
    std::int32_t value = 0;
    if (!in.ReadBigEndian16To32(value))
        return 0;
    value_ = value;
    return 1;
}

std::int16_t JxCDigits::CreateResources()
{
    for (std::size_t i = 0; i < images_.size(); ++i) {
        images_[i] = LoadSharedBitmap(*this, names_[i]);
        if (!images_[i])
            return 0;
    }
    return 1;
}

std::int16_t JxCDigits::ReleaseResources()
{
    for (JxSharedImage& image : images_)
        image.reset();
    return JxCDisplayObject::ReleaseResources();
}

std::array<std::int32_t, 4> JxCDigits::GetDigits() const
{
    std::int32_t rest = std::clamp(value_, 0, kMaxShown);
    std::array<std::int32_t, 4> digits{};
    for (std::int32_t& digit : digits) {
        digit = rest % 10;
        rest /= 10;
    }
    return digits;
}

std::int16_t JxCDigits::Draw(JxCSlate* slate, const JxCRect* clip)
{
    if (!IsVisible())
        return 0;
    const std::array<std::int32_t, 4> digits = GetDigits();
    const JxCRect& rect = GetRect();
    std::int16_t drawn = 1;
    for (std::size_t i = 0; i < places_.size(); ++i) {
        const JxSharedImage& image = images_[std::size_t(digits[i])];
        if (!image)
            return 0;
        JxCRect place = places_[i];
        place.left = std::int16_t(place.left + rect.left);
        place.right = std::int16_t(place.right + rect.left);
        place.top = std::int16_t(place.top + rect.top);
        place.bottom = std::int16_t(place.bottom + rect.top);
        if (clip && (place.right <= clip->left || place.left >= clip->right || place.bottom <= clip->top ||
                     place.top >= clip->bottom))
            continue;
        drawn &= DrawBitmapAt(*this, image.get(), place, JxCPoint(0, 0), slate, IsActive());
    }
    return drawn;
}

std::int16_t JxCDigits::GetNumberProperty(std::int16_t index, std::int32_t* value)
{
    if (index != kPropValue)
        return JxCDisplayObject::GetNumberProperty(index, value);
    if (!value)
        return kPropertyNoPlace;
    *value = value_;
    return kPropertyOk;
}

std::int16_t JxCDigits::SetNumberProperty(std::int16_t index, std::int32_t value)
{
    if (index != kPropValue)
        return JxCDisplayObject::SetNumberProperty(index, value);
    value_ = value;
    RedrawInContainer(GetRect());
    return kPropertyOk;
}

JxPropertyKind JxCDigits::GetPropertyInfo(std::int16_t index, std::int32_t* stringId)
{
    if (index == kPropValue)
        return PropertyKindIn(index, stringId, true, false, false);
    return JxCDisplayObject::GetPropertyInfo(index, stringId);
}

// --- Counters ---------------------------------------------------------------

std::int16_t JxCVisitedCount::CreateResources()
{
    if (!JxCDigits::CreateResources())
        return 0;
    const JxCUserRecord* record = QuizUserRecord();
    JxCProductData* data = GetTitleData();
    if (!record || !data || !data->GetIndex())
        return 1;
    const std::int32_t pages = data->GetIndex()->GetCount();
    std::int32_t visited = 0;
    for (std::int32_t i = 0; i < pages; ++i)
        visited += record->IsVisited(i) ? 1 : 0;
    SetValue(pages > 0 ? visited * 100 / pages : 0);
    return 1;
}

std::int16_t JxCQuizCount::CreateResources()
{
    if (!JxCDigits::CreateResources())
        return 0;
    if (const JxCUserRecord* record = QuizUserRecord())
        SetValue(record->CountAnswered(record->GetLevel()) * 100 / 110);
    return 1;
}

std::int16_t JxCAnsweredCount::CreateResources()
{
    if (!JxCDigits::CreateResources())
        return 0;
    const JxCUserRecord& record = CurrentRecordOrEmpty();
    SetValue(record.CountAnsweredOfTopic(levelOfPanel(*this, record), QuizCurrentTopic()));
    return 1;
}

// --- Bitmaps ------------------------------------------------------------------

std::int16_t JxCAllVisited::CreateResources()
{
    if (!JxCBitmap::CreateResources())
        return 0;
    const JxCUserRecord& record = CurrentRecordOrEmpty();
    JxCProductData* data = GetTitleData();
    const std::int32_t pages = data && data->GetIndex() ? data->GetIndex()->GetCount() : 0;
    bool all = pages > 0;
    for (std::int32_t i = 0; all && i < pages; ++i)
        all = record.IsVisited(i) != 0;
    SetState(all ? 1 : 0);
    return 1;
}

std::int16_t JxCQuizTick::Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type)
{
    return JxCBitmap::Read(in, container, type) && in.ReadBigEndian16To32(topic_) ? 1 : 0;
}

std::int16_t JxCQuizTick::CreateResources()
{
    if (!JxCBitmap::CreateResources())
        return 0;
    const JxCUserRecord& record = CurrentRecordOrEmpty();
    const std::int32_t level = record.GetLevel();
    const bool done = level == JxCUserRecord::kTopLevel ||
                      record.CountAnsweredOfTopic(level, topic_) == JxCUserRecord::kQuestions;
    SetState(done ? 1 : 0);
    return 1;
}

std::int16_t JxCQuizLabl::Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type)
{
    return JxCBitmap::Read(in, container, type) && in.ReadBigEndian16To32(level_) ? 1 : 0;
}

std::int16_t JxCQuizLabl::CreateResources()
{
    if (!JxCBitmap::CreateResources())
        return 0;
    SetState(CurrentRecordOrEmpty().GetLevel() == level_ ? 1 : 0);
    return 1;
}

// --- Buttons ------------------------------------------------------------------

std::int16_t JxCCertificateButton::Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type)
{
    std::int16_t threshold = 0;
    if (!JxCButton::Read(in, container, type) || !in.ReadBigEndian16(threshold))
        return 0;
    threshold_ = threshold;
    return 1;
}

std::int16_t JxCCertificateButton::CreateResources()
{
    if (!JxCButton::CreateResources())
        return 0;
    const JxCUserRecord& record = CurrentRecordOrEmpty();
    const bool disabled = threshold_ == -1 ? !record.HasStartedQuiz() : record.GetLevel() <= threshold_;
    setDisabled(*this, disabled);
    return 1;
}

std::int16_t JxCGoTestButton::CreateResources()
{
    if (!JxCButton::CreateResources())
        return 0;
    const JxCUserRecord& record = CurrentRecordOrEmpty();
    const std::int32_t answered = record.CountAnsweredOfTopic(levelOfPanel(*this, record), QuizCurrentTopic());
    state_ = answered == JxCUserRecord::kQuestions ? 0 : 1;
    return 1;
}

void JxCGoTestButton::Clicked()
{
    if (!state_) {
        if (JxCBaseProduct* product = GetProduct())
            product->MarkIdle();
        return;
    }
    // The product's current topic becomes the quiz's, through the open quiz
    // page when there is one.
    JxCProductData* data = GetTitleData();
    if (data && data->GetQuizInf()) {
        const std::int32_t topic = data->GetQuizInf()->GetTopic();
        if (JxCQuizPage* page = FindOpenQuizPage())
            page->SetTopic(topic);
        else
            data->GetQuizInf()->SetTopic(topic);
    }
    JxCButton::Clicked();
}

std::int16_t JxCResetButton::CreateResources()
{
    if (!JxCButton::CreateResources())
        return 0;
    if (const JxCUserRecord* record = QuizUserRecord())
        setDisabled(*this, !record->HasStartedQuiz());
    return 1;
}

std::int16_t JxCCancelButton::CreateResources()
{
    SetPictureNames(JxCString("@CANCLOUT"), JxCString("@CANCLIN"));
    if (!JxCButton::CreateResources())
        return 0;
    JxCRect rect = GetRect();
    rect.right = std::int16_t(rect.left + GetBitmapWidth(*NormalImage()));
    rect.bottom = std::int16_t(rect.top + GetBitmapHeight(*NormalImage()));
    SetRect(rect);
    return 1;
}

// --- Actions ------------------------------------------------------------------

std::int16_t JxCOpenCertificateAction::Read(JxCInStrStream& in, JxCRunTimeObject* owner)
{
    if (!JxCOpenPageAction::Read(in, owner))
        return 0;
    return in.ReadBigEndian32(pages_[0]).ReadBigEndian32(pages_[1]) ? 1 : 0;
}

std::int16_t JxCOpenCertificateAction::Execute()
{
    JxCProductData* data = GetTitleData();
    if (!data || data->GetCompletedLevel() < 0)
        return 1;
    const std::int32_t level = data->GetCompletedLevel();
    data->SetCompletedLevel(-1);
    return openForLevel(*this, pages_, level);
}

std::int16_t JxCOpenCertificateAction::Post()
{
    return postCopy(*this);
}

std::int16_t JxCOpenQuestionAction::Read(JxCInStrStream& in, JxCRunTimeObject* owner)
{
    if (!JxCOpenPageAction::Read(in, owner))
        return 0;
    return in.ReadBigEndian32(pages_[0]).ReadBigEndian32(pages_[1]).ReadBigEndian16To32(topic_) ? 1 : 0;
}

std::int16_t JxCOpenQuestionAction::Execute()
{
    JxCProductData* data = GetTitleData();
    if (data && data->GetQuizInf())
        data->GetQuizInf()->SetTopic(topic_);
    const std::int32_t level = CurrentRecordOrEmpty().GetLevel();
    if (level < 0)
        return 0;
    return openForLevel(*this, pages_, level);
}

std::int16_t JxCOpenQuestionAction::Post()
{
    return postCopy(*this);
}
