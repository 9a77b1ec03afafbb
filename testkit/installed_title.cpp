#include "testkit/installed_title.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <vector>

#include "platform/movie/ffmpeg_module.h"

namespace testkit {

namespace {

std::string lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

bool endsWith(const std::string& s, const std::string& tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

bool IsInstalledFile(const std::string& name, const std::string& dataFileName)
{
    const std::string n = lower(name);
    return n == "kelbo32" || endsWith(n, ".resources") || n == plat::kFfmpegModuleFile || n == "kelbo32.ini" ||
           n == lower(dataFileName) || n == "worddata.dat" || (n.rfind("jx", 0) == 0 && endsWith(n, ".gv3"));
}

void MoveDataToDisc(const std::string& programFolder, const std::string& discFolder, const std::string& dataFileName)
{
    namespace fs = std::filesystem;
    fs::create_directories(discFolder);
    std::vector<fs::path> moving;
    for (const fs::directory_entry& e : fs::directory_iterator(programFolder))
        if (!IsInstalledFile(e.path().filename().string(), dataFileName))
            moving.push_back(e.path());
    for (const fs::path& from : moving) {
        const fs::path to = fs::path(discFolder) / from.filename();
        fs::remove_all(to);
        fs::rename(from, to);
    }
}

std::string InstalledIni(const InstalledSettings& s)
{
    std::string ini = "[Directory]\r\nData=" + s.dataPath + "\r\n";
    if (!s.volumeLabel.empty())
        ini += "VolumeLabel=" + s.volumeLabel + "\r\n";
    ini += "Network=" + std::string(s.network ? "1" : "0") + "\r\n";
    return ini + s.extra;
}

std::string DriveSection(char letter, const std::string& host, const std::string& type, const std::string& label)
{
    std::string section = std::string("[Drive ") + letter + "]\nPath=" + host + "\nType=" + type + "\n";
    if (!label.empty())
        section += "Label=" + label + "\n";
    return section;
}

}  // namespace testkit
