#pragma once
// Writers of the stored records of the PICS actions and of the animation
// controller bar:
//
//   testkit::PlayPicsRecord play{"ANIM.ani"};
//   play.queued = true;                                  // "PLAYPICS"
//   HandlerListBytes({{"on_click", {play.Action(), OpenPageAction(3)}}});
//   panel.add(testkit::AnimControlRecord(file, {.animation = "ANIM.ani"}).at(10, 10), file);

#include <array>
#include <cstdint>
#include <string>

#include "testkit/display_objects.h"
#include "testkit/event_records.h"

namespace testkit {

// "PLAYNONQPICS" (queued: "PLAYPICS"): counted name, parameters 1 to 5,
// transparency flag, rewind on stop, x, y (s16 each).
struct PlayPicsRecord {
    std::string name;
    std::array<std::int16_t, 5> parameters{};
    std::int16_t transparent = 0;
    std::int16_t rewindOnStop = 1;
    std::int16_t x = 0, y = 0;
    bool queued = false;

    ActionRecord Action() const;
};

// "STOPPICS": the counted name.
ActionRecord StopPicsAction(const std::string& name);
// "SEEKPICS": the base action's record, which is empty.
ActionRecord SeekPicsAction();

// The resource controller's own fields: two 32-bit values, the cursor and
// animation names (string-table references), auto play, rewind at end and
// the play, rewind and meter places.
struct ControllerFields {
    std::int32_t value1 = 0, value2 = 0;
    std::string cursor;
    std::string animation;
    std::int16_t autoPlay = 0;
    std::int16_t rewindAtEnd = 0;
    std::array<std::int16_t, 6> places{20, 3, 3, 3, 39, 7};
};

// The controller's fields as they follow the display-object record.
std::vector<std::uint8_t> ControllerBytes(ProductData& file, const ControllerFields& fields);
// An "AnimationControl" record: the controller's fields, the message id and
// the second id.
DisplayObjectRecord AnimControlRecord(ProductData& file, const ControllerFields& fields, std::int32_t messageId = 0,
                                      std::int32_t secondId = 0);

}  // namespace testkit
