// Action lists holding change-page records on arbitrary bytes: the reader
// stays inside the stream, a change-page action keeps the key and row it
// read, and a row outside the transition table reads as no transition and
// describes itself without a keyword.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "events/JxCAction.h"
#include "foundation/JxCInStrStream.h"
#include "fuzz_support.h"
#include "objects/actions/JxCChangePageAction.h"
#include "platform/backend/harness.h"
#include "runtime/JxKeywordTables.h"
#include "runtime/JxTypeRegistry.h"
#include "title/JxClassRegistrations.h"

namespace {

struct World {
    plat::Harness harness;
    World()
    {
        RegisterClasses();
        RegisterTypeIds();
        // The list may hold any action: one whose animation is not there
        // names it as it is read; every box is answered.
        plat::SetResponder([](const plat::UiRequest& r) -> std::optional<int> {
            return r.buttons.empty() ? 1 : r.buttons.back();
        });
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static World world;
    JxCInStrStream in(JxMemoryBlock{data, std::uint32_t(size)});
    JxCActionList actions;
    actions.ReadBinary(in, nullptr);
    fuzz::Check(in.Tell() <= size);
    for (JxCAction* action = actions.GetFirst(); action; action = actions.GetNext(action)) {
        auto* change = dynamic_cast<JxCChangePageAction*>(action);
        if (!change)
            continue;
        const std::int32_t row = change->GetTransitionRow();
        fuzz::Check(row >= -32768 && row <= 32767);
        const std::int32_t type = ChangePageRowType(row);
        fuzz::Check(type == 0 || (type >= 6 && type <= 10));
        JxCString text;
        change->Describe(text);
        const bool inTable = row >= 0 && row <= 6;
        fuzz::Check(inTable == (std::strlen(text.GetText()) > std::strlen("m_PageName, ")));
        JxCAction* copy = CloneAction(*change);
        fuzz::Check(copy != nullptr);
        auto* copied = dynamic_cast<JxCChangePageAction*>(copy);
        fuzz::Check(copied && copied->GetPageKey() == change->GetPageKey() && copied->GetTransitionRow() == row);
        delete copy;
    }
    return 0;
}
