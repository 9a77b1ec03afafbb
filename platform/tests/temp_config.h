#pragma once
// A temporary configuration folder and program location for one test: the
// platform's state (drive table, Windows folder, registry, resource
// libraries) lives there and never in the user's own folder.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include <unistd.h>

#include "platform/fs/drives.h"
#include "platform/fs/folders.h"

namespace plat::testing {

class TempConfig {
public:
    TempConfig()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "kelbo-test-XXXXXX").string();
        // Without a folder of its own nothing may be written: the folders
        // below would land in the file system's root.
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("no temporary folder could be made like " + pattern);
        root_ = pattern;
        std::filesystem::create_directories(root_ + "/config");
        std::filesystem::create_directories(root_ + "/program");
        SetConfigFolder(root_ + "/config");
        SetProgramFileHost(root_ + "/program/kelbo32");
    }
    ~TempConfig()
    {
        SetConfigFolder("");
        SetProgramFileHost("");
        std::error_code ec;
        std::filesystem::permissions(root_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(root_, ec);
    }
    TempConfig(const TempConfig&) = delete;
    TempConfig& operator=(const TempConfig&) = delete;

    const std::string& root() const { return root_; }
    std::string config() const { return root_ + "/config"; }
    std::string program() const { return root_ + "/program"; }

    // Writes platform.ini and makes the drive table read it.
    void writeDriveTable(const std::string& text) const
    {
        writeFile(config() + "/platform.ini", text);
        ReloadDriveTable();
    }

    static void writeFile(const std::string& path, const std::string& text)
    {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
    static std::string readFile(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    std::string root_;
};

// A file of this name in the system's temporary folder, of this process
// alone: two copies of a suite that run at once never share it.
inline std::string ProcessTempFile(const std::string& name)
{
    return (std::filesystem::temp_directory_path() / ("kelbo-" + std::to_string(::getpid()) + "-" + name)).string();
}

}  // namespace plat::testing
