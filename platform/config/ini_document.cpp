#include "platform/config/ini_document.h"

namespace plat {

namespace {

constexpr std::size_t npos = std::string::npos;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

std::string_view trim(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

std::string_view unquote(std::string_view v)
{
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

}  // namespace

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    return true;
}

IniDocument::Line IniDocument::parseLine(std::string_view raw)
{
    Line line;
    line.raw = std::string(raw);
    std::string_view t = trim(raw);
    if (t.empty() || t.front() == ';')
        return line;
    if (t.front() == '[') {
        std::size_t close = t.find(']');
        if (close == npos)
            return line;  // a broken header is kept as text, it opens nothing
        line.kind = Kind::Section;
        line.name = std::string(trim(t.substr(1, close - 1)));
        return line;
    }
    std::size_t eq = t.find('=');
    if (eq == npos)
        return line;
    line.kind = Kind::Key;
    line.name = std::string(trim(t.substr(0, eq)));
    line.value = std::string(unquote(trim(t.substr(eq + 1))));
    return line;
}

IniDocument IniDocument::Parse(std::string_view text)
{
    IniDocument doc;
    bool eolSeen = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == npos)
            end = text.size();
        std::size_t next = end;
        if (next < text.size())
            next += text.compare(next, 2, "\r\n") == 0 ? 2 : 1;
        Line line = parseLine(text.substr(pos, end - pos));
        line.eol = std::string(text.substr(end, next - end));
        if (!eolSeen && !line.eol.empty()) {
            doc.eol_ = line.eol;
            eolSeen = true;
        }
        doc.lines_.push_back(std::move(line));
        pos = next;
    }
    return doc;
}

std::string IniDocument::Serialize() const
{
    std::string out;
    for (const Line& line : lines_) {
        out += line.raw;
        out += line.eol;
    }
    return out;
}

void IniDocument::insertLine(std::size_t index, Line line)
{
    if (index == lines_.size() && !lines_.empty() && lines_.back().eol.empty())
        lines_.back().eol = eol_;
    line.eol = eol_;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index), std::move(line));
}

std::size_t IniDocument::findSection(std::string_view section) const
{
    section = trim(section);
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].kind == Kind::Section && EqualsNoCase(lines_[i].name, section))
            return i;
    return npos;
}

std::size_t IniDocument::sectionEnd(std::size_t header) const
{
    std::size_t i = header + 1;
    while (i < lines_.size() && lines_[i].kind != Kind::Section)
        ++i;
    return i;
}

std::optional<std::string> IniDocument::Find(std::string_view section, std::string_view key) const
{
    std::size_t header = findSection(section);
    if (header == npos)
        return std::nullopt;
    key = trim(key);
    for (std::size_t i = header + 1, end = sectionEnd(header); i < end; ++i)
        if (lines_[i].kind == Kind::Key && EqualsNoCase(lines_[i].name, key))
            return lines_[i].value;
    return std::nullopt;
}

bool IniDocument::HasSection(std::string_view section) const { return findSection(section) != npos; }

std::vector<std::string> IniDocument::Sections() const
{
    std::vector<std::string> names;
    for (const Line& line : lines_) {
        if (line.kind != Kind::Section)
            continue;
        bool seen = false;
        for (const std::string& n : names)
            seen = seen || EqualsNoCase(n, line.name);
        if (!seen)
            names.push_back(line.name);
    }
    return names;
}

std::vector<std::string> IniDocument::Keys(std::string_view section) const
{
    std::vector<std::string> names;
    std::size_t header = findSection(section);
    if (header == npos)
        return names;
    for (std::size_t i = header + 1, end = sectionEnd(header); i < end; ++i) {
        if (lines_[i].kind != Kind::Key || lines_[i].name.empty())
            continue;
        bool seen = false;
        for (const std::string& n : names)
            seen = seen || EqualsNoCase(n, lines_[i].name);
        if (!seen)
            names.push_back(lines_[i].name);
    }
    return names;
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value)
{
    Line line;
    line.kind = Kind::Key;
    line.name = std::string(trim(key));
    line.value = std::string(value);
    line.raw = line.name + "=" + line.value;

    std::size_t header = findSection(section);
    if (header == npos) {
        // Right after the last line, as Windows writes it: no blank line
        // between sections.
        Line head;
        head.kind = Kind::Section;
        head.name = std::string(trim(section));
        head.raw = "[" + head.name + "]";
        insertLine(lines_.size(), std::move(head));
        insertLine(lines_.size(), std::move(line));
        return;
    }
    std::size_t end = sectionEnd(header);
    std::size_t lastKey = header;
    for (std::size_t i = header + 1; i < end; ++i) {
        if (lines_[i].kind != Kind::Key)
            continue;
        if (EqualsNoCase(lines_[i].name, line.name)) {
            lines_[i].value = line.value;
            lines_[i].raw = lines_[i].name + "=" + line.value;
            return;
        }
        lastKey = i;
    }
    // After the section's last key, so that blank lines and comments that
    // separate it from the next section stay where they are.
    insertLine(lastKey + 1, std::move(line));
}

bool IniDocument::DeleteKey(std::string_view section, std::string_view key)
{
    std::size_t header = findSection(section);
    if (header == npos)
        return false;
    key = trim(key);
    bool removed = false;
    std::size_t end = sectionEnd(header);
    for (std::size_t i = header + 1; i < end;) {
        if (lines_[i].kind == Kind::Key && EqualsNoCase(lines_[i].name, key)) {
            lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i));
            --end;
            removed = true;
        } else {
            ++i;
        }
    }
    return removed;
}

bool IniDocument::DeleteSection(std::string_view section)
{
    bool removed = false;
    for (std::size_t header = findSection(section); header != npos; header = findSection(section)) {
        std::size_t end = sectionEnd(header);
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(header),
                     lines_.begin() + static_cast<std::ptrdiff_t>(end));
        removed = true;
    }
    return removed;
}

}  // namespace plat
