#include "testkit/title_record.h"

#include "testkit/big_endian.h"

namespace testkit {

namespace {

void writeIndex(RecordWriter& w, const std::vector<IndexEntry>& entries)
{
    w.u16(std::uint16_t(entries.size()));
    for (const IndexEntry& e : entries) {
        w.text(e.name);
        w.u16(std::uint16_t(e.value1));
        w.u16(std::uint16_t(e.value2));
        w.u32(e.pages.empty() ? 0 : e.pages.front());
        w.u16(std::uint16_t(e.pages.empty() ? 0 : e.pages.size() - 1));
        for (std::size_t i = 1; i < e.pages.size(); ++i)
            w.u32(e.pages[i]);
    }
}

void writePages(RecordWriter& w, const std::vector<std::uint32_t>& pages, std::optional<std::uint32_t> claim = {})
{
    w.u32(claim.value_or(std::uint32_t(pages.size())));
    for (std::uint32_t id : pages)
        w.u32(id);
}

void writeFields(RecordWriter& w, const TitleFields& f)
{
    for (std::uint32_t id : f.navigationTargets)
        w.u32(id);
    for (std::uint32_t id : {f.code6Target, f.code7Target, f.code9Page, f.sparePage, f.optionsPage, f.secondOptionsPage})
        w.u32(id);
    w.u16(f.spareWord);
    for (std::uint32_t id : {f.thirdOptionsPage, f.code21Target, f.code11Page, f.secondSparePage, f.code20Target})
        w.u32(id);
    w.u16(f.specialTemplate1);
    w.u16(f.specialTemplate3);
    for (std::uint32_t id : {f.quizReopenPage, f.quizHomePage, f.testPage, f.finishedPage})
        w.u32(id);
    w.u16(f.schoolhouseMarkerId);
    for (std::uint16_t v : f.spareWords)
        w.u16(v);
    for (std::uint32_t id : {f.code22Target, f.secondHomeTarget, f.specialCode22Target})
        w.u32(id);
}

}  // namespace

std::vector<std::uint8_t> TitleRecord::Bytes(ProductData& file) const
{
    RecordWriter w(file);
    const std::vector<std::uint8_t> styleBytes = styles.Bytes();
    w.bytes.insert(w.bytes.end(), styleBytes.begin(), styleBytes.end());
    writeIndex(w, index);
    writeIndex(w, visits);
    const std::vector<std::uint8_t> quizBytes = quiz.Bytes();
    w.bytes.insert(w.bytes.end(), quizBytes.begin(), quizBytes.end());
    writeFields(w, fields);
    writePages(w, menuPages);
    writePages(w, idlePages, claimedIdleCount);
    w.u16(idleAnimationPanel);
    w.u16(excludedTemplate);
    w.u16(keyTemplate);
    writePages(w, keyPages);
    return w.bytes;
}

DisplayObjectRecord DigitsRecord(const std::string& type, ProductData& file, const std::string& prefix,
                                 std::int16_t w, std::int16_t h, std::int16_t value)
{
    std::vector<std::uint8_t> tail;
    for (int d = 0; d < 10; ++d)
        PutBigEndian16(tail, file.Intern(prefix + std::to_string(d)));
    for (int place = 0; place < 4; ++place) {
        const auto left = std::int16_t((3 - place) * w);
        for (std::int16_t v : {left, std::int16_t(0), std::int16_t(left + w), h})
            PutBigEndian16(tail, std::uint16_t(v));
    }
    PutBigEndian16(tail, std::uint16_t(value));
    DisplayObjectRecord record(type);
    record.rect(0, 0, std::int16_t(4 * w), h);
    return record.tail(std::move(tail));
}

BmpPicture DigitPicture(int d, std::uint8_t ink, std::uint8_t paper, std::vector<Rgb> colours)
{
    static const char* const lit[] = {"abcdef", "bc",     "abdeg", "abcdg",   "bcfg",
                                      "acdfg",  "acdefg", "abc",   "abcdefg", "abcdfg"};
    // Each segment as left, top, width, height.
    static const std::int32_t box[7][4] = {{2, 1, 8, 2},  {9, 2, 2, 8}, {9, 10, 2, 8}, {2, 17, 8, 2},
                                           {1, 10, 2, 8}, {1, 2, 2, 8}, {2, 9, 8, 2}};
    BmpPicture p{12, 20, std::vector<std::uint8_t>(12 * 20, paper), std::move(colours)};
    for (const char* s = lit[d % 10]; *s; ++s) {
        const std::int32_t* b = box[*s - 'a'];
        for (std::int32_t y = b[1]; y < b[1] + b[3]; ++y)
            for (std::int32_t x = b[0]; x < b[0] + b[2]; ++x)
                p.pixels[std::size_t(y * 12 + x)] = ink;
    }
    return p;
}

DisplayObjectRecord NumberedBitmapRecord(const std::string& type, const std::string& file, std::int16_t number)
{
    DisplayObjectRecord record(type);
    record.fileName = file;
    std::vector<std::uint8_t> tail;
    PutBigEndian16(tail, std::uint16_t(number));
    return record.tail(std::move(tail));
}

DisplayObjectRecord NumberedButtonRecord(const std::string& type, std::int16_t number)
{
    DisplayObjectRecord record = ButtonRecord({}, type);
    PutBigEndian16(record.extra, std::uint16_t(number));
    return record;
}

std::vector<IndexEntry> NumberedIndex(int n)
{
    std::vector<IndexEntry> entries;
    for (int i = 0; i < n; ++i)
        entries.push_back({"Page " + std::to_string(i + 1), {std::uint32_t(i + 1)}});
    return entries;
}

}  // namespace testkit
