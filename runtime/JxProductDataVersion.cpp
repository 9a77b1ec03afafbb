#include "runtime/JxProductDataVersion.h"

#include "foundation/JxCInStrStream.h"
#include "runtime/JxCVersion.h"

std::int16_t CheckProductDataVersion(JxCInStrStream& in)
{
    JxCFileVersion record;
    if (!record.ReadFrom(in))
        return 0;
    return CheckVersionRecord(record);
}
