// The modal loop of dialogs and boxes, and their road to the headless
// responder.

#include <vector>

#include "platform/ui/dialog.h"
#include "platform/ui/control_kit.h"
#include "platform/ui/dialog_state.h"
#include "platform/ui/responder.h"
#include "platform/window/modal_loop.h"

namespace plat::ui {

namespace {

BOOL CALLBACK_collectTopLevel(HWND h, LPARAM l)
{
    auto* out = reinterpret_cast<std::vector<HWND>*>(l);
    if (IsWindowEnabled(h) && IsWindowVisible(h))
        out->push_back(h);
    return 1;
}

// Disables what the dialog makes wait and enables it again at the end, also
// when the loop is left by an exception.
class Disabler {
public:
    Disabler(HWND dialog, HWND owner, bool taskModal)
    {
        if (taskModal) {
            std::vector<HWND> tops;
            EnumWindows(&CALLBACK_collectTopLevel, LPARAM(&tops));
            for (HWND h : tops)
                if (h != dialog)
                    disable(h);
        } else if (owner) {
            HWND top = owner;
            while (GetWindowLongA(top, GWL_STYLE) & WS_CHILD)
                top = GetParent(top);
            if (IsWindowEnabled(top))
                disable(top);
        }
    }
    ~Disabler()
    {
        for (HWND h : disabled_)
            if (IsWindow(h))
                EnableWindow(h, 1);
    }
    Disabler(const Disabler&) = delete;
    Disabler& operator=(const Disabler&) = delete;

private:
    void disable(HWND h)
    {
        EnableWindow(h, 0);
        disabled_.push_back(h);
    }
    std::vector<HWND> disabled_;
};

std::vector<int> buttonIds(HWND dialog)
{
    std::vector<int> ids;
    for (HWND c : ChildrenInOrder(dialog)) {
        char cls[16] = {};
        GetClassNameA(c, cls, sizeof cls);
        DWORD t = DWORD(GetWindowLongA(c, GWL_STYLE)) & BS_TYPEMASK;
        if (std::string(cls) == "Button" && (t == BS_PUSHBUTTON || t == BS_DEFPUSHBUTTON) &&
            IsWindowVisible(c))
            ids.push_back(GetDlgCtrlID(c));
    }
    return ids;
}

// Asks the responder; false when the dialog should go on waiting for input.
void offer(HWND dialog, const ModalRequest& req, int round)
{
    UiRequest r;
    r.kind = req.kind;
    r.caption = WindowText(dialog);
    r.text = req.kind == "Dialog" ? DialogTexts(dialog) : req.text;
    r.style = req.style;
    r.templateId = req.templateId;
    r.templateName = req.templateName;
    r.window = dialog;
    r.buttons = buttonIds(dialog);
    std::optional<int> answer = AskResponder(r);
    if (!answer)
        throw UnexpectedUi((round == 0 ? "unexpected " : "unanswered ") + Describe(r));
    if (*answer == kAnswerByInput)
        return;
    HWND ctrl = GetDlgItem(dialog, *answer);
    if (req.kind == "MessageBox" && !ctrl)
        throw UnexpectedUi("the answer " + std::to_string(*answer) + " is not a button of " + Describe(r));
    SendMessageA(dialog, WM_COMMAND, WPARAM(MAKELPARAM(WORD(*answer), BN_CLICKED)), LPARAM(ctrl));
}

class Destroyer {
public:
    explicit Destroyer(HWND h) : h_(h) {}
    ~Destroyer()
    {
        if (IsWindow(h_))
            DestroyWindow(h_);
    }
    Destroyer(const Destroyer&) = delete;
    Destroyer& operator=(const Destroyer&) = delete;

private:
    HWND h_;
};

}  // namespace

LRESULT RunModal(HWND dialog, HWND owner, const ModalRequest& request)
{
    Destroyer destroyer(dialog);
    DialogState* s = StateOf(dialog);
    if (!s)
        return -1;
    if (s->ended)
        return s->result;
    {
        ModalLoopScope waiting(dialog);
        Disabler disabler(dialog, owner, request.taskModal);
        ShowWindow(dialog, SW_SHOW);
        SetActiveWindow(dialog);
        if (!GetFocus() || (GetFocus() != dialog && !IsChild(dialog, GetFocus())))
            SendMessageA(dialog, WM_SETFOCUS, 0, 0);
        const bool headless = Headless();
        int round = 0;
        int idleRounds = 0;
        for (;;) {
            s = StateOf(dialog);
            if (!s || s->ended || !IsWindow(dialog))
                break;
            MSG m;
            if (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
                idleRounds = 0;
                if (m.message == WM_QUIT) {
                    // The program is ending: the dialog gives way and the
                    // quit goes on to the loop outside.
                    PostQuitMessage(int(m.wParam));
                    break;
                }
                if (IsHostClose(m)) {
                    // The host closes the program behind the dialog: it
                    // gives way unanswered, and the close goes on to the
                    // loop outside (see window/modal_loop.h).
                    PostMessageA(m.hwnd, m.message, m.wParam, m.lParam);
                    break;
                }
                if (!IsDialogMessageA(dialog, &m)) {
                    TranslateMessage(&m);
                    DispatchMessageA(&m);
                }
                continue;
            }
            if (!headless) {
                WaitMessage();
                continue;
            }
            // A responder that keeps answering "by input" without giving any
            // would keep the test here for ever.
            if (round > 100000)
                throw UnexpectedUi("the responder never answers the dialog \"" + WindowText(dialog) + "\"");
            if (++idleRounds > 1000)
                throw UnexpectedUi("the responder gives no input to the waiting dialog \"" +
                                   WindowText(dialog) + "\"");
            offer(dialog, request, round++);
        }
        s = StateOf(dialog);
        LRESULT result = s ? s->result : 0;
        if (s)
            s->ended = true;
        // The owner is enabled again before the dialog goes, so that it gets
        // the activation back.
        return result;
    }
}

}  // namespace plat::ui
