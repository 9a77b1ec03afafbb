#include "setup/InstallJournal.h"

#include <algorithm>

#include "platform/config/profile.h"
#include "platform/config/registry.h"

namespace {

bool keyExists(const std::string& subKey)
{
    plat::HKEY key = nullptr;
    if (plat::RegOpenKeyExA(plat::HKEY_LOCAL_MACHINE, subKey.c_str(), 0, plat::KEY_READ, &key) != 0)
        return false;
    plat::RegCloseKey(key);
    return true;
}

// The value's type and bytes, or nothing when it is missing.
std::optional<std::string> readValue(const std::string& subKey, const std::string& name, plat::DWORD* type)
{
    plat::HKEY key = nullptr;
    if (plat::RegOpenKeyExA(plat::HKEY_LOCAL_MACHINE, subKey.c_str(), 0, plat::KEY_READ, &key) != 0)
        return std::nullopt;
    plat::DWORD size = 0;
    std::optional<std::string> value;
    if (plat::RegQueryValueExA(key, name.c_str(), nullptr, type, nullptr, &size) == 0) {
        std::string bytes(size, '\0');
        if (plat::RegQueryValueExA(key, name.c_str(), nullptr, type, reinterpret_cast<plat::BYTE*>(bytes.data()),
                                   &size) == 0)
            value = bytes.substr(0, size);
    }
    plat::RegCloseKey(key);
    return value;
}

bool restoreValue(const std::string& subKey, const std::string& name, const std::optional<std::string>& before,
                  plat::DWORD type)
{
    // A value that still stands as it was (its write failed) needs nothing.
    plat::DWORD typeNow = 0;
    if (readValue(subKey, name, &typeNow) == before && (!before || typeNow == type))
        return true;
    plat::HKEY key = nullptr;
    if (plat::RegOpenKeyExA(plat::HKEY_LOCAL_MACHINE, subKey.c_str(), 0, plat::KEY_SET_VALUE, &key) != 0)
        return !before;  // a value the run added went with its key
    plat::LONG r = before ? plat::RegSetValueExA(key, name.c_str(), 0, type,
                                                 reinterpret_cast<const plat::BYTE*>(before->data()),
                                                 plat::DWORD(before->size()))
                          : plat::RegDeleteValueA(key, name.c_str());
    plat::RegCloseKey(key);
    return r == 0 || (!before && r == 2);
}

// An INI entry's whole value, or nothing when it is missing.
std::optional<std::string> iniValue(const std::string& file, const std::string& section, const std::string& key)
{
    return plat::ReadPrivateProfile(file.c_str()).Find(section, key);
}

}  // namespace

void InstallJournal::FolderMade(const std::string& path)
{
    steps_.push_back({Kind::Folder, path, {}, {}, {}, 0, MadeEntry::Find(path)});
}

void InstallJournal::FileWritten(const std::string& path, bool existedBefore)
{
    if (existedBefore)
        steps_.push_back({Kind::ReplacedFile, path, {}, {}, {}, 0, {}});
    else
        steps_.push_back({Kind::File, path, {}, {}, {}, 0, MadeEntry::Find(path)});
}

void InstallJournal::BeforeRegistryKey(const std::string& subKey)
{
    for (std::size_t at = subKey.find('\\');; at = subKey.find('\\', at + 1)) {
        std::string level = subKey.substr(0, at);
        if (!keyExists(level))
            steps_.push_back({Kind::Key, level, {}, {}, {}, 0, {}});
        if (at == std::string::npos)
            return;
    }
}

void InstallJournal::BeforeRegistryValue(const std::string& subKey, const std::string& name)
{
    Step step{Kind::Value, subKey, name, {}, {}, 0, {}};
    step.before = readValue(subKey, name, &step.type);
    steps_.push_back(step);
}

void InstallJournal::BeforeIniValue(const std::string& file, const std::string& section, const std::string& key)
{
    steps_.push_back({Kind::Ini, file, section, key, iniValue(file, section, key), 0, {}});
}

bool InstallJournal::takeBack(const Step& step) const
{
    switch (step.kind) {
    // Only what the run made, never through a link.
    case Kind::Folder:
    case Kind::File: return step.made && step.made->Remove();
    case Kind::ReplacedFile: return false;
    // A key the run could not create is not there to delete.
    case Kind::Key:
        return !keyExists(step.where) || plat::RegDeleteKeyA(plat::HKEY_LOCAL_MACHINE, step.where.c_str()) == 0;
    case Kind::Value: return restoreValue(step.where, step.name, step.before, step.type);
    case Kind::Ini:
        return iniValue(step.where, step.name, step.key) == step.before ||
               plat::WritePrivateProfileStringA(step.name.c_str(), step.key.c_str(),
                                                step.before ? step.before->c_str() : nullptr,
                                                step.where.c_str()) != 0;
    }
    return false;
}

std::vector<std::string> InstallJournal::TakeBack()
{
    std::vector<std::string> left;
    for (auto it = steps_.rbegin(); it != steps_.rend(); ++it) {
        if (takeBack(*it))
            continue;
        std::string named = it->where;
        if (it->kind == Kind::Value)
            named = "HKEY_LOCAL_MACHINE\\" + it->where + " " + it->name;
        else if (it->kind == Kind::Key)
            named = "HKEY_LOCAL_MACHINE\\" + it->where;
        else if (it->kind == Kind::Ini)
            named = it->where + " [" + it->name + "] " + it->key;
        if (std::find(left.begin(), left.end(), named) == left.end())
            left.push_back(named);
    }
    steps_.clear();
    return left;
}

InstallJournal& Journal()
{
    static InstallJournal journal;
    return journal;
}
