// Version records on arbitrary bytes: a record of five strings read from
// the head of the input, and a whole seven-string record read from the
// same bytes. A record is replaced only when all its strings were there,
// and nothing is read beyond the input.
#include <cstddef>
#include <cstdint>

#include "foundation/JxCInStrStream.h"
#include "runtime/JxCVersion.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const JxMemoryBlock block{data, static_cast<std::uint32_t>(size)};
    {
        JxCInStrStream in(block);
        JxCVersion version("BEFORE");
        if (!ReadVersion(in, version) && version.GetProductCode().View() != "BEFORE")
            __builtin_trap();
        std::int16_t reason = 0;
        version.CheckProduct(reason);
    }
    {
        JxCInStrStream in(block);
        JxCFileVersion file;
        if (file.ReadFrom(in))
            (void)file.GetDescription();
        else if (!file.GetProductCode().IsEmpty())
            __builtin_trap();
    }
    return 0;
}
