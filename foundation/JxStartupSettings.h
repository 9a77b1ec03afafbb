#pragma once
// The start-up settings: every key of section "Directory" of the title's
// INI file, read once at the beginning of start-up into process-wide values
// that the rest of the program reads through the accessors below.
//
// The INI file is named by string 1 ("kelbo32.ini"). It is looked for in
// the folder that the shared "mmapp.ini" names for the title, then in the
// program folder, and last as a bare name in the Windows folder. WIN.INI
// names "mmapp.ini" in section "mmapp" (string 3013), key "Path"; there the
// section named by the title (string 4) gives the install folder under the
// key "Path", and section "InstalledApp", key "Developer", makes a copy of
// the INI file beside the program win.

#include <cstdint>

#include "foundation/JxCString.h"

struct JxStartupSettings {
    std::int16_t developer = 0;
    std::int16_t network = 0;
    std::int16_t testSwitch = 0;
    std::int16_t blackWindow = 1;
    std::int16_t useOldCD = 1;
    JxCString country;
    std::int16_t logErrors = 0;
    JxCString logFile = "error.log";
    JxCString data;
    JxCString mungeStore = "DATA.MNG";
    JxCString mungeCommon = "COMMON";
    JxCString pages;
    JxCString spfPath;
    JxCString user;
    std::int16_t canScrunge = 0;
    std::int16_t checkRefs = 0;
    std::int16_t coverage = 0;
    std::int16_t canEdit = 0;
    std::int16_t scrungeDebugOutput = 0;
    std::int16_t munge = 0;
    std::int16_t mungedSprites = 0;
    std::int16_t canMunge = 0;
    JxCString mungeListPath;
    JxCString mungeListFile;
    JxCString mungeOutputPath;
    JxCString mungeFileSpec;
    std::int16_t displayHotspot = 0;
    std::int16_t canShed = 0;
    std::int16_t forceScreenPaint = 0;
    std::int32_t minimumKRam = 2500;
    std::int32_t top = -1;
    std::int32_t left = -1;
    std::int16_t displayPageName = 0;
    JxCString volumeLabel;
};

// Reads the whole key table; the constructor does the work.
class JxSettingsReader {
public:
    JxSettingsReader();
};
void ReadSettings();

// The values read (the defaults before ReadSettings).
const JxStartupSettings& GetStartupSettings();
// Set during ReadSettings, after the path keys.
bool AreSettingsRead();

// Accessors the other parts call.
bool IsTestingEnabled();        // "Developer"
bool IsNetworkInstall();        // "Network"
bool IsLoggingErrors();         // "LogErrors"
const JxCString& GetLogFilePath();  // "LogFile"
const JxCString& GetDataPathString(); // "Data", no trailing backslash
const JxCString& GetPagePath();     // "Pages"
const JxCString& GetUserPath();     // "User", one trailing backslash
const JxCString& GetMungeStoreName();
const JxCString& GetMungeListPath();
const JxCString& GetCountrySetting();
const JxCString& GetVolumeLabelSetting();
bool IsUsingMungeStore();       // "Munge"
bool UsesMungedSprites();       // "MungedSprites"
bool IsUsingOldCD();            // "UseOldCD"
bool IsTestSwitchOn();          // "TestSwitch"
bool IsCoverageOn();            // "Coverage"
bool IsForceScreenPaint();      // "Force Screen Paint"
std::int32_t GetMinimumKRamSetting();

// The INI file's path.
void GetProductIniPath(JxCString& path);
// The look-up itself, with the function that finds the shared file.
void FindProductIniPath(bool (*sharedFile)(JxCString& path), JxCString& path);
// The path of the shared "mmapp.ini" (WIN.INI section "mmapp", key
// "Path"); false when string 3013 is missing or the value is empty.
bool GetProfilePath(JxCString& path);

// An integer key of section "Directory", by name or by the text of a
// string id.
std::int32_t GetSettingInt(const char* key, std::int32_t defaultValue);
std::int32_t GetSettingIntById(unsigned id, std::int32_t defaultValue);

// The data path after a relocation: stored, written to the INI file and
// handed to the product definition.
void WriteProductIniPaths(const char* path);

void StripTrailingBackslash(JxCString& path);
void AddTrailingBackslash(JxCString& path);

// String ids of the names the settings use.
constexpr unsigned kIniFileNameId = 1;
constexpr unsigned kTitleTextId = 4;
constexpr unsigned kMinimumKRamTextId = 5;
constexpr unsigned kDirectorySectionId = 1027;
constexpr unsigned kMmappSectionId = 3013;

// Test support: back to the defaults, as before ReadSettings.
void ResetStartupSettings();
