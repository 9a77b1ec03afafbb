#include "runtime/JxProductDataVersion.h"

#include "foundation/JxCInStrStream.h"
#include "foundation/JxCString.h"

std::int16_t CheckProductDataVersion(JxCInStrStream& in)
{
    // Product code, software version, two further strings, country code and
    // the two description lines. Comparing the country code and the
    // software version with the program's comes with the version records.
    for (int i = 0; i < 7; ++i) {
        JxCString text;
        if (!in.ReadCountedString(text))
            return 0;
    }
    return 1;
}
