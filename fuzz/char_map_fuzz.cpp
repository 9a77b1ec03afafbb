// Collation character maps on arbitrary bytes. A map that fails to read is
// left as it was; one that reads must answer every look-up for every byte
// within its planes, whatever codes and case tables the bytes held.
#include <cstddef>
#include <cstdint>

#include "foundation/JxCCharMap.h"
#include "foundation/JxCInStrStream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    JxCInStrStream in(JxMemoryBlock{data, static_cast<std::uint32_t>(size)});
    JxCSingleByteCharMap map;
    const std::uint16_t planesBefore = map.GetPlaneCount();
    if (!map.Read(in)) {
        if (map.GetPlaneCount() != planesBefore)
            __builtin_trap();
        return 0;
    }
    for (unsigned c = 0; c < 256; ++c) {
        const auto byte = static_cast<std::uint8_t>(c);
        const std::uint16_t code = map.ToCode(byte);
        (void)map.FromCode(code);
        (void)map.IndexOf(byte);
        (void)map.GetUpper(map.GetLower(byte));
        std::uint16_t translated = 0;
        for (std::uint16_t plane = 0; plane < map.GetPlaneCount(); ++plane)
            (void)map.Translate(plane, code, translated);
    }
    return 0;
}
