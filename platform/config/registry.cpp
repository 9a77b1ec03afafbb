#include "platform/config/registry.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/fs/atomic_file.h"
#include "platform/fs/errors.h"
#include "platform/fs/folders.h"

namespace plat {

struct RegistryKey {
    int hive = 0;
    std::string path;  // lower case, "" for the root
    REGSAM access = 0;
};

namespace {

struct Value {
    std::string name;  // as first written
    DWORD type = REG_NONE;
    std::string data;
};

struct KeyData {
    std::string path;  // as first created
    std::vector<Value> values;
};

using Hive = std::map<std::string, KeyData>;  // by lower-case path

constexpr int kHiveCount = 2;
const char* const kHiveNames[kHiveCount] = {"HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE"};
constexpr std::size_t kMaxHiveBytes = 64u << 20;

struct Registry {
    std::mutex mutex;
    bool loaded[kHiveCount] = {};
    // A hive file that exists but cannot be read is never overwritten.
    bool unreadable[kHiveCount] = {};
    Hive hives[kHiveCount];
    std::set<RegistryKey*> open;
    bool listening = false;
};

Registry& registry()
{
    static Registry r;
    return r;
}

void forgetHives()
{
    std::lock_guard lock(registry().mutex);
    for (bool& l : registry().loaded)
        l = false;
}

std::string lower(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return out;
}

std::string hivePath(int hive) { return ConfigFolder() + "/registry/" + kHiveNames[hive] + ".reg"; }

// ---- the text form -------------------------------------------------------

std::string quote(std::string_view s)
{
    std::string out = "\"";
    for (char c : s) {
        auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (u < 0x20 || u == 0x7f) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02x", u);
            out += hex;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// Reads a quoted text at s[pos]; pos moves past it. False when malformed.
bool unquote(std::string_view s, std::size_t& pos, std::string& out)
{
    if (pos >= s.size() || s[pos] != '"')
        return false;
    out.clear();
    for (++pos; pos < s.size(); ++pos) {
        char c = s[pos];
        if (c == '"') {
            ++pos;
            return true;
        }
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++pos >= s.size())
            return false;
        switch (s[pos]) {
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'x': {
            if (pos + 2 >= s.size() || hexDigit(s[pos + 1]) < 0 || hexDigit(s[pos + 2]) < 0)
                return false;
            out += static_cast<char>(hexDigit(s[pos + 1]) * 16 + hexDigit(s[pos + 2]));
            pos += 2;
            break;
        }
        default: out += s[pos];
        }
    }
    return false;
}

bool isPlainString(const Value& v)
{
    return (v.type == REG_SZ || v.type == REG_EXPAND_SZ) && !v.data.empty() && v.data.back() == '\0' &&
           v.data.find('\0') == v.data.size() - 1;
}

std::string valueLine(const Value& v)
{
    std::string line = v.name.empty() ? "@" : quote(v.name);
    line += '=';
    if (isPlainString(v)) {
        line += v.type == REG_SZ ? "sz:" : "expand:";
        line += quote(std::string_view(v.data).substr(0, v.data.size() - 1));
    } else if (v.type == REG_DWORD && v.data.size() == 4) {
        DWORD n = 0;
        std::memcpy(&n, v.data.data(), 4);
        char buf[16];
        std::snprintf(buf, sizeof buf, "dword:%08x", n);
        line += buf;
    } else {
        char buf[24];
        std::snprintf(buf, sizeof buf, "hex(%u):", v.type);
        line += buf;
        for (std::size_t i = 0; i < v.data.size(); ++i) {
            std::snprintf(buf, sizeof buf, i ? ",%02x" : "%02x", static_cast<unsigned char>(v.data[i]));
            line += buf;
        }
    }
    return line;
}

std::string serialize(int hive, const Hive& h)
{
    std::string out = std::string("; registry hive ") + kHiveNames[hive] + "\n";
    for (const auto& [lowerPath, key] : h) {
        if (lowerPath.empty() && key.values.empty())
            continue;
        out += "\n[" + key.path + "]\n";
        for (const Value& v : key.values)
            out += valueLine(v) + "\n";
    }
    return out;
}

bool parseValue(std::string_view line, Value& v)
{
    std::size_t pos = 0;
    if (line.substr(0, 1) == "@") {
        v.name.clear();
        pos = 1;
    } else if (!unquote(line, pos, v.name)) {
        return false;
    }
    if (pos >= line.size() || line[pos] != '=')
        return false;
    std::string_view rest = line.substr(pos + 1);
    if (rest.rfind("sz:", 0) == 0 || rest.rfind("expand:", 0) == 0) {
        v.type = rest[0] == 's' ? REG_SZ : REG_EXPAND_SZ;
        std::size_t p = rest.find(':') + 1;
        if (!unquote(rest, p, v.data))
            return false;
        v.data += '\0';
        return true;
    }
    if (rest.rfind("dword:", 0) == 0) {
        std::string_view digits = rest.substr(6);
        if (digits.empty() || digits.size() > 8)
            return false;
        DWORD n = 0;
        for (char c : digits) {
            if (hexDigit(c) < 0)
                return false;
            n = n * 16 + static_cast<DWORD>(hexDigit(c));
        }
        v.type = REG_DWORD;
        v.data.assign(reinterpret_cast<const char*>(&n), 4);
        return true;
    }
    if (rest.rfind("hex(", 0) == 0) {
        std::size_t close = rest.find("):");
        if (close == std::string_view::npos || close == 4 || close > 14)
            return false;
        DWORD type = 0;
        for (char c : rest.substr(4, close - 4)) {
            if (c < '0' || c > '9')
                return false;
            type = type * 10 + static_cast<DWORD>(c - '0');
        }
        v.type = type;
        v.data.clear();
        std::string_view bytes = rest.substr(close + 2);
        for (std::size_t i = 0; i < bytes.size();) {
            if (i + 1 >= bytes.size() || hexDigit(bytes[i]) < 0 || hexDigit(bytes[i + 1]) < 0)
                return false;
            v.data += static_cast<char>(hexDigit(bytes[i]) * 16 + hexDigit(bytes[i + 1]));
            i += 2;
            if (i < bytes.size() && bytes[i++] != ',')
                return false;
        }
        return true;
    }
    return false;
}

void addKeyPath(Hive& h, const std::string& path)
{
    // Every key on the way exists too.
    std::size_t pos = 0;
    h.try_emplace("", KeyData{});
    while (pos <= path.size() && !path.empty()) {
        std::size_t next = path.find('\\', pos);
        std::string prefix = path.substr(0, next);
        h.try_emplace(lower(prefix), KeyData{prefix, {}});
        if (next == std::string::npos)
            break;
        pos = next + 1;
    }
}

void setValue(KeyData& key, Value v)
{
    for (Value& old : key.values) {
        if (lower(old.name) == lower(v.name)) {
            old.type = v.type;
            old.data = std::move(v.data);
            return;
        }
    }
    key.values.push_back(std::move(v));
}

bool validName(std::string_view s)
{
    for (char c : s)
        if (static_cast<unsigned char>(c) < 0x20)
            return false;
    return true;
}

// Damaged lines are skipped: what can be read is kept.
Hive parseHive(std::string_view text)
{
    Hive h;
    h.try_emplace("", KeyData{});
    KeyData* current = nullptr;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t nl = text.find('\n', pos);
        std::string_view line = text.substr(pos, nl == std::string_view::npos ? std::string_view::npos : nl - pos);
        pos = nl == std::string_view::npos ? text.size() : nl + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[') {
            std::size_t close = line.rfind(']');
            current = nullptr;
            if (close == std::string_view::npos || close < 1)
                continue;
            std::string path(line.substr(1, close - 1));
            // A name no call could give or open (a control character, a
            // zero byte) is damage: the key and its values are skipped.
            if (!validName(path))
                continue;
            addKeyPath(h, path);
            current = &h[lower(path)];
            continue;
        }
        Value v;
        if (current && parseValue(line, v))
            setValue(*current, std::move(v));
    }
    return h;
}

// ---- access --------------------------------------------------------------

Hive& hiveLocked(int index)
{
    Registry& r = registry();
    if (!r.listening) {
        r.listening = true;
        AddFolderChangeListener(&forgetHives);
    }
    if (!r.loaded[index]) {
        std::string text;
        bool read = ReadWholeFile(hivePath(index), text, kMaxHiveBytes);
        r.unreadable[index] = !read && errno != ENOENT;
        r.hives[index] = read ? parseHive(text) : Hive{};
        r.hives[index].try_emplace("", KeyData{});
        r.loaded[index] = true;
    }
    return r.hives[index];
}

LONG saveLocked(int index)
{
    if (registry().unreadable[index])
        return ERROR_WRITE_FAULT;
    int err = WriteFileAtomically(hivePath(index), serialize(index, registry().hives[index]));
    return err ? static_cast<LONG>(ERROR_WRITE_FAULT) : 0;
}

// Applies a change to a hive; when it cannot be saved, the hive goes back
// to what it was.
template <typename Change>
LONG changeLocked(int index, Change change)
{
    Hive before = hiveLocked(index);
    LONG result = change(registry().hives[index]);
    if (result != 0)
        return result;
    if (LONG err = saveLocked(index)) {
        registry().hives[index] = std::move(before);
        return err;
    }
    return 0;
}

struct Target {
    LONG error = 0;
    int hive = 0;
    std::string path;  // as given, normalised
    REGSAM access = KEY_ALL_ACCESS;
};

std::string normalise(std::string_view sub)
{
    std::string out;
    for (char c : sub) {
        if (c == '\\' && (out.empty() || out.back() == '\\'))
            continue;
        out += c;
    }
    while (!out.empty() && out.back() == '\\')
        out.pop_back();
    return out;
}

Target targetLocked(HKEY key, const char* subKey)
{
    Target t;
    std::string sub = normalise(subKey ? subKey : "");
    if (!validName(sub)) {
        t.error = ERROR_INVALID_PARAMETER;
        return t;
    }
    if (key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE) {
        t.hive = key == HKEY_CURRENT_USER ? 0 : 1;
        t.path = sub;
        return t;
    }
    if (!registry().open.count(key)) {
        t.error = ERROR_INVALID_HANDLE;
        return t;
    }
    t.hive = key->hive;
    t.access = key->access;
    const Hive& h = hiveLocked(t.hive);
    auto it = h.find(key->path);
    if (it == h.end()) {
        t.error = ERROR_KEY_DELETED;
        return t;
    }
    t.path = it->second.path.empty() ? sub : sub.empty() ? it->second.path : it->second.path + "\\" + sub;
    return t;
}

HKEY newHandleLocked(int hive, const std::string& path, REGSAM access)
{
    auto* k = new RegistryKey{hive, lower(path), access};
    registry().open.insert(k);
    return k;
}

}  // namespace

LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD, REGSAM access, PHKEY result)
{
    if (!result)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    std::lock_guard lock(registry().mutex);
    Target t = targetLocked(key, subKey);
    if (t.error)
        return t.error;
    const Hive& h = hiveLocked(t.hive);
    if (!h.count(lower(t.path)))
        return ERROR_FILE_NOT_FOUND;
    *result = newHandleLocked(t.hive, t.path, access);
    return ERROR_SUCCESS;
}

