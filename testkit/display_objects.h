#pragma once
// Writers of the stored records of display objects and panels, as a panel's
// record in the page data holds them:
//
//   testkit::ProductData file;
//   testkit::PanelRecord panel(2);
//   panel.add(testkit::BitmapRecord("Logo").at(10, 10).z(3), file);  // texts interned in file
//   panel.add(testkit::HotspotRecord(3).rect(0, 0, 40, 20).on("on_click", {ClosePageAction(2)}), file);
//   panel.add(testkit::ButtonRecord({"Up", "Down"}).at(50, 0), file);
//   std::vector<std::uint8_t> bytes = panel.Bytes();
//
// Type ids come from the live registry (testkit/type_ids.h), so the types
// must be registered and numbered first. Damaged records come from the
// knobs below or from changing the bytes.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "testkit/event_records.h"
#include "testkit/product_data.h"

namespace testkit {

class DisplayObjectRecord {
public:
    explicit DisplayObjectRecord(std::string typeKeyword) : type(std::move(typeKeyword)) {}
    DisplayObjectRecord& id(std::int16_t v) { objectId = v; return *this; }
    DisplayObjectRecord& tag(std::int16_t v) { tagNumber = v; return *this; }
    DisplayObjectRecord& options(std::uint16_t v) { optionFlags = v; return *this; }
    // The rectangle (left, top, right, bottom); none is written while the
    // options hold "NoRectScrunge".
    DisplayObjectRecord& rect(std::int16_t l, std::int16_t t, std::int16_t r, std::int16_t b);
    // A rectangle at the point, of no size (a bitmap takes its picture's).
    DisplayObjectRecord& at(std::int16_t x, std::int16_t y) { return rect(x, y, x, y); }
    DisplayObjectRecord& cursor(std::string name) { cursorName = std::move(name); return *this; }
    DisplayObjectRecord& visible(std::uint16_t v) { visibleWord = v; return *this; }
    DisplayObjectRecord& z(std::int16_t v) { zOrder = v; return *this; }
    DisplayObjectRecord& transparent(std::uint16_t v = 1) { transparentWord = v; return *this; }
    // A polygon region record (testkit/poly_region.h); sets "PolyRegion".
    DisplayObjectRecord& region(std::vector<std::uint8_t> bytes);
    // A handler of the object: the event's actions.
    DisplayObjectRecord& on(std::string event, std::vector<ActionRecord> actions)
    {
        handlers.push_back({std::move(event), std::move(actions)});
        return *this;
    }
    // Bytes written after the common record (the class's own fields).
    DisplayObjectRecord& tail(std::vector<std::uint8_t> bytes) { extra = std::move(bytes); return *this; }

    // The type id, then the record.
    std::vector<std::uint8_t> Bytes(ProductData& file) const;

    std::string type;
    std::int16_t objectId = 0, tagNumber = 0;
    std::uint16_t optionFlags = 0;
    std::int16_t left = 0, top = 0, right = 0, bottom = 0;
    std::string cursorName;
    std::uint16_t visibleWord = 1;
    std::int16_t zOrder = 0;
    std::uint16_t transparentWord = 0;
    std::optional<std::vector<std::uint8_t>> regionBytes;
    std::vector<std::uint8_t> extra;
    std::vector<HandlerRecord> handlers;
    // A bitmap's file name, written after the common record when set.
    std::optional<std::string> fileName;
    // Table strings written after the common record (and the file name).
    std::vector<std::string> texts;
};

// A "Bitmap" record: the display-object record and the file name.
DisplayObjectRecord BitmapRecord(std::string file);

// An "EditBox" record: the focused, normal and disabled picture names
// (empty: none) and the character style id.
DisplayObjectRecord EditBoxRecord(std::string focused, std::string normal, std::string disabled,
                                  std::int16_t styleId);

// A "ParaText" record: the paragraph style id, the kept value, the line
// height, the text (its length written as `claimedLength` when given) and
// the auto-height word.
struct ParaText {
    std::int16_t styleId = 0;
    std::int16_t value = 0;
    std::int16_t lineHeight = 0;
    std::string text;
    std::uint16_t autoHeight = 0;
    std::optional<std::int16_t> claimedLength;
};
DisplayObjectRecord ParaTextRecord(const ParaText& para);

// A "Hotspot" record: the display-object record, the highlight mode (0 to
// 4) and the kept value.
DisplayObjectRecord HotspotRecord(std::int16_t highlight, std::int16_t kept = 0);

// A "Button" record: the display-object record, the normal, pressed and
// disabled picture names (empty: none), starts-disabled and transparent.
struct ButtonPictures {
    std::string normal, pressed, disabled;
    std::uint16_t startsDisabled = 0;
    std::uint16_t transparent = 0;
};
// `type` names a class derived from the button (whose own fields follow in
// the record's tail).
DisplayObjectRecord ButtonRecord(const ButtonPictures& pictures, std::string type = "Button");

// A panel's stored record: its id, its objects, its handlers, scope word 0.
class PanelRecord {
public:
    explicit PanelRecord(std::uint16_t id) : panelId(id) {}
    PanelRecord& add(const DisplayObjectRecord& object, ProductData& file);
    // An object's bytes made by another writer (its type id first).
    PanelRecord& add(std::vector<std::uint8_t> object)
    {
        objects.push_back(std::move(object));
        return *this;
    }
    // The object count written instead of the real one.
    PanelRecord& claimCount(std::int16_t count) { countClaim = count; return *this; }
    // A handler of the panel: the event's actions.
    PanelRecord& on(std::string event, std::vector<ActionRecord> actions)
    {
        handlers.push_back({std::move(event), std::move(actions)});
        return *this;
    }
    std::vector<std::uint8_t> Bytes() const;

    std::uint16_t panelId;
    std::vector<std::vector<std::uint8_t>> objects;
    std::optional<std::int16_t> countClaim;
    std::vector<HandlerRecord> handlers;
};

}  // namespace testkit
