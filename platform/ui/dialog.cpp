#include "platform/ui/dialog.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <strings.h>

#include "platform/core/codepage.h"
#include "platform/draw/draw.h"
#include "platform/fs/paths.h"
#include "platform/modules/resources.h"
#include "platform/ui/control_kit.h"
#include "platform/ui/dialog_state.h"
#include "platform/ui/syscolor.h"
#include "platform/window/cursor.h"

namespace plat {

namespace ui {

std::map<HWND, DialogState>& Dialogs()
{
    static std::map<HWND, DialogState> table;
    return table;
}

DialogState* StateOf(HWND dialog)
{
    auto& t = Dialogs();
    auto it = t.find(dialog);
    return it == t.end() ? nullptr : &it->second;
}

namespace {

// The dialog faces of the classic system stand for the sans face the draw
// module renders with the same metrics.
std::string hostDialogFace(const std::string& face)
{
    std::string lower = face;
    for (char& c : lower)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    if (lower.find("sans serif") != std::string::npos || lower == "ms shell dlg" || lower == "helv" ||
        lower.empty())
        return "Arial";
    return face;
}

SIZE baseUnitsOf(HFONT font)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRIC tm{};
    GetTextMetrics(dc, &tm);
    SIZE s{};
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    GetTextExtentPoint32(dc, kAlphabet, 52, &s);
    SelectObject(dc, old);
    DeleteDC(dc);
    return SIZE{(s.cx / 26 + 1) / 2, tm.tmHeight};
}

RECT toPixels(SIZE base, int x, int y, int cx, int cy)
{
    auto mx = [&](int v) { return LONG(std::lround(double(v) * base.cx / 4.0)); };
    auto my = [&](int v) { return LONG(std::lround(double(v) * base.cy / 8.0)); };
    LONG l = mx(x), t = my(y);
    return {l, t, l + mx(cx), t + my(cy)};
}

LRESULT CALLBACK_DialogWndProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    return DefDlgProcA(h, m, w, l);
}

void registerDialogClass()
{
    WNDCLASSA probe;
    if (GetClassInfoA(nullptr, kDialogClassName, &probe))
        return;
    WNDCLASSA wc;
    wc.style = CS_DBLCLKS | CS_SAVEBITS;
    wc.lpfnWndProc = &CALLBACK_DialogWndProc;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kDialogClassName;
    RegisterClassA(wc);
}

bool isClass(HWND hwnd, const char* name)
{
    char buf[64] = {};
    GetClassNameA(hwnd, buf, sizeof buf);
    return strcasecmp(buf, name) == 0;
}

bool isPushButton(HWND hwnd)
{
    if (!isClass(hwnd, "Button"))
        return false;
    DWORD t = DWORD(GetWindowLongA(hwnd, GWL_STYLE)) & BS_TYPEMASK;
    return t == BS_PUSHBUTTON || t == BS_DEFPUSHBUTTON;
}

DLGPROC procOf(HWND dialog)
{
    return reinterpret_cast<DLGPROC>(GetWindowLongPtrA(dialog, DWL_DLGPROC));
}

// Control whose id is the default, or null.
HWND defaultButton(HWND dialog)
{
    DialogState* s = StateOf(dialog);
    if (!s)
        return nullptr;
    HWND b = GetDlgItem(dialog, s->defId);
    return b && isPushButton(b) ? b : nullptr;
}

void setButtonLook(HWND button, bool asDefault)
{
    DWORD st = DWORD(GetWindowLongA(button, GWL_STYLE));
    DWORD want = asDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    if ((st & BS_TYPEMASK) != want)
        SendMessageA(button, BM_SETSTYLE, want, 1);
}

// The focus moves to a control: a push button with the focus looks like the
// default one; elsewhere the real default button has that look.
void focusControl(HWND dialog, HWND control)
{
    if (!control)
        return;
    DialogState* s = StateOf(dialog);
    HWND def = defaultButton(dialog);
    HWND prev = GetFocus();
    if (prev && prev != control && isPushButton(prev) && prev != def)
        setButtonLook(prev, false);
    if (isPushButton(control)) {
        if (def && def != control)
            setButtonLook(def, false);
        setButtonLook(control, true);
    } else if (def) {
        setButtonLook(def, true);
    }
    if (SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        SendMessageA(control, EM_SETSEL, 0, -1);
    SetFocus(control);
    if (s)
        s->focus = control;
}

bool usable(HWND h)
{
    return IsWindowVisible(h) && IsWindowEnabled(h);
}

std::vector<HWND> controlsOf(HWND dialog)
{
    return ChildrenInOrder(dialog);
}

// The character after the "&" of a control's text, lower-cased; 0 for none.
char mnemonicOf(HWND control)
{
    const std::string t = WindowText(control);
    for (size_t i = 0; i + 1 < t.size(); ++i) {
        if (t[i] != '&')
            continue;
        if (t[i + 1] == '&') {
            ++i;
            continue;
        }
        return char(std::tolower(static_cast<unsigned char>(t[i + 1])));
    }
    return 0;
}

void sendCommand(HWND dialog, int id);

// A typed mnemonic: a button is pressed, a label gives the focus to the
// control after it, anything else takes the focus. False when no control
// has that mnemonic.
bool mnemonic(HWND dialog, char typed)
{
    char want = char(std::tolower(static_cast<unsigned char>(typed)));
    if (!want)
        return false;
    std::vector<HWND> all = ChildrenInOrder(dialog);
    auto at = std::find(all.begin(), all.end(), GetFocus());
    size_t start = at == all.end() ? all.size() - 1 : size_t(at - all.begin());
    for (size_t k = 1; k <= all.size(); ++k) {
        HWND c = all[(start + k) % all.size()];
        if (!usable(c) || mnemonicOf(c) != want)
            continue;
        LRESULT code = SendMessageA(c, WM_GETDLGCODE, 0, 0);
        DWORD kind = DWORD(GetWindowLongA(c, GWL_STYLE)) & BS_TYPEMASK;
        if (code & DLGC_STATIC) {
            // A label (or group box): the next control that takes the focus.
            for (size_t j = 1; j < all.size(); ++j) {
                HWND n = all[(start + k + j) % all.size()];
                if (usable(n) && !(SendMessageA(n, WM_GETDLGCODE, 0, 0) & DLGC_STATIC)) {
                    focusControl(dialog, n);
                    break;
                }
            }
        } else if (code & DLGC_BUTTON) {
            if (kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON) {
                sendCommand(dialog, GetDlgCtrlID(c));
            } else {
                focusControl(dialog, c);
                SendMessageA(c, BM_CLICK, 0, 0);
            }
        } else {
            focusControl(dialog, c);
        }
        return true;
    }
    return false;
}

void sendCommand(HWND dialog, int id)
{
    HWND ctrl = GetDlgItem(dialog, id);
    if (ctrl && !IsWindowEnabled(ctrl))
        return;
    SendMessageA(dialog, WM_COMMAND, WPARAM(MAKELPARAM(WORD(id), BN_CLICKED)), LPARAM(ctrl));
}

}  // namespace

HFONT DialogFont(HWND dialog)
{
    DialogState* s = StateOf(dialog);
    return s ? s->font : DefaultGuiFont();
}

std::string DialogTexts(HWND dialog)
{
    std::string out;
    for (HWND c : controlsOf(dialog)) {
        if (!IsWindowVisible(c) || !(isClass(c, "Static") || isClass(c, "Button")))
            continue;
        std::string t = WindowText(c);
        if (t.empty())
            continue;
        if (!out.empty())
            out += '\n';
        out += t;
    }
    return out;
}

HWND CreateFromTemplate(HINSTANCE instance, const DialogTemplate& tmpl, HWND owner, DLGPROC proc,
                        LPARAM param, bool modal)
{
    RegisterControlClasses();
    registerDialogClass();

    LOGFONT lf;
    lf.lfHeight = -std::max(1, (tmpl.pointSize * kLogPixelsPerInch + 36) / 72);
    std::string face = hostDialogFace(tmpl.faceName);
    std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "%s", face.c_str());
    HFONT font = CreateFontIndirect(&lf);
    SIZE base = baseUnitsOf(font);

