#pragma once
// Writers of the media actions' records.
//
//   testkit::PlayVideo video;
//   video.movie = "INTRO";
//   video.marker = 5;                    // plays at display object 5
//   ActionRecord a = testkit::PlayVideoAction(video, file.Intern(video.movie));

#include <cstdint>
#include <string>

#include "testkit/event_records.h"

namespace testkit {

// "PLAYVIDEO": the movie and its range in frames, where it goes and the
// words that drive nothing, with the reader's defaults.
struct PlayVideo {
    std::string movie;
    std::int32_t start = 0;
    std::int32_t end = -1;
    std::int16_t stepWord = 0;
    std::int16_t stopOnDestroy = 0;
    std::int16_t openParam = 0;
    std::int16_t words[2] = {0, 0};
    std::int16_t x = 0, y = 0;
    std::int16_t afterPosition = 1;
    std::int32_t marker = -1;  // the client data
    std::int16_t last[2] = {1, 0};
};

// The record with the movie name as the string-table index given.
ActionRecord PlayVideoAction(const PlayVideo& video, std::uint16_t nameIndex);

}  // namespace testkit
