#include "objects/actions/JxCOpenPageAction.h"

#include <memory>

#include "events/JxCTitleHooks.h"
#include "events/JxProperties.h"
#include "foundation/JxCErrorObject.h"
#include "foundation/JxCInStrStream.h"
#include "objects/actions/JxCChangePageAction.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxKeywordTables.h"

JxCOpenPageAction::JxCOpenPageAction()
{
    SetType(ActionTypeId(JxActionKeyword::OPENPAGE));
    SetResourceKind(ResourceTypeId(JxResourceKind::None));
}

JxCOpenPageAction::JxCOpenPageAction(const JxCOpenPageAction& other) : JxCAction(other)
{
    CopyTarget(other);
}

std::int16_t JxCOpenPageAction::Read(JxCInStrStream& in, JxCRunTimeObject* owner)
{
    // The object whose handler holds the action: a hotspot's highlight
    // lasts while the page opening it asked for waits.
    SetOwner(owner);
    std::uint32_t key = 0;
    std::int32_t transition = 0;
    std::int32_t parameter = 0;
    if (!in.ReadBigEndian32(key).ReadBigEndian16To32(transition).ReadBigEndian16To32(parameter))
        return 0;
    return SetTarget(key, transition, parameter);
}

namespace {

bool isBasePage(const JxCPageObject& page)
{
    const JxCPageDef* def = page.GetPageDef();
    return def && def->GetPageType() == PageTypeId(JxPageKeyword::BASE_PAGE);
}

// A base page that is not open yet goes where base pages live, into the
// main window in place of the page shown there, as a page change takes it
// (a second page in the main window would stand in front of everything
// and end the program as it closed).
bool changesMainPage(JxCBaseProduct& product, std::int32_t id)
{
    if (product.FindPageById(id))
        return false;
    JxCPageObjectList& pages = product.GetPageList();
    bool baseShown = false;
    for (JxCPageObject* page = pages.GetFirst(); page && !baseShown; page = pages.GetNext(page))
        baseShown = isBasePage(*page);
    return baseShown && product.IsBasePageId(id);
}

}  // namespace

std::int16_t JxCOpenPageAction::Execute()
{
    JxCBaseProduct* product = GetProduct();
    if (!product)
        return 0;
    if (changesMainPage(*product, std::int32_t(pageKey_))) {
        JxCChangePageAction change;
        change.SetTarget(pageKey_, 0);
        change.SetOwner(GetOwner());
        // Run tells those who follow page changes, as a queued change does.
        return change.Run();
    }
    product->MarkBusy();
    JxCPageObject* quiz = product->FindQuizPage();
    if (quiz && std::int32_t(pageKey_) != GetTitleHooks().GetTestPageId()) {
        // Pages opened beside the quiz belong to the page below it.
        JxCPageObjectList& pages = product->GetPageList();
        JxCPageObject* below = pages.GetLast();
        if (below == quiz)
            below = pages.GetPrev(below);
        if (below)
            product->SetCurrentPage(below);
    }
    if (const std::int16_t opened = product->OpenPage(std::int32_t(pageKey_), transition_, parameter_, 1))
        return opened;
    // The opening has said nothing yet: what it queued is dropped.
    ClearDeferredErrors();
    return 1;
}

std::int16_t JxCOpenPageAction::Post()
{
    JxCBaseProduct* product = GetProduct();
    std::unique_ptr<JxCAction> made(CreateActionByType(GetType()));
    auto* action = dynamic_cast<JxCOpenPageAction*>(made.get());
    if (!product || !action)
        return 0;
    const std::int16_t result = action->SetTarget(pageKey_, transition_, parameter_);
    if (!result)
        return 0;
    action->CopySubscriptions(*this);
    // The clone plays for whoever posted it: a hotspot keeps its highlight
    // until the page has opened.
    action->SetOwner(GetOwner());
    product->QueueAction(made.release());
    product->ProcessActions();
    return result;
}

std::int16_t JxCOpenPageAction::Describe(JxCString& text)
{
    text = "m_PageName";
    text += JxCTableString(", ");
    text += JxCTableString(WindowTransitionName(transition_));
    return 1;
}

std::int16_t JxCOpenPageAction::SetParameterText(const JxCString&)
{
    return kPropertyReadOnly;
}

std::int16_t JxCOpenPageAction::SetTarget(std::uint32_t pageKey, std::int32_t transition, std::int32_t parameter)
{
    pageKey_ = pageKey;
    transition_ = transition;
    parameter_ = parameter;
    return 1;
}

std::int16_t JxCOpenPageAction::SetTargetWithParam(std::uint32_t pageKey, std::int32_t transition)
{
    return SetTarget(pageKey, transition, 0);
}

void JxCOpenPageAction::CopyTarget(const JxCOpenPageAction& other)
{
    if (&other != this)
        SetTarget(other.pageKey_, other.transition_, other.parameter_);
}

std::int16_t JxCOpenPageAction::SameTarget(const JxCOpenPageAction& other) const
{
    return pageKey_ == other.pageKey_ && transition_ == other.transition_ && parameter_ == other.parameter_ ? 1 : 0;
}
