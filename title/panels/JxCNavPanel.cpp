#include "title/panels/JxCNavPanel.h"

#include <utility>

#include "events/JxCNotify.h"
#include "events/JxNotifyTables.h"
#include "events/JxProperties.h"
#include "foundation/JxCInStrStream.h"
#include "objects/actions/JxCChangePageAction.h"
#include "objects/actions/JxCOpenPageAction.h"
#include "objects/widgets/JxCBitmap.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCPageDef.h"
#include "runtime/JxCPageObject.h"
#include "runtime/JxKeywordTables.h"
#include "title/JxCProductData.h"

// What marks each object (P the page being marked, F the first page's id,
// the targets the title record's):
//   marker      F is the quiz home page while the micon is held
//   bitmap 1    P is the code-22 target or the second home target; or the
//               special code-22 target while the first page is special
//   bitmap 2    P is the code-21 target
//   bitmaps 3-7 P is navigation target 1 to 5
//   bitmap 8    the history holds fewer than two pages
//   bitmap 9    P is the second options page (which marks nothing else)

namespace {

// Only bitmaps have the visible word that a mark switches.
JxCBitmap* markable(JxCDisplayObject* object)
{
    return dynamic_cast<JxCBitmap*>(object);
}

void mark(JxCDisplayObject* object)
{
    if (JxCBitmap* bitmap = markable(object)) {
        bitmap->SetState(1);
        bitmap->SetNumberProperty(kPropZOrder, JxCNavPanel::kMarkedZ);
    }
}

void unmarkIfShown(JxCDisplayObject* object)
{
    JxCBitmap* bitmap = markable(object);
    if (!bitmap || !bitmap->IsVisible())
        return;
    bitmap->SetState(0);
    bitmap->SetNumberProperty(kPropZOrder, JxCNavPanel::kUnmarkedZ);
}

std::int32_t firstPageId()
{
    JxCBaseProduct* product = GetProduct();
    JxCPageObject* first = product ? product->GetFirstPage() : nullptr;
    return first ? first->GetPageId() : 0;
}

}  // namespace

JxCNavPanel::~JxCNavPanel()
{
    // The micon goes while the panel it names as its container still is one.
    heldMicon_.reset();
    if (changeRegistration_)
        RemoveNotify(std::exchange(changeRegistration_, nullptr));
    if (openRegistration_)
        RemoveNotify(std::exchange(openRegistration_, nullptr));
}

std::int16_t JxCNavPanel::Read(JxCInStrStream& in, JxCPageDef* pageDef)
{
    if (!JxCPanelObject::Read(in, pageDef))
        return 0;
    for (std::int32_t& value : values_)
        if (!in.ReadBigEndian16To32(value))
            return 0;
    return 1;
}

void JxCNavPanel::lookUpObjects()
{
    marker_ = FindObjectById(GetMarkerId());
    for (std::int32_t n = 1; n <= kBitmapCount; ++n)
        bitmaps_[std::size_t(n - 1)] = FindObjectById(GetBitmapId(n));
}

std::int16_t JxCNavPanel::CreateResources()
{
    std::int16_t result = JxCPanelObject::CreateResources();
    // The objects are known before the micon is taken out, so that taking
    // it out can mark the marker.
    lookUpObjects();
    if (result == 1)
        result = TakeOutMicon();
    if (!changeRegistration_)
        changeRegistration_ = AddObjectNotifyOnActionStopped(ActionTypeId(JxActionKeyword::CHANGEPAGE), 0, nullptr);
    if (!openRegistration_)
        openRegistration_ = AddObjectNotifyOnActionStopped(ActionTypeId(JxActionKeyword::OPENPAGE), 0, nullptr);
    return result;
}

void JxCNavPanel::Notify(JxCNotify* registration, JxCObject* sender)
{
    if (!registration)
        return;
    if (registration == openRegistration_) {
        if (auto* open = dynamic_cast<JxCOpenPageAction*>(sender))
            MarkPage(std::int32_t(open->GetPageKey()));
        redraw();
    } else if (registration == changeRegistration_) {
        auto* change = dynamic_cast<JxCChangePageAction*>(sender);
        // A change in another page's window is not what the bar shows.
        if (!change || std::int32_t(change->GetPageKey()) != firstPageId())
            return;
        MarkPage(std::int32_t(change->GetPageKey()));
        redraw();
    }
}

