#include "platform/ui/dialog_template.h"

#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <strings.h>

#include "platform/ui/controls.h"

namespace plat {

namespace {

struct StyleName {
    const char* name;
    DWORD value;
};

constexpr StyleName kStyles[] = {
    {"WS_OVERLAPPED", WS_OVERLAPPED}, {"WS_POPUP", WS_POPUP}, {"WS_CHILD", WS_CHILD},
    {"WS_MINIMIZE", WS_MINIMIZE}, {"WS_VISIBLE", WS_VISIBLE}, {"WS_DISABLED", WS_DISABLED},
    {"WS_CLIPSIBLINGS", WS_CLIPSIBLINGS}, {"WS_CLIPCHILDREN", WS_CLIPCHILDREN},
    {"WS_MAXIMIZE", WS_MAXIMIZE}, {"WS_CAPTION", WS_CAPTION}, {"WS_BORDER", WS_BORDER},
    {"WS_DLGFRAME", WS_DLGFRAME}, {"WS_VSCROLL", WS_VSCROLL}, {"WS_HSCROLL", WS_HSCROLL},
    {"WS_SYSMENU", WS_SYSMENU}, {"WS_THICKFRAME", WS_THICKFRAME}, {"WS_GROUP", WS_GROUP},
    {"WS_TABSTOP", WS_TABSTOP}, {"WS_MINIMIZEBOX", WS_MINIMIZEBOX},
    {"WS_MAXIMIZEBOX", WS_MAXIMIZEBOX}, {"WS_POPUPWINDOW", WS_POPUPWINDOW},
    {"WS_OVERLAPPEDWINDOW", WS_OVERLAPPEDWINDOW},
    {"WS_EX_DLGMODALFRAME", WS_EX_DLGMODALFRAME}, {"WS_EX_TOPMOST", WS_EX_TOPMOST},
    {"WS_EX_TRANSPARENT", WS_EX_TRANSPARENT}, {"WS_EX_TOOLWINDOW", WS_EX_TOOLWINDOW},
    {"DS_SYSMODAL", DS_SYSMODAL}, {"DS_3DLOOK", DS_3DLOOK}, {"DS_SETFONT", DS_SETFONT},
    {"DS_MODALFRAME", DS_MODALFRAME}, {"DS_NOIDLEMSG", DS_NOIDLEMSG},
    {"DS_SETFOREGROUND", DS_SETFOREGROUND}, {"DS_CONTROL", DS_CONTROL}, {"DS_CENTER", DS_CENTER},
    {"BS_PUSHBUTTON", BS_PUSHBUTTON}, {"BS_DEFPUSHBUTTON", BS_DEFPUSHBUTTON},
    {"BS_CHECKBOX", BS_CHECKBOX}, {"BS_AUTOCHECKBOX", BS_AUTOCHECKBOX},
    {"BS_RADIOBUTTON", BS_RADIOBUTTON}, {"BS_3STATE", BS_3STATE}, {"BS_AUTO3STATE", BS_AUTO3STATE},
    {"BS_GROUPBOX", BS_GROUPBOX}, {"BS_AUTORADIOBUTTON", BS_AUTORADIOBUTTON},
    {"BS_OWNERDRAW", BS_OWNERDRAW}, {"BS_LEFTTEXT", BS_LEFTTEXT},
    {"SS_LEFT", SS_LEFT}, {"SS_CENTER", SS_CENTER}, {"SS_RIGHT", SS_RIGHT}, {"SS_ICON", SS_ICON},
    {"SS_BLACKRECT", SS_BLACKRECT}, {"SS_GRAYRECT", SS_GRAYRECT}, {"SS_WHITERECT", SS_WHITERECT},
    {"SS_BLACKFRAME", SS_BLACKFRAME}, {"SS_GRAYFRAME", SS_GRAYFRAME},
    {"SS_WHITEFRAME", SS_WHITEFRAME}, {"SS_SIMPLE", SS_SIMPLE},
    {"SS_LEFTNOWORDWRAP", SS_LEFTNOWORDWRAP}, {"SS_OWNERDRAW", SS_OWNERDRAW},
    {"SS_ETCHEDFRAME", SS_ETCHEDFRAME}, {"SS_NOPREFIX", SS_NOPREFIX}, {"SS_NOTIFY", SS_NOTIFY},
    {"SS_CENTERIMAGE", SS_CENTERIMAGE}, {"SS_SUNKEN", SS_SUNKEN},
    {"ES_LEFT", ES_LEFT}, {"ES_CENTER", ES_CENTER}, {"ES_RIGHT", ES_RIGHT},
    {"ES_MULTILINE", ES_MULTILINE}, {"ES_UPPERCASE", ES_UPPERCASE}, {"ES_LOWERCASE", ES_LOWERCASE},
    {"ES_PASSWORD", ES_PASSWORD}, {"ES_AUTOVSCROLL", ES_AUTOVSCROLL},
    {"ES_AUTOHSCROLL", ES_AUTOHSCROLL}, {"ES_NOHIDESEL", ES_NOHIDESEL},
    {"ES_READONLY", ES_READONLY}, {"ES_WANTRETURN", ES_WANTRETURN}, {"ES_NUMBER", ES_NUMBER},
    {"LBS_NOTIFY", LBS_NOTIFY}, {"LBS_SORT", LBS_SORT}, {"LBS_NOREDRAW", LBS_NOREDRAW},
    {"LBS_MULTIPLESEL", LBS_MULTIPLESEL}, {"LBS_OWNERDRAWFIXED", LBS_OWNERDRAWFIXED},
    {"LBS_OWNERDRAWVARIABLE", LBS_OWNERDRAWVARIABLE}, {"LBS_HASSTRINGS", LBS_HASSTRINGS},
    {"LBS_USETABSTOPS", LBS_USETABSTOPS}, {"LBS_NOINTEGRALHEIGHT", LBS_NOINTEGRALHEIGHT},
    {"LBS_WANTKEYBOARDINPUT", LBS_WANTKEYBOARDINPUT},
    {"LBS_DISABLENOSCROLL", LBS_DISABLENOSCROLL}, {"LBS_STANDARD", LBS_STANDARD},
    {"CBS_SIMPLE", CBS_SIMPLE}, {"CBS_DROPDOWN", CBS_DROPDOWN},
    {"CBS_DROPDOWNLIST", CBS_DROPDOWNLIST}, {"CBS_OWNERDRAWFIXED", CBS_OWNERDRAWFIXED},
    {"CBS_OWNERDRAWVARIABLE", CBS_OWNERDRAWVARIABLE}, {"CBS_AUTOHSCROLL", CBS_AUTOHSCROLL},
    {"CBS_SORT", CBS_SORT}, {"CBS_HASSTRINGS", CBS_HASSTRINGS},
    {"SBS_HORZ", SBS_HORZ}, {"SBS_VERT", SBS_VERT},
};

// One line cut into words: names, numbers, "|", and quoted texts.
struct Token {
    enum Kind { Word, Text, Bar } kind;
    std::string value;
};

// Control bytes other than tab and CR (a NUL above all) have no place in
// the syntax, in a text or out of it.
bool isControlByte(char c)
{
    unsigned char u = static_cast<unsigned char>(c);
    return (u < 0x20 && c != '\t' && c != '\r') || u == 0x7F;
}

bool endsWord(char c) { return c == ' ' || c == '\t' || c == '\r' || c == ',' || c == '|' || c == '"'; }

bool tokenize(std::string_view line, std::vector<Token>& out, std::string& why)
{
    for (char c : line) {
        if (isControlByte(c)) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned char>(c));
            why = std::string("a control byte (") + hex + ") the template syntax does not allow";
            return false;
        }
    }
    size_t i = 0;
    while (i < line.size()) {
        char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r' || c == ',') {
            ++i;
        } else if (c == '#' || c == ';') {
            break;
        } else if (c == '|') {
            out.push_back({Token::Bar, "|"});
            ++i;
        } else if (c == '"') {
            std::string text;
            ++i;
            bool closed = false;
            while (i < line.size()) {
                char d = line[i++];
                if (d == '"') {
                    closed = true;
                    break;
                }
                if (d == '\\' && i < line.size()) {
                    char e = line[i++];
                    text.push_back(e == 'n' ? '\n' : e == 't' ? '\t' : e == 'r' ? '\r' : e);
                } else {
                    text.push_back(d);
                }
            }
            if (!closed) {
                why = "a text without its closing quote";
                return false;
            }
            out.push_back({Token::Text, std::move(text)});
        } else {
            size_t start = i;
            while (i < line.size() && !endsWord(line[i]))
                ++i;
            out.push_back({Token::Word, std::string(line.substr(start, i - start))});
        }
    }
    return true;
}

