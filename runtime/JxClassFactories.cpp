#include "runtime/JxClassFactories.h"

#include <vector>

#include "events/JxCAction.h"
#include "foundation/JxErrorHook.h"

namespace {

constexpr std::int32_t kNoPanelNameId = 1047;  // "Panel name %s does not exist"
constexpr std::int32_t kNoPanelIdId = 1048;    // "Cannot find panel id %d "
constexpr std::int32_t kWeirdPageTypeId = 1014;  // "Weird page type '%d' found!"
constexpr std::int32_t kInvalidActionId = 1126;  // "Attempt to create an invalid action"

template <class Keyword, class Maker>
struct Row {
    Keyword id;
    Maker make;
};

struct ActionRow {
    JxActionKeyword id;
    JxActionMaker make;
    JxActionCopier copy;
};

struct Tables {
    std::vector<ActionRow> actions;
    std::vector<Row<JxResourceKind, JxResourceMaker>> resources;
    std::vector<Row<JxPanelKeyword, JxPanelMaker>> panels;
    std::vector<Row<JxPageKeyword, JxPageMaker>> pages;
    JxPageDefMaker pageDef = nullptr;
};

Tables& tables()
{
    static Tables t;
    return t;
}

std::int16_t idOf(JxActionKeyword k)
{
    return ActionTypeId(k);
}
std::int16_t idOf(JxResourceKind k)
{
    return ResourceTypeId(k);
}
std::int16_t idOf(JxPanelKeyword k)
{
    return PanelTypeId(k);
}
std::int16_t idOf(JxPageKeyword k)
{
    return PageTypeId(k);
}

// The first row whose id has the value, or null.
template <class RowT>
const RowT* findRow(const std::vector<RowT>& rows, std::int16_t type)
{
    for (const RowT& row : rows) {
        if (idOf(row.id) == type)
            return &row;
    }
    return nullptr;
}

template <class RowT, class Keyword>
std::int16_t addRow(std::vector<RowT>& rows, Keyword last, const RowT& row)
{
    if (row.id == Keyword{} || row.id == last || !row.make)
        return 0;
    rows.push_back(row);
    return 1;
}

template <class Result, class RowT>
Result* make(const std::vector<RowT>& rows, std::int16_t type)
{
    const RowT* row = findRow(rows, type);
    return row ? row->make() : nullptr;
}

}  // namespace

std::int16_t RegisterActionClass(JxActionKeyword id, JxActionMaker make, JxActionCopier copy)
{
    return addRow(tables().actions, JxActionKeyword::LAST_ACT, ActionRow{id, make, copy});
}

std::int16_t RegisterResourceClass(JxResourceKind kind, JxResourceMaker make)
{
    return addRow(tables().resources, JxResourceKind::Last, Row<JxResourceKind, JxResourceMaker>{kind, make});
}

std::int16_t RegisterPanelClass(JxPanelKeyword id, JxPanelMaker make)
{
    return addRow(tables().panels, JxPanelKeyword::LAST_PANEL, Row<JxPanelKeyword, JxPanelMaker>{id, make});
}

std::int16_t RegisterPageClass(JxPageKeyword id, JxPageMaker make)
{
    return addRow(tables().pages, JxPageKeyword::LAST_PAGE, Row<JxPageKeyword, JxPageMaker>{id, make});
}

void RegisterPageDefClass(JxPageDefMaker make)
{
    tables().pageDef = make;
}

void UnregisterFactoryClasses()
{
    tables() = Tables();
}

JxCAction* NewActionOfType(std::int16_t type)
{
    return make<JxCAction>(tables().actions, type);
}

JxCAction* CopyActionOfType(std::int16_t type, const JxCAction& source)
{
    const ActionRow* row = findRow(tables().actions, type);
    return row && row->copy ? row->copy(source) : nullptr;
}

JxCAction* CreateActionByName(const JxCTableString& name)
{
    const auto names = ActionKeywords();
    const auto last = static_cast<std::int16_t>(JxActionKeyword::LAST_ACT);
    for (std::int16_t i = 0; i < last; ++i)
        if (name.EqualsNoCase(JxCTableString(names[static_cast<std::size_t>(i)])))
            return CreateActionByType(ActionTypeId(static_cast<JxActionKeyword>(i)));
    ReportError(kInvalidActionId);
    return nullptr;
}

bool ActionsEqualOfType(std::int16_t type, const JxCAction* a, const JxCAction* b)
{
    return findRow(tables().actions, type) && a == b;
}

JxCResourceObject* NewResourceOfType(std::int16_t type)
{
    return make<JxCResourceObject>(tables().resources, type);
}

JxCPanelObject* NewPanelOfType(std::int16_t type)
{
    return make<JxCPanelObject>(tables().panels, type);
}

JxCPageObject* NewPageOfType(std::int16_t type)
{
    return make<JxCPageObject>(tables().pages, type);
}

JxCPageDef* CreateGavoPageDef()
{
    return tables().pageDef ? tables().pageDef() : nullptr;
}

JxCPanelObject* CreatePanelByKeyword(const JxCTableString& keyword)
{
    const auto names = PanelKeywords();
    const auto first = static_cast<std::int16_t>(JxPanelKeyword::NULL_PANEL);
    const auto last = static_cast<std::int16_t>(JxPanelKeyword::LAST_PANEL);
    JxCPanelObject* panel = nullptr;
    for (std::int16_t i = first; i < last; ++i) {
        if (keyword.EqualsNoCase(JxCTableString(names[static_cast<std::size_t>(i)]))) {
            panel = NewPanelOfType(PanelTypeId(static_cast<JxPanelKeyword>(i)));
            break;
        }
    }
    if (!panel)
        ReportError(kNoPanelNameId, keyword);
    return panel;
}

JxCPanelObject* CreatePanelById(std::int16_t type)
{
    JxCPanelObject* panel = NewPanelOfType(type);
    if (!panel)
        ReportError(kNoPanelIdId, type);
    return panel;
}

JxCPageObject* CreatePageOfType(std::int16_t type)
{
    JxCPageObject* page = NewPageOfType(type);
    if (!page)
        ReportError(kWeirdPageTypeId, type);
    return page;
}
