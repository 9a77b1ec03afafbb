#include "foundation/JxStartupSettings.h"

#include <optional>
#include <string>

#include "foundation/JxFileUtils.h"
#include "foundation/JxProductLink.h"
#include "foundation/JxResourceLibraries.h"
#include "foundation/JxStringLoader.h"
#include "platform/config/profile.h"
#include "platform/fs/files.h"

namespace {

JxStartupSettings& settings()
{
    static JxStartupSettings s;
    return s;
}

bool& settingsRead()
{
    static bool read = false;
    return read;
}

// The shared file names the install folder under this key of the title's
// section.
constexpr const char* kInstallFolderKey = "Path";
constexpr std::size_t kValueBufferSize = 512;

std::optional<std::string> loadText(unsigned id)
{
    std::string text;
    if (!LoadStringText(id, text))
        return std::nullopt;
    return text;
}

// A key or section name that the string tables may give; the name itself
// when they do not.
std::string nameOf(unsigned id, const char* fallback)
{
    return loadText(id).value_or(fallback);
}

std::string section()
{
    return nameOf(kDirectorySectionId, "Directory");
}

class IniReader {
public:
    // The file is read once for all the values asked of it.
    explicit IniReader(std::string file)
        : file_(std::move(file)), section_(section()),
          ini_(file_.empty() ? plat::IniDocument() : plat::ReadPrivateProfile(file_.c_str()))
    {
    }

    std::int32_t integer(const std::string& key, std::int32_t def) const
    {
        if (file_.empty())
            return def;
        return static_cast<std::int32_t>(plat::GetProfileIntOf(ini_, section_.c_str(), key.c_str(), def));
    }
    std::int16_t flag(const std::string& key, std::int16_t def) const
    {
        return static_cast<std::int16_t>(integer(key, def));
    }
    JxCString text(const std::string& key, const char* def) const
    {
        if (file_.empty())
            return JxCString(def);
        char buffer[kValueBufferSize];
        plat::GetProfileStringOf(ini_, section_.c_str(), key.c_str(), def, buffer, sizeof buffer);
        return JxCString(buffer);
    }

private:
    std::string file_;
    std::string section_;
    plat::IniDocument ini_;
};

std::string textOf(const JxCString& s)
{
    return std::string(s.View());
}

// "X:" of a path, or empty.
std::string driveOf(const std::string& path)
{
    return path.size() >= 2 && path[1] == ':' ? path.substr(0, 2) : std::string();
}

// A data path without a drive gets the program folder's drive, unless it
// names a network share.
JxCString composeDataPath(const JxCString& value)
{
    std::string v = textOf(value);
    if (v.rfind("\\\\", 0) != 0 && driveOf(v).empty())
        v = driveOf(textOf(GetProgramFolderString())) + v;
    JxCString result(v.c_str());
    StripTrailingBackslash(result);
    return result;
}

JxCString stripped(JxCString s)
{
    StripTrailingBackslash(s);
    return s;
}

std::int32_t minimumKRamDefault()
{
    if (auto text = loadText(kMinimumKRamTextId))
        return JxCString(text->c_str()).ToInt();
    return 2500;
}

// Creates the log file empty, so that each run starts a fresh log.
void emptyLogFile(const JxCString& path)
{
    std::uint32_t error = 0;
    plat::HFILE file = OpenFileWithRetry(path.GetText(), plat::OF_CREATE | plat::OF_WRITE, &error);
    if (file != plat::HFILE_ERROR)
        CloseFile(file);
}

bool fileExists(const std::string& path)
{
    return FileExists(path.c_str());
}

}  // namespace

void StripTrailingBackslash(JxCString& path)
{
    std::string p = textOf(path);
    if (!p.empty() && p.back() == '\\') {
        p.pop_back();
        path = p.c_str();
    }
}

void AddTrailingBackslash(JxCString& path)
{
    std::string p = textOf(path);
    if (!p.empty() && p.back() != '\\' && p.back() != ':') {
        p += '\\';
        path = p.c_str();
    }
}

bool GetProfilePath(JxCString& path)
{
    auto mmapp = loadText(kMmappSectionId);
    if (!mmapp)
        return false;
    char buffer[kValueBufferSize];
    plat::GetProfileStringA(mmapp->c_str(), "Path", "", buffer, sizeof buffer);
    path = buffer;
    return buffer[0] != '\0';
}

void GetProductIniPath(JxCString& path)
{
    FindProductIniPath(&GetProfilePath, path);
}

void FindProductIniPath(bool (*sharedFile)(JxCString&), JxCString& path)
{
    std::string iniName = loadText(kIniFileNameId).value_or("");
    std::string programFolder = textOf(GetProgramFolderString());
    std::string candidate;
    JxCString mmapp;
    if (sharedFile(mmapp)) {
        std::string shared = textOf(mmapp);
        bool developer = plat::GetPrivateProfileIntA("InstalledApp", "Developer", 0, shared.c_str()) != 0;
        if (developer && !iniName.empty() && fileExists(programFolder + iniName)) {
            path = (programFolder + iniName).c_str();
            return;
        }
        if (auto title = loadText(kTitleTextId)) {
            char buffer[kValueBufferSize];
            plat::GetPrivateProfileStringA(title->c_str(), kInstallFolderKey, "", buffer, sizeof buffer,
                                           shared.c_str());
            candidate = std::string(buffer) + "\\" + iniName;
        }
    }
    if (!iniName.empty() && !candidate.empty() && fileExists(candidate))
        path = candidate.c_str();
    else if (!iniName.empty() && fileExists(programFolder + iniName))
        path = (programFolder + iniName).c_str();
    else
        path = iniName.c_str();
}

