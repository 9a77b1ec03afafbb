// The product index record and the index sort keys: any bytes read as an
// index stay inside the stream and the string table, and any two texts
// compare by their keys in every language without reading past them, with
// the sign of the result turning when the texts swap.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "foundation/JxCInStrStream.h"
#include "fuzz_support.h"
#include "runtime/JxCIndex.h"
#include "runtime/JxCIndexString.h"

namespace {

constexpr std::uint16_t kLanguages[] = {1029, 1030, 1031, 1032, 1033, 1034, 1035, 1036, 1039, 1040,
                                        1043, 1044, 1045, 1046, 1049, 1053, 1055, 1060, 2057, 0};

void readIndex(const std::uint8_t* data, std::size_t size)
{
    const std::vector<JxCString> strings{"Apple", "Pear", ""};
    JxCInStrStream in(JxMemoryBlock{data, std::uint32_t(size)});
    JxCIndex index;
    index.Read(in, strings);
    fuzz::Check(std::size_t(index.GetCount()) <= size / 8);
    fuzz::Check(index.GetAt(index.GetCount()) == nullptr && index.GetAt(-1) == nullptr);
    for (std::int32_t i = 0; i < index.GetCount(); ++i)
        fuzz::Check(index.GetAt(i) != nullptr);
}

void compareTexts(const std::uint8_t* data, std::size_t size)
{
    // Two texts without zero bytes, split at the first zero.
    std::string a, b;
    std::size_t i = 0;
    for (; i < size && data[i]; ++i)
        a += char(data[i]);
    for (++i; i < size; ++i)
        if (data[i])
            b += char(data[i]);
    const std::int32_t bound = size ? data[0] % 8 : 0;
    for (std::uint16_t language : kLanguages) {
        const std::int32_t ab = CompareIndexKeysIn(language, a.c_str(), b.c_str(), bound);
        const std::int32_t ba = CompareIndexKeysIn(language, b.c_str(), a.c_str(), bound);
        if (language != 1049 && language != 1031)
            fuzz::Check((ab > 0) == (ba < 0) && (ab == 0) == (ba == 0));
        fuzz::Check(CompareIndexKeysIn(language, a.c_str(), a.c_str(), bound) == 0 || language == 1049);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    readIndex(data, size);
    compareTexts(data, size);
    return 0;
}
