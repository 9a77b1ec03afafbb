#include "platform/ui/message_box.h"

#include <algorithm>

#include "platform/audio/system_beep.h"
#include "platform/draw/draw.h"
#include "platform/ui/dialog_state.h"
#include "platform/ui/draw_text.h"
#include "platform/ui/icons.h"
#include "platform/ui/syscolor.h"

namespace plat {

namespace {

constexpr int kMargin = 12;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;
constexpr int kMaxTextWidth = 420;
constexpr int kIconSize = 32;
constexpr int kTextId = 0xFFFF;
constexpr int kIconId = 20;

struct BoxInfo {
    std::string text;
    UINT style = 0;
};

const char* label(int id)
{
    switch (id) {
    case IDOK: return "OK";
    case IDCANCEL: return "Cancel";
    case IDABORT: return "&Abort";
    case IDRETRY: return "&Retry";
    case IDIGNORE: return "&Ignore";
    case IDYES: return "&Yes";
    case IDNO: return "&No";
    default: return "";
    }
}

const char* iconFor(UINT style)
{
    switch (style & MB_ICONMASK) {
    case MB_ICONHAND: return IDI_HAND;
    case MB_ICONQUESTION: return IDI_QUESTION;
    case MB_ICONEXCLAMATION: return IDI_EXCLAMATION;
    case MB_ICONASTERISK: return IDI_ASTERISK;
    default: return nullptr;
    }
}

bool hasButton(HWND box, int id)
{
    return GetDlgItem(box, id) != nullptr;
}

void layout(HWND box, const BoxInfo& info)
{
    HINSTANCE inst = nullptr;
    HFONT font = ui::DialogFont(box);
    HDC dc = GetDC(box);
    HGDIOBJ old = SelectObject(dc, font);
    RECT tr{0, 0, kMaxTextWidth, 0};
    DrawTextA(dc, info.text.c_str(), -1, &tr, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    SelectObject(dc, old);
    ReleaseDC(box, dc);

    const char* iconName = iconFor(info.style);
    const int textLeft = iconName ? kMargin + kIconSize + kMargin : kMargin;
    int textTop = kMargin;
    const int textW = int(tr.right) + 2, textH = std::max(int(tr.bottom), 1);
    if (iconName && textH < kIconSize)
        textTop = kMargin + (kIconSize - textH) / 2;
    const int contentBottom = std::max(textTop + textH, iconName ? kMargin + kIconSize : 0);

    const std::vector<int> ids = MessageBoxButtons(info.style);
    const int n = int(ids.size());
    const int rowW = n * kButtonWidth + (n - 1) * kButtonGap;
    const int clientW = std::max({textLeft + textW + kMargin, rowW + 2 * kMargin, 140});
    const int buttonTop = contentBottom + kMargin;
    const int clientH = buttonTop + kButtonHeight + kMargin;

    if (iconName) {
        HWND icon = CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE | SS_ICON, kMargin, kMargin,
                                    kIconSize, kIconSize, box, reinterpret_cast<HMENU>(std::uintptr_t(kIconId)),
                                    inst, nullptr);
        SendMessageA(icon, STM_SETICON, WPARAM(LoadIconA(nullptr, iconName)), 0);
    }
    HWND text = CreateWindowExA(0, "Static", info.text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                                textLeft, textTop, textW, textH, box,
                                reinterpret_cast<HMENU>(std::uintptr_t(kTextId)), inst, nullptr);
    SendMessageA(text, WM_SETFONT, WPARAM(font), 0);

    int defIndex = int((info.style & MB_DEFMASK) >> 8);
    if (defIndex >= n)
        defIndex = 0;
    int x = (clientW - rowW) / 2;
    for (int i = 0; i < n; ++i) {
        DWORD st = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (i == 0 ? WS_GROUP : 0) |
                   (i == defIndex ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        HWND b = CreateWindowExA(0, "Button", label(ids[size_t(i)]), st, x, buttonTop, kButtonWidth,
                                 kButtonHeight, box, reinterpret_cast<HMENU>(std::uintptr_t(ids[size_t(i)])),
                                 inst, nullptr);
        SendMessageA(b, WM_SETFONT, WPARAM(font), 0);
        x += kButtonWidth + kButtonGap;
    }
    SendMessageA(box, DM_SETDEFID, WPARAM(ids[size_t(defIndex)]), 0);

    RECT frame{0, 0, clientW, clientH};
    AdjustWindowRectEx(&frame, DWORD(GetWindowLongA(box, GWL_STYLE)), 0, DWORD(GetWindowLongA(box, GWL_EXSTYLE)));
    int w = int(frame.right - frame.left), h = int(frame.bottom - frame.top);
    MoveWindow(box, (GetSystemMetrics(SM_CXSCREEN) - w) / 2, (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w, h, 0);
    SetFocus(GetDlgItem(box, ids[size_t(defIndex)]));
}

LRESULT CALLBACK_BoxProc(HWND box, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        layout(box, *reinterpret_cast<const BoxInfo*>(lParam));
        return 0;  // the default button has the focus already
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        if (hasButton(box, id))
            EndDialog(box, id);
        else if (id == IDCANCEL && hasButton(box, IDOK) && !hasButton(box, IDNO) && !hasButton(box, IDRETRY))
            EndDialog(box, IDOK);  // Escape on a box with OK alone
        return 1;
    }
    default:
        return 0;
    }
}

int& beeps()
{
    static int n = 0;
    return n;
}

}  // namespace

std::vector<int> MessageBoxButtons(UINT style)
{
    switch (style & MB_TYPEMASK) {
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
    default: return {IDOK};
    }
}

int MessageBoxA(HWND owner, const char* text, const char* caption, UINT style)
{
    BoxInfo info{text ? text : "", style};
    DialogTemplate t;
    t.caption = caption ? caption : "Error";
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    if (owner && !IsWindow(owner))
        owner = nullptr;
    HWND box = ui::CreateFromTemplate(nullptr, t, owner, &CALLBACK_BoxProc, LPARAM(&info), true);
    if (!box)
        return 0;
    MessageBeep(style & MB_ICONMASK);
    ui::ModalRequest req;
    req.kind = "MessageBox";
    req.text = info.text;
    req.style = style;
    req.taskModal = (style & MB_MODEMASK) != MB_APPLMODAL;
    return int(ui::RunModal(box, owner, req));
}

BOOL MessageBeep(UINT type)
{
    ++beeps();
    return PlaySystemBeep(type) ? 1 : 0;
}

int MessageBeepCount()
{
    return beeps();
}

}  // namespace plat