JxSettingsReader::JxSettingsReader()
{
    JxCString iniPath;
    GetProductIniPath(iniPath);
    IniReader ini(textOf(iniPath));
    JxStartupSettings& s = settings();
    const std::string programFolder = textOf(GetProgramFolderString());

    s.developer = ini.flag("Developer", 0);
    s.network = ini.flag("Network", 0);
    s.testSwitch = ini.flag("TestSwitch", 0);
    s.blackWindow = ini.flag("BlackWindow", 1);
    s.useOldCD = ini.flag("UseOldCD", 1);
    s.country = ini.text("Country", "");
    s.logErrors = ini.flag("LogErrors", 0);
    if (s.logErrors) {
        s.logFile = ini.text("LogFile", "error.log");
        emptyLogFile(s.logFile);
    }
    s.data = composeDataPath(ini.text(nameOf(1029, "Data"), ""));
    s.mungeStore = stripped(ini.text("MungeStore", "DATA.MNG"));
    s.mungeCommon = stripped(ini.text("MungeCommon", "COMMON"));
    s.pages = stripped(ini.text(nameOf(1028, "Pages"), ""));
    s.spfPath = ini.text("SPFPath", (programFolder + "SPF").c_str());
    JxCString user = stripped(ini.text("User", programFolder.c_str()));
    user = (textOf(user) + "\\").c_str();
    s.user = user;
    settingsRead() = true;

    s.canScrunge = ini.flag(nameOf(1052, "CanScrunge"), 0);
    s.checkRefs = ini.flag("CheckRefs", 0);
    s.coverage = ini.flag("Coverage", 0);
    s.canEdit = ini.flag(nameOf(1139, "CanEdit"), 0);
    s.scrungeDebugOutput = ini.flag("ScrungeDebugOutput", 0) != 0 ? 1 : 0;
    s.munge = ini.flag(nameOf(1096, "Munge"), 0);
    s.mungedSprites = ini.flag(nameOf(1155, "MungedSprites"), 0);
    s.canMunge = ini.flag(nameOf(1095, "CanMunge"), 0);
    if (s.canMunge) {
        s.mungeListPath = ini.text("MungeListPath", "");
        s.mungeListFile = ini.text("MungeListFile", "");
        s.mungeOutputPath = stripped(ini.text("MungeOutputPath", s.data.GetText() ? s.data.GetText() : ""));
        s.mungeFileSpec = ini.text("MungeFileSpec", "*.*|");
    }
    s.displayHotspot = ini.flag("Display Hotspot", 0);
    s.canShed = ini.flag("CanShed", 0);
    s.forceScreenPaint = ini.flag("Force Screen Paint", 0);
    s.minimumKRam = ini.integer("MinimumkRAM", minimumKRamDefault());
    s.top = ini.integer("Top", -1);
    s.left = ini.integer("Left", -1);
    s.displayPageName = ini.flag("DisplayPageName", 0);
    s.volumeLabel = ini.text("VolumeLabel", "");
}

void ReadSettings()
{
    JxSettingsReader reader;
}

const JxStartupSettings& GetStartupSettings()
{
    return settings();
}

bool AreSettingsRead()
{
    return settingsRead();
}

void ResetStartupSettings()
{
    settings() = JxStartupSettings();
    settingsRead() = false;
}

bool IsTestingEnabled() { return settings().developer != 0; }
bool IsNetworkInstall() { return settings().network != 0; }
bool IsLoggingErrors() { return settings().logErrors != 0; }
const JxCString& GetLogFilePath() { return settings().logFile; }
const JxCString& GetDataPathString() { return settings().data; }
const JxCString& GetPagePath() { return settings().pages; }
const JxCString& GetUserPath() { return settings().user; }
const JxCString& GetMungeStoreName() { return settings().mungeStore; }
const JxCString& GetMungeListPath() { return settings().mungeListPath; }
const JxCString& GetCountrySetting() { return settings().country; }
const JxCString& GetVolumeLabelSetting() { return settings().volumeLabel; }
bool IsUsingMungeStore() { return settings().munge != 0; }
bool UsesMungedSprites() { return settings().mungedSprites != 0; }
bool IsUsingOldCD() { return settings().useOldCD != 0; }
bool IsTestSwitchOn() { return settings().testSwitch != 0; }
bool IsCoverageOn() { return settings().coverage != 0; }
bool IsForceScreenPaint() { return settings().forceScreenPaint != 0; }
std::int32_t GetMinimumKRamSetting() { return settings().minimumKRam; }

std::int32_t GetSettingInt(const char* key, std::int32_t defaultValue)
{
    JxCString iniPath;
    GetProductIniPath(iniPath);
    return IniReader(textOf(iniPath)).integer(key ? key : "", defaultValue);
}

std::int32_t GetSettingIntById(unsigned id, std::int32_t defaultValue)
{
    auto key = loadText(id);
    return key ? GetSettingInt(key->c_str(), defaultValue) : defaultValue;
}

void WriteProductIniPaths(const char* path)
{
    JxCString data(path);
    StripTrailingBackslash(data);
    settings().data = data;
    JxCString iniPath;
    GetProductIniPath(iniPath);
    if (!iniPath.IsEmpty())
        plat::WritePrivateProfileStringA(section().c_str(), nameOf(1029, "Data").c_str(),
                                         data.GetText() ? data.GetText() : "", iniPath.GetText());
    if (ProductExists())
        ProductSetDataPath(JxCString(data));
}
