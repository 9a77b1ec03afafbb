#include "testkit/sample_links.h"

#include <initializer_list>

#include "testkit/event_records.h"
#include "testkit/sample_index.h"
#include "testkit/sample_title.h"

namespace testkit {

namespace {

constexpr std::int16_t kLinkWidth = 64;
constexpr std::int16_t kLinkHeight = 40;
static_assert(kSampleQuizLink[2] - kSampleQuizLink[0] == kLinkWidth && kSampleQuizLink[3] - kSampleQuizLink[1] == kLinkHeight);
static_assert(kSampleLogbookLink[2] - kSampleLogbookLink[0] == kLinkWidth &&
              kSampleLogbookLink[3] - kSampleLogbookLink[1] == kLinkHeight);
constexpr std::int16_t kHomeWidth = kSampleHomeLink[2] - kSampleHomeLink[0];
constexpr std::int16_t kHomeHeight = kSampleHomeLink[3] - kSampleHomeLink[1];

// A link's face: a navy frame around a white field.
BmpPicture face(std::int32_t width, std::int32_t height)
{
    BmpPicture p = SamplePicture(width, height, kSampleNavy);
    FillSampleRect(p, 2, 2, width - 4, height - 4, kSampleWhite);
    return p;
}

// A picture drawn from rows of text ('X' the colour, anything else left
// alone), each cell a square of `scale` pixels, from (x, y).
void drawPattern(BmpPicture& p, std::int32_t x, std::int32_t y, std::int32_t scale, std::initializer_list<const char*> rows,
                 std::uint8_t colour)
{
    std::int32_t row = 0;
    for (const char* text : rows) {
        for (std::int32_t col = 0; text[col]; ++col)
            if (text[col] == 'X')
                FillSampleRect(p, x + col * scale, y + row * scale, scale, scale, colour);
        ++row;
    }
}

// A question mark, 24 wide and 33 high, from (x, y).
void drawQuestionMark(BmpPicture& p, std::int32_t x, std::int32_t y)
{
    drawPattern(p, x, y, 3,
                {".XXXXX..", "XX...XX.", "XX...XX.", ".....XX.", "....XX..", "...XX...", "...XX...", "........",
                 "...XX...", "...XX..."},
                kSampleRust);
}

// An open book: two moss pages either side of a navy spine, lines on each.
void drawBook(BmpPicture& p, std::int32_t x, std::int32_t y)
{
    FillSampleRect(p, x, y, 40, 24, kSampleMoss);
    FillSampleRect(p, x + 19, y, 2, 24, kSampleNavy);
    for (std::int32_t line = 0; line < 4; ++line) {
        FillSampleRect(p, x + 3, y + 4 + 5 * line, 13, 2, kSampleSand);
        FillSampleRect(p, x + 24, y + 4 + 5 * line, 13, 2, kSampleSand);
    }
}

// A list: three teal rows, each with a navy bullet.
void drawList(BmpPicture& p, std::int32_t x, std::int32_t y)
{
    for (std::int32_t row = 0; row < 3; ++row) {
        FillSampleRect(p, x, y + 9 * row, 4, 4, kSampleNavy);
        FillSampleRect(p, x + 8, y + 9 * row, 28, 4, kSampleTeal);
    }
}

// A house: a stepped rust roof over a navy wall with a sand door.
void drawHouse(BmpPicture& p, std::int32_t x, std::int32_t y)
{
    for (std::int32_t step = 0; step < 5; ++step)
        FillSampleRect(p, x + 12 - 3 * step, y + 2 * step, 6 + 6 * step, 2, kSampleRust);
    FillSampleRect(p, x + 3, y + 10, 24, 12, kSampleNavy);
    FillSampleRect(p, x + 12, y + 14, 6, 8, kSampleSand);
}

// The link's picture, drawn by `draw` on a white field in a navy frame.
template <typename Draw>
std::string linkPicture(TitleFolder& title, const std::string& name, std::int16_t width, std::int16_t height, Draw draw)
{
    BmpPicture p = face(width, height);
    draw(p);
    title.files[name + ".dib"] = EncodeBmp(p);
    return name;
}

// The picture, and a hotspot over it that changes to the page. The click
// stops whatever plays (the gallery's movie, the welcome page's chime) and
// goes at once: "ResetResources" and "AlwaysActive".
void addLink(TitleFolder& title, PanelRecord& content, const std::string& picture, const SampleRect& r, std::uint32_t page,
             std::int16_t wipe)
{
    constexpr std::uint16_t kStopsPlayingAndGoes = 0x4 | 0x1;
    content.add(BitmapRecord(picture).at(r[0], r[1]), title.data);
    content.add(HotspotRecord(3)
                    .options(kStopsPlayingAndGoes)
                    .rect(r[0], r[1], r[2], r[3])
                    .z(2)
                    .on("on_click", {ChangePageAction(page, wipe)}),
                title.data);
}

}  // namespace

void AddSampleWelcomeLinks(TitleFolder& title, PanelRecord& content, bool withLogbook)
{
    const std::string quiz =
        linkPicture(title, "link_quiz", kLinkWidth, kLinkHeight, [](BmpPicture& p) { drawQuestionMark(p, 20, 5); });
    addLink(title, content, quiz, kSampleQuizLink, kSampleTopicsPage, kSampleWipeLeft);
    const std::string index =
        linkPicture(title, "link_index", kLinkWidth, kLinkHeight, [](BmpPicture& p) { drawList(p, 14, 10); });
    addLink(title, content, index, kSampleIndexLink, kSampleIndexPage, kSampleWipeLeft);
    if (!withLogbook)
        return;
    const std::string logbook =
        linkPicture(title, "link_logbook", kLinkWidth, kLinkHeight, [](BmpPicture& p) { drawBook(p, 12, 8); });
    addLink(title, content, logbook, kSampleLogbookLink, kSampleLogbookPage, kSampleWipeLeft);
}

void AddSampleHomeLink(TitleFolder& title, PanelRecord& content)
{
    const std::string home =
        linkPicture(title, "link_home", kHomeWidth, kHomeHeight, [](BmpPicture& p) { drawHouse(p, 17, 5); });
    addLink(title, content, home, kSampleHomeLink, kSampleWelcomePage, kSampleWipeRight);
}

}  // namespace testkit