LONG RegCreateKeyExA(HKEY key, const char* subKey, DWORD, const char*, DWORD, REGSAM access, const void*,
                     PHKEY result, DWORD* disposition)
{
    if (!result)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    std::lock_guard lock(registry().mutex);
    Target t = targetLocked(key, subKey);
    if (t.error)
        return t.error;
    bool exists = hiveLocked(t.hive).count(lower(t.path)) != 0;
    if (!exists) {
        LONG err = changeLocked(t.hive, [&](Hive& h) {
            addKeyPath(h, t.path);
            return LONG(0);
        });
        if (err)
            return err;
    }
    if (disposition)
        *disposition = exists ? REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY;
    *result = newHandleLocked(t.hive, t.path, access);
    return ERROR_SUCCESS;
}

LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD*, DWORD* type, LPBYTE data, DWORD* dataSize)
{
    if (data && !dataSize)
        return ERROR_INVALID_PARAMETER;
    std::lock_guard lock(registry().mutex);
    Target t = targetLocked(key, nullptr);
    if (t.error)
        return t.error;
    const Hive& h = hiveLocked(t.hive);
    auto it = h.find(lower(t.path));
    if (it == h.end())
        return ERROR_FILE_NOT_FOUND;
    std::string wanted = lower(valueName ? valueName : "");
    for (const Value& v : it->second.values) {
        if (lower(v.name) != wanted)
            continue;
        if (type)
            *type = v.type;
        auto size = static_cast<DWORD>(v.data.size());
        if (!dataSize)
            return ERROR_SUCCESS;
        if (!data) {
            *dataSize = size;
            return ERROR_SUCCESS;
        }
        if (*dataSize < size) {
            *dataSize = size;
            return ERROR_MORE_DATA;
        }
        std::memcpy(data, v.data.data(), size);
        *dataSize = size;
        return ERROR_SUCCESS;
    }
    return ERROR_FILE_NOT_FOUND;
}

