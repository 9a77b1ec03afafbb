#include "testkit/word_data.h"

#include "testkit/big_endian.h"

namespace testkit {

namespace {

void putList(std::vector<std::uint8_t>& out, const std::vector<std::string>& items, std::uint32_t count)
{
    PutBigEndian32(out, count);
    for (const std::string& item : items) {
        PutBigEndian16(out, std::uint16_t(item.size()));
        out.insert(out.end(), item.begin(), item.end());
    }
}

}  // namespace

std::vector<std::uint8_t> WordData::Bytes() const
{
    std::vector<std::uint8_t> out;
    putList(out, categories, claimedCategoryCount.value_or(std::uint32_t(categories.size())));
    putList(out, secondList, std::uint32_t(secondList.size()));
    putList(out, firstList, std::uint32_t(firstList.size()));
    return out;
}

WordData SampleWordData()
{
    WordData w;
    w.categories = {"CONJ:and;or", "PREAMB:i think it is;i think;it is", "REMOVE:um;er",
                    "PRONOUN:they", "DET:the;a;an", "POSTAMB:i guess;probably", "NEG:not;never"};
    w.secondList = {"spring:coil;coils", "wheel:gear"};
    w.firstList = {"lever:levers", "gear:cog;cogs"};
    return w;
}

}  // namespace testkit
