#pragma once
// Panel transitions: the panel draws its new picture into its own slate and
// the runner brings it into the page's slate step by step, as a timed wipe
// in one of four directions or as a boxy dissolve driven by a maximal-length
// shift register, and always ends with one plain copy of the whole panel
// rectangle. Between passes only wave-output completions (957) are served,
// so sound keeps playing while every other message waits.

#include <cstdint>
#include <span>
#include <string_view>

#include "foundation/JxCRect.h"

class JxCMemorySlate;
class JxCSlate;

// The transition types a panel keeps.
enum JxTransitionType : std::int32_t {
    kTransitionNone = 0,
    kTransitionWipeUp = 6,
    kTransitionWipeDown = 7,
    kTransitionWipeLeft = 8,
    kTransitionWipeRight = 9,
    kTransitionBoxyDissolve = 10,
    kTransitionAnimation = 17,
    kTransitionNavSound = 18,
};

// The panel's part of a run: its in-transition word (1 while the effect
// runs) and, while a dissolve runs, the slate of the picture being built.
struct JxCTransitionState {
    std::int16_t inTransition = 0;
    JxCMemorySlate* slate = nullptr;
};

// The position of a keyword in the transition keyword table ("@" before a
// table entry is not compared); -1 when it is not there.
std::int32_t FindTransitionKeyword(std::string_view keyword);
// The type at a table position; 0 for a negative or unknown position.
std::int32_t GetTransitionTypeAt(std::int32_t position);
// The type of a keyword; 0 for one that is not in the table.
std::int32_t GetTransitionType(std::string_view keyword);

// The number of significant bits of a non-zero value.
std::uint32_t BitLength(std::uint32_t value);
// The feedback mask of a maximal-length register of width n (0 to 32);
// 0 when there is none.
std::uint32_t GetDissolveTapMask(std::uint32_t width);
// Advances the register from `value`, copying the byte at each visited
// offset 1 <= v < limit from source to destination, until `count` bytes
// were copied or the register is back at 1 (count 0: the whole sequence).
// Offsets at or past either buffer's end are never touched, and a mask that
// is not maximal-length ends after 2^bits steps.
std::uint32_t DissolveStep(std::span<const std::uint8_t> source, std::span<std::uint8_t> destination,
                           std::uint32_t limit, std::uint32_t value, std::uint32_t mask, std::uint32_t count,
                           std::uint16_t rowLength);
// The step in pixels of a wipe of a width by height panel: duration 0 aims
// at 750 ms in all from the speed statistic; vertical selects the height.
std::int32_t GetTransitionStepForImage(std::int32_t width, std::int32_t height, std::int32_t duration,
                                       std::uint32_t statistic, std::int16_t vertical);

// The process-wide wipe speed statistic: milliseconds per pass per pixel,
// scaled by 2^20; 256 at start.
std::uint32_t GetWipeSpeedStatistic();
void SetWipeSpeedStatistic(std::uint32_t statistic);

// Every wipe is paced to about this long in at most this many passes, and
// every dissolve pass lasts at least the dissolve pass time, so that the
// effects stay visible on machines the statistic calls fast.
constexpr std::uint32_t kWipeMilliseconds = 750;
constexpr std::int32_t kMaxWipePasses = 10;
constexpr std::uint32_t kDissolvePassMilliseconds = 60;

// Brings the source slate's picture of the panel rectangle into the
// destination slate with the effect of the type; duration 0 paces by the
// statistic, a negative one counts as 1.
void RunPanelTransition(JxCTransitionState& panel, JxCSlate* destination, const JxCRect& rect, JxCSlate* source,
                        std::int32_t type, std::int32_t duration);
// The boxy dissolve of the panel rectangle.
void RunTransitionWithMessagePump(JxCTransitionState& panel, JxCSlate* destination, JxCSlate* source,
                                  const JxCRect& rect);
