#pragma once
// The roads the file opener takes when a file of the data cannot be found or
// its disc cannot be read: the data-disc checks and the data-location
// dialog. They belong to the product's data checks, which connect them
// here; until then each answers as if the user found nothing ("no", false,
// 0). (The locate-missing-file prompt lives beside the opener and is called
// directly.)

#include <functional>
#include <optional>

#include "foundation/JxCString.h"

// Where the data disc is, as the data checks find it when a file of the
// data is missing.
enum class JxDataDiscState {
    InDrive,     // in its drive (or no label says which disc it is)
    NotInDrive,  // another disc, or none, in the drive
    Declined,    // no disc in the drive, and the user, asked for it, chose to go on without it
};

struct JxDataDiscLink {
    // Offers another data path cut from the path of a file that failed.
    std::function<bool(const JxCString& failedPath)> relocateDataPath;
    // Whether the data disc is in its drive; asks for it when the drive
    // holds none.
    std::function<JxDataDiscState()> dataDiscState;
    // The start-up data-disc check, run again: the user brings the disc or
    // chooses the data folder.
    std::function<bool()> checkDataDiscAgain;
    // Reads the volume label of a drive, waiting for a disc.
    std::function<bool(char driveLetter, JxCString& label)> getVolumeLabel;
    // The data-location dialog in a drive mode; true when the user chose.
    std::function<bool(int mode)> runLocateDialog;
};

// Connects the roads (none: disconnects); returns the previous ones.
std::optional<JxDataDiscLink> SetDataDiscLink(std::optional<JxDataDiscLink> link);

bool RelocateDataPathRoad(const JxCString& failedPath);
// In its drive without a connected check (nothing says the disc is missing).
JxDataDiscState DataDiscStateRoad();
bool CheckDataDiscAgainRoad();
bool GetVolumeLabelRoad(char driveLetter, JxCString& label);
bool RunLocateDialogRoad(int mode);
