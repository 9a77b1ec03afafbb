#pragma once
// Writer of product data files: the version record, the header (page data
// offset A, string-table size S, end of the definitions E), the string
// table, the definitions block (the product definition and the title's
// record), the record table and the page data.
//
//   testkit::ProductData file;
//   file.product().name("Sample").size(640, 500).startPages({1, 2});
//   file.templateDef(1, "BASE_PAGE").panel(1, "Display").colour(0, 0, 255).at(0, 0).size(640, 480);
//   file.page(1, 1).name("Home");
//   std::vector<std::uint8_t> bytes = file.Bytes();
//
// Texts are interned into the string table in the order they are first
// used; offsets and sizes are computed. Page and panel types are given by
// keyword and looked up in the engine's keyword tables, so the type ids must
// be numbered first (RegisterTypeIds). Damaged files come from the knobs
// below or from changing Bytes().

#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "testkit/event_records.h"

namespace testkit {

// The seven strings of a version record.
struct VersionRecord {
    std::string productCode = "KELBO";
    std::string softwareVersion = "31";
    std::string third, fourth;
    std::string countryCode = "US";
    std::string line1 = "Kelbo sample title", line2 = "Data disc";
};

// The record as it stands in the product data file and in "JxMMDAT.VER".
std::vector<std::uint8_t> VersionBytes(const VersionRecord& record);

// Big-endian encoding and the shared string table of one file.
class RecordWriter {
public:
    explicit RecordWriter(class ProductData& file) : file_(&file) {}
    void u8(std::uint8_t v) { bytes.push_back(v); }
    void u16(std::uint16_t v);
    void u32(std::uint32_t v);
    // A table-string index (0 for an empty text).
    void text(const std::string& text);

    std::vector<std::uint8_t> bytes;

private:
    ProductData* file_;
};

class PanelDefBuilder {
public:
    PanelDefBuilder& colour(std::uint8_t r, std::uint8_t g, std::uint8_t b);
    PanelDefBuilder& at(std::int16_t x, std::int16_t y);
    PanelDefBuilder& size(std::int16_t w, std::int16_t h);
    // The panel has a stored record at that record-table index.
    PanelDefBuilder& stored(std::uint32_t recordIndex);
    void Write(RecordWriter& w) const;

    std::string type;
    std::uint16_t id = 0;
    std::uint8_t rgb[3] = {0, 0, 0};
    std::int16_t x = 0, y = 0, width = 0, height = 0;
    std::optional<std::uint32_t> record;
};

class TemplateBuilder {
public:
    PanelDefBuilder& panel(std::uint16_t id, std::string typeKeyword);
    TemplateBuilder& size(std::int16_t w, std::int16_t h);
    TemplateBuilder& anchor(std::uint16_t templateId, std::uint16_t panelId);
    TemplateBuilder& offset(std::int16_t x, std::int16_t y);
    TemplateBuilder& area(std::int16_t left, std::int16_t top, std::int16_t width, std::int16_t height);
    TemplateBuilder& frame(std::uint16_t style, std::uint16_t inset);
    TemplateBuilder& reuse();
    TemplateBuilder& ownerPanels(std::vector<std::uint16_t> ids);
    TemplateBuilder& printPanels(std::vector<std::uint16_t> ids);
    // A handler of the template: the event's actions.
    TemplateBuilder& on(std::string event, std::vector<ActionRecord> actions);
    void Write(RecordWriter& w) const;

