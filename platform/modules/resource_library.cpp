#include "platform/modules/resource_library.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/config/ini_document.h"
#include "platform/fs/atomic_file.h"
#include "platform/fs/paths.h"
#include "platform/modules/version.h"

namespace plat {

namespace {

constexpr std::size_t kMaxTextFile = 4u << 20;
constexpr std::size_t kMaxResourceFile = 64u << 20;

std::string lower(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return s;
}

bool parseNumber(std::string_view text, unsigned long& out, int base = 0)
{
    std::string s(text);
    if (s.empty())
        return false;
    char* end = nullptr;
    out = std::strtoul(s.c_str(), &end, base);
    return end && *end == '\0';
}

// "\n", "\t", "\r" and "\\" in a text of strings.txt.
std::string unescape(std::string_view s)
{
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 == s.size()) {
            out += s[i];
            continue;
        }
        char c = s[++i];
        out += c == 'n' ? '\n' : c == 't' ? '\t' : c == 'r' ? '\r' : c;
    }
    return out;
}

void readStrings(Module& m)
{
    std::string text;
    if (!ReadWholeFile(m.hostFolder + "/strings.txt", text, kMaxTextFile))
        return;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t nl = text.find('\n', pos);
        std::string_view line(text.data() + pos, (nl == std::string::npos ? text.size() : nl) - pos);
        pos = nl == std::string::npos ? text.size() : nl + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        std::size_t tab = line.find('\t');
        if (line.empty() || line[0] == '#' || tab == std::string_view::npos)
            continue;
        unsigned long id = 0;
        if (!parseNumber(line.substr(0, tab), id, 10) || id > 0xFFFF)
            continue;
        // The first text of an id wins, as the first key of a profile does.
        m.strings.try_emplace(static_cast<UINT>(id),
                              Utf8ToCodePage(unescape(line.substr(tab + 1)), m.codePage));
    }
}

void readModuleIni(Module& m)
{
    std::string text;
    if (!ReadWholeFile(m.hostFolder + "/module.ini", text, kMaxTextFile))
        return;
    IniDocument ini = IniDocument::Parse(text);
    unsigned long n = 0;
    if (parseNumber(ini.Find("Module", "CodePage").value_or(""), n) && n < 65536)
        m.codePage = static_cast<int>(n);
    if (parseNumber(ini.Find("Module", "Language").value_or(""), n) && n < 65536)
        m.language = static_cast<WORD>(n);
    if (!ini.HasSection("Version"))
        return;
    m.version.present = true;

    std::vector<std::pair<std::string, std::string>> common;
    for (const std::string& key : ini.Keys("Version"))
        if (!EqualsNoCase(key, "Translation"))
            common.emplace_back(key, Utf8ToCodePage(ini.Find("Version", key).value_or(""), m.codePage));

    std::optional<std::string> translation = ini.Find("Version", "Translation");
    std::vector<std::string> keys;
    if (translation) {
        // Pairs of hexadecimal numbers: language id, code page.
        std::vector<unsigned long> numbers;
        std::string token;
        for (char c : *translation + " ") {
            if (c == ' ' || c == ',' || c == '\t') {
                if (!token.empty() && parseNumber(token, n, 16) && n < 65536)
                    numbers.push_back(n);
                token.clear();
            } else {
                token += c;
            }
        }
        for (std::size_t i = 0; i + 1 < numbers.size(); i += 2) {
            m.version.translations.emplace_back(static_cast<WORD>(numbers[i]), static_cast<WORD>(numbers[i + 1]));
            char key[16];
            std::snprintf(key, sizeof key, "%04lx%04lx", numbers[i], numbers[i + 1]);
            keys.push_back(key);
        }
    }
    if (keys.empty())
        keys.push_back("040904e4");
    for (const std::string& key : keys) {
        auto& table = m.version.tables[key];
        table = common;
        // A section "[Version llllcccc]" overrides texts of that table.
        std::string section = "Version " + key;
        for (const std::string& k : ini.Keys(section)) {
            std::string value = Utf8ToCodePage(ini.Find(section, k).value_or(""), m.codePage);
            auto it = std::find_if(table.begin(), table.end(), [&](const auto& e) { return EqualsNoCase(e.first, k); });
            if (it != table.end())
                it->second = value;
            else
                table.emplace_back(k, value);
        }
    }
    if (m.VersionBlock().empty()) {
        std::fprintf(stderr, "%s/module.ini: a version text's name is 64 KB or longer; the library has no version block\n",
                     m.hostFolder.c_str());
        m.version = VersionInfo{};
    }
}