    DWORD style = tmpl.style;
    if (!(style & WS_CHILD))
        style |= WS_POPUP;
    const bool visible = style & WS_VISIBLE;
    style &= ~WS_VISIBLE;
    DWORD exStyle = tmpl.exStyle;
    if (style & DS_MODALFRAME)
        exStyle |= WS_EX_DLGMODALFRAME;

    RECT client = toPixels(base, tmpl.x, tmpl.y, tmpl.cx, tmpl.cy);
    RECT frame{0, 0, client.right - client.left, client.bottom - client.top};
    AdjustWindowRectEx(&frame, style, 0, exStyle);
    int w = int(frame.right - frame.left), h = int(frame.bottom - frame.top);
    int x, y;
    if ((style & DS_CENTER) || (!owner && tmpl.x == 0 && tmpl.y == 0 && !(style & WS_CHILD))) {
        x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
        y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
    } else {
        POINT origin{client.left, client.top};
        if (owner && !(style & WS_CHILD))
            ClientToScreen(owner, &origin);
        x = int(origin.x + frame.left);
        y = int(origin.y + frame.top);
    }

    HWND dialog = CreateWindowExA(exStyle, kDialogClassName, tmpl.caption.c_str(), style, x, y, w, h,
                                  owner, nullptr, instance, nullptr);
    if (!dialog) {
        DeleteObject(font);
        return nullptr;
    }
    DialogState& s = Dialogs()[dialog];
    s.font = font;
    s.base = base;
    s.modal = modal;
    SetWindowLongPtrA(dialog, DWL_DLGPROC, reinterpret_cast<LONG_PTR>(proc));