    std::string pageType;
    std::uint16_t id = 0;
    std::int16_t width = 0, height = 0;
    std::optional<std::pair<std::uint16_t, std::uint16_t>> anchorIds;
    std::optional<std::pair<std::int16_t, std::int16_t>> offsetPoint;
    std::optional<std::vector<std::int16_t>> areaRect;
    std::uint16_t placement = 0, frameStyle = 0, frameInset = 0, centring = 0, captionHeight = 0;
    std::uint16_t pageWords[6] = {0, 0, 0, 0, 0, 0};
    std::uint16_t reuseWord = 0;
    std::vector<std::uint16_t> owners, prints;
    std::deque<PanelDefBuilder> panels;
    std::vector<HandlerRecord> handlers;
};

class ProductDefBuilder {
public:
    ProductDefBuilder& name(std::string text);
    ProductDefBuilder& size(std::int16_t w, std::int16_t h);
    ProductDefBuilder& colour(std::uint8_t r, std::uint8_t g, std::uint8_t b);
    ProductDefBuilder& transparent(std::uint16_t index);
    ProductDefBuilder& startPages(std::vector<std::uint32_t> pages);
    // A handler of the product definition: the event's actions.
    ProductDefBuilder& on(std::string event, std::vector<ActionRecord> actions);
    void Write(RecordWriter& w, const std::deque<TemplateBuilder>& templates) const;

    std::string nameText, labelA, labelB;
    std::int16_t width = 640, height = 500;
    std::uint8_t rgb[3] = {255, 255, 255};
    std::uint16_t popupClose = 0;
    std::uint16_t transparentIndex = 255;
    std::vector<std::uint32_t> pages{1};
    std::vector<HandlerRecord> handlers;
};

class PageBuilder {
public:
    // The title's fields of the page record, written after the handlers:
    // five navigation targets (none unless given), the idle tick's random
    // animation and sound names, and the page's visit index (none: 0xFFFF).
    PageBuilder& targets(std::array<std::uint32_t, 5> ids);
    PageBuilder& randomAnimations(std::vector<std::string> names);
    PageBuilder& randomSounds(std::vector<std::string> names);
    PageBuilder& visit(std::uint16_t index);
    PageBuilder& name(std::string text);
    PageBuilder& at(std::int16_t x, std::int16_t y);
    // A stored panel: its type keyword and the panel's own record.
    PageBuilder& storedPanel(std::string typeKeyword, std::vector<std::uint8_t> record);
    // A handler of the page definition: the event's actions.
    PageBuilder& on(std::string event, std::vector<ActionRecord> actions);
    void Write(RecordWriter& w) const;

    std::uint32_t number = 0;
    std::uint16_t templateId = 0;
    std::string pageName;
    std::int16_t x = 0, y = 0;
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> panels;
    std::vector<HandlerRecord> handlers;
    std::optional<std::array<std::uint32_t, 5>> navigationTargets;
    std::vector<std::string> animations, sounds;
    std::uint16_t visitIndex = 0xFFFF;
};

class ProductData {
public:
    VersionRecord& version() { return version_; }
    ProductDefBuilder& product() { return product_; }
    TemplateBuilder& templateDef(std::uint16_t id, std::string pageTypeKeyword);
    // The page's record goes to record-table entry `number`; entries
    // without a record read 0xFFFFFFFF.
    PageBuilder& page(std::uint32_t number, std::uint16_t templateId);
    // The template or page record already described (the first of that id
    // or number), to add to it; std::out_of_range when there is none.
    TemplateBuilder& existingTemplate(std::uint16_t id);
    PageBuilder& existingPage(std::uint32_t number);
    // Raw bytes placed after the product definition (the title's record).
    ProductData& titleRecord(std::vector<std::uint8_t> bytes);

    // The index (1-based, as records store it) of a text, interned first.
    std::uint16_t Intern(const std::string& text);

    // Header values written instead of the computed ones.
    ProductData& claimPageData(std::uint32_t a);
    ProductData& claimStrings(std::uint32_t s);
    ProductData& claimDefinitionsEnd(std::uint32_t e);

    std::vector<std::uint8_t> Bytes();

private:
    VersionRecord version_;
    ProductDefBuilder product_;
    std::deque<TemplateBuilder> templates_;
    std::deque<PageBuilder> pages_;
    std::vector<std::uint8_t> titleRecord_;
    std::vector<std::string> strings_;
    std::map<std::string, std::uint16_t> interned_;
    std::optional<std::uint32_t> a_, s_, e_;
};

}  // namespace testkit