// The entry of folder whose name matches without regard to case.
std::string findEntry(const std::string& folder, const std::string& name, bool wantFolder)
{
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return {};
    std::string found;
    while (dirent* e = ::readdir(dir)) {
        if (!HostNamesMatch(e->d_name, name))
            continue;
        struct stat st {};
        std::string path = folder + "/" + e->d_name;
        if (::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode) != wantFolder)
            continue;
        if (found.empty() || e->d_name < found)
            found = e->d_name;
    }
    ::closedir(dir);
    return found.empty() ? std::string() : folder + "/" + found;
}

// The first file of folder (in byte order) whose name without extension
// matches stem.
std::string findByStem(const std::string& folder, const std::string& stem)
{
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return {};
    std::string found;
    while (dirent* e = ::readdir(dir)) {
        std::string name = e->d_name;
        if (name[0] == '.')
            continue;
        std::size_t dot = name.rfind('.');
        std::string s = dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
        if (!HostNamesMatch(s, stem) || (!found.empty() && name >= found))
            continue;
        struct stat st {};
        if (::stat((folder + "/" + name).c_str(), &st) == 0 && S_ISREG(st.st_mode))
            found = name;
    }
    ::closedir(dir);
    return found.empty() ? std::string() : folder + "/" + found;
}

std::string typeFolderName(const std::string& typeKey)
{
    static const std::map<std::string, std::string> standard = {
        {"#1", "cursor"}, {"#12", "cursor"}, {"#2", "bitmap"}, {"#3", "icon"},   {"#14", "icon"},
        {"#4", "menu"},   {"#5", "dialog"},  {"#10", "rcdata"},
    };
    auto it = standard.find(typeKey);
    if (it != standard.end())
        return it->second;
    return typeKey[0] == '#' ? typeKey.substr(1) : typeKey;
}

bool isTextType(const std::string& typeKey) { return typeKey == "#5" || typeKey == "#4"; }

std::string stringBlockData(const Module& m, int block)
{
    std::string data;
    for (UINT id = static_cast<UINT>(block - 1) * 16; id < static_cast<UINT>(block) * 16; ++id) {
        auto it = m.strings.find(id);
        std::string text = it == m.strings.end() ? std::string() : it->second.substr(0, 0xFFFF);
        data += static_cast<char>(text.size() & 0xFF);
        data += static_cast<char>(text.size() >> 8);
        data += text;
    }
    return data;
}

// False when the key's length does not fit its 16-bit field (or the
// value's its 32-bit one): a wrapped length would hide every later entry.
bool appendBlockEntry(std::string& block, const std::string& key, const std::string& value)
{
    if (key.size() > 0xFFFF || value.size() > 0xFFFFFFFFu)
        return false;
    auto put16 = [&](std::size_t v) {
        block += static_cast<char>(v & 0xFF);
        block += static_cast<char>((v >> 8) & 0xFF);
    };
    auto put32 = [&](std::size_t v) {
        put16(v & 0xFFFF);
        put16(v >> 16);
    };
    put16(key.size());
    block += key;
    put32(value.size());
    block += value;
    return true;
}

void parseVersionNumbers(const std::string& text, DWORD& ms, DWORD& ls)
{
    unsigned part[4] = {0, 0, 0, 0};
    std::sscanf(text.c_str(), "%u%*[.,] %u%*[.,] %u%*[.,] %u", &part[0], &part[1], &part[2], &part[3]);
    ms = (DWORD(part[0] & 0xFFFF) << 16) | (part[1] & 0xFFFF);
    ls = (DWORD(part[2] & 0xFFFF) << 16) | (part[3] & 0xFFFF);
}

}  // namespace

std::string ResourceKey(const char* nameOrId)
{
    if (IS_INTRESOURCE(nameOrId))
        return "#" + std::to_string(reinterpret_cast<std::uintptr_t>(nameOrId));
    std::string s = nameOrId;
    unsigned long n = 0;
    if (s.size() > 1 && s[0] == '#' && parseNumber(s.substr(1), n, 10) && n < 65536)
        return "#" + std::to_string(n);
    return lower(s);
}

