#include "testkit/sample_links.h"

#include "testkit/event_records.h"
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

// A button's face: a navy frame around a field, pressed or not.
BmpPicture face(std::int32_t width, std::int32_t height, bool pressed)
{
    BmpPicture p = SamplePicture(width, height, kSampleNavy);
    FillSampleRect(p, 2, 2, width - 4, height - 4, pressed ? kSampleTeal : kSampleWhite);
    return p;
}

// A question mark of blocks, 12 wide and 24 high, from (x, y).
void drawQuestionMark(BmpPicture& p, std::int32_t x, std::int32_t y)
{
    FillSampleRect(p, x + 2, y, 8, 3, kSampleRust);        // the arch's top
    FillSampleRect(p, x, y + 2, 3, 5, kSampleRust);        // its left end
    FillSampleRect(p, x + 9, y + 2, 3, 7, kSampleRust);    // its right side
    FillSampleRect(p, x + 5, y + 8, 5, 3, kSampleRust);    // turning in
    FillSampleRect(p, x + 5, y + 10, 3, 6, kSampleRust);   // the stem
    FillSampleRect(p, x + 5, y + 19, 3, 4, kSampleRust);   // the dot
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

// A house: a stepped rust roof over a navy wall with a sand door.
void drawHouse(BmpPicture& p, std::int32_t x, std::int32_t y)
{
    for (std::int32_t step = 0; step < 5; ++step)
        FillSampleRect(p, x + 12 - 3 * step, y + 2 * step, 6 + 6 * step, 2, kSampleRust);
    FillSampleRect(p, x + 3, y + 10, 24, 12, kSampleNavy);
    FillSampleRect(p, x + 12, y + 14, 6, 8, kSampleSand);
}

template <typename Draw>
ButtonPictures linkPictures(TitleFolder& title, const std::string& name, std::int16_t width, std::int16_t height, Draw draw)
{
    for (const bool pressed : {false, true}) {
        BmpPicture p = face(width, height, pressed);
        draw(p);
        title.files[name + (pressed ? "dn" : "up") + ".dib"] = EncodeBmp(p);
    }
    return ButtonPictures{name + "up", name + "dn", "", 0, 0};
}

DisplayObjectRecord linkButton(const ButtonPictures& pictures, const SampleRect& r, std::uint32_t page)
{
    return ButtonRecord(pictures).rect(r[0], r[1], r[2], r[3]).on("on_click", {ChangePageAction(page, kSampleWipeLeft)});
}

}  // namespace

void AddSampleWelcomeLinks(TitleFolder& title, PanelRecord& content, bool withLogbook)
{
    const ButtonPictures quiz = linkPictures(title, "link_quiz", kLinkWidth, kLinkHeight,
                                             [](BmpPicture& p) { drawQuestionMark(p, 26, 8); });
    content.add(linkButton(quiz, kSampleQuizLink, kSampleTopicsPage), title.data);
    if (!withLogbook)
        return;
    const ButtonPictures logbook = linkPictures(title, "link_logbook", kLinkWidth, kLinkHeight,
                                                [](BmpPicture& p) { drawBook(p, 12, 8); });
    content.add(linkButton(logbook, kSampleLogbookLink, kSampleLogbookPage), title.data);
}

void AddSampleHomeLink(TitleFolder& title, PanelRecord& content)
{
    const ButtonPictures home = linkPictures(title, "link_home", kHomeWidth, kHomeHeight,
                                             [](BmpPicture& p) { drawHouse(p, 17, 5); });
    content.add(ButtonRecord(home)
                    .rect(kSampleHomeLink[0], kSampleHomeLink[1], kSampleHomeLink[2], kSampleHomeLink[3])
                    .on("on_click", {ChangePageAction(kSampleWelcomePage, kSampleWipeRight)}),
                title.data);
}

}  // namespace testkit