bool number(const std::string& word, long long* v)
{
    const char* b = word.data();
    const char* e = b + word.size();
    bool neg = false;
    if (b < e && *b == '-') {
        neg = true;
        ++b;
    }
    int base = 10;
    if (e - b > 2 && b[0] == '0' && (b[1] == 'x' || b[1] == 'X')) {
        base = 16;
        b += 2;
    }
    unsigned long long u = 0;
    auto r = std::from_chars(b, e, u, base);
    if (r.ec != std::errc() || r.ptr != e || b == e || u > 0xFFFFFFFFull)
        return false;
    *v = neg ? -static_cast<long long>(u) : static_cast<long long>(u);
    return true;
}

bool intArg(const Token& t, int lo, int hi, int* out)
{
    long long v;
    if (t.kind != Token::Word || !number(t.value, &v) || v < lo || v > hi)
        return false;
    *out = int(v);
    return true;
}

// A style expression from token k on: NAME | NAME | NUMBER, where "NOT NAME"
// takes a style away. Adds to `set` and `cleared`.
bool styleExpr(const std::vector<Token>& t, size_t k, DWORD* set, DWORD* cleared, std::string& why)
{
    bool expectTerm = true;
    for (; k < t.size(); ++k) {
        if (t[k].kind == Token::Bar) {
            if (expectTerm) {
                why = "a \"|\" without a style before it";
                return false;
            }
            expectTerm = true;
            continue;
        }
        if (t[k].kind != Token::Word || !expectTerm) {
            why = "styles must be joined with \"|\"";
            return false;
        }
        bool negate = false;
        if (strcasecmp(t[k].value.c_str(), "NOT") == 0) {
            if (++k >= t.size() || t[k].kind != Token::Word) {
                why = "NOT without a style";
                return false;
            }
            negate = true;
        }
        DWORD v = 0;
        long long n;
        if (number(t[k].value, &n)) {
            v = DWORD(n);
        } else if (!StyleValue(t[k].value, &v)) {
            why = "unknown style \"" + t[k].value + "\"";
            return false;
        }
        (negate ? *cleared : *set) |= v;
        expectTerm = false;
    }
    if (expectTerm && k > 0 && !t.empty() && t.back().kind == Token::Bar) {
        why = "a \"|\" without a style after it";
        return false;
    }
    return true;
}

