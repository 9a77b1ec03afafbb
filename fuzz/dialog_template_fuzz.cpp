// Dialog templates as a resource library holds them: any bytes end in a
// template or in an error naming the line, never in a hang.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/ui/dialog_template.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    plat::DialogTemplate t;
    std::string why;
    if (plat::ParseDialogTemplate(text, &t, &why)) {
        for (const plat::DialogItemTemplate& item : t.items)
            if (item.className.empty() || item.cx < 0 || item.cy < 0) {
                std::fprintf(stderr, "dialog_template: a control without a class or with a negative size\n");
                std::abort();
            }
    } else if (why.empty()) {
        std::fprintf(stderr, "dialog_template: a refusal without a reason\n");
        std::abort();
    }
    return 0;
}
