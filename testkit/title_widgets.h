#pragma once
// Writers of the records of the title's widgets and PICS actions, and of a
// collage over one of the title's lists:
//
//   panel.add(testkit::ListCollageRecord("VisitAll", 1).id(1).rect(...), file);
//   panel.add(testkit::VideoHotspotRecord({.movie = "SAMPLE", .targetObject = 4}).id(5).rect(...), file);
//   ActionRecord play = testkit::GavoPlayPicsAction(file, "dance", {1, 0, 0, 1, 0});

#include <array>
#include <cstdint>
#include <string>

#include "testkit/bmp.h"
#include "testkit/display_objects.h"
#include "testkit/event_records.h"
#include "testkit/product_data.h"

namespace testkit {

// A "Collage" naming one of the title's list-box data managers
// ("SimpleLBData", "VisitAll", "ToBeVisited", "Visited") with the
// character style its lines are written in.
DisplayObjectRecord ListCollageRecord(const std::string& dataManager, std::int16_t styleId,
                                      Rgb background = {255, 255, 255});

// A "ToggleBitmap": the bitmap's record, then the hide and show codes.
DisplayObjectRecord ToggleBitmapRecord(std::string file, std::uint16_t hideCode, std::uint16_t showCode);

// A "VideoHotspot".
struct VideoHotspotFields {
    std::string movie;
    std::uint16_t keptWord = 0;
    std::int16_t targetObject = 0;
    std::int16_t targetPanel = 0;
    std::uint16_t rewind = 0;
    std::uint16_t autoPlay = 0;
};
DisplayObjectRecord VideoHotspotRecord(const VideoHotspotFields& fields);

// "PLAYPICSNOLOAD": the animation named by its string-table entry (interned
// in the file), then parameters 1 to 5.
ActionRecord GavoPlayPicsAction(ProductData& file, const std::string& animation,
                                const std::array<std::int16_t, 5>& parameters);

}  // namespace testkit
