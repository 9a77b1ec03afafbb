#include "testkit/quiz_pages.h"

#include "testkit/big_endian.h"

namespace testkit {

DisplayObjectRecord QuizCardRecord(ProductData& file, const std::string& picture, std::int16_t cardId,
                                   std::int16_t question, const std::string& overlay,
                                   const std::array<std::int16_t, 4>& overlayRect)
{
    DisplayObjectRecord record = BitmapRecord(picture);
    record.type = "QuizCard";
    PutBigEndian16(record.extra, std::uint16_t(cardId));
    PutBigEndian16(record.extra, std::uint16_t(question));
    PutBigEndian16(record.extra, overlay.empty() ? 0 : file.Intern(overlay));
    for (std::int16_t v : overlayRect)
        PutBigEndian16(record.extra, std::uint16_t(v));
    return record;
}

namespace {

std::vector<std::uint8_t> withTail(const PanelRecord& panel, const std::vector<std::uint8_t>& tail)
{
    std::vector<std::uint8_t> bytes = panel.Bytes();
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    return bytes;
}

}  // namespace

std::vector<std::uint8_t> QTopicsPanelBytes(const PanelRecord& panel, const TopicsLayout& layout, ProductData& file)
{
    std::vector<std::uint8_t> tail;
    PutBigEndian16(tail, layout.icon.empty() ? 0 : file.Intern(layout.icon));
    for (std::int16_t v : {layout.iconTop, layout.iconLeft, layout.titleLeft, layout.titleTop, layout.horizontalSpacing,
                           layout.verticalSpacing, layout.perColumn})
        PutBigEndian16(tail, std::uint16_t(v));
    return withTail(panel, tail);
}

std::vector<std::uint8_t> QuestionPanelBytes(const PanelRecord& panel, const QuestionPanelTail& fields)
{
    std::vector<std::uint8_t> tail;
    PutBigEndian16(tail, std::uint16_t(fields.level));
    for (std::size_t q = 0; q < 5; ++q) {
        PutBigEndian16(tail, std::uint16_t(fields.questionIds[q]));
        PutBigEndian16(tail, std::uint16_t(fields.answerIds[q]));
    }
    PutBigEndian16(tail, std::uint16_t(fields.pictureId));
    return withTail(panel, tail);
}

std::vector<std::uint8_t> QuizPanelBytes(const PanelRecord& panel, const QuizPanelTail& fields)
{
    std::vector<std::uint8_t> tail;
    PutBigEndian16(tail, std::uint16_t(fields.kept));
    for (std::uint32_t page : {fields.right, fields.wrong, fields.nearly, fields.results})
        PutBigEndian32(tail, page);
    for (std::int16_t id : {fields.answerButton, fields.researchButton, fields.testButton, fields.keptId, fields.picture})
        PutBigEndian16(tail, std::uint16_t(id));
    for (std::uint32_t page : fields.questionPages)
        PutBigEndian32(tail, page);
    for (std::uint32_t page : fields.completedPages)
        PutBigEndian32(tail, page);
    return withTail(panel, tail);
}

ActionRecord QuizPageAction(std::int16_t code, std::int16_t topic)
{
    ActionRecord action{"QuizPageAction", {}};
    PutBigEndian16(action.record, std::uint16_t(code));
    if (code == 6)
        PutBigEndian16(action.record, std::uint16_t(topic));
    return action;
}

ActionRecord OpenQuestionAction(std::uint32_t otherLevels, std::uint32_t level0, std::uint32_t level1, std::int16_t topic)
{
    ActionRecord action = OpenPageAction(otherLevels);
    action.keyword = "OpenQuestion";
    PutBigEndian32(action.record, level0);
    PutBigEndian32(action.record, level1);
    PutBigEndian16(action.record, std::uint16_t(topic));
    return action;
}

}  // namespace testkit
