#include "foundation/JxCCompParams.h"

#include <cstring>

#include "foundation/JxCCollationKey.h"

int CompareBytes(const char* a, const char* b)
{
    return std::strcmp(a ? a : "", b ? b : "");
}

int JxCCompParams::Compare(const JxCCollationKey& a, const JxCCollationKey& b) const
{
    const char* ta = a.GetText().GetText();
    const char* tb = b.GetText().GetText();
    return compare_(ta ? ta : "", tb ? tb : "");
}
