#pragma once
// The checks that the data path of the settings points at readable title
// data: at start-up before the product exists, and again when a file of
// the data cannot be opened. Where the data is missing they ask the user
// for the data disc or for another drive or folder (the data-location
// dialog), which then becomes the data path. Each reports its own
// failures; 0 ends start-up.

#include <cstdint>

#include "foundation/JxCString.h"
#include "foundation/JxDataDiscLink.h"

// With the developer switch on: the data path lists, else the user picks a
// folder.
std::int16_t CheckStartupDataPaths();
// Otherwise: a network install's data path lists, or the data disc is found
// and carries the title's volume label.
std::int16_t CheckDataVersionsAlt();

// 1 when something lists in the path; waits for a disc in a CD-ROM drive.
std::int16_t CheckDataPath(const JxCString& path);
// Asks for the data disc and runs the data-location dialog in a drive mode;
// 1 when the user chose a drive.
std::int16_t PromptForDataDisc(int mode);
std::int16_t FindDataDisc();
// Repeats until the data path's drive carries the expected volume label,
// the user gives up (0) or no label is configured (0).
std::int16_t VerifyDataDiscVolume();
// Whether the data path's drive carries the expected label (8 characters).
std::int16_t IsDataDiscInDrive();
// The same, telling a drive without a disc whose disc the user, asked for
// it, did not bring.
JxDataDiscState GetDataDiscState();
// Once per run: offers a data path cut from the path of a file that failed
// before the current page's name, else the data-location dialog.
std::int16_t RelocateDataPath(const JxCString& failedPath);
// The same with the page name given.
std::int16_t RelocateDataPathFor(const JxCString& failedPath, const JxCString& pageName);
// The volume label of a drive; offers Retry while the drive cannot be read.
std::int16_t GetVolumeLabel(char letter, JxCString& label);
// The data-location dialog; 1 when it ended with a drive index (0 to 26).
std::int16_t RunLocateDialog(int mode);

// Drive modes of the data-location dialog and of CountDataDrives: 0 and 7
// any drive, 1 CD-ROM drives, 2 CD-ROM or labelled network drives, 3
// labelled network drives.
std::int32_t CountDataDrives(int mode, char& firstLetter);
bool IsCdRomDrive(char letter);
bool IsNetworkDrive(char letter);
bool IsNetworkDriveWithLabel(char letter);
unsigned GetDriveKind(char letter);

// Connects the file opener's data-disc roads to these checks.
void ConnectDataDiscChecks();

// Message ids.
constexpr unsigned kAskForDataDiscId = 1069;
constexpr unsigned kAskForDataNoPathId = 1086;
constexpr unsigned kNoDiscInDriveId = 1075;
constexpr unsigned kLookElsewhereId = 1081;
constexpr unsigned kNoDataDriveId = 1084;
constexpr unsigned kOfferDataPathId = 1113;
constexpr unsigned kNoVolumeLabelId = 1272;

// Test support: RelocateDataPath may ask again.
void ResetRelocation();