std::unique_ptr<Module> Module::Open(Kind kind, const std::string& baseName, const std::string& hostFolder)
{
    auto m = std::make_unique<Module>();
    m->kind = kind;
    m->baseName = baseName;
    m->hostFolder = hostFolder;
    if (!hostFolder.empty()) {
        readModuleIni(*m);
        readStrings(*m);
    }
    return m;
}

ResourceEntry* Module::Find(const char* name, const char* type)
{
    if (!name || !type)
        return nullptr;
    std::string typeKey = ResourceKey(type), nameKey = ResourceKey(name);
    for (auto& e : entries)
        if (e->typeKey == typeKey && e->nameKey == nameKey)
            return e.get();
    auto entry = std::make_unique<ResourceEntry>();
    entry->typeKey = typeKey;
    entry->nameKey = nameKey;
    if (typeKey == "#6") {
        unsigned long block = 0;
        if (nameKey[0] != '#' || !parseNumber(nameKey.substr(1), block, 10) || block == 0)
            return nullptr;
        auto first = strings.lower_bound(static_cast<UINT>(block - 1) * 16);
        if (first == strings.end() || first->first >= block * 16)
            return nullptr;
        entry->stringBlock = static_cast<int>(block);
    } else if (typeKey == "#16") {
        if (!version.present || nameKey != "#1")
            return nullptr;
    } else {
        if (hostFolder.empty())
            return nullptr;
        std::string folder = findEntry(hostFolder, typeFolderName(typeKey), true);
        std::string stem = nameKey[0] == '#' ? nameKey.substr(1) : HostNameFromAnsi(name);
        entry->hostFile = folder.empty() ? std::string() : findByStem(folder, stem);
        if (entry->hostFile.empty())
            return nullptr;
    }
    entries.push_back(std::move(entry));
    return entries.back().get();
}

const std::string* Module::Data(ResourceEntry& entry)
{
    if (entry.data)
        return &*entry.data;
    if (entry.typeKey == "#6") {
        entry.data = stringBlockData(*this, entry.stringBlock);
    } else if (entry.typeKey == "#16") {
        entry.data = VersionBlock();
    } else {
        std::string bytes;
        if (!ReadWholeFile(entry.hostFile, bytes, kMaxResourceFile))
            return nullptr;
        if (entry.typeKey == "#2" && bytes.size() >= 14 && bytes[0] == 'B' && bytes[1] == 'M')
            bytes.erase(0, 14);  // a bitmap resource is the DIB without the file header
        else if (isTextType(entry.typeKey))
            bytes = Utf8ToCodePage(bytes, codePage);
        entry.data = std::move(bytes);
    }
    return &*entry.data;
}

std::string Module::VersionBlock() const
{
    if (!version.present)
        return {};
    std::string body;
    VS_FIXEDFILEINFO fixed;
    for (const auto& [key, table] : version.tables) {
        for (const auto& [name, value] : table) {
            if (EqualsNoCase(name, "FileVersion"))
                parseVersionNumbers(value, fixed.dwFileVersionMS, fixed.dwFileVersionLS);
            if (EqualsNoCase(name, "ProductVersion"))
                parseVersionNumbers(value, fixed.dwProductVersionMS, fixed.dwProductVersionLS);
        }
    }
    bool fits = appendBlockEntry(body, "\\", std::string(reinterpret_cast<const char*>(&fixed), sizeof fixed));
    if (!version.translations.empty()) {
        std::string pairs;
        for (auto [lang, cp] : version.translations) {
            DWORD v = DWORD(lang) | (DWORD(cp) << 16);
            pairs.append(reinterpret_cast<const char*>(&v), 4);
        }
        fits = fits && appendBlockEntry(body, "\\VarFileInfo\\Translation", pairs);
    }
    for (const auto& [key, table] : version.tables)
        for (const auto& [name, value] : table)
            fits = fits && appendBlockEntry(body, "\\StringFileInfo\\" + key + "\\" + name,
                                            value + std::string(1, '\0'));
    if (!fits)
        return {};
    // Header: a mark and the block's whole size, which bounds every reader.
    std::string block = "KVB1";
    DWORD total = static_cast<DWORD>(body.size() + 8);
    block.append(reinterpret_cast<const char*>(&total), 4);
    return block + body;
}

}  // namespace plat