bool sameWord(const std::string& a, const char* b)
{
    return strcasecmp(a.c_str(), b) == 0;
}

// The class a control keyword stands for.
const char* controlClass(const std::string& word)
{
    static const char* const names[] = {"Button", "Static", "Edit", "ListBox", "ComboBox", "ScrollBar"};
    for (const char* n : names)
        if (sameWord(word, n))
            return n;
    return nullptr;
}

bool parseLine(const std::vector<Token>& t, DialogTemplate& d, bool& seenSize, std::string& why)
{
    const std::string& key = t[0].value;
    if (t[0].kind != Token::Word) {
        why = "a line must start with a keyword";
        return false;
    }
    if (sameWord(key, "caption")) {
        if (t.size() != 2 || t[1].kind != Token::Text) {
            why = "caption needs one quoted text";
            return false;
        }
        d.caption = t[1].value;
        return true;
    }
    if (sameWord(key, "style") || sameWord(key, "exstyle")) {
        DWORD set = 0, cleared = 0;
        if (!styleExpr(t, 1, &set, &cleared, why))
            return false;
        DWORD& target = sameWord(key, "style") ? d.style : d.exStyle;
        target = set & ~cleared;
        return true;
    }
    if (sameWord(key, "font")) {
        if (t.size() != 3 || !intArg(t[1], 1, 72, &d.pointSize) || t[2].kind != Token::Text ||
            t[2].value.empty()) {
            why = "font needs a point size (1 to 72) and a quoted face name";
            return false;
        }
        d.faceName = t[2].value;
        return true;
    }
    if (sameWord(key, "rect")) {
        if (t.size() != 5 || !intArg(t[1], -32768, 32767, &d.x) || !intArg(t[2], -32768, 32767, &d.y) ||
            !intArg(t[3], 0, 32767, &d.cx) || !intArg(t[4], 0, 32767, &d.cy)) {
            why = "rect needs x, y, width and height in dialog units";
            return false;
        }
        seenSize = true;
        return true;
    }
    if (sameWord(key, "control")) {
        // control CLASS ID "TEXT" X Y CX CY [STYLES]
        if (t.size() < 8 || t[1].kind != Token::Word || t[3].kind != Token::Text) {
            why = "control needs a class, an id, a quoted text and x, y, width and height";
            return false;
        }
        DialogItemTemplate item;
        const char* cls = controlClass(t[1].value);
        item.className = cls ? cls : t[1].value;
        if (!intArg(t[2], -1, 65535, &item.id)) {
            why = "a control id is a number from -1 to 65535";
            return false;
        }
        item.text = t[3].value;
        if (!intArg(t[4], -32768, 32767, &item.x) || !intArg(t[5], -32768, 32767, &item.y) ||
            !intArg(t[6], 0, 32767, &item.cx) || !intArg(t[7], 0, 32767, &item.cy)) {
            why = "a control's x, y, width and height are numbers in dialog units";
            return false;
        }
        DWORD set = 0, cleared = 0;
        if (!styleExpr(t, 8, &set, &cleared, why))
            return false;
        item.style = ((WS_CHILD | WS_VISIBLE) | set) & ~cleared;
        d.items.push_back(std::move(item));
        return true;
    }
    why = "unknown keyword \"" + key + "\"";
    return false;
}

}  // namespace