    for (const DialogItemTemplate& item : tmpl.items) {
        RECT r = toPixels(base, item.x, item.y, item.cx, item.cy);
        HWND c = CreateWindowExA(item.exStyle, item.className.c_str(), item.text.c_str(),
                                 item.style | WS_CHILD, int(r.left), int(r.top), int(r.right - r.left),
                                 int(r.bottom - r.top), dialog,
                                 reinterpret_cast<HMENU>(std::uintptr_t(WORD(item.id))), instance, nullptr);
        if (!c)
            continue;  // a control of an unknown class is left out, as the template is still usable
        SendMessageA(c, WM_SETFONT, WPARAM(font), 0);
        if (isPushButton(c) && (DWORD(GetWindowLongA(c, GWL_STYLE)) & BS_TYPEMASK) == BS_DEFPUSHBUTTON &&
            s.defId == 0)
            s.defId = item.id;
    }
    if (s.defId == 0)
        s.defId = IDOK;

    HWND first = GetNextDlgTabItem(dialog, nullptr, 0);
    LRESULT focus = proc ? proc(dialog, WM_INITDIALOG, WPARAM(first), param) : 1;
    if (!IsWindow(dialog))
        return nullptr;
    if (focus && first && !StateOf(dialog)->ended)
        focusControl(dialog, first);
    if (visible && !modal)
        ShowWindow(dialog, SW_SHOW);
    return dialog;
}

}  // namespace ui

using ui::StateOf;
using namespace ui;

bool LoadDialogTemplate(HINSTANCE instance, const char* templateName, DialogTemplate* out,
                        std::string* error)
{
    HRSRC res = FindResourceA(instance, templateName, RT_DIALOG);
    HGLOBAL data = res ? LoadResource(instance, res) : nullptr;
    const void* bytes = data ? LockResource(data) : nullptr;
    if (!bytes) {
        if (error)
            *error = "no such dialog";
        return false;
    }
    std::string_view text(static_cast<const char*>(bytes), SizeofResource(instance, res));
    // Templates hold Unicode on Windows, so a dialog shows its texts right
    // whatever code page the library keeps its strings in: they reach the
    // controls in the program's ANSI page.
    int codePage = GetModuleCodePage(instance);
    std::string converted;
    if (codePage != GetACP()) {
        converted = Utf8ToCodePage(CodePageToUtf8(text, codePage), GetACP());
        text = converted;
    }
    if (ParseDialogTemplate(text, out, error))
        return true;
    if (error)
        *error = ResourceHostFile(instance, res) + ": " + *error;
    return false;
}

namespace {

std::string templateLabel(const char* name)
{
    if (IS_INTRESOURCE(name))
        return std::to_string(std::uintptr_t(name));
    return name ? name : "";
}

bool loadOrReport(HINSTANCE instance, const char* name, DialogTemplate* t)
{
    std::string why;
    if (LoadDialogTemplate(instance, name, t, &why))
        return true;
    std::fprintf(stderr, "dialog %s cannot be shown: %s\n", templateLabel(name).c_str(), why.c_str());
    return false;
}

ui::ModalRequest requestFor(const char* name)
{
    ui::ModalRequest r;
    if (IS_INTRESOURCE(name))
        r.templateId = int(std::uintptr_t(name));
    else if (name && name[0] == '#')
        r.templateId = std::atoi(name + 1);
    else if (name)
        r.templateName = name;
    return r;
}

}  // namespace

