#include "title/quiz/JxCQTopicsPanel.h"

#include "foundation/JxCInStrStream.h"
#include "objects/widgets/JxCBitmap.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCPageObject.h"
#include "runtime/JxCTypeKey.h"
#include "title/quiz/JxCQuizInf.h"
#include "title/quiz/JxCQuizPage.h"
#include "title/quiz/JxCQuizPanel.h"
#include "title/users/JxCUserRecord.h"
#include "title/quiz/JxQuizState.h"

namespace {

std::unique_ptr<JxCBitmap> newPicture(JxCPanelObject& panel, const JxCTableString& name)
{
    auto picture = std::make_unique<JxCBitmap>();
    picture->Attach(&panel, JxCTypeKey(JxCTableString("Bitmap")));
    picture->SetFileName(name);
    if (!picture->CreateResources())
        return nullptr;
    return picture;
}

}  // namespace

JxCQTopicsPanel::JxCQTopicsPanel() = default;

JxCQTopicsPanel::~JxCQTopicsPanel() = default;

std::int16_t JxCQTopicsPanel::Read(JxCInStrStream& in, JxCPageDef* pageDef)
{
    if (!JxCViewingPanel::Read(in, pageDef))
        return 0;
    Layout read;
    if (!ReadTableString(in, iconName_))
        return 0;
    in.ReadBigEndian16To32(read.iconTop).ReadBigEndian16To32(read.iconLeft);
    in.ReadBigEndian16To32(read.titleLeft).ReadBigEndian16To32(read.titleTop);
    in.ReadBigEndian16To32(read.horizontalSpacing).ReadBigEndian16To32(read.verticalSpacing);
    in.ReadBigEndian16To32(read.perColumn);
    if (in.Fail())
        return 0;
    // A column holds at least one topic.
    if (read.perColumn < 1)
        read.perColumn = 1;
    layout_ = read;
    LayOutTopics();
    return 1;
}

std::int16_t JxCQTopicsPanel::CreateResources()
{
    const std::int16_t result = JxCViewingPanel::CreateResources();
    icon_ = iconName_.IsEmpty() ? nullptr : newPicture(*this, iconName_);
    LayOutTopics();
    const JxCQuizInf* quiz = QuizInformation();
    const std::int32_t topic = quiz ? quiz->GetTopic() : -1;
    title_.reset();
    selected_ = -1;
    if (topic >= 0) {
        selected_ = topic;
        title_ = newPicture(*this, JxCTableString(JxCQuizInf::TopicTitleBitmap(topic)));
        if (title_)
            title_->SetRect(JxCRect(TitlePosition(topic).x, TitlePosition(topic).y, TitlePosition(topic).x, TitlePosition(topic).y));
    }
    if (JxCQuizPage* page = FindOpenQuizPage())
        if (JxCQuizPanel* panel = page->GetQuizPanel())
            panel->UpdateTestButton();
    return result;
}

std::int16_t JxCQTopicsPanel::ReleaseResources()
{
    icon_.reset();
    title_.reset();
    return JxCViewingPanel::ReleaseResources();
}

void JxCQTopicsPanel::LayOutTopics()
{
    const JxCUserRecord* record = QuizUserRecord();
    const std::int32_t level = record ? record->GetLevel() : 0;
    JxCRect place = icon_ ? icon_->GetRect() : JxCRect();
    place.Offset(layout_.iconLeft, layout_.iconTop);
    const JxCRect firstRow = place;
    for (std::int32_t i = 0; i < kTopics; ++i) {
        done_[std::size_t(i)] = record && record->IsTopicDone(level, i) ? 1 : 0;
        rects_[std::size_t(i)] = place;
        if ((i + 1) % layout_.perColumn == 0) {
            place.Offset(layout_.horizontalSpacing, firstRow.top - place.top);
        } else {
            place.Offset(0, layout_.verticalSpacing);
        }
    }
}

JxCPoint JxCQTopicsPanel::TitlePosition(std::int32_t topic) const
{
    const std::int32_t x = (topic / layout_.perColumn) * (layout_.horizontalSpacing + 1) + layout_.iconLeft +
                           layout_.titleLeft;
    const std::int32_t y = (topic % layout_.perColumn) * layout_.verticalSpacing + layout_.iconTop + layout_.titleTop;
    return JxCPoint(std::int16_t(x), std::int16_t(y));
}

void JxCQTopicsPanel::SelectTopic(std::int32_t topic)
{
    topic = ValidQuizTopic(topic);
    title_.reset();
    selected_ = topic;
    if (topic >= 0) {
        title_ = newPicture(*this, JxCTableString(JxCQuizInf::TopicTitleBitmap(topic)));
        if (title_)
            title_->SetRect(JxCRect(TitlePosition(topic).x, TitlePosition(topic).y, TitlePosition(topic).x, TitlePosition(topic).y));
    }
    redraw();
}

std::int16_t JxCQTopicsPanel::ReservedPanelCheck2(JxCSlate* slate, const JxCRect& rect)
{
    if (title_) {
        // The picture's own size from its place.
        const JxCPoint at = TitlePosition(selected_);
        const JxCSize size = title_->GetImageSize();
        title_->SetRect(JxCRect(at.x, at.y, std::int16_t(at.x + size.cx), std::int16_t(at.y + size.cy)));
        title_->Draw(slate, nullptr);
    }
    if (icon_) {
        const JxCSize size = icon_->GetImageSize();
        for (std::int32_t i = 0; i < kTopics; ++i) {
            if (!done_[std::size_t(i)])
                continue;
            const JxCRect& place = rects_[std::size_t(i)];
            icon_->SetRect(JxCRect(place.left, place.top, std::int16_t(place.left + size.cx),
                                   std::int16_t(place.top + size.cy)));
            icon_->Draw(slate, nullptr);
        }
    }
    return JxCViewingPanel::ReservedPanelCheck2(slate, rect);
}

void JxCQTopicsPanel::redraw()
{
    if (GetParent() && GetParent()->GetWindow())
        Draw(nullptr, nullptr, 0);
}
