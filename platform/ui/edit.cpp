// The "Edit" class: one line (scrolling sideways) or several (wrapped at
// words, scrolling down), with a selection, the caret, the clipboard keys
// (Ctrl+C, Ctrl+X, Ctrl+V, Shift+Delete, Shift+Insert, Ctrl+Insert), undo,
// a length limit, and the EN_* notifications.

#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/ui/control_kit.h"
#include "platform/ui/draw_text.h"
#include "platform/ui/scroll_paint.h"
#include "platform/window/caret.h"

namespace plat::ui {

namespace {

constexpr int kPad = 2;

struct Line {
    size_t start = 0, end = 0;  // bytes of the text, without the line break
};

struct EditState {
    std::string text;
    size_t caret = 0;
    size_t anchor = 0;
    int scrollX = 0;     // pixels, one-line edits
    int topLine = 0;     // several lines
    size_t limit = 30000;
    bool modified = false;
    bool focused = false;
    bool tracking = false;
    HFONT font = nullptr;
    std::string undo;
    bool canUndo = false;
};

bool multi(HWND h)
{
    return StyleOf(h) & ES_MULTILINE;
}

// A several-line edit with WS_VSCROLL shows a scroll bar along its right side.
bool hasBar(HWND h)
{
    return multi(h) && (StyleOf(h) & WS_VSCROLL);
}

int textRight(HWND h)
{
    return int(ClientRectOf(h).right) - (hasBar(h) ? kScrollWidth : 0);
}

struct Measure {
    HDC dc;
    HGDIOBJ old;
    int lineHeight;
    Measure(HWND h, HFONT font) : dc(GetDC(h))
    {
        old = SelectObject(dc, font ? font : DefaultGuiFont());
        TEXTMETRIC tm{};
        GetTextMetrics(dc, &tm);
        lineHeight = std::max(1, int(tm.tmHeight));
    }
    ~Measure()
    {
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
    }
    Measure(const Measure&) = delete;
    Measure& operator=(const Measure&) = delete;
};

std::string shown(HWND h, const EditState& s, size_t from, size_t to)
{
    std::string t = s.text.substr(from, to - from);
    if (StyleOf(h) & ES_PASSWORD)
        t.assign(t.size(), '*');
    return t;
}

std::vector<Line> layout(HWND h, const EditState& s, HDC dc)
{
    std::vector<Line> lines;
    if (!multi(h)) {
        lines.push_back({0, s.text.size()});
        return lines;
    }
    const int width = textRight(h) - 2 * kPad;
    size_t pos = 0;
    for (;;) {
        size_t nl = s.text.find('\n', pos);
        size_t paraEnd = nl == std::string::npos ? s.text.size() : nl;
        size_t hardEnd = paraEnd > pos && s.text[paraEnd - 1] == '\r' ? paraEnd - 1 : paraEnd;
        size_t start = pos;
        do {
            size_t end = start, scan = start;
            while (scan < hardEnd) {
                size_t sp = s.text.find(' ', scan);
                size_t wordEnd = (sp == std::string::npos || sp >= hardEnd) ? hardEnd : sp + 1;
                if (end > start && TextWidth(dc, s.text.substr(start, wordEnd - start)) > width)
                    break;
                end = wordEnd;
                scan = wordEnd;
            }
            if (end == start)
                end = hardEnd;
            lines.push_back({start, end});
            start = end;
        } while (start < hardEnd);
        if (nl == std::string::npos)
            break;
        pos = nl + 1;
    }
    return lines;
}

size_t lineOf(const std::vector<Line>& lines, size_t index)
{
    for (size_t i = 0; i + 1 < lines.size(); ++i)
        if (index < lines[i + 1].start)
            return i;
    return lines.size() - 1;
}

POINT caretPoint(HWND h, const EditState& s, HDC dc, const std::vector<Line>& lines, int lineHeight)
{
    size_t li = lineOf(lines, s.caret);
    const Line& l = lines[li];
    int x = TextWidth(dc, shown(h, s, l.start, std::min(s.caret, l.end)));
    int y = (int(li) - s.topLine) * lineHeight;
    if (!multi(h))
        y = std::max(0, (int(ClientRectOf(h).bottom) - lineHeight) / 2 - kPad);
    return {kPad + x - s.scrollX, kPad + y};
}

// Scrolls so that the caret is in view and moves the caret there.
void showCaretPlace(HWND h, EditState& s)
{
    Measure m(h, s.font);
    auto lines = layout(h, s, m.dc);
    RECT c = ClientRectOf(h);
    if (!multi(h)) {
        int x = TextWidth(m.dc, shown(h, s, 0, s.caret));
        int visible = int(c.right) - 2 * kPad;
        if (x - s.scrollX > visible)
            s.scrollX = x - visible + visible / 3;
        if (x < s.scrollX)
            s.scrollX = std::max(0, x - visible / 3);
    } else {
        int li = int(lineOf(lines, s.caret));
        int rows = std::max(1, (int(c.bottom) - 2 * kPad) / m.lineHeight);
        if (li < s.topLine)
            s.topLine = li;
        if (li >= s.topLine + rows)
            s.topLine = li - rows + 1;
    }
    if (s.focused) {
        POINT p = caretPoint(h, s, m.dc, lines, m.lineHeight);
        SetCaretPos(int(p.x), int(p.y));
    }
}

void changed(HWND h, EditState& s)
{
    s.modified = true;
    // The window's own text follows, for those who read it without asking.
    DefWindowProcA(h, WM_SETTEXT, 0, LPARAM(s.text.c_str()));
    showCaretPlace(h, s);
    InvalidateRect(h, nullptr, 0);
    Notify(h, EN_UPDATE);
    Notify(h, EN_CHANGE);
}

std::pair<size_t, size_t> selection(const EditState& s)
{
    return {std::min(s.caret, s.anchor), std::max(s.caret, s.anchor)};
}

// Replaces the selection; false (and EN_MAXTEXT) when the limit leaves no
// room for all of it.
bool replaceSelection(HWND h, EditState& s, std::string insert, bool keepUndo = true)
{
    auto [a, b] = selection(s);
    if (!multi(h))
        insert.erase(std::remove_if(insert.begin(), insert.end(), [](char c) { return c == '\r' || c == '\n'; }),
                     insert.end());
    DWORD st = StyleOf(h);
    for (char& c : insert) {
        if (st & ES_UPPERCASE)
            c = char(std::toupper(static_cast<unsigned char>(c)));
        else if (st & ES_LOWERCASE)
            c = char(std::tolower(static_cast<unsigned char>(c)));
    }
    bool fits = true;
    size_t room = s.limit > s.text.size() - (b - a) ? s.limit - (s.text.size() - (b - a)) : 0;
    if (insert.size() > room) {
        insert.resize(room);
        fits = false;
    }
    if (insert.empty() && a == b) {
        if (!fits)
            Notify(h, EN_MAXTEXT);
        return fits;
    }
    if (keepUndo) {
        s.undo = s.text;
        s.canUndo = true;
    }
    s.text.replace(a, b - a, insert);
    s.caret = s.anchor = a + insert.size();
    changed(h, s);
    if (!fits)
        Notify(h, EN_MAXTEXT);
    return fits;
}

void moveCaret(HWND h, EditState& s, size_t to, bool extend)
{
    s.caret = std::min(to, s.text.size());
    if (!extend)
        s.anchor = s.caret;
    showCaretPlace(h, s);
    InvalidateRect(h, nullptr, 0);
}

size_t indexAt(HWND h, EditState& s, POINT p)
{
    Measure m(h, s.font);
    auto lines = layout(h, s, m.dc);
    size_t li = 0;
    if (multi(h))
        li = size_t(std::clamp((int(p.y) - kPad) / m.lineHeight + s.topLine, 0, int(lines.size()) - 1));
    const Line& l = lines[li];
    int x = int(p.x) - kPad + s.scrollX;
    size_t best = l.start;
    for (size_t i = l.start; i <= l.end; ++i) {
        int w = TextWidth(m.dc, shown(h, s, l.start, i));
        if (w > x) {
            int prev = TextWidth(m.dc, shown(h, s, l.start, i - (i > l.start ? 1 : 0)));
            return (x - prev < w - x && i > l.start) ? i - 1 : i;
        }
        best = i;
    }
    return best;
}

void copy(HWND h, const EditState& s)
{
    auto [a, b] = selection(s);
    if (a != b && !(StyleOf(h) & ES_PASSWORD))
        SetClipboardText(s.text.substr(a, b - a));
}

void drawBar(HWND h, HDC dc, const EditState& s);

void paint(HWND h, HDC dc, EditState& s)
{
    RECT c = ClientRectOf(h);
    const bool readOnly = StyleOf(h) & ES_READONLY;
    HBRUSH back = ControlColours(h, dc, (readOnly || !IsWindowEnabled(h)) ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT);
    FillRect(dc, &c, back);
    FontScope font(dc, s.font);
    TEXTMETRIC tm{};
    GetTextMetrics(dc, &tm);
    const int lh = std::max(1, int(tm.tmHeight));
    if (!IsWindowEnabled(h))
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    const COLORREF text = GetTextColor(dc);
    auto lines = layout(h, s, dc);
    auto [a, b] = selection(s);
    const bool showSel = s.focused || (StyleOf(h) & ES_NOHIDESEL);
    RECT inner{kPad, kPad, textRight(h) - kPad, c.bottom - kPad};
    SetBkMode(dc, TRANSPARENT);
    for (size_t i = size_t(std::max(0, s.topLine)); i < lines.size(); ++i) {
        int y = kPad + (int(i) - s.topLine) * lh;
        if (!multi(h))
            y = std::max(0, (int(c.bottom) - lh) / 2 - kPad) + kPad;
        if (y >= c.bottom)
            break;
        const Line& l = lines[i];
        int x0 = kPad - s.scrollX;
        std::string t = shown(h, s, l.start, l.end);
        ExtTextOut(dc, x0, y, ETO_CLIPPED, &inner, t.data(), UINT(t.size()), nullptr);
        size_t sa = std::max(a, l.start), sb = std::min(b, l.end);
        if (showSel && sa < sb) {
            int xa = x0 + TextWidth(dc, shown(h, s, l.start, sa));
            std::string part = shown(h, s, sa, sb);
            RECT sel{xa, y, xa + TextWidth(dc, part), y + lh};
            sel = IntersectRects(sel, inner);
            FillRect(dc, &sel, GetSysColorBrush(COLOR_HIGHLIGHT));
            SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
            ExtTextOut(dc, xa, y, ETO_CLIPPED, &sel, part.data(), UINT(part.size()), nullptr);
            SetTextColor(dc, text);
        }
    }
    drawBar(h, dc, s);
}

int visibleRows(HWND h, int lineHeight)
{
    return std::max(1, (int(ClientRectOf(h).bottom) - 2 * kPad) / std::max(1, lineHeight));
}

ScrollGeometry editBar(HWND h, const EditState& s, int lines, int lineHeight)
{
    RECT c = ClientRectOf(h);
    ScrollGeometry g;
    g.bar = {c.right - kScrollWidth, 0, c.right, c.bottom};
    g.minPos = 0;
    g.page = visibleRows(h, lineHeight);
    g.maxPos = std::max(0, lines - g.page);
    g.pos = s.topLine;
    return g;
}

void drawBar(HWND h, HDC dc, const EditState& s)
{
    if (!hasBar(h))
        return;
    TEXTMETRIC tm{};
    GetTextMetrics(dc, &tm);
    int lines = int(layout(h, s, dc).size());
    ScrollGeometry g = editBar(h, s, lines, int(tm.tmHeight));
    DrawScrollBar(dc, g, IsWindowEnabled(h) && g.maxPos > 0);
}

void scrollLines(HWND h, EditState& s, int to)
{
    Measure m(h, s.font);
    int lines = int(layout(h, s, m.dc).size());
    s.topLine = std::clamp(to, 0, std::max(0, lines - visibleRows(h, m.lineHeight)));
    if (s.focused) {
        auto ls = layout(h, s, m.dc);
        POINT p = caretPoint(h, s, m.dc, ls, m.lineHeight);
        SetCaretPos(int(p.x), int(p.y));
    }
    InvalidateRect(h, nullptr, 0);
}

void key(HWND h, EditState& s, int vk)
{
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    const bool readOnly = StyleOf(h) & ES_READONLY;
    auto lines = [&] {
        Measure m(h, s.font);
        return layout(h, s, m.dc);
    };
    switch (vk) {
    case VK_LEFT:
        if (!shift && s.caret != s.anchor)
            moveCaret(h, s, selection(s).first, false);
        else
            moveCaret(h, s, s.caret > 0 ? s.caret - 1 : 0, shift);
        break;
    case VK_RIGHT:
        if (!shift && s.caret != s.anchor)
            moveCaret(h, s, selection(s).second, false);
        else
            moveCaret(h, s, s.caret + 1, shift);
        break;
    case VK_HOME: {
        auto ls = lines();
        moveCaret(h, s, ctrl ? 0 : ls[lineOf(ls, s.caret)].start, shift);
        break;
    }
    case VK_END: {
        auto ls = lines();
        moveCaret(h, s, ctrl ? s.text.size() : ls[lineOf(ls, s.caret)].end, shift);
        break;
    }
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT: {
        if (!multi(h))
            break;
        auto ls = lines();
        size_t li = lineOf(ls, s.caret);
        size_t col = s.caret - ls[li].start;
        size_t step = 1;
        if (vk == VK_PRIOR || vk == VK_NEXT) {
            Measure m(h, s.font);
            step = size_t(visibleRows(h, m.lineHeight));
        }
        if (vk == VK_UP || vk == VK_PRIOR)
            li = li > step ? li - step : 0;
        else
            li = std::min(ls.size() - 1, li + step);
        moveCaret(h, s, std::min(ls[li].start + col, ls[li].end), shift);
        break;
    }
    case VK_DELETE:
        if (readOnly)
            break;
        if (shift) {
            copy(h, s);
            replaceSelection(h, s, "");
        } else {
            if (s.caret == s.anchor && s.caret < s.text.size())
                s.caret = s.caret + 1;
            replaceSelection(h, s, "");
        }
        break;
    case VK_INSERT:
        if (ctrl)
            copy(h, s);
        else if (shift && !readOnly)
            replaceSelection(h, s, ClipboardText());
        break;
    default:
        break;
    }
}

void character(HWND h, EditState& s, unsigned char c)
{
    const bool readOnly = StyleOf(h) & ES_READONLY;
    switch (c) {
    case 3: copy(h, s); return;
    case 24:
        if (!readOnly) {
            copy(h, s);
            replaceSelection(h, s, "");
        }
        return;
    case 22:
        if (!readOnly)
            replaceSelection(h, s, ClipboardText());
        return;
    case 26:
        if (s.canUndo && !readOnly) {
            std::string before = s.text;
            s.text = s.undo;
            s.undo = before;
            s.caret = s.anchor = s.text.size();
            changed(h, s);
        }
        return;
    case 8:
        if (readOnly)
            return;
        if (s.caret == s.anchor && s.caret > 0)
            s.anchor = s.caret - 1;
        replaceSelection(h, s, "");
        return;
    case 13:
        if (multi(h) && !readOnly)
            replaceSelection(h, s, "\r\n");
        return;
    default:
        break;
    }
    if (c < 32 || readOnly)
        return;
    if ((StyleOf(h) & ES_NUMBER) && !std::isdigit(c)) {
        return;
    }
    replaceSelection(h, s, std::string(1, char(c)));
}

}  // namespace

LRESULT EditProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    EditState* s = StateOfControl<EditState>(h);
    if (!s && m != WM_NCCREATE)
        return DefWindowProcA(h, m, w, l);
    if (LRESULT result = 0;
        s && HandleControlPaintMessages(h, m, w, l, s->font, [&](HDC dc) { paint(h, dc, *s); }, result))
        return result;
    switch (m) {
    case WM_NCCREATE: {
        EditState* st = AttachState<EditState>(h);
        const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(l);
        if (cs && cs->lpszName)
            st->text = cs->lpszName;
        return DefWindowProcA(h, m, w, l);
    }
    case WM_NCDESTROY:
        DetachState<EditState>(h);
        return DefWindowProcA(h, m, w, l);
    case WM_GETDLGCODE: {
        LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
        if (multi(h) && (StyleOf(h) & ES_WANTRETURN) && w == WPARAM(VK_RETURN))
            code |= DLGC_WANTALLKEYS;
        return code;
    }
    case WM_SETTEXT: {
        std::string t = l ? reinterpret_cast<const char*>(l) : "";
        if (t.size() > s->limit)
            t.resize(s->limit);
        s->text = t;
        s->caret = s->anchor = 0;
        s->scrollX = 0;
        s->topLine = 0;
        s->modified = false;
        s->canUndo = false;
        DefWindowProcA(h, m, w, LPARAM(t.c_str()));
        showCaretPlace(h, *s);
        InvalidateRect(h, nullptr, 0);
        Notify(h, EN_UPDATE);
        Notify(h, EN_CHANGE);
        return 1;
    }
    case WM_GETTEXT: {
        if (!l || w == 0)
            return 0;
        size_t n = std::min(s->text.size(), size_t(w) - 1);
        std::memcpy(reinterpret_cast<char*>(l), s->text.data(), n);
        reinterpret_cast<char*>(l)[n] = '\0';
        return LRESULT(n);
    }
    case WM_GETTEXTLENGTH:
        return LRESULT(s->text.size());
    case WM_ENABLE:
        InvalidateRect(h, nullptr, 1);
        return 0;
    case WM_SETFOCUS: {
        s->focused = true;
        Measure ms(h, s->font);
        CreateCaret(h, nullptr, 1, ms.lineHeight);
        showCaretPlace(h, *s);
        ShowCaret(h);
        InvalidateRect(h, nullptr, 0);
        Notify(h, EN_SETFOCUS);
        return 0;
    }
    case WM_KILLFOCUS:
        s->focused = false;
        DestroyCaret();
        InvalidateRect(h, nullptr, 0);
        Notify(h, EN_KILLFOCUS);
        return 0;
    case WM_KEYDOWN:
        key(h, *s, int(w));
        return 0;
    case WM_CHAR:
        character(h, *s, static_cast<unsigned char>(w));
        return 0;
    case WM_LBUTTONDOWN:
        if (GetFocus() != h)
            SetFocus(h);
        if (hasBar(h) && GET_X_LPARAM(l) >= textRight(h)) {
            Measure ms(h, s->font);
            int lines = int(layout(h, *s, ms.dc).size());
            ScrollGeometry g = editBar(h, *s, lines, ms.lineHeight);
            int rows = visibleRows(h, ms.lineHeight);
            switch (ScrollHit(g, {GET_X_LPARAM(l), GET_Y_LPARAM(l)})) {
            case SB_LINEUP: scrollLines(h, *s, s->topLine - 1); break;
            case SB_LINEDOWN: scrollLines(h, *s, s->topLine + 1); break;
            case SB_PAGEUP: scrollLines(h, *s, s->topLine - rows); break;
            case SB_PAGEDOWN: scrollLines(h, *s, s->topLine + rows); break;
            default: break;
            }
            return 0;
        }
        moveCaret(h, *s, indexAt(h, *s, {GET_X_LPARAM(l), GET_Y_LPARAM(l)}), GetKeyState(VK_SHIFT) < 0);
        s->tracking = true;
        SetCapture(h);
        return 0;
    case WM_MOUSEMOVE:
        if (s->tracking)
            moveCaret(h, *s, indexAt(h, *s, {GET_X_LPARAM(l), GET_Y_LPARAM(l)}), true);
        return 0;
    case WM_LBUTTONUP:
        if (s->tracking) {
            s->tracking = false;
            ReleaseCapture();
        }
        return 0;
    case WM_LBUTTONDBLCLK:
        s->anchor = 0;
        moveCaret(h, *s, s->text.size(), true);
        return 0;
    case EM_GETSEL: {
        auto [a, b] = selection(*s);
        if (w)
            *reinterpret_cast<DWORD*>(w) = DWORD(a);
        if (l)
            *reinterpret_cast<DWORD*>(l) = DWORD(b);
        return LRESULT(MAKELPARAM(WORD(std::min<size_t>(a, 0xFFFF)), WORD(std::min<size_t>(b, 0xFFFF))));
    }
    case EM_SETSEL: {
        // (0, -1) selects everything; a negative start removes the selection.
        long long a = std::int32_t(w), b = std::int32_t(l);
        size_t n = s->text.size();
        if (a < 0) {
            s->anchor = s->caret;
        } else {
            size_t sa = size_t(std::min<long long>(a, n));
            size_t sb = b < 0 ? n : size_t(std::min<long long>(b, n));
            s->anchor = sa;
            s->caret = sb;
        }
        showCaretPlace(h, *s);
        InvalidateRect(h, nullptr, 0);
        return 0;
    }
    case EM_REPLACESEL:
        replaceSelection(h, *s, l ? reinterpret_cast<const char*>(l) : "", w != 0);
        return 0;
    case EM_LIMITTEXT:
        s->limit = w == 0 ? 0x7FFFFFFE : size_t(w);
        return 0;
    case EM_GETLIMITTEXT:
        return LRESULT(s->limit);
    case EM_GETMODIFY:
        return s->modified;
    case EM_SETMODIFY:
        s->modified = w != 0;
        return 0;
    case EM_CANUNDO:
        return s->canUndo;
    case EM_UNDO:
    case WM_UNDO:
        character(h, *s, 26);
        return 1;
    case EM_SETREADONLY:
        SetWindowLongA(h, GWL_STYLE, LONG(w ? StyleOf(h) | ES_READONLY : StyleOf(h) & ~ES_READONLY));
        InvalidateRect(h, nullptr, 1);
        return 1;
    case EM_GETLINECOUNT: {
        Measure ms(h, s->font);
        return LRESULT(layout(h, *s, ms.dc).size());
    }
    case EM_SCROLLCARET:
        showCaretPlace(h, *s);
        InvalidateRect(h, nullptr, 0);
        return 1;
    case WM_COPY: copy(h, *s); return 0;
    case WM_CUT: character(h, *s, 24); return 0;
    case WM_PASTE: character(h, *s, 22); return 0;
    case WM_CLEAR:
        if (!(StyleOf(h) & ES_READONLY))
            replaceSelection(h, *s, "");
        return 0;
    default:
        return DefWindowProcA(h, m, w, l);
    }
}

}  // namespace plat::ui
