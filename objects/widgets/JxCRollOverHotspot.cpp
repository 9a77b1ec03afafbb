#include "objects/widgets/JxCRollOverHotspot.h"

#include "foundation/JxCInStrStream.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCPanelObject.h"
#include "runtime/JxKeywordTables.h"
#include "runtime/JxSharedBitmaps.h"

JxCRollOverHotspot::~JxCRollOverHotspot()
{
    image_.reset();
}

std::int16_t JxCRollOverHotspot::Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type)
{
    if (!JxCHotspot::Read(in, container, type))
        return 0;
    JxCTableString name;
    std::int16_t x = 0, y = 0;
    if (!ReadTableString(in, name) || !in.ReadBigEndian16(x).ReadBigEndian16(y))
        return 0;
    name_ = name;
    offset_ = JxCPoint(x, y);
    return 1;
}

std::int16_t JxCRollOverHotspot::ReleaseResources()
{
    image_.reset();
    return JxCHotspot::ReleaseResources();
}

std::int16_t JxCRollOverHotspot::CreateResources()
{
    ReleaseResources();
    JxCHotspot::CreateResources();
    if (name_.IsEmpty())
        return 1;
    image_ = LoadSharedBitmap(*this, name_);
    return image_ ? 1 : 0;
}

JxCRect JxCRollOverHotspot::GetRollOverRect() const
{
    JxCRect r = GetRect();
    r.Offset(offset_.x, offset_.y);
    return r;
}

std::int16_t JxCRollOverHotspot::Draw(JxCSlate* slate, const JxCRect* clip)
{
    JxCHotspot::Draw(slate, clip);
    if (!over_ || !image_)
        return 1;
    // The picture may stand outside the rectangle the panel asked for: it
    // is drawn whole, within the panel's own clip.
    DrawBitmapAt(*this, image_.get(), GetRollOverRect(), JxCPoint(), slate, 0);
    return 1;
}

void JxCRollOverHotspot::redrawPanel()
{
    JxCRunTimeObject* container = GetContainer();
    if (container && container->GetKind() == kPanelKind) {
        auto* panel = static_cast<JxCPanelObject*>(container);
        if (!panel->IsClosing())
            panel->Draw(nullptr, nullptr, 1);
    }
}

std::int16_t JxCRollOverHotspot::MouseEnter()
{
    over_ = 1;
    DispatchEvent(std::int16_t(EventId(JxEventKeyword::on_rollon)), std::int16_t(GetTypeKey().GetId()));
    redrawPanel();
    return 1;
}

std::int16_t JxCRollOverHotspot::MouseLeave()
{
    DispatchEvent(std::int16_t(EventId(JxEventKeyword::on_rolloff)), std::int16_t(GetTypeKey().GetId()));
    over_ = 0;
    redrawPanel();
    return 1;
}
