#pragma once
// One INI file held as its lines, with the rules of Windows profiles:
// sections and keys are compared without regard to case (ASCII letters), the
// first matching section and the first matching key in it win, keys and
// values are trimmed of blanks (names given to look-ups and changes too),
// and a value wholly enclosed in a pair of single or double quotes loses
// them. A line ends at CR LF, LF or a CR alone. A line "=value" is a key with
// an empty name. Lines that are neither a section nor a key (comments
// starting with ';', blank lines, stray text) are kept exactly, and every
// line keeps its own line end, so a rewrite changes only what was changed.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

class IniDocument {
public:
    IniDocument() = default;
    static IniDocument Parse(std::string_view text);
    // The text of the file; untouched lines come back byte for byte.
    std::string Serialize() const;

    // The value of the first matching key of the first matching section.
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;
    bool HasSection(std::string_view section) const;
    // Section names in file order, each name once (first spelling).
    std::vector<std::string> Sections() const;
    // Keys of the first matching section in file order, each once; the key
    // with an empty name is left out, as a list of NUL-ended names cannot
    // hold it.
    std::vector<std::string> Keys(std::string_view section) const;

    // Replaces the first matching key's value, or adds the key at the end
    // of the first matching section, or adds the section at the end (with
    // no blank line before it).
    void Set(std::string_view section, std::string_view key, std::string_view value);
    // Removes every line of the key in the first matching section; false
    // when there was none.
    bool DeleteKey(std::string_view section, std::string_view key);
    // Removes every section of that name with its lines; false when none.
    bool DeleteSection(std::string_view section);

private:
    enum class Kind { Other, Section, Key };
    struct Line {
        Kind kind = Kind::Other;
        std::string raw;    // the line as read, without its line break
        std::string eol;    // its line break as read ("" for a last line without one)
        std::string name;   // section or key name, trimmed
        std::string value;  // key value, trimmed, quotes removed
    };

    static Line parseLine(std::string_view raw);
    // Index of the first matching section header, or npos.
    std::size_t findSection(std::string_view section) const;
    // One past the last line of the section that starts at header.
    std::size_t sectionEnd(std::size_t header) const;

    // Inserts a new line at index, ending in the file's usual line break;
    // a last line without one gets one first.
    void insertLine(std::size_t index, Line line);

    std::vector<Line> lines_;
    std::string eol_ = "\r\n";  // for new lines: the first line break of the file
};

// Comparison of names the way profiles and the registry do it.
bool EqualsNoCase(std::string_view a, std::string_view b);

}  // namespace plat
