#include "testkit/fake_medium.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace testkit {

namespace fs = std::filesystem;

FakeMedium::FakeMedium(std::string hostRoot) : root_(std::move(hostRoot)) {}

FakeMedium& FakeMedium::installerFolder(std::string name)
{
    installer_ = std::move(name);
    return *this;
}

FakeMedium& FakeMedium::set(const std::string& section, const std::string& key, const std::string& value)
{
    if (key == "max")
        maxGiven_[section] = true;
    setKey(section, key, value);
    return *this;
}

void FakeMedium::setKey(const std::string& section, const std::string& key, const std::string& value)
{
    for (auto& [name, keys] : sections_) {
        if (name != section)
            continue;
        for (auto& [k, v] : keys)
            if (k == key) {
                v = value;
                return;
            }
        keys.emplace_back(key, value);
        return;
    }
    sections_.push_back({section, {{key, value}}});
}

void FakeMedium::list(const std::string& section, const std::string& name)
{
    int n = ++counts_[section];
    setKey(section, "file" + std::to_string(n), name);
    if (!maxGiven_[section])
        setKey(section, "max", std::to_string(n));
}

FakeMedium& FakeMedium::exe(const std::string& name, const std::string& bytes)
{
    list("EXES", name);
    return file(installer_.empty() ? name : installer_ + "/" + name, bytes);
}

FakeMedium& FakeMedium::dll(const std::string& name, const std::string& bytes)
{
    list("DLLS", name);
    return file(installer_.empty() ? name : installer_ + "/" + name, bytes);
}

FakeMedium& FakeMedium::listOnly(const std::string& section, const std::string& name)
{
    list(section, name);
    return *this;
}

FakeMedium& FakeMedium::file(const std::string& path, const std::string& bytes)
{
    files_[path] = bytes;
    return *this;
}

std::string FakeMedium::installerHost() const { return installer_.empty() ? root_ : root_ + "/" + installer_; }

std::string FakeMedium::installerFileHost(const std::string& name) const { return installerHost() + "/" + name; }

std::string FakeMedium::script() const
{
    std::string text;
    for (const auto& [section, keys] : sections_) {
        text += "[" + section + "]\r\n";
        for (const auto& [k, v] : keys)
            text += k + "=" + v + "\r\n";
    }
    return text;
}

void FakeMedium::write() const
{
    fs::create_directories(installerHost());
    auto put = [](const std::string& path, const std::string& bytes) {
        fs::create_directories(fs::path(path).parent_path());
        fs::remove(path);  // a read-only file of an earlier write
        if (!(std::ofstream(path, std::ios::binary) << bytes))
            throw std::runtime_error("cannot write " + path);
        fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
    };
    for (const auto& [path, bytes] : files_)
        put(root_ + "/" + path, bytes);
    put(installerFileHost("setup.inf"), script());
}

std::string FakeMedium::driveSection(char letter, const std::string& label) const
{
    return std::string("[Drive ") + letter + "]\nPath=" + root_ + "\nType=cdrom\nLabel=" + label + "\n";
}

}  // namespace testkit
