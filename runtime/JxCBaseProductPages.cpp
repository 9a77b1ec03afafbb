// The product's opening of pages: from a page id to a loaded definition,
// from a definition to a page with its panels, registered in the page lists
// with its current, focus and opener links.

#include "events/JxCTitleHooks.h"
#include "foundation/JxErrorReport.h"
#include "foundation/JxMemoryGuard.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCDisplayObject.h"
#include "runtime/JxKeywordTables.h"

std::int16_t JxCBaseProduct::OpenPageDefault(std::int32_t id, std::int32_t p1, std::int16_t existing)
{
    return OpenPage(id, p1, 0, existing);
}

bool JxCBaseProduct::templateInUse(std::int16_t templateId)
{
    for (JxCPageObject* page = pages_.GetFirst(); page; page = pages_.GetNext(page))
        if (page->GetPageDef() && page->GetPageDef()->GetTemplateId() == templateId)
            return true;
    return false;
}

std::int16_t JxCBaseProduct::OpenPage(std::int32_t id, std::int32_t p1, std::int32_t p2, std::int16_t existing)
{
    if (existing && FindPageById(id)) {
        MarkIdle();
        return 1;
    }
    // A page opening under a captured mouse takes the capture away, unless
    // the capturing object asks to keep it.
    if (capturePage_) {
        JxCPanelObject* panel = capturePage_->GetCapturePanel();
        JxCDisplayObject* object = panel ? panel->GetCaptureObject() : nullptr;
        if (object && !object->TestOptionFlags(JxCDisplayObject::kOptionOwnCapture))
            ReleaseMouseCapture();
    }
    std::unique_ptr<JxCPageDef> def(NewPageDef());
    if (!def)
        return 0;
    if (!def->Load(id)) {
        MarkIdle();
        return 0;
    }
    JxCTemplateDef* templateDef = productDef_ ? productDef_->FindTemplateDef(def->GetTemplateId()) : nullptr;
    if (!templateDef) {
        MarkIdle();
        return 0;
    }
    if (templateDef->GetReuse() && templateInUse(templateDef->GetTemplateId())) {
        MarkIdle();
        return 1;
    }
    def->SetOpenParameters(p1, p2);
    if (!ChangePage(def.release())) {
        MarkIdle();
        return 0;
    }
    return 1;
}

JxCPageObject* JxCBaseProduct::previousPageFor(JxCPageObject* page)
{
    JxCPageObject* previous = currentPage_;
    if (JxCPageObject* quiz = FindQuizPage(); quiz && quiz == page) {
        previous = GetFirstPage();
        SetCurrentPage(previous);
    }
    if (!previous) {
        SetCurrentPage(page);
        previous = page;
    }
    return previous;
}

void JxCBaseProduct::undoChangePage(JxCPageObject* page, JxCPageObject* previous)
{
    page->SetOpenerPage(nullptr);
    if (previous != page) {
        SetCurrentPage(previous);
        // The new page may have taken the focus; it goes now.
        if ((!focusPage_ || focusPage_ == page) && previous->CanActivate())
            SetFocusPage(previous);
    }
    // The first page stays: without it the start fails anyway.
    if (page != GetFirstPage())
        RemovePage(page);
}

std::int16_t JxCBaseProduct::ChangePage(JxCPageDef* pageDef)
{
    std::unique_ptr<JxCPageDef> def(pageDef);
    if (!def)
        return 0;
    JxCTemplateDef* templateDef = productDef_ ? productDef_->FindTemplateDef(def->GetTemplateId()) : nullptr;
    if (!templateDef)
        return 0;
    JxCTypedList<JxCPanelDef>& panelDefs = templateDef->GetPanelDefs();
    for (std::int32_t i = 0; i < panelDefs.GetCount(); ++i) {
        JxCPanelDef* panelDef = panelDefs.GetAt(i);
        if (def->GetPanelList().FindById(panelDef->GetPanelId()))
            continue;
        if (!ReadPagePanels(*panelDef, def->GetPanelList(), def.get()))
            return 0;
    }

    std::unique_ptr<JxCPageObject> made(NewPageForDef(*def));
    if (!made || !made->Init(def.get()))
        return 0;
    def.release();  // the page owns it now
    JxCPageObject* page = made.release();
    pages_.Add(page);

    JxCPageObject* previous = previousPageFor(page);
    if (!focusPage_ && page->CanActivate())
        SetFocusPage(page);
    if (previous != page) {
        // A page that keeps its opener passes it on; an opener that has
        // closed is gone from it, and the page itself stays the previous.
        if (previous->GetKeepOpen() && previous->GetOpenerPage()) {
            previous = previous->GetOpenerPage();
            SetCurrentPage(previous);
        }
        page->SetOpenerPage(previous);
    }

    const std::uint32_t reportsBefore = GetReportCount();
    if (!page->CreateResources()) {
        undoChangePage(page, previous);
        MarkIdle();
        // A missing or damaged file has been reported by name; only a failure
        // that said nothing is taken for a lack of memory.
        if (GetReportCount() == reportsBefore)
            ReportOutOfMemory();
        return 0;
    }
    if (previous != page)
        previous->AddMember(page);
    if (page->GetOpenMode())
        topmostPages_.Add(page);
    RefreshPanelStates();
    return 1;
}

