#include "objects/widgets/JxCCollButton.h"

#include <utility>

#include "foundation/JxCInStrStream.h"
#include "objects/widgets/JxCCollage.h"
#include "runtime/JxCCollDataManager.h"
#include "runtime/JxKeywordTables.h"

JxCCollButton::~JxCCollButton()
{
    if (JxCGroupCollage* group = std::exchange(group_, nullptr))
        group->HandleCommand(kCollButtonGone, 0, 0, 0);
}

std::int16_t JxCCollButton::Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type)
{
    if (!JxCButton::Read(in, container, type))
        return 0;
    return in.ReadBigEndian16(visibleFlag_).ReadBigEndian32(activation_) ? 1 : 0;
}

std::int16_t JxCCollButton::Draw(JxCSlate* slate, const JxCRect* clip)
{
    return visibleFlag_ ? JxCButton::Draw(slate, clip) : 1;
}

JxCGroupCollage* JxCCollButton::SetGroup(JxCGroupCollage* group)
{
    return std::exchange(group_, group);
}

void JxCCollButton::TakeSelection()
{
    JxCCollage* collage = group_ ? group_->GetCollage() : nullptr;
    selection_ = collage ? collage->GetSelectedIndex() : -1;
}

std::int16_t JxCCollButton::MouseUp(const JxCPoint& point, std::int16_t)
{
    ClearStateFlags(kStateSelected);
    if (TestStateFlags(kStateDisabled))
        return 1;
    RedrawInContainer(GetRect());
    if (!GetRect().Contains(point))
        return 1;
    DispatchEvent(std::int16_t(EventId(JxEventKeyword::on_click)), std::int16_t(GetTypeKey().GetId()));
    JxCCollage* collage = group_ ? group_->GetCollage() : nullptr;
    if (JxCCollDataManager* data = collage ? collage->GetDataManager() : nullptr) {
        JxCCollItemRef item(*data, collage->GetSelectedIndex(), collage);
        data->ActivateItem(item, activation_);
    }
    return 1;
}
