// The page-name file ("Pagename.str") on arbitrary bytes: read whole as
// counted names to its end, a name cut short by the end is no name; there
// are never more names than the file holds two-byte counts, each name
// comes back by its number and is found by itself (the first equal name,
// without regard to case), and numbers outside the table give nothing.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "foundation/JxPageNameTable.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // A file of another name each time reads the table again.
    static bool second = false;
    second = !second;
    const std::string name = fuzz::ProgramFile(second ? "PAGENAM2.STR" : "PAGENAME.STR", {data, size});
    SetPageNameFile(name.c_str());
    for (std::int32_t n = 0; n < 256; ++n) {
        const JxCString page = GetPageNameByIndex(n);
        fuzz::Check(page.View().size() + 2 <= size || page.View().empty());
        // A name holding a NUL cannot be asked for by its text.
        if (page.View().empty() || page.View().find('\0') != std::string_view::npos)
            continue;
        std::int32_t found = -1;
        fuzz::Check(FindPageByName(page.GetText(), found) && found >= 0 && found <= n);
    }
    fuzz::Check(GetPageNameByIndex(-1).View().empty());
    fuzz::Check(GetPageNameByIndex(std::int32_t(size / 2) + 1).View().empty());
    std::int32_t none = 0;
    FindPageByName("", none);
    return 0;
}
