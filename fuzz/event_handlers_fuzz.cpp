// The event-handler list of a run-time object's record, with its action
// lists and the scope word, on arbitrary bytes: the reader stays inside the
// stream, keeps only handlers with action lists, and never makes more
// handlers or actions than the bytes could hold; the shared media that the
// actions bound as they were read go with them.
#include <cstddef>
#include <cstdint>

#include "events/JxCAction.h"
#include "events/JxCRunTimeObject.h"
#include "foundation/JxCInStrStream.h"
#include "fuzz_support.h"
#include "media/JxCResourceObject.h"
#include "platform/backend/harness.h"
#include "runtime/JxTypeRegistry.h"
#include "title/JxClassRegistrations.h"

namespace {

struct World {
    plat::Harness harness;
    World()
    {
        RegisterClasses();
        RegisterTypeIds();
        // A sound that cannot be found is reported; every box is answered.
        plat::SetResponder([](const plat::UiRequest& r) -> std::optional<int> {
            return r.buttons.empty() ? 1 : r.buttons.back();
        });
    }
};

// The handlers read for an owner that goes at the end.
void readHandlers(const std::uint8_t* data, std::size_t size)
{
    JxCInStrStream in(JxMemoryBlock{data, std::uint32_t(size)});
    JxCRunTimeObject owner;
    owner.ReadHandlersAndScope(in);
    fuzz::Check(in.Tell() <= size);

    JxCEventHandlerList& handlers = owner.GetEventHandlers();
    // A handler takes at least its event id and an action count; an action
    // at least its type id.
    fuzz::Check(std::size_t(handlers.GetCount()) <= size / 4);
    std::size_t actions = 0;
    for (JxCEventHandler* h = handlers.GetFirst(); h; h = handlers.GetNext(h)) {
        fuzz::Check(h->GetActions() != nullptr);
        actions += std::size_t(h->GetActions()->GetCount());
        for (JxCAction* a = h->GetActions()->GetFirst(); a; a = h->GetActions()->GetNext(a))
            fuzz::Check(a->GetDeleteWhenDone() == 0);
    }
    fuzz::Check(actions <= size / 2);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static World world;
    readHandlers(data, size);
    fuzz::Check(GetResourceList().GetCount() == 0);
    return 0;
}
