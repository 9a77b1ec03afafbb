#include "platform/ui/draw_text.h"

#include <algorithm>
#include <cstring>

#include "platform/draw/draw.h"

namespace plat {

namespace ui {

int TextWidth(HDC hdc, const std::string& text)
{
    SIZE s{};
    if (text.empty() || !GetTextExtentPoint32(hdc, text.data(), int(text.size()), &s))
        return 0;
    return int(s.cx);
}

namespace {

// Removes the "&" marks: "&&" is a plain "&", "&x" underlines x.
TextLine stripPrefixes(const std::string& raw, bool prefixes)
{
    TextLine line;
    if (!prefixes) {
        line.text = raw;
        return line;
    }
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '&' && i + 1 < raw.size()) {
            ++i;
            if (raw[i] != '&' && line.underline < 0)
                line.underline = int(line.text.size());
        } else if (raw[i] == '&') {
            continue;
        }
        line.text.push_back(raw[i]);
    }
    return line;
}

std::string expand(const std::string& s, bool tabs)
{
    if (!tabs || s.find('\t') == std::string::npos)
        return s;
    std::string out;
    for (char c : s) {
        if (c == '\t')
            out.append(8 - out.size() % 8, ' ');
        else
            out.push_back(c);
    }
    return out;
}

// Wraps one paragraph (no line breaks in it) at blanks.
void wrap(HDC hdc, const TextLine& para, int maxWidth, std::vector<TextLine>& out)
{
    if (maxWidth <= 0 || TextWidth(hdc, para.text) <= maxWidth) {
        out.push_back(para);
        return;
    }
    const std::string& t = para.text;
    size_t start = 0;
    while (start < t.size()) {
        size_t end = start;      // end of the longest fitting run of words
        size_t scan = start;
        while (scan < t.size()) {
            size_t next = t.find(' ', scan);
            size_t wordEnd = next == std::string::npos ? t.size() : next;
            if (end > start && TextWidth(hdc, t.substr(start, wordEnd - start)) > maxWidth)
                break;
            end = wordEnd;
            if (next == std::string::npos)
                break;
            scan = next + 1;
            if (TextWidth(hdc, t.substr(start, end - start)) > maxWidth)
                break;
        }
        TextLine line;
        line.text = t.substr(start, end - start);
        if (para.underline >= int(start) && para.underline < int(end))
            line.underline = para.underline - int(start);
        out.push_back(line);
        start = end;
        while (start < t.size() && t[start] == ' ')
            ++start;
    }
}

}  // namespace

std::vector<TextLine> LayoutText(HDC hdc, const std::string& text, int maxWidth, bool prefixes,
                                 bool expandTabs)
{
    std::vector<TextLine> lines;
    size_t pos = 0;
    for (;;) {
        size_t nl = text.find('\n', pos);
        std::string raw = text.substr(pos, nl == std::string::npos ? std::string::npos : nl - pos);
        if (!raw.empty() && raw.back() == '\r')
            raw.pop_back();
        wrap(hdc, stripPrefixes(expand(raw, expandTabs), prefixes), maxWidth, lines);
        if (nl == std::string::npos)
            break;
        pos = nl + 1;
    }
    return lines;
}

}  // namespace ui

int DrawTextA(HDC hdc, const char* text, int count, RECT* rect, UINT format)
{
    if (!hdc || !rect)
        return 0;
    std::string s = text ? std::string(text, count < 0 ? std::strlen(text) : size_t(count)) : std::string();
    TEXTMETRIC tm{};
    GetTextMetrics(hdc, &tm);
    const int lineHeight = int(tm.tmHeight);
    const bool single = format & DT_SINGLELINE;
    const bool prefixes = !(format & DT_NOPREFIX);
    const int width = int(rect->right - rect->left);

    std::vector<ui::TextLine> lines;
    if (single) {
        std::string flat = s;
        std::replace(flat.begin(), flat.end(), '\n', ' ');
        std::erase(flat, '\r');
        lines = ui::LayoutText(hdc, flat, 0, prefixes, format & DT_EXPANDTABS);
    } else {
        lines = ui::LayoutText(hdc, s, (format & DT_WORDBREAK) ? width : 0, prefixes,
                               format & DT_EXPANDTABS);
    }
    const int height = lineHeight * int(lines.size());

    if (format & DT_CALCRECT) {
        int widest = 0;
        for (const auto& l : lines)
            widest = std::max(widest, ui::TextWidth(hdc, l.text));
        if (!(format & DT_WORDBREAK) || single)
            rect->right = rect->left + widest;
        else
            rect->right = rect->left + std::max(widest, 0);
        rect->bottom = rect->top + height;
        return height;
    }

    int y = int(rect->top);
    if (single && (format & DT_VCENTER))
        y = int(rect->top + (rect->bottom - rect->top - lineHeight) / 2);
    else if (single && (format & DT_BOTTOM))
        y = int(rect->bottom) - lineHeight;

    const UINT oldAlign = GetTextAlign(hdc);
    SetTextAlign(hdc, TA_LEFT | TA_TOP);
    HBRUSH underlineBrush = nullptr;
    for (const auto& l : lines) {
        int w = ui::TextWidth(hdc, l.text);
        int x = int(rect->left);
        if (format & DT_CENTER)
            x = int(rect->left + (width - w) / 2);
        else if (format & DT_RIGHT)
            x = int(rect->right) - w;
        UINT opts = (format & DT_NOCLIP) ? 0 : ETO_CLIPPED;
        ExtTextOut(hdc, x, y, opts, rect, l.text.data(), UINT(l.text.size()), nullptr);
        if (l.underline >= 0) {
            int ux = x + ui::TextWidth(hdc, l.text.substr(0, size_t(l.underline)));
            int uw = ui::TextWidth(hdc, l.text.substr(size_t(l.underline), 1));
            if (!underlineBrush)
                underlineBrush = CreateSolidBrush(GetTextColor(hdc));
            RECT u{ux, y + int(tm.tmAscent) + 1, ux + uw, y + int(tm.tmAscent) + 2};
            RECT clipped = IntersectRects(u, *rect);
            if (!IsRectEmpty(clipped))
                FillRect(hdc, &clipped, underlineBrush);
        }
        y += lineHeight;
    }
    if (underlineBrush)
        DeleteObject(underlineBrush);
    SetTextAlign(hdc, oldAlign);
    return height;
}

BOOL DrawFocusRect(HDC hdc, const RECT* rect)
{
    if (!hdc || !rect)
        return 0;
    const RECT& r = *rect;
    auto dot = [&](LONG x, LONG y) {
        if (((x + y) & 1) == 0)
            SetPixel(hdc, int(x), int(y), GetPixel(hdc, int(x), int(y)) ^ 0xFFFFFF);
    };
    for (LONG x = r.left; x < r.right; ++x) {
        dot(x, r.top);
        if (r.bottom - 1 > r.top)
            dot(x, r.bottom - 1);
    }
    for (LONG y = r.top + 1; y < r.bottom - 1; ++y) {
        dot(r.left, y);
        if (r.right - 1 > r.left)
            dot(r.right - 1, y);
    }
    return 1;
}

}  // namespace plat