bool StyleValue(std::string_view name, DWORD* value)
{
    for (const StyleName& s : kStyles) {
        if (name.size() == std::strlen(s.name) && strncasecmp(name.data(), s.name, name.size()) == 0) {
            *value = s.value;
            return true;
        }
    }
    return false;
}

bool ParseDialogTemplate(std::string_view text, DialogTemplate* out, std::string* error)
{
    DialogTemplate d;
    d.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    bool seenSize = false;
    int lineNo = 0;
    size_t pos = 0;
    auto fail = [&](const std::string& why) {
        if (error)
            *error = "line " + std::to_string(lineNo) + ": " + why;
        return false;
    };
    while (pos <= text.size()) {
        size_t nl = text.find('\n', pos);
        std::string_view line = text.substr(pos, nl == std::string_view::npos ? text.size() - pos : nl - pos);
        pos = nl == std::string_view::npos ? text.size() + 1 : nl + 1;
        ++lineNo;
        if (lineNo == 1 && line.size() >= 3 && line.substr(0, 3) == "\xEF\xBB\xBF")
            line.remove_prefix(3);
        std::vector<Token> tokens;
        std::string why;
        if (!tokenize(line, tokens, why))
            return fail(why);
        if (tokens.empty())
            continue;
        if (!parseLine(tokens, d, seenSize, why))
            return fail(why);
    }
    if (!seenSize) {
        lineNo = 0;
        if (error)
            *error = "the template has no rect line";
        return false;
    }
    *out = std::move(d);
    return true;
}

}  // namespace plat
