// The system menu as a popup: drawn in the classic grey menu style and
// tracked by a modal loop that blocks for messages. It ends on a choice, a
// click outside, Escape, Alt, or the loss of the capture; the choice goes
// to the window as WM_SYSCOMMAND.

#include <algorithm>
#include <cctype>
#include <optional>

#include "platform/draw/draw.h"
#include "platform/window/desktop.h"

namespace plat {

namespace {

constexpr const char* kPopupClass = "#32768";
constexpr COLORREF kMenuFace = RGB(0xC0, 0xC0, 0xC0);
constexpr COLORREF kMenuHighlight = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kMenuShadow = RGB(0x80, 0x80, 0x80);
constexpr COLORREF kMenuDark = RGB(0x00, 0x00, 0x00);
constexpr COLORREF kSelection = RGB(0x00, 0x00, 0x80);
constexpr COLORREF kSelectionText = RGB(0xFF, 0xFF, 0xFF);
constexpr int kBorder = 3;
constexpr int kCheckSpace = 18;   // before the text, where a check mark would go
constexpr int kArrowSpace = 16;   // after the text, where a submenu arrow would go
constexpr int kAccelGap = 16;     // between the text and its accelerator
constexpr int kSeparatorHeight = 9;

// An item's label: the text before the tab without its '&' marks, the
// position of the mnemonic (-1: none), and the accelerator after the tab.
struct Label {
    std::string text;
    int mnemonic = -1;
    std::string accel;
};

Label labelOf(const std::string& raw)
{
    Label l;
    size_t tab = raw.find('\t');
    std::string head = raw.substr(0, tab);
    if (tab != std::string::npos)
        l.accel = raw.substr(tab + 1);
    for (size_t i = 0; i < head.size(); ++i) {
        if (head[i] == '&' && i + 1 < head.size()) {
            ++i;
            if (head[i] != '&' && l.mnemonic < 0)
                l.mnemonic = int(l.text.size());
        }
        l.text += head[i];
    }
    return l;
}

bool isSeparator(const MenuItem& i) { return (i.flags & MF_SEPARATOR) != 0; }
bool isEnabled(const MenuItem& i) { return !(i.flags & (MF_GRAYED | MF_DISABLED | MF_SEPARATOR)); }

// What the popup shows, shared by its window procedure and the loop.
struct MenuState {
    HMENU menu = nullptr;
    int hot = -1;  // the highlighted item, -1 for none
    int itemHeight = 18;
    int width = 0;
    int textWidth = 0;  // the widest label, for the accelerators' column

