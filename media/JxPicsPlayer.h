#pragma once
// The PICS animation player: an ".ani" file interleaves the frames of an
// 8-bit animation with the slice of sound that plays while each is shown.
//
// File (integers little-endian):
//   u16 version (1), u32 frame count F, u16 lead-in factors A and B,
//   u32 format length L, L bytes of WAVEFORMATEX, then A x B + F chunks.
// Chunk: u16 type (1), u32 sound bytes S, s16 left, top, right, bottom,
//   u32 decoded picture size, u32 coded picture size C, 6 reserved bytes,
//   S bytes of sound, C bytes of picture in the PICS run-length code.
// The first A x B chunks carry only sound (the lead-in, queued before the
// first frame); each of the F chunks after them carries one frame. A frame
// of width w is stored in rows of w rounded up to even and decoded into a
// top-down picture whose rows are w rounded up to a multiple of 4.
//
// Every size the file gives is checked, in 64 bits, against what the source
// still holds before anything is allocated for it; a file that claims more
// than it holds fails with status 5.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "foundation/JxCRect.h"
#include "graphics/JxCMemorySlate.h"
#include "media/JxCWaveQueue.h"
#include "media/JxPicsSource.h"
#include "platform/core/types.h"

// Result codes of the player functions.
enum JxPicsStatus : std::int16_t {
    kPicsOk = 0,
    kPicsFailed = 1,           // no player, or a general failure
    kPicsNotAnimation = 2,     // the name does not end in ".ani"
    kPicsCannotOpen = 3,       // no source, or its header cannot be read
    kPicsBadVersion = 4,       // the version is not 1
    kPicsReadFailed = 5,       // a read failed or a size does not fit the source
    kPicsNoMemory = 6,
    kPicsBadChunk = 12,        // a chunk type is not 1
    kPicsFormatRefused = 13,   // the device cannot play the sound format
    kPicsWrongState = 14,      // the player is not in the state the call needs
};

enum JxPicsState : std::int16_t { kPicsOpen = 1, kPicsPlaying = 2, kPicsPaused = 3, kPicsFinished = 4 };

struct JxPicsChunkHeader {
    static constexpr std::uint32_t kSize = 28;

    std::uint16_t type = 0;
    std::uint32_t soundSize = 0;
    std::int16_t left = 0, top = 0, right = 0, bottom = 0;
    std::uint32_t decodedSize = 0;
    std::uint32_t codedSize = 0;
};

// Draws what lies under a transparent frame into the frame's slate, whose
// logical area is the frame's place on the target.
using JxPicsBackground = std::function<void(JxCSlate& frame)>;

// The frame read last: decoded onto a slate of its own, or, for the first
// frame, still coded until it is drawn.
struct JxPicsPicture {
    plat::HPALETTE palette = nullptr;
    int depth = 0;
    std::unique_ptr<JxCMemorySlate> slate;
    std::vector<std::uint8_t> code;
    JxPicsChunkHeader header;
    std::int16_t hasPicture = 0;
    // The frame's place on the target: left + x, top + y, width, height.
    std::int32_t x = 0, y = 0, width = 0, height = 0;
};

// One open animation.
struct JxPicsPlayer {
    JxPicsPlayer() = default;
    JxPicsPlayer(const JxPicsPlayer&) = delete;
    JxPicsPlayer& operator=(const JxPicsPlayer&) = delete;
    // Closes the sound first, so no completion outlives the record.
    ~JxPicsPlayer();

    std::uint32_t frameCount = 0;
    std::uint32_t framesRead = 0;   // frame chunks read, the first included
    std::uint32_t framesShown = 0;
    std::unique_ptr<JxCWaveQueue> sound;
    JxPicsPicture picture;
    std::unique_ptr<JxPicsSource> source;
    int depth = 0;
    std::uint16_t leadInFactor = 0;
    std::vector<std::uint8_t> format;
    plat::HWND window = nullptr;
    plat::HPALETTE palette = nullptr;
    std::int16_t preloaded = 0;
    std::int16_t state = 0;
    JxPicsBackground background;
    std::int16_t transparent = 0;
    std::int16_t firstPending = 0;
};

// Where OpenPICS reads the animation of that name from; nothing for a name
// that is neither a resource nor ends in ".ani".
std::optional<JxPicsSource::Kind> PicsSourceKind(std::string_view name, bool byResource);

// Opens the animation: with byResource the "WINPICS" resource of that name,
// else a name ending in ".ani", read from the data store when the setting
// "Munge" is on and as a loose file otherwise. With preload the first frame
// is read at once, for the place (x, y). Null with the status on failure.
std::unique_ptr<JxPicsPlayer> OpenPICS(const char* name, plat::HWND window, plat::HPALETTE palette,
                                       std::int16_t* status, std::int16_t preload, std::int16_t byResource,
                                       std::int16_t x, std::int16_t y);
// The same on a source already open.
std::unique_ptr<JxPicsPlayer> OpenPICSSource(std::unique_ptr<JxPicsSource> source, plat::HWND window,
                                             plat::HPALETTE palette, std::int16_t* status, std::int16_t preload,
                                             std::int16_t x, std::int16_t y);

// Reads the next chunk: queues its sound and takes its picture, for the
// place (x, y) on the target slate. The first frame stays coded until it is
// drawn; a later one is decoded at once (over the background when the
// player is transparent). A chunk without a picture draws nothing and still
// counts as read. 0 or a status.
std::int16_t ReadFrame(JxPicsPlayer* player, JxCSlate* slate, std::int16_t first, std::int16_t x, std::int16_t y);

// Draws the frame read last onto the slate, clipped to it, and counts it as
// shown. 0, 1 without a player, 6 when no slate can be made for it.
std::int16_t DrawPICSFrame(JxPicsPlayer* player, JxCSlate* slate);

// Starts the animation: draws the first frame (read now unless it was
// preloaded) at (x, y) on the slate, opens the sound on the player's window,
// which submits the sound queued so far, and reads the next chunk. The
// background (ignored with noBackground) lies under transparent frames.
// 0, or 1 (no player, no frame, or no sound device).
std::int16_t PlayPICS(JxPicsPlayer* player, JxCSlate* slate, JxPicsBackground background, std::int16_t transparent,
                      std::int16_t noBackground, std::int16_t x, std::int16_t y);
// One step while playing, for each sound completion (or tick of the frame
// timer when no sound is in flight): the next frame is drawn, the queued
// sound submitted and one chunk read ahead; once every chunk is read, every
// frame shown and the sound has played, the animation is finished (state
// 4). 0, or the code of a failing read or queue, after which the sound is
// stopped and the animation finished. Outside state 2 nothing happens.
std::int16_t PICS_Play(JxPicsPlayer* player, JxCSlate* slate, std::int16_t x, std::int16_t y);
// Stops the sound: paused (3) while frames remain to be shown, else
// finished (4). 14 when not playing.
std::int16_t StopPICS(JxPicsPlayer* player);
// Opens the sound again and goes on from the sound not yet submitted: 14
// when not paused, 1 when the device fails.
std::int16_t ResumePICS(JxPicsPlayer* player);
// Playing, with frames left to show and no sound in flight: the steps must
// come from a timer.
bool PICSNeedsFrameTimer(const JxPicsPlayer* player);

// Closes the sound and frees everything the player holds.
void ClosePICS(std::unique_ptr<JxPicsPlayer>& player);

std::uint32_t GetPICSFrame(const JxPicsPlayer* player);
std::uint32_t GetPICSFrameCount(const JxPicsPlayer* player);
std::int16_t GetPICSState(const JxPicsPlayer* player);
