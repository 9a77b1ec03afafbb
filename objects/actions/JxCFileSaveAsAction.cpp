#include "objects/actions/JxCFileSaveAsAction.h"

#include "objects/widgets/JxCSaveAsHotspot.h"

JxCSaveAsHotspot* JxCFileSaveAsAction::GetTarget() const
{
    return dynamic_cast<JxCSaveAsHotspot*>(GetOwner());
}

std::int16_t JxCFileSaveAsAction::Read(JxCInStrStream&, JxCRunTimeObject* owner)
{
    if (!dynamic_cast<JxCSaveAsHotspot*>(owner))
        return 0;
    SetOwner(owner);
    return 1;
}

std::int16_t JxCFileSaveAsAction::Execute()
{
    JxCSaveAsHotspot* target = GetTarget();
    return target ? target->SaveAs() : std::int16_t(0);
}
