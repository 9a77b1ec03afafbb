#pragma once
// Writers of the records of scrolling objects: the scroll bitmap and the
// scroll bar. Their record replaces the common display-object record:
//
//   testkit::PanelRecord panel(2);
//   panel.add(testkit::ScrollBitmapRecord("Tall").id(1).rect(10, 10, 110, 110), file);
//   panel.add(testkit::ScrollBarRecord().id(2).rect(110, 10, 126, 110).linkTo(1), file);

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "testkit/product_data.h"

namespace testkit {

// What a scroll bar adds to the scrolling record.
struct ScrollBarFields {
    // Images 0 to 7: up, down, thumb, track, then their pressed looks.
    std::array<std::string, 8> images{"@LINEUP", "@LINEDOWN", "@THUMB", "@THUMBTRACK",
                                      "@LINEUPALT", "@LINEDOWNALT", "@THUMBALT", "@THUMBTRACKALT"};
    std::int16_t metricA = 1, metricB = 1, lineStep = 1, acceleration = 1;
    std::uint16_t notifyWhileDragging = 1;
    std::int32_t pageSize = 1;
};

class ScrollingRecord {
public:
    explicit ScrollingRecord(std::string typeKeyword) : type(std::move(typeKeyword)) {}
    ScrollingRecord& id(std::int16_t v) { objectId = v; return *this; }
    ScrollingRecord& rect(std::int16_t l, std::int16_t t, std::int16_t r, std::int16_t b);
    ScrollingRecord& cursor(std::string name) { cursorName = std::move(name); return *this; }
    // Linked to the object of that id on the same panel at Start.
    ScrollingRecord& linkTo(std::int16_t partner) { linkedWord = 1; partnerId = partner; return *this; }
    ScrollingRecord& range(std::int32_t min, std::int32_t max) { minimum = min; maximum = max; return *this; }
    ScrollingRecord& start(std::int32_t position) { startPosition = position; return *this; }
    // Scroll bars only.
    ScrollingRecord& metrics(std::int16_t a, std::int16_t b, std::int16_t line, std::int16_t acceleration);
    ScrollingRecord& page(std::int32_t size);
    ScrollingRecord& notifyWhileDragging(std::uint16_t on);
    ScrollingRecord& image(int index, std::string name);

    // The type id, then the record.
    std::vector<std::uint8_t> Bytes(ProductData& file) const;

    std::string type;
    std::int16_t objectId = 0;
    std::int16_t left = 0, top = 0, right = 0, bottom = 0;
    std::string cursorName;
    std::uint16_t linkedWord = 0;
    std::int16_t partnerId = 0;
    std::int32_t minimum = 0, maximum = 0, startPosition = 0;
    std::optional<std::string> fileName;
    std::optional<ScrollBarFields> bar;
};

// A "ScrollBitmap" showing the picture of the file name.
ScrollingRecord ScrollBitmapRecord(std::string file);
// A "ScrollBaa" drawn with the program's own scroll-bar pictures.
ScrollingRecord ScrollBarRecord();

}  // namespace testkit
