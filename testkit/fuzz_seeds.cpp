#include "testkit/fuzz_seeds.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "testkit/collage_records.h"
#include "testkit/display_objects.h"
#include "testkit/list_data.h"
#include "testkit/login_records.h"
#include "testkit/pics_records.h"
#include "testkit/poly_region.h"
#include "testkit/quiz_pages.h"
#include "testkit/rollover_records.h"
#include "testkit/scroll_records.h"
#include "testkit/small_records.h"
#include "testkit/title_record.h"
#include "testkit/title_widgets.h"

namespace testkit {

namespace {

// One object of a seed: its bytes (type id first) and its type keyword.
struct SeedObject {
    SeedObject(const DisplayObjectRecord& record, ProductData& file) : keyword(record.type), bytes(record.Bytes(file)) {}
    SeedObject(const ScrollingRecord& record, ProductData& file) : keyword(record.type), bytes(record.Bytes(file)) {}
    std::string keyword;
    std::vector<std::uint8_t> bytes;
};

// The seeds of one panel record each, written against one file.
class PanelSeeds {
public:
    explicit PanelSeeds(ProductData& file) : file_(file) {}

    // A panel of the objects, whose types are the keywords promised; the
    // count written instead of theirs when given.
    void add(std::string name, const std::vector<SeedObject>& objects, std::optional<std::int16_t> count = {})
    {
        PanelRecord panel(2);
        std::vector<std::string> keywords;
        for (const SeedObject& object : objects) {
            panel.add(object.bytes);
            keywords.push_back(object.keyword);
        }
        if (count)
            panel.claimCount(*count);
        seeds_.push_back({std::move(name), panel.Bytes(), std::move(keywords)});
    }
    // A damaged record: its objects are refused, so it promises none.
    void damaged(std::string name, const std::vector<SeedObject>& objects, std::optional<std::int16_t> count = {})
    {
        add(std::move(name), objects, count);
        seeds_.back().keywords.clear();
    }
    // The last seed cut after its first object's bytes and a few of the
    // next one's: what is left promises only the first object.
    void cutLast(std::string name, const SeedObject& first, bool promised = true)
    {
        FuzzSeed cut = seeds_.back();
        cut.name = std::move(name);
        cut.bytes.resize(std::min(cut.bytes.size(), kPanelHeader + first.bytes.size() + 6));
        cut.keywords.clear();
        if (promised)
            cut.keywords.push_back(first.keyword);
        seeds_.push_back(std::move(cut));
    }
    // A seed written by another writer.
    void add(FuzzSeed seed) { seeds_.push_back(std::move(seed)); }
    SeedObject operator()(const DisplayObjectRecord& record) { return SeedObject(record, file_); }
    SeedObject operator()(const ScrollingRecord& record) { return SeedObject(record, file_); }
    ProductData& file() { return file_; }
    std::vector<FuzzSeed> take() { return std::move(seeds_); }

private:
    // The panel's id and object count before its objects.
    static constexpr std::size_t kPanelHeader = 4;
    ProductData& file_;
    std::vector<FuzzSeed> seeds_;
};

// A paragraph in style 2.
ParaText paragraph(std::string text, std::int16_t lineHeight, std::uint16_t autoHeight = 0,
                   std::optional<std::int16_t> claimedLength = {})
{
    ParaText p;
    p.styleId = 2;
    p.lineHeight = lineHeight;
    p.text = std::move(text);
    p.autoHeight = autoHeight;
    p.claimedLength = claimedLength;
    return p;
}

GroupMembers members(std::optional<std::int16_t> collage, std::optional<std::int16_t> editBox,
                     std::optional<std::int16_t> scrollBar, std::vector<std::int16_t> buttons)
{
    GroupMembers m;
    m.collage = collage;
    m.editBox = editBox;
    m.scrollBar = scrollBar;
    m.buttons = std::move(buttons);
    return m;
}

std::vector<std::uint8_t> triangleRegion()
{
    PolyRegionRecord region;
    region.width = 20;
    region.height = 10;
    region.rowCount = 2;
    region.entries = {PolyRegionRecord::Run(0, 10, 0), PolyRegionRecord::Run(2, 6, 0)};
    return region.Bytes();
}

void addPlainWidgets(PanelSeeds& s)
{
    s.add("bitmap_and_png", {s(BitmapRecord("pic").id(1).at(2, 2)), s(BitmapRecord("other").id(2).at(40, 2).z(1))});
    s.add("missing_picture", {s(BitmapRecord("Cross").id(1).at(2, 2))});
    s.add("hotspot_over_bitmap",
          {s(HotspotRecord(1).id(2).rect(0, 0, 30, 20).cursor("Cross").on("on_click", {SendMessageAction(1, 2)})),
           s(BitmapRecord("pic").id(1).at(0, 0))});
    s.add("hotspot_with_region", {s(HotspotRecord(2).id(1).rect(0, 0, 20, 10).region(triangleRegion()))});
    s.add("no_rect_fixed_position", {s(HotspotRecord(3).options(0x100 | 0x200).cursor("Cross"))});
    s.add("button_pictures", {s(ButtonRecord({"pic", "other", ""}).id(1).at(2, 2))});
    s.add("toggle_sticky_and_cancel_buttons",
          {s(ButtonRecord({"pic", "other", "pic"}, "ToggleButton").id(1).at(2, 2)),
           s(ButtonRecord({"pic", "other", "pic", 1}, "StickyButton").id(2).at(20, 2)),
           s(ButtonRecord({"pic", "", ""}, "CancelButton").id(3).at(40, 2))});
    s.add("edit_box_and_paragraph",
          {s(EditBoxRecord("pic", "other", "", 1).id(1).rect(0, 0, 60, 12)),
           s(ParaTextRecord(paragraph("One two three four five six seven", 10, 1)).id(2).rect(0, 14, 80, 40))});
    s.add("edit_box_fallbacks_missing_style", {s(EditBoxRecord("", "", "", 9).id(1).rect(0, 0, 60, 12))});
    s.add("paragraph_wide_word", {s(ParaTextRecord(paragraph(std::string(200, 'W'), 0)).id(1).rect(0, 0, 30, 20))});
    s.damaged("paragraph_length_past_record",
          {s(ParaTextRecord(paragraph("short", 10, 0, 30000)).id(1).rect(0, 0, 80, 20))});
    s.damaged("paragraph_negative_length",
          {s(ParaTextRecord(paragraph("short", 10, 0, -4)).id(1).rect(0, 0, 80, 20))});
    s.add("word_box_and_include",
          {s(DisplayObjectRecord("WordBox").id(1).rect(0, 0, 30, 10).on("on_click", {BlendAction(0, 0, 8, 8, 1, 3)})),
           s(DisplayObjectRecord("Include").id(2).rect(0, 12, 30, 20)), s(BitmapRecord("pic").id(3).at(40, 0))});
    s.add("shared_and_overlapping", {s(BitmapRecord("pic").id(1).at(0, 0)), s(BitmapRecord("pic").id(1).at(4, 4).z(2)),
                                     s(HotspotRecord(0).id(2).rect(2, 2, 12, 12).z(1))});
    s.damaged("negative_count", {s(BitmapRecord("pic").id(1).at(0, 0))}, std::int16_t(-3));
    s.add("count_past_record", {s(BitmapRecord("pic").id(1).at(0, 0))}, std::int16_t(30000));
}

void addScrolling(PanelSeeds& s)
{
    s.add("scroll_bitmap_with_bar",
          {s(ScrollBitmapRecord("pic").id(1).rect(0, 0, 40, 4)),
           s(ScrollBarRecord().id(2).rect(40, 0, 56, 40).linkTo(1).range(0, 5).page(2))});
    s.add("scroll_range_flipped_and_bad_metrics", {s(ScrollBarRecord()
                                                         .id(1)
                                                         .rect(0, 0, 16, 40)
                                                         .range(10, -5)
                                                         .start(99)
                                                         .metrics(0, -1, 0, -3)
                                                         .page(-7)
                                                         .notifyWhileDragging(0)
                                                         .image(2, "pic"))});
}

void addCollages(PanelSeeds& s)
{
    const std::vector<std::uint8_t> style1{0, 1};
    s.add("group_collage_with_bar_and_button",
          {s(CollageRecord(kTextListDataName, {250, 250, 250}, style1).id(1).rect(0, 0, 60, 40)),
           s(ScrollBarRecord().id(3).rect(60, 0, 76, 40)),
           s(CollButtonRecord({"pic", "other", "", 0, 0, 1, 2}).id(4).at(80, 30)),
           s(GroupCollageRecord(members(1, {}, 3, {4})).id(9).rect(0, 0, 90, 50).z(5))});
    const SeedObject unknown =
        s(CollageRecord("NoSuchManager", {0, 0, 0}, style1, "NoSuchArrangement").id(1).rect(0, 0, 60, 40));
    s.damaged("collage_unknown_manager_and_group",
          {unknown, s(GroupCollageRecord(members(7, 1, {}, {1, 1})).id(2).rect(0, 0, 60, 40))});
    s.cutLast("collage_unknown_manager_and_group_cut", unknown, false);
    s.add("two_groups_over_one_point",
          {s(CollageRecord(kTextListDataName, {250, 250, 250}, style1).id(1).rect(0, 0, 60, 40)),
           s(GroupCollageRecord(members(1, {}, {}, {3})).id(2).rect(0, 0, 60, 40).z(1)),
           s(GroupCollageRecord(members(1, {}, {}, {2})).id(3).rect(0, 0, 60, 40).z(2))});
    s.add("title_list_boxes", {s(ListCollageRecord("SimpleLBData", 1).id(1).rect(0, 0, 60, 30)),
                               s(ListCollageRecord("VisitAll", 1).id(2).rect(0, 30, 60, 50)),
                               s(ListCollageRecord("ToBeVisited", 1).id(3).rect(60, 0, 100, 30)),
                               s(ListCollageRecord("Visited", 1).id(4).rect(60, 30, 100, 50))});
}

void addMediaWidgets(PanelSeeds& s)
{
    ProductData& file = s.file();
    s.add("rollover_hotspot_above", {s(RollOverHotspotRecord(file, 1, "other", 0, -10).id(1).rect(10, 12, 40, 30))});
    s.add("rollover_button", {s(RollOverButtonRecord(file, {"pic", "other", ""}, "other").id(1).at(2, 2))});
    PlaySound tone{"tone"};
    s.add("micon_frames_and_sound",
          {s(MiconRecord(file, 1, {{"pic"}, {"other", 2, 2}, {"pic", 4, 0}}).id(1).rect(2, 2, 10, 6).on(
              "on_click", {tone.Action()}))});
    s.damaged("micon_count_past_record", {s(MiconRecord(file, 1, {{"pic"}}, 0, std::int16_t(5000)).id(1).rect(2, 2, 10, 6))});
    s.damaged("micon_negative_count", {s(MiconRecord(file, 1, {{"pic"}}, 0, std::int16_t(-2)).id(1).rect(2, 2, 10, 6))});
    AnimHotspot plays;
    plays.file = "&spin";
    plays.repeat = 1;
    plays.busyWhilePlaying = 1;
    s.add("anim_hotspot_plays", {s(AnimHotspotRecord(plays).id(1).rect(2, 2, 40, 30))});
    AnimHotspot loops = plays;
    loops.repeat = -2;
    loops.messageNumber = 7;
    s.add("anim_hotspot_on_demand_loop", {s(AnimHotspotRecord(loops).id(1).rect(2, 2, 40, 30).options(0x10 | 0x20))});
    AnimHotspot none;
    none.targetPanel = 3;
    // Made on demand, so that the record reads and the set-up finds nothing.
    s.add("anim_hotspot_without_animation", {s(AnimHotspotRecord(none).id(1).rect(2, 2, 40, 30).options(0x10))});
    SaveAsFields saveAs;
    saveAs.source = "pic.dib";
    s.add("save_as_hotspot", {s(SaveAsHotspotRecord(saveAs).id(1).rect(2, 2, 40, 30))});
    ControllerFields controller;
    controller.animation = "&spin";
    controller.cursor = "Cross";
    controller.autoPlay = 1;
    s.add("animation_control", {s(AnimControlRecord(file, controller, 5).id(1).at(2, 2))});
    VideoHotspotFields video;
    video.movie = "SAMPLE.mov";
    s.add("video_hotspot_and_toggle_bitmap",
          {s(VideoHotspotRecord(video).id(1).rect(2, 2, 40, 30)), s(ToggleBitmapRecord("pic", 3, 4).id(2).at(50, 2))});
}

void addTitleWidgets(PanelSeeds& s)
{
    ProductData& file = s.file();
    DisplayObjectRecord allVisited = BitmapRecord("pic").id(6).at(30, 20);
    allVisited.type = "AllVisited";
    s.add("progress_displays", {s(DigitsRecord("Visitedcount", file, "pic", 6, 8, 42).id(1).at(0, 0)),
                                s(DigitsRecord("quizcount", file, "pic", 6, 8, 7).id(2).at(0, 10)),
                                s(DigitsRecord("AnsweredCount", file, "pic", 6, 8).id(3).at(0, 20)),
                                s(NumberedBitmapRecord("quiztick", "pic", 3).id(4).at(30, 0)),
                                s(NumberedBitmapRecord("QuizLabl", "pic", 1).id(5).at(30, 10)),
                                s(allVisited)});
    s.add("title_buttons", {s(NumberedButtonRecord("CertificateButton", 2).id(1).at(0, 0)),
                            s(ButtonRecord({"pic", "other", ""}, "GoTestButton").id(2).at(20, 0)),
                            s(ButtonRecord({"pic", "other", ""}, "ResetButton").id(3).at(40, 0)),
                            s(ButtonRecord({"pic", "other", ""}, "LogBookButton").id(4).at(60, 0))});
    s.add("login_list_field_and_button",
          {s(LoginCollageRecord(1).id(1).rect(0, 0, 60, 30)), s(LoginFieldRecord("pic", "other", "", 1).id(2).rect(0, 32, 60, 44)),
           s(LoginGroupCollageRecord(members(1, 2, {}, {4})).id(3).rect(0, 0, 90, 50).z(5)),
           s(LoginButtonRecord({"pic", "other", ""}, 45).id(4).at(64, 32))});
    const SeedObject newUserField = s(NewUserFieldRecord("pic", "other", "", 1).id(1).rect(0, 0, 60, 12));
    s.add("new_user_field_button_and_names",
          {newUserField, s(NewUserButtonRecord({"pic", "other", ""}, 46, 47).id(2).at(64, 0)),
           s(NameDisplayRecord(paragraph("nobody", 10)).id(3).rect(0, 14, 80, 24)),
           s(NameDisplayRecord(paragraph("nobody", 10), "CertificateNameDisplay").id(4).rect(0, 26, 80, 36))});
    s.cutLast("new_user_records_cut", newUserField);
}

}  // namespace

PanelSeedSet PanelRecordSeeds()
{
    PanelSeedSet set;
    ProductData& file = set.file;
    for (const char* text : {"pic", "other", "Cross", "&spin"})
        file.Intern(text);
    TemplateBuilder& base = file.templateDef(1, "BASE_PAGE");
    base.panel(2, "Display").at(10, 20).size(100, 50).colour(20, 40, 60);
    base.panel(3, "Display").at(0, 0).size(0, 0);
    PanelSeeds seeds(file);
    addPlainWidgets(seeds);
    addScrolling(seeds);
    addCollages(seeds);
    addMediaWidgets(seeds);
    addTitleWidgets(seeds);
    set.seeds = seeds.take();
    return set;
}

PanelSeedSet QuizPanelSeeds()
{
    PanelSeedSet set;
    ProductData& file = set.file;
    file.Intern("pic");
    file.templateDef(1, "BASE_PAGE").panel(1, "Display").size(400, 220);
    // A quiz panels seed: the panel kind, then the stored record.
    auto seed = [&set](std::string name, std::uint8_t kind, std::vector<std::uint8_t> record,
                       std::vector<std::string> keywords) {
        record.insert(record.begin(), kind);
        set.seeds.push_back({std::move(name), std::move(record), std::move(keywords)});
    };
    PanelRecord cards(1);
    ParaText para;
    cards.add(ParaTextRecord(para).id(1).rect(0, 0, 300, 20), file);
    cards.add(EditBoxRecord("pic", "pic", "", 1).id(2).rect(0, 30, 200, 50), file);
    cards.add(ButtonRecord({"pic", "pic", ""}).id(3).rect(210, 30, 250, 50), file);
    for (int c = 0; c < 5; ++c) {
        const auto left = std::int16_t(10 + 60 * c);
        cards.add(QuizCardRecord(file, "pic", std::int16_t(c), std::int16_t(c), c == 2 ? "" : "pic",
                                 {left, 170, std::int16_t(left + 8), 178})
                      .id(std::int16_t(10 + c))
                      .z(std::int16_t(c % 2))
                      .at(left, 120),
                  file);
    }
    const std::vector<std::string> objects{"ParaText", "EditBox", "Button", "QuizCard"};
    QuizPanelTail tail;
    tail.answerButton = 3;
    tail.researchButton = 3;
    tail.testButton = 99;
    tail.picture = 1;
    const std::vector<std::uint8_t> quiz = QuizPanelBytes(cards, tail);
    seed("quiz_panel", 0, quiz, objects);
    // Cut inside the panel's own fields: every object is there.
    std::vector<std::uint8_t> cut = quiz;
    cut.resize(cut.size() - 700);
    seed("quiz_panel_cut", 0, cut, objects);
    TopicsLayout layout;
    layout.icon = "pic";
    layout.perColumn = 0;
    layout.horizontalSpacing = -30000;
    layout.verticalSpacing = 30000;
    seed("topics_no_rows", 1, QTopicsPanelBytes(PanelRecord(1), layout, file), {});
    layout.perColumn = 10;
    layout.horizontalSpacing = 150;
    layout.verticalSpacing = 20;
    seed("topics_ten", 1, QTopicsPanelBytes(PanelRecord(1), layout, file), {});
    QuestionPanelTail questions;
    questions.level = 7;
    questions.questionIds = {1, 1, 1, 1, 1};
    questions.answerIds = {2, 2, 2, 2, 2};
    questions.pictureId = 10;
    seed("question_panel", 2, QuestionPanelBytes(cards, questions), objects);
    return set;
}

}  // namespace testkit