LRESULT DialogBoxParamA(HINSTANCE instance, const char* templateName, HWND owner, DLGPROC proc,
                        LPARAM param)
{
    DialogTemplate t;
    if (!loadOrReport(instance, templateName, &t))
        return -1;
    HWND d = ui::CreateFromTemplate(instance, t, owner, proc, param, true);
    if (!d)
        return -1;
    return ui::RunModal(d, owner, requestFor(templateName));
}

LRESULT DialogBoxIndirectParamA(HINSTANCE instance, const DialogTemplate& tmpl, HWND owner,
                                DLGPROC proc, LPARAM param)
{
    HWND d = ui::CreateFromTemplate(instance, tmpl, owner, proc, param, true);
    if (!d)
        return -1;
    return ui::RunModal(d, owner, ui::ModalRequest{});
}

HWND CreateDialogParamA(HINSTANCE instance, const char* templateName, HWND owner, DLGPROC proc,
                        LPARAM param)
{
    DialogTemplate t;
    if (!loadOrReport(instance, templateName, &t))
        return nullptr;
    return ui::CreateFromTemplate(instance, t, owner, proc, param, false);
}

HWND CreateDialogIndirectParamA(HINSTANCE instance, const DialogTemplate& tmpl, HWND owner,
                                DLGPROC proc, LPARAM param)
{
    return ui::CreateFromTemplate(instance, tmpl, owner, proc, param, false);
}

BOOL EndDialog(HWND dialog, LRESULT result)
{
    ui::DialogState* s = StateOf(dialog);
    if (!s)
        return 0;
    s->ended = true;
    s->result = result;
    if (!s->modal)
        ShowWindow(dialog, SW_HIDE);
    return 1;
}