JxCNavPanel* JxCNavPanel::FindCurrentPageEntry()
{
    JxCBaseProduct* product = GetProduct();
    JxCPageObject* first = product ? product->GetFirstPage() : nullptr;
    JxCPageDef* def = first ? first->GetPageDef() : nullptr;
    if (!def)
        return nullptr;
    const JxCPanelTypeId navType = PanelTypeId(JxPanelKeyword::NavPanel);
    JxCPanelObjectList& panels = def->GetPanelList();
    for (JxCPanelObject* panel = panels.GetFirst(); panel; panel = panels.GetNext(panel))
        if (panel->GetPanelType() == navType)
            return dynamic_cast<JxCNavPanel*>(panel);
    return nullptr;
}

bool JxCNavPanel::firstPageIsQuizHome() const
{
    const JxCProductData* data = GetTitleData();
    return data && firstPageId() == data->GetFields().quizHomePage;
}

std::int16_t JxCNavPanel::MarkPage(std::int32_t pageId)
{
    JxCProductData* data = GetTitleData();
    if (!data)
        return 0;
    const JxTitleRecordFields& f = data->GetFields();
    if (pageId == f.secondOptionsPage) {
        mark(GetBitmap(9));
        return 1;
    }
    ResetButtons();
    if (data->IsHistoryShort())
        mark(GetBitmap(8));
    else
        unmarkIfShown(GetBitmap(8));
    JxCBaseProduct* product = GetProduct();
    if (product && IsSpecialPage(product->GetFirstPage()) && pageId == f.specialCode22Target)
        mark(GetBitmap(1));
    if (firstPageIsQuizHome() && heldMicon_) {
        mark(marker_);
        return 1;
    }
    if (pageId == f.code22Target || pageId == f.secondHomeTarget) {
        mark(GetBitmap(1));
        return 1;
    }
    if (pageId == f.code21Target) {
        mark(GetBitmap(2));
        return 1;
    }
    for (std::int32_t k = 0; k < 5; ++k)
        if (pageId == f.navigationTargets[std::size_t(k)]) {
            mark(GetBitmap(3 + k));
            return 1;
        }
    return 0;
}

void JxCNavPanel::ResetButtons()
{
    unmarkIfShown(marker_);
    for (std::int32_t n = 1; n <= kBitmapCount; ++n)
        if (n != 8)
            unmarkIfShown(GetBitmap(n));
}

void JxCNavPanel::UnmarkOptionsButton()
{
    unmarkIfShown(GetBitmap(9));
    redraw();
}

std::int16_t JxCNavPanel::IsSpecialPage(const JxCPageObject* page)
{
    const JxCProductData* data = GetTitleData();
    const JxCPageDef* def = page ? page->GetPageDef() : nullptr;
    if (!data || !def)
        return 0;
    const std::int32_t id = def->GetTemplateId();
    const JxTitleRecordFields& f = data->GetFields();
    return id == data->GetKeyWatchTemplate() || id == f.specialTemplate1 || id == f.specialTemplate3 ? 1 : 0;
}

JxCDisplayObject* JxCNavPanel::FindMicon()
{
    const JxCTypeKey micon(JxCTableString("Micon"));
    if (micon.GetId() < 0)
        return nullptr;
    JxCDisplayObjectList& objects = GetDisplayObjects();
    for (JxCDisplayObject* object = objects.GetFirst(); object; object = objects.GetNext(object))
        if (object->GetTypeKey() == micon)
            return object;
    return nullptr;
}

JxCDisplayObject* JxCNavPanel::GetMicon()
{
    return heldMicon_ ? heldMicon_.get() : FindMicon();
}

std::int16_t JxCNavPanel::TakeOutMicon()
{
    JxCDisplayObject* micon = FindMicon();
    // A second micon would take the place of the one held: it stays.
    if (!micon || heldMicon_)
        return 1;
    if (JxCBaseProduct* product = GetProduct())
        product->KillTimer(micon, -1);
    JxCDisplayObjectList& objects = GetDisplayObjects();
    objects.SetOwnsItems(0);
    objects.Remove(micon);
    objects.SetOwnsItems(1);
    ForgetObject(micon);
    heldMicon_.reset(micon);
    if (firstPageIsQuizHome())
        mark(marker_);
    redraw();
    return 1;
}

std::int16_t JxCNavPanel::PutBackMicon()
{
    if (FindMicon() || !heldMicon_)
        return 1;
    JxCDisplayObject* micon = heldMicon_.release();
    GetDisplayObjects().InsertByZOrder(micon);
    micon->Start();
    micon->SetNumberProperty(kPropZOrder, kMarkedZ);
    unmarkIfShown(marker_);
    return 1;
}
