#include "title/panels/JxCDialogPanel.h"

#include <utility>

#include "events/JxCNotify.h"
#include "events/JxNotifyTables.h"
#include "foundation/JxCInStrStream.h"
#include "objects/actions/JxCClosePageAction.h"
#include "platform/window/window.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCKeyParams.h"
#include "runtime/JxCPageObject.h"
#include "runtime/JxKeywordTables.h"
#include "title/actions/JxTitlePageActions.h"

namespace {

constexpr std::uint16_t kEnter = 13;

void postClose(std::int32_t pageId)
{
    JxCClosePageAction close;
    close.SetPageName(std::uint32_t(pageId));
    close.Post();
}

}  // namespace

std::int32_t& DialogResult()
{
    static std::int32_t result = JxCDialogPanel::kNoAnswer;
    return result;
}

JxCDialogPanel::~JxCDialogPanel()
{
    removeRegistrations();
    if (DialogResult() == kNoAnswer)
        DialogResult() = kClosedAnswer;
}

std::int16_t JxCDialogPanel::Read(JxCInStrStream& in, JxCPageDef* pageDef)
{
    if (!JxCPanelObject::Read(in, pageDef))
        return 0;
    std::int16_t unused = 0;
    if (!in.ReadBigEndian16(unused))
        return 0;
    for (std::int32_t& id : buttonIds_)
        if (!in.ReadBigEndian16To32(id))
            return 0;
    return in.ReadBigEndian16To32(defaultId_) ? 1 : 0;
}

std::int16_t JxCDialogPanel::CreateResources()
{
    const std::int16_t result = JxCPanelObject::CreateResources();
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i] = FindObjectById(buttonIds_[i]);
    if (!closeRegistration_)
        closeRegistration_ = AddObjectNotify(std::int16_t(EventId(JxEventKeyword::on_close)), 0, nullptr);
    return result;
}

std::int32_t JxCDialogPanel::IndexOfButton(const JxCDisplayObject* object) const
{
    if (!object)
        return -1;
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        if (buttons_[i] == object)
            return std::int32_t(i);
    return -1;
}

std::int16_t JxCDialogPanel::MouseUp(const JxCPoint& point)
{
    pressed_ = FindObjectAtPoint(ToContent(point));
    const std::int32_t index = IndexOfButton(pressed_);
    if (index >= 0) {
        clicked_ = index;
        if (clickRegistration_)
            RemoveNotify(std::exchange(clickRegistration_, nullptr));
        clickRegistration_ = AddObjectNotify(std::int16_t(EventId(JxEventKeyword::on_click)),
                                             std::int16_t(pressed_->GetTypeKey().GetId()), pressed_);
    }
    return JxCPanelObject::MouseUp(point);
}

std::int16_t JxCDialogPanel::HandleKey(JxCKeyParams& key)
{
    if (key.GetMessage() != plat::WM_CHAR || key.GetKeyCode() != kEnter)
        return 1;
    // The default id may name no button at all: the key is still taken.
    const std::int32_t index = IndexOfButton(FindObjectById(defaultId_));
    if (index >= 0) {
        if (closeRegistration_)
            RemoveNotify(std::exchange(closeRegistration_, nullptr));
        answer(index);
    }
    return 1;
}

std::int16_t JxCDialogPanel::Start()
{
    JxCPanelObject::Start();
    return 1;
}

void JxCDialogPanel::Notify(JxCNotify* registration, JxCObject* sender)
{
    if (!registration)
        return;
    if (registration == clickRegistration_) {
        if (!sender || sender != pressed_)
            return;
        removeRegistrations();
        answer(clicked_);
        return;
    }
    if (registration != closeRegistration_)
        return;
    // Every window's end is heard here: only the close of the program's
    // base page, or of this panel's own page, answers the dialog.
    JxCBaseProduct* product = GetProduct();
    JxCPageObject* page = GetParent();
    const bool baseClosing = product && sender && sender == product->GetFirstPage();
    const bool pageGone = !product || !page || !product->IsPageOpen(page);
    if (!baseClosing && !pageGone)
        return;
    DialogResult() = kClosedAnswer;
    removeRegistrations();
}

void JxCDialogPanel::removeRegistrations()
{
    if (clickRegistration_)
        RemoveNotify(std::exchange(clickRegistration_, nullptr));
    if (closeRegistration_)
        RemoveNotify(std::exchange(closeRegistration_, nullptr));
}

void JxCDialogPanel::answer(std::int32_t index)
{
    DialogResult() = index;
    if (JxCPageObject* page = GetParent())
        postClose(page->GetPageId());
}

// --- The modal run ------------------------------------------------------------

namespace {

// Hears the stop of the append action that opens the dialog page.
class AppendWatch : public JxCNotifyRoot {
public:
    void Notify(JxCNotify*, JxCObject*) override { ran = true; }
    bool ran = false;
};

bool pageIsOpen(std::int32_t pageId)
{
    JxCBaseProduct* product = GetProduct();
    return product && product->FindPageById(pageId);
}

// A close request for the main window would take the dialog's caller down
// with the program were it handled while the caller waits: the dialog
// gives way to it instead, as the platform's boxes do.
bool isMainWindowClose(const plat::MSG& msg)
{
    if (!msg.hwnd || msg.hwnd != GetProductWindow())
        return false;
    switch (msg.message) {
    case plat::WM_CLOSE:
        return true;
    case plat::WM_SYSCOMMAND:
        return (msg.wParam & 0xFFF0) == plat::SC_CLOSE;
    default:
        return false;
    }
}

// Posts the action; when the processor is in the middle of running an
// action (the dialog was asked for by it, or from a loop it waits in), a
// posted action would only run after this wait, so it runs here and now.
bool openDialogPage(JxCAppendPageAction& action)
{
    JxCBaseProduct* product = GetProduct();
    JxCActionProcessor* processor = product ? product->GetActionProcessor() : nullptr;
    if (!processor || !GetProductWindow())
        return false;
    if (processor->GetCurrentAction()) {
        action.Run();
        return true;
    }
    return action.Post() != 0;
}

}  // namespace

std::int32_t RunDialogPageModally(std::int32_t pageId, std::int32_t parameter)
{
    std::int32_t& result = DialogResult();
    result = JxCDialogPanel::kNoAnswer;
    AppendWatch watch;
    {
        JxCAppendPageAction action;
        action.SetTargetWithParam(std::uint32_t(pageId), parameter);
        action.AddStopReceiver(&watch);
        if (!openDialogPage(action))
            result = JxCDialogPanel::kClosedAnswer;
    }
    while (result == JxCDialogPanel::kNoAnswer) {
        // Once the page should be up, a page that is not (never opened, or
        // closed without a dialog panel to answer) answers "closed".
        if (watch.ran && !pageIsOpen(pageId)) {
            result = JxCDialogPanel::kClosedAnswer;
            break;
        }
        plat::MSG msg{};
        const plat::BOOL got = plat::GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0)
                plat::PostQuitMessage(int(msg.wParam));
            result = JxCDialogPanel::kClosedAnswer;
            break;
        }
        if (isMainWindowClose(msg)) {
            // Closed, not answered: the close goes on to the main loop.
            plat::PostMessageA(msg.hwnd, msg.message, msg.wParam, msg.lParam);
            result = JxCDialogPanel::kClosedAnswer;
            break;
        }
        plat::TranslateMessage(&msg);
        plat::DispatchMessageA(&msg);
    }
    return result;
}