LRESULT DefDlgProcA(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam)
{
    DLGPROC proc = procOf(dialog);
    if (proc && msg != WM_NCCREATE && msg != WM_CREATE) {
        SetWindowLongPtrA(dialog, DWL_MSGRESULT, 0);
        LRESULT handled = proc(dialog, msg, wParam, lParam);
        if (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC && handled)
            return handled;
        if (!IsWindow(dialog))
            return 0;
        if (handled)
            return GetWindowLongPtrA(dialog, DWL_MSGRESULT);
    }
    switch (msg) {
    case WM_ERASEBKGND: {
        HDC dc = HDC(wParam);
        HBRUSH b = HBRUSH(SendMessageA(dialog, WM_CTLCOLORDLG, wParam, LPARAM(dialog)));
        RECT r;
        GetClientRect(dialog, &r);
        FillRect(dc, &r, b ? b : GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORSCROLLBAR:
        SetBkColor(HDC(wParam), GetSysColor(COLOR_BTNFACE));
        SetTextColor(HDC(wParam), GetSysColor(COLOR_WINDOWTEXT));
        return LRESULT(GetSysColorBrush(COLOR_BTNFACE));
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        SetBkColor(HDC(wParam), GetSysColor(COLOR_WINDOW));
        SetTextColor(HDC(wParam), GetSysColor(COLOR_WINDOWTEXT));
        return LRESULT(GetSysColorBrush(COLOR_WINDOW));
    case WM_CLOSE:
        sendCommand(dialog, IDCANCEL);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            // Remember where the focus was, to give it back on return.
            if (ui::DialogState* s = StateOf(dialog); s && IsChild(dialog, GetFocus()))
                s->focus = GetFocus();
            return DefWindowProcA(dialog, msg, wParam, lParam);
        }
        if (ui::DialogState* s = StateOf(dialog); s && s->focus && IsWindow(s->focus)) {
            SetFocus(s->focus);
            return 0;
        }
        return DefWindowProcA(dialog, msg, wParam, lParam);
    case WM_SETFOCUS:
        if (ui::DialogState* s = StateOf(dialog); s && s->focus && IsWindow(s->focus))
            SetFocus(s->focus);
        else if (HWND first = GetNextDlgTabItem(dialog, nullptr, 0))
            focusControl(dialog, first);
        return 0;
    case WM_NEXTDLGCTL: {
        HWND target = lParam ? HWND(wParam) : GetNextDlgTabItem(dialog, GetFocus(), wParam != 0);
        focusControl(dialog, target);
        return 0;
    }
    case DM_GETDEFID:
        if (ui::DialogState* s = StateOf(dialog); s && s->defId)
            return LRESULT(MAKELPARAM(WORD(s->defId), DC_HASDEFID));
        return 0;
    case DM_SETDEFID:
        if (ui::DialogState* s = StateOf(dialog)) {
            HWND old = defaultButton(dialog);
            s->defId = int(wParam);
            if (old)
                setButtonLook(old, false);
            if (HWND now = defaultButton(dialog))
                setButtonLook(now, true);
        }
        return 1;
    case WM_GETFONT:
        return LRESULT(ui::DialogFont(dialog));
    case WM_NCDESTROY: {
        auto& t = ui::Dialogs();
        auto it = t.find(dialog);
        if (it != t.end()) {
            HFONT f = it->second.font;
            t.erase(it);
            if (f)
                DeleteObject(f);
        }
        return DefWindowProcA(dialog, msg, wParam, lParam);
    }
    default:
        return DefWindowProcA(dialog, msg, wParam, lParam);
    }
}

BOOL IsDialogMessageA(HWND dialog, MSG* msg)
{
    if (!dialog || !msg || !IsWindow(dialog))
        return 0;
    if (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd))
        return 0;
    if (msg->message == WM_KEYDOWN) {
        LRESULT code = SendMessageA(msg->hwnd, WM_GETDLGCODE, msg->wParam, LPARAM(msg));
        const bool all = code & DLGC_WANTALLKEYS;
        const bool shift = GetKeyState(VK_SHIFT) < 0;
        switch (int(msg->wParam)) {
        case VK_TAB:
            if (code & (DLGC_WANTTAB | DLGC_WANTALLKEYS))
                break;
            focusControl(dialog, GetNextDlgTabItem(dialog, GetFocus(), shift));
            return 1;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN: {
            if (code & (DLGC_WANTARROWS | DLGC_WANTALLKEYS))
                break;
            bool back = msg->wParam == WPARAM(VK_LEFT) || msg->wParam == WPARAM(VK_UP);
            HWND next = GetNextDlgGroupItem(dialog, GetFocus(), back);
            if (next) {
                focusControl(dialog, next);
                if (SendMessageA(next, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
                    DWORD t = DWORD(GetWindowLongA(next, GWL_STYLE)) & BS_TYPEMASK;
                    if (t == BS_AUTORADIOBUTTON)
                        SendMessageA(next, BM_CLICK, 0, 0);
                }
            }
            return 1;
        }
        case VK_RETURN: {
            if (all)
                break;
            HWND f = GetFocus();
            int id = 0;
            if (f && isPushButton(f) && IsChild(dialog, f))
                id = GetDlgCtrlID(f);
            else if (LRESULT d = SendMessageA(dialog, DM_GETDEFID, 0, 0); HIWORD(std::uintptr_t(d)) == DC_HASDEFID)
                id = LOWORD(std::uintptr_t(d));
            else
                id = IDOK;
            sendCommand(dialog, id);
            return 1;
        }
        case VK_ESCAPE:
            if (all)
                break;
            sendCommand(dialog, IDCANCEL);
            return 1;
        default:
            break;
        }
    }
    // Alt with a letter or digit: the host gives no character for it, the
    // key itself names the mnemonic.
    if (msg->message == WM_SYSKEYDOWN) {
        int vk = int(msg->wParam);
        if (((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) && mnemonic(dialog, char(vk)))
            return 1;
    }
    if (msg->message == WM_SYSCHAR || msg->message == WM_CHAR) {
        LRESULT code = SendMessageA(msg->hwnd, WM_GETDLGCODE, msg->wParam, LPARAM(msg));
        bool plainChar = msg->message == WM_CHAR && !(code & (DLGC_WANTCHARS | DLGC_WANTALLKEYS));
        if ((msg->message == WM_SYSCHAR || plainChar) && std::uintptr_t(msg->wParam) > 32 &&
            mnemonic(dialog, char(msg->wParam)))
            return 1;
    }
    TranslateMessage(msg);
    DispatchMessageA(msg);
    return 1;
}

HWND GetDlgItem(HWND dialog, int id)
{
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (WORD(GetWindowLongA(c, GWL_ID)) == WORD(id))
            return c;
    return nullptr;
}

int GetDlgCtrlID(HWND control)
{
    return int(std::int16_t(WORD(GetWindowLongA(control, GWL_ID))));
}

BOOL SetDlgItemTextA(HWND dialog, int id, const char* text)
{
    HWND c = GetDlgItem(dialog, id);
    return c ? BOOL(SendMessageA(c, WM_SETTEXT, 0, LPARAM(text ? text : ""))) : 0;
}

UINT GetDlgItemTextA(HWND dialog, int id, char* buffer, int size)
{
    HWND c = GetDlgItem(dialog, id);
    if (!c) {
        if (buffer && size > 0)
            buffer[0] = '\0';
        return 0;
    }
    return UINT(SendMessageA(c, WM_GETTEXT, WPARAM(size), LPARAM(buffer)));
}

BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned)
{
    char buf[16];
    if (isSigned)
        std::snprintf(buf, sizeof buf, "%d", int(value));
    else
        std::snprintf(buf, sizeof buf, "%u", value);
    return SetDlgItemTextA(dialog, id, buf);
}

UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned)
{
    char buf[64] = {};
    GetDlgItemTextA(dialog, id, buf, sizeof buf);
    char* p = buf;
    while (*p == ' ')
        ++p;
    char* end = nullptr;
    long long v = isSigned ? std::strtoll(p, &end, 10) : (std::strchr(p, '-') ? -1 : (long long)std::strtoull(p, &end, 10));
    bool ok = end && end != p;
    while (ok && *end == ' ')
        ++end;
    ok = ok && *end == '\0' && (isSigned ? v >= INT32_MIN && v <= INT32_MAX : v >= 0 && v <= UINT32_MAX);
    if (translated)
        *translated = ok;
    return ok ? UINT(v) : 0;
}

LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT msg, WPARAM wParam, LPARAM lParam)
{
    HWND c = GetDlgItem(dialog, id);
    return c ? SendMessageA(c, msg, wParam, lParam) : 0;
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check)
{
    HWND c = GetDlgItem(dialog, id);
    if (!c)
        return 0;
    SendMessageA(c, BM_SETCHECK, check, 0);
    return 1;
}

UINT IsDlgButtonChecked(HWND dialog, int id)
{
    HWND c = GetDlgItem(dialog, id);
    return c ? UINT(SendMessageA(c, BM_GETCHECK, 0, 0)) : 0;
}

BOOL CheckRadioButton(HWND dialog, int firstId, int lastId, int checkId)
{
    for (int id = firstId; id <= lastId; ++id)
        if (HWND c = GetDlgItem(dialog, id))
            SendMessageA(c, BM_SETCHECK, id == checkId ? BST_CHECKED : BST_UNCHECKED, 0);
    return 1;
}

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous)
{
    std::vector<HWND> all = ui::controlsOf(dialog);
    if (all.empty())
        return nullptr;
    if (previous)
        std::reverse(all.begin(), all.end());
    auto at = std::find(all.begin(), all.end(), control);
    size_t start = at == all.end() ? all.size() - 1 : size_t(at - all.begin());
    for (size_t k = 1; k <= all.size(); ++k) {
        HWND c = all[(start + k) % all.size()];
        if ((DWORD(GetWindowLongA(c, GWL_STYLE)) & WS_TABSTOP) && usable(c))
            return c;
    }
    return control;
}

HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous)
{
    std::vector<HWND> all = ui::controlsOf(dialog);
    auto at = std::find(all.begin(), all.end(), control);
    if (at == all.end())
        return nullptr;
    // The group: from the control with WS_GROUP at or before it up to the
    // next control with WS_GROUP.
    auto hasGroup = [](HWND h) { return (DWORD(GetWindowLongA(h, GWL_STYLE)) & WS_GROUP) != 0; };
    size_t i = size_t(at - all.begin());
    size_t first = i;
    while (first > 0 && !hasGroup(all[first]))
        --first;
    size_t last = i;
    while (last + 1 < all.size() && !hasGroup(all[last + 1]))
        ++last;
    size_t n = last - first + 1;
    for (size_t k = 1; k <= n; ++k) {
        size_t j = previous ? first + (i - first + n - k) % n : first + (i - first + k) % n;
        if (usable(all[j]))
            return all[j];
    }
    return control;
}

BOOL MapDialogRect(HWND dialog, RECT* rect)
{
    ui::DialogState* s = StateOf(dialog);
    if (!s || !rect)
        return 0;
    RECT a = ui::toPixels(s->base, int(rect->left), int(rect->top), 0, 0);
    RECT b = ui::toPixels(s->base, int(rect->right), int(rect->bottom), 0, 0);
    *rect = {a.left, a.top, b.left, b.top};
    return 1;
}

LONG GetDialogBaseUnits()
{
    SIZE b = ui::baseUnitsOf(DefaultGuiFont());
    return LONG(MAKELPARAM(WORD(b.cx), WORD(b.cy)));
}

}  // namespace plat
