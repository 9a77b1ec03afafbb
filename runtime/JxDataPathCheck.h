#pragma once
// The start-up checks of the title's data: the data, page and scrunge paths
// against the version files. Each reports its own failures; 0 ends
// start-up.

#include <cstdint>

// With the developer switch on: only that the data path lists.
std::int16_t CheckStartupDataPaths();
// Otherwise: the data found on a CD-ROM or network drive (or the listing
// data path of a network install).
std::int16_t CheckDataVersionsAlt();
