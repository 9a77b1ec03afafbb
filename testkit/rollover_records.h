#pragma once
// Writers of the records of the play-sound action and of the widgets that
// react to the mouse passing over them:
//
//   testkit::PlaySound chime{"chime"};
//   chime.waiting = 1;                                        // the list waits for the end
//   hotspot.on("on_click", {chime.Action(), OpenPageAction(3)});
//   panel.add(testkit::RollOverHotspotRecord(file, 0, "glow", 0, -40).rect(10, 50, 60, 70), file);
//   panel.add(testkit::MiconRecord(file, 5, {{"spin1"}, {"spin2"}, {"spin3"}}).rect(0, 0, 32, 32), file);
//   panel.add(testkit::RollOverButtonRecord(file, {"up", "down", ""}, "lit").rect(0, 0, 40, 20), file);

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "testkit/display_objects.h"
#include "testkit/event_records.h"

namespace testkit {

// "PLAYWAVE": counted sound name; s16 first and second values, open
// parameter (-1: bind when run) and third value (-1 or -2: the sound starts
// again instead of stopping); u16 suppressible; u16 waiting word.
struct PlaySound {
    std::string name;
    std::int16_t first = 0;
    std::int16_t second = 0;
    std::int16_t openParam = 1;
    std::int16_t third = 0;
    std::uint16_t suppressible = 0;
    std::uint16_t waiting = 0;

    ActionRecord Action() const;
};

// A "RollHotSpot" record: the hotspot's (highlight mode, kept value 0),
// then the rollover picture's name (empty: none) and the offset it is
// drawn at from the hotspot's top-left.
DisplayObjectRecord RollOverHotspotRecord(ProductData& file, std::int16_t highlight, const std::string& picture,
                                          std::int16_t dx, std::int16_t dy);

// One frame of a micon: its picture and where in it the micon's rectangle
// is taken from.
struct MiconFrame {
    std::string picture;
    std::int16_t x = 0, y = 0;
};
// A "Micon" record: the hotspot's (highlight mode, kept value 0), the
// interval in tenths of a second, the frame count (`claimedCount` written
// instead when given) and the frames.
DisplayObjectRecord MiconRecord(ProductData& file, std::int16_t interval, const std::vector<MiconFrame>& frames,
                                std::int16_t highlight = 0, std::optional<std::int16_t> claimedCount = {});

// A "RollOverButton" record: the button's, then the rollover picture's
// name (empty: none).
DisplayObjectRecord RollOverButtonRecord(ProductData& file, const ButtonPictures& pictures,
                                         const std::string& rollOver);

}  // namespace testkit
