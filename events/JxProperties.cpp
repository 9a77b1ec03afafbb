#include "events/JxProperties.h"

std::int32_t PropertyNameId(std::int16_t index)
{
    if (index >= kPropLeft && index <= kPropVisible)
        return 1300 + (index - 1);
    switch (index) {
    case kPropText:
        return 1332;
    case kPropCursor:
        return 1333;
    case kPropScrollPosition:
        return 10383;
    case kPropRangeMaximum:
    case kPropRangeMinimum:
        return 1307;
    case kPropSourceFile:
        return 1330;
    case kPropDialogTitle:
        return 1331;
    default:
        return 0;
    }
}