namespace {

// An action of the type reading its target from the record its class
// reads from the product data file.
std::unique_ptr<JxCAction> pageAction(JxActionKeyword keyword, const std::vector<std::uint8_t>& record)
{
    std::unique_ptr<JxCAction> action(CreateActionByType(std::int16_t(ActionTypeId(keyword))));
    JxCInStrStream in(JxMemoryBlock{record.data(), std::uint32_t(record.size())});
    if (!action || !action->Read(in, nullptr))
        return nullptr;
    return action;
}

void putBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
{
    for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
        out.push_back(std::uint8_t(value >> shift));
}

}  // namespace

bool JxCBaseProduct::IsBasePageId(std::int32_t id)
{
    // Only the head of the page's record is read: building the page would
    // make its panels (and count an access) just to ask its kind.
    JxCInStrStream* in = GetPageRecordStream(id);
    JxCPageTypeId recordType;
    std::uint16_t templateId = 0;
    if (!in || !productDef_ || !in->ReadPageTypeId(recordType).ReadBigEndian16(templateId))
        return false;
    return productDef_->GetTemplatePageType(std::int16_t(templateId)) == PageTypeId(JxPageKeyword::BASE_PAGE);
}

void JxCBaseProduct::GoToPage(std::int32_t id, std::int32_t parameter)
{
    std::unique_ptr<JxCPageDef> def(NewPageDef());
    if (!def || !def->Load(id)) {
        MarkIdle();
        return;
    }
    const bool base = def->GetPageType() == PageTypeId(JxPageKeyword::BASE_PAGE);
    def.reset();
    std::vector<std::uint8_t> record;
    putBigEndian(record, std::uint32_t(id), 4);
    std::unique_ptr<JxCAction> action;
    if (base) {
        putBigEndian(record, std::uint32_t(ChangePageRowOfType(parameter)), 2);
        action = pageAction(JxActionKeyword::CHANGEPAGE, record);
    } else {
        putBigEndian(record, std::uint32_t(parameter), 2);
        putBigEndian(record, 0, 2);
        action = pageAction(JxActionKeyword::OPENPAGE, record);
    }
    if (action)
        action->Post();
}

std::int16_t JxCBaseProduct::ReadPagePanels(JxCPanelDef& panelDef, JxCPanelObjectList& panels, JxCPageDef* pageDef)
{
    if (!panelDef.GetPresent()) {
        std::unique_ptr<JxCPanelObject> panel(NewPanelById(panelDef.GetPanelType()));
        if (!panel || !panel->Init(panelDef, pageDef))
            return 0;
        panels.Add(panel.release());
        return 1;
    }
    if (!compiledData_)
        return 1;
    const std::uint32_t offset = GetRecordOffset(panelDef.GetRecordIndex());
    if (!dataStream_ || offset == kNoRecord)
        return 0;
    std::int16_t storedType = 0;  // the panel is made from its definition's type
    if (!dataStream_->Seek(offset).ReadBigEndian16(storedType))
        return 0;
    std::unique_ptr<JxCPanelObject> panel(NewPanelById(panelDef.GetPanelType()));
    if (!panel || !panel->Read(*dataStream_, pageDef))
        return 0;
    panels.Add(panel.release());
    return 1;
}

JxCPageDef* JxCBaseProduct::NewPageDef()
{
    // The base product knows only the plain definition; the title's
    // product class gives its own.
    return new JxCPageDef;
}

JxCPageObject* JxCBaseProduct::NewPageForDef(const JxCPageDef& def)
{
    // The base product knows no page class: the title's product class
    // builds pages through the factories.
    OhNoItsAnError(kWeirdPageTypeId, std::int16_t(def.GetPageType()));
    return nullptr;
}

JxCPanelObject* JxCBaseProduct::NewPanelById(JxCPanelTypeId type)
{
    // The base product knows no panel class: the title's product class
    // builds panels through the factories.
    OhNoItsAnError(kNoPanelTypeId, std::int16_t(type));
    return nullptr;
}

JxCPageObject* JxCBaseProduct::FindQuizPage()
{
    return dynamic_cast<JxCPageObject*>(GetTitleHooks().FindQuizPage());
}