LONG RegSetValueExA(HKEY key, const char* valueName, DWORD, DWORD type, const BYTE* data, DWORD dataSize)
{
    if (!data && dataSize)
        return ERROR_INVALID_PARAMETER;
    std::lock_guard lock(registry().mutex);
    Target t = targetLocked(key, nullptr);
    if (t.error)
        return t.error;
    if (!(t.access & KEY_SET_VALUE))
        return ERROR_ACCESS_DENIED;
    if (type == REG_DWORD && dataSize != 4)
        return ERROR_INVALID_PARAMETER;
    Value v;
    v.name = valueName ? valueName : "";
    if (!validName(v.name))
        return ERROR_INVALID_PARAMETER;
    v.type = type;
    v.data.assign(reinterpret_cast<const char*>(data), dataSize);
    return changeLocked(t.hive, [&](Hive& h) {
        auto it = h.find(lower(t.path));
        if (it == h.end())
            return LONG(ERROR_KEY_DELETED);
        setValue(it->second, std::move(v));
        return LONG(0);
    });
}

LONG RegDeleteValueA(HKEY key, const char* valueName)
{
    std::lock_guard lock(registry().mutex);
    Target t = targetLocked(key, nullptr);
    if (t.error)
        return t.error;
    if (!(t.access & KEY_SET_VALUE))
        return ERROR_ACCESS_DENIED;
    std::string wanted = lower(valueName ? valueName : "");
    return changeLocked(t.hive, [&](Hive& h) {
        auto it = h.find(lower(t.path));
        if (it == h.end())
            return LONG(ERROR_KEY_DELETED);
        auto& values = it->second.values;
        for (auto v = values.begin(); v != values.end(); ++v) {
            if (lower(v->name) == wanted) {
                values.erase(v);
                return LONG(0);
            }
        }
        return LONG(ERROR_FILE_NOT_FOUND);
    });
}

