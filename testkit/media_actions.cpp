#include "testkit/media_actions.h"

#include "testkit/big_endian.h"

namespace testkit {

ActionRecord PlayVideoAction(const PlayVideo& v, std::uint16_t nameIndex)
{
    ActionRecord a{"PLAYVIDEO", {}};
    auto& r = a.record;
    PutBigEndian16(r, nameIndex);
    PutBigEndian32(r, std::uint32_t(v.start));
    PutBigEndian32(r, std::uint32_t(v.end));
    for (std::int16_t w : {v.stepWord, v.stopOnDestroy, v.openParam, v.words[0], v.words[1], v.x, v.y, v.afterPosition})
        PutBigEndian16(r, std::uint16_t(w));
    PutBigEndian32(r, std::uint32_t(v.marker));
    PutBigEndian16(r, std::uint16_t(v.last[0]));
    PutBigEndian16(r, std::uint16_t(v.last[1]));
    return a;
}

}  // namespace testkit
