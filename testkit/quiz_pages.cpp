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

}  // namespace testkit