LONG RegDeleteKeyA(HKEY key, const char* subKey)
{
    if (!subKey || !*subKey)
        return ERROR_INVALID_PARAMETER;  // a key is deleted from its parent
    std::lock_guard lock(registry().mutex);
    Target t = targetLocked(key, subKey);
    if (t.error)
        return t.error;
    std::string path = lower(t.path);
    return changeLocked(t.hive, [&](Hive& h) {
        auto it = h.find(path);
        if (it == h.end())
            return LONG(ERROR_FILE_NOT_FOUND);
        auto next = std::next(it);
        if (next != h.end() && next->first.size() > path.size() &&
            next->first.compare(0, path.size(), path) == 0 && next->first[path.size()] == '\\')
            return LONG(ERROR_ACCESS_DENIED);  // it still has subkeys
        h.erase(it);
        return LONG(0);
    });
}

LONG RegEnumKeyExA(HKEY key, DWORD index, char* name, DWORD* nameSize, DWORD*, char*, DWORD*, void*)
{
    if (!name || !nameSize)
        return ERROR_INVALID_PARAMETER;
    std::lock_guard lock(registry().mutex);
    Target t = targetLocked(key, nullptr);
    if (t.error)
        return t.error;
    std::string prefix = lower(t.path);
    if (!prefix.empty())
        prefix += '\\';
    DWORD n = 0;
    for (const auto& [lowerPath, data] : hiveLocked(t.hive)) {
        if (lowerPath.size() <= prefix.size() || lowerPath.compare(0, prefix.size(), prefix) != 0 ||
            lowerPath.find('\\', prefix.size()) != std::string::npos)
            continue;
        if (n++ != index)
            continue;
        std::string child = data.path.substr(prefix.size());
        if (*nameSize < child.size() + 1)
            return ERROR_MORE_DATA;
        std::memcpy(name, child.c_str(), child.size() + 1);
        *nameSize = static_cast<DWORD>(child.size());
        return ERROR_SUCCESS;
    }
    return ERROR_NO_MORE_ITEMS;
}

LONG RegCloseKey(HKEY key)
{
    if (key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE)
        return ERROR_SUCCESS;
    std::lock_guard lock(registry().mutex);
    if (!registry().open.erase(key))
        return ERROR_INVALID_HANDLE;
    delete key;
    return ERROR_SUCCESS;
}

void ReloadRegistry() { forgetHives(); }

}  // namespace plat
