#include "runtime/JxTypeRegistry.h"

#include "events/JxCAction.h"
#include "events/JxNotifyTables.h"
#include "runtime/JxClassFactories.h"
#include "runtime/JxCTypeKey.h"
#include "runtime/JxKeywordTables.h"

std::int16_t RegisterTypeIds()
{
    NumberActionAndEventIds();
    DisplayObjectTypeTable().Freeze();
    NumberPanelPageAndResourceIds();
    // One table entry per id below the LAST_ id.
    AllocateNotifyTables(static_cast<std::size_t>(ActionTypeId(JxActionKeyword::LAST_ACT)),
                         static_cast<std::size_t>(EventId(JxEventKeyword::LAST_EVT)));
    // The event layer makes and clones actions through the factories.
    SetActionFactory({&NewActionOfType, &CopyActionOfType, &ActionsEqualOfType});
    return 1;
}

void ReleaseTypeRegistries()
{
    DisplayObjectTypeTable().Thaw();
    SetActionFactory({});
    FreeNotifyTables();
}