    int itemTop(int index) const
    {
        int y = kBorder;
        for (int i = 0; i < index; ++i)
            y += isSeparator(menu->items[size_t(i)]) ? kSeparatorHeight : itemHeight;
        return y;
    }
    int height() const { return itemTop(int(menu->items.size())) + kBorder; }
    // The selectable item at a point of the popup's client area, or -1.
    int itemAt(POINT client) const
    {
        if (client.x < kBorder || client.x >= width - kBorder)
            return -1;
        for (size_t i = 0; i < menu->items.size(); ++i) {
            int top = itemTop(int(i));
            int h = isSeparator(menu->items[i]) ? kSeparatorHeight : itemHeight;
            if (client.y >= top && client.y < top + h)
                return isSeparator(menu->items[i]) ? -1 : int(i);
        }
        return -1;
    }
};

void fillColour(HDC dc, RECT r, COLORREF colour)
{
    HBRUSH b = CreateSolidBrush(colour);
    FillRect(dc, &r, b);
    DeleteObject(b);
}

void edge(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight)
{
    fillColour(dc, {r.left, r.top, r.right - 1, r.top + 1}, topLeft);
    fillColour(dc, {r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
    fillColour(dc, {r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
    fillColour(dc, {r.right - 1, r.top, r.right, r.bottom}, bottomRight);
}

int textWidth(HDC dc, const std::string& s, size_t count)
{
    SIZE sz{};
    GetTextExtentPoint32(dc, s.data(), int(count), &sz);
    return int(sz.cx);
}

// The label at (x, y) in one colour, its mnemonic underlined.
void drawLabelText(HDC dc, int x, int y, int baseline, const Label& l, int accelX, COLORREF colour)
{
    SetTextColor(dc, colour);
    TextOut(dc, x, y, l.text.data(), int(l.text.size()));
    if (l.mnemonic >= 0) {
        int ux = x + textWidth(dc, l.text, size_t(l.mnemonic));
        int uw = textWidth(dc, l.text.substr(size_t(l.mnemonic), 1), 1);
        fillColour(dc, {ux, y + baseline + 1, ux + uw, y + baseline + 2}, colour);
    }
    if (!l.accel.empty())
        TextOut(dc, accelX, y, l.accel.data(), int(l.accel.size()));
}

void paintItem(HDC dc, const MenuState& s, int index, int baseline)
{
    const MenuItem& item = s.menu->items[size_t(index)];
    int top = s.itemTop(index);
    if (isSeparator(item)) {
        int mid = top + kSeparatorHeight / 2 - 1;
        fillColour(dc, {kBorder + 1, mid, s.width - kBorder - 1, mid + 1}, kMenuShadow);
        fillColour(dc, {kBorder + 1, mid + 1, s.width - kBorder - 1, mid + 2}, kMenuHighlight);
        return;
    }
    bool hot = index == s.hot;
    RECT row = {kBorder, top, s.width - kBorder, top + s.itemHeight};
    fillColour(dc, row, hot ? kSelection : kMenuFace);
    Label l = labelOf(item.text);
    int x = kBorder + kCheckSpace;
    int y = top + (s.itemHeight - baseline - 3) / 2;
    int accelX = x + s.textWidth + kAccelGap;
    if (isEnabled(item)) {
        drawLabelText(dc, x, y, baseline, l, accelX, hot ? kSelectionText : kMenuDark);
    } else if (hot) {
        drawLabelText(dc, x, y, baseline, l, accelX, kMenuShadow);
    } else {
        // Greyed: etched into the face.
        drawLabelText(dc, x + 1, y + 1, baseline, l, accelX + 1, kMenuHighlight);
        drawLabelText(dc, x, y, baseline, l, accelX, kMenuShadow);
    }
}

void paintMenu(HDC dc, const MenuState& s)
{
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    TEXTMETRIC tm;
    GetTextMetrics(dc, &tm);
    RECT all = {0, 0, s.width, s.height()};
    fillColour(dc, all, kMenuFace);
    edge(dc, all, kMenuFace, kMenuDark);
    edge(dc, {1, 1, all.right - 1, all.bottom - 1}, kMenuHighlight, kMenuShadow);
    for (size_t i = 0; i < s.menu->items.size(); ++i)
        paintItem(dc, s, int(i), int(tm.tmAscent));
}

MenuState* stateOf(HWND popup)
{
    Window* w = TheDesktop().fromHandle(popup);
    return w ? reinterpret_cast<MenuState*>(w->userData) : nullptr;
}

LRESULT popupProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        if (MenuState* s = stateOf(hwnd); s && dc)
            paintMenu(dc, *s);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

void ensurePopupClass()
{
    if (TheDesktop().findClass(kPopupClass))
        return;
    WNDCLASSA wc;
    wc.style = CS_SAVEBITS;
    wc.lpfnWndProc = &popupProc;
    wc.lpszClassName = kPopupClass;
    RegisterClassA(wc);
}

// Sizes the menu to its widest label and accelerator.
void measure(MenuState& s)
{
    HDC dc = MakeScreenDC({0, 0}, Region());
    if (!dc)
        return;
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRIC tm;
    GetTextMetrics(dc, &tm);
    s.itemHeight = int(tm.tmHeight) + 5;
    int accel = 0;
    for (const MenuItem& i : s.menu->items) {
        if (isSeparator(i))
            continue;
        Label l = labelOf(i.text);
        s.textWidth = std::max(s.textWidth, textWidth(dc, l.text, l.text.size()));
        accel = std::max(accel, textWidth(dc, l.accel, l.accel.size()));
    }
    FreeScreenDC(dc);
    s.width = 2 * kBorder + kCheckSpace + s.textWidth + (accel ? kAccelGap + accel : 0) + kArrowSpace;
}

// Where the popup goes: at `at`, kept on the screen (above the point when
// it would run off the bottom).
POINT placement(POINT at, int width, int height)
{
    RECT screen = TheDesktop().desktop()->rect;
    POINT p = at;
    if (p.x + width > screen.right)
        p.x = screen.right - width;
    if (p.y + height > screen.bottom)
        p.y = at.y - height;
    p.x = std::max(p.x, screen.left);
    p.y = std::max(p.y, screen.top);
    return p;
}

class MenuTracker {
public:
    MenuTracker(Window* owner, MenuState& state, bool byMouse)
        : owner_(H(owner)), state_(state), byMouse_(byMouse), openTime_(GetMessageTime())
    {
    }

    // Runs the loop; the chosen item's id, or nullopt.
    std::optional<std::uintptr_t> run(HWND popup)
    {
        popup_ = popup;
        SetCapture(popup);
        while (!done_) {
            if (!IsWindow(popup) || !IsWindow(owner_) || GetCapture() != popup)
                break;
            MSG m;
            if (!PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
                WaitMessage();
                continue;
            }
            if (m.message == WM_QUIT) {
                PostQuitMessage(int(m.wParam));
                break;
            }
            handle(m);
        }
        if (IsWindow(popup) && GetCapture() == popup)
            ReleaseCapture();
        return chosen_;
    }
    bool closeOwner() const { return closeOwner_; }
    POINT choicePoint() const { return choicePoint_; }

private:
    static bool isMouse(UINT msg)
    {
        return (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) ||
               (msg >= WM_NCMOUSEMOVE && msg <= WM_NCMBUTTONDBLCLK);
    }
    static bool isButtonDown(UINT msg)
    {
        switch (msg) {
        case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK: case WM_NCLBUTTONDOWN: case WM_NCLBUTTONDBLCLK:
        case WM_NCRBUTTONDOWN: case WM_NCRBUTTONDBLCLK: case WM_NCMBUTTONDOWN: case WM_NCMBUTTONDBLCLK:
            return true;
        default: return false;
        }
    }
    static bool isLeftDown(UINT msg)
    {
        return msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK || msg == WM_NCLBUTTONDOWN ||
               msg == WM_NCLBUTTONDBLCLK;
    }
    static bool isButtonUp(UINT msg)
    {
        return msg == WM_LBUTTONUP || msg == WM_RBUTTONUP || msg == WM_NCLBUTTONUP ||
               msg == WM_NCRBUTTONUP;
    }

    void handle(const MSG& m)
    {
        if (isMouse(m.message)) {
            mouse(m);
            return;
        }
        switch (m.message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            key(m);
            return;
        case WM_CHAR:
        case WM_SYSCHAR: mnemonic(char(m.wParam)); return;
        case WM_KEYUP:
        case WM_SYSKEYUP:
        case WM_DEADCHAR:
        case WM_SYSDEADCHAR: return;  // the menu has the keyboard
        default:
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
    }

    int itemAt(POINT screen) const
    {
        RECT r;
        GetWindowRect(popup_, &r);
        if (!PtInRect(r, screen))
            return -1;
        return state_.itemAt({screen.x - r.left, screen.y - r.top});
    }
    bool insidePopup(POINT screen) const
    {
        RECT r;
        GetWindowRect(popup_, &r);
        return PtInRect(r, screen);
    }

    void mouse(const MSG& m)
    {
        if (m.message == WM_MOUSEMOVE || m.message == WM_NCMOUSEMOVE) {
            int at = itemAt(m.pt);
            if (at >= 0 || !insidePopup(m.pt))
                setHot(at);
            return;
        }
        if (isButtonDown(m.message)) {
            if (insidePopup(m.pt))
                return;
            // A second click on the system-menu box that opened the menu
            // is a double click: it closes the window.
            Window* o = TheDesktop().fromHandle(owner_);
            if (byMouse_ && o && isLeftDown(m.message) && HitTestFrame(o, m.pt) == HTSYSMENU &&
                m.time - openTime_ <= GetDoubleClickTime())
                closeOwner_ = true;
            done_ = true;
            return;
        }
        if (isButtonUp(m.message)) {
            int at = itemAt(m.pt);
            if (at >= 0) {
                choicePoint_ = m.pt;
                choose(at);
            }
        }
    }

    void key(const MSG& m)
    {
        bool repeat = (m.lParam & (LPARAM(1) << 30)) != 0;
        switch (int(m.wParam)) {
        case VK_ESCAPE: done_ = true; return;
        case VK_MENU:
            if (!repeat)
                done_ = true;
            return;
        case VK_UP: step(-1); return;
        case VK_DOWN: step(1); return;
        case VK_HOME: setHot(-1); step(1); return;
        case VK_END: setHot(-1); step(-1); return;
        case VK_RETURN:
            if (state_.hot >= 0)
                choose(state_.hot);
            return;
        default: TranslateMessage(&m); return;
        }
    }

    // Moves the highlight to the next item that is not a separator.
    void step(int dir)
    {
        int n = int(state_.menu->items.size());
        int i = state_.hot;
        for (int tries = 0; tries < n; ++tries) {
            i = i < 0 ? (dir > 0 ? 0 : n - 1) : (i + dir + n) % n;
            if (!isSeparator(state_.menu->items[size_t(i)])) {
                setHot(i);
                return;
            }
        }
    }

    void mnemonic(char c)
    {
        auto lower = [](char ch) { return char(std::tolower(static_cast<unsigned char>(ch))); };
        for (size_t i = 0; i < state_.menu->items.size(); ++i) {
            const MenuItem& item = state_.menu->items[i];
            if (isSeparator(item))
                continue;
            Label l = labelOf(item.text);
            if (l.mnemonic >= 0 && lower(l.text[size_t(l.mnemonic)]) == lower(c)) {
                setHot(int(i));
                choose(int(i));
                return;
            }
        }
    }

    // A greyed item stays open and chooses nothing.
    void choose(int index)
    {
        const MenuItem& item = state_.menu->items[size_t(index)];
        if (!isEnabled(item))
            return;
        chosen_ = item.id;
        done_ = true;
    }

    void setHot(int index)
    {
        if (index == state_.hot)
            return;
        state_.hot = index;
        if (IsWindow(popup_)) {
            InvalidateRect(popup_, nullptr, 0);
            UpdateWindow(popup_);
        }
        Window* o = TheDesktop().fromHandle(owner_);
        if (o) {
            UINT flags = index >= 0 ? state_.menu->items[size_t(index)].flags | MF_SYSMENU : 0xFFFF;
            WPARAM id = index >= 0 ? WPARAM(state_.menu->items[size_t(index)].id) : 0;
            Send(o, WM_MENUSELECT, WPARAM(WORD(id)) | (WPARAM(WORD(flags)) << 16),
                 index >= 0 ? LPARAM(state_.menu) : 0);
        }
    }

    HWND owner_;
    HWND popup_ = nullptr;
    MenuState& state_;
    bool byMouse_;
    DWORD openTime_;
    bool done_ = false;
    bool closeOwner_ = false;
    POINT choicePoint_{};
    std::optional<std::uintptr_t> chosen_;
};

}  // namespace

void TrackSystemMenu(Window* w, POINT at, bool byKeyboard)
{
    HWND owner = H(w);
    HMENU menu = GetSystemMenu(owner, 0);
    if (!menu || menu->items.empty())
        return;
    RefreshSystemMenu(w);
    Send(w, WM_ENTERMENULOOP, 0, 0);
    if (IsWindow(owner))
        Send(w, WM_INITMENU, WPARAM(menu), 0);
    if (IsWindow(owner))
        Send(w, WM_INITMENUPOPUP, WPARAM(menu), MAKELPARAM(0, 1));
    // The owner may have changed or dropped its menu meanwhile.
    if (!IsWindow(owner) || GetSystemMenu(owner, 0) != menu || menu->items.empty())
        return;

    MenuState state;
    state.menu = menu;
    measure(state);
    POINT p = placement(at, state.width, state.height());
    ensurePopupClass();
    HWND popup = CreateWindowExA(WS_EX_TOPMOST, kPopupClass, "", WS_POPUP, p.x, p.y, state.width,
                                 state.height(), owner, nullptr, nullptr, nullptr);
    if (!popup)
        return;
    TheDesktop().fromHandle(popup)->userData = reinterpret_cast<LONG_PTR>(&state);
    SetWindowPos(popup, HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    UpdateWindow(popup);

    MenuTracker tracker(w, state, !byKeyboard);
    if (byKeyboard) {
        // Opened from the keyboard, the first item is highlighted.
        for (size_t i = 0; i < menu->items.size(); ++i)
            if (!isSeparator(menu->items[i])) {
                state.hot = int(i);
                break;
            }
        InvalidateRect(popup, nullptr, 0);
        UpdateWindow(popup);
    }
    std::optional<std::uintptr_t> chosen = tracker.run(popup);
    if (IsWindow(popup)) {
        TheDesktop().fromHandle(popup)->userData = 0;
        DestroyWindow(popup);
    }
    if (!IsWindow(owner))
        return;
    Send(w, WM_EXITMENULOOP, 0, 0);
    if (chosen) {
        POINT c = tracker.choicePoint();
        PostMessageA(owner, WM_SYSCOMMAND, WPARAM(*chosen), MAKELPARAM(WORD(c.x), WORD(c.y)));
    } else if (tracker.closeOwner()) {
        PostMessageA(owner, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
}

}  // namespace plat
