#pragma once
// Writers of the records of the animated and save-as hotspots and of the
// small page and media actions:
//
//   testkit::AnimHotspot anim;
//   anim.file = "&spin";
//   anim.repeat = -2;
//   panel.add(testkit::AnimHotspotRecord(anim).rect(10, 10, 60, 40).options(0x20), file);
//   panel.add(testkit::HotspotRecord(0).on("on_click", {testkit::SendMessageAction(4, 7)}), file);

#include <cstdint>
#include <string>

#include "testkit/display_objects.h"
#include "testkit/event_records.h"

namespace testkit {

// "AnimHotspot": the file name (a string-table reference), the target
// panel id, the animation's place, the repeat, the kept word, busy while
// playing and the message number.
struct AnimHotspot {
    std::string file;
    std::int16_t targetPanel = 0;
    std::int16_t x = 0, y = 0;
    std::int16_t repeat = 0;
    std::uint16_t kept = 0;
    std::uint16_t busyWhilePlaying = 0;
    std::int16_t messageNumber = 0;
};
DisplayObjectRecord AnimHotspotRecord(const AnimHotspot& anim);

// "SaveAsHotspot": the hotspot's record, then seven counted strings.
struct SaveAsFields {
    std::string source;
    std::string dialogTitle = "Save As";
    std::string target;
    std::string spare;
    std::string defaultExtension = "txt";
    std::string initialFolder;
    std::string filter = "Text (*.txt)^*.txt^All files^*.*^";
    std::int16_t highlight = 0;
};
DisplayObjectRecord SaveAsHotspotRecord(const SaveAsFields& fields);

// "BACKPAGE" and "FileSaveAs": nothing after the keyword.
ActionRecord BackPageAction();
ActionRecord FileSaveAsAction();
// "SENDMESSAGE": s16 target tag, s16 value.
ActionRecord SendMessageAction(std::int16_t tag, std::int16_t value);
// "BLEND": the area (left, top, right, bottom, relative to the bitmap), the
// mode and the bitmap's id.
ActionRecord BlendAction(std::int16_t left, std::int16_t top, std::int16_t right, std::int16_t bottom,
                         std::int16_t mode, std::int16_t bitmapId);
// "STOPWAVE": the sound's name as a string-table reference.
ActionRecord StopSoundAction(std::uint16_t nameIndex);
// "STOPVIDEO": the movie's name counted.
ActionRecord StopVideoAction(const std::string& movie);
// "SEEKWAVE" and "seekVIDEO": nothing after the keyword.
ActionRecord SeekSoundAction();
ActionRecord SeekVideoAction();

}  // namespace testkit
