#include "title/widgets/JxCGavoScrollBitmap.h"

std::int16_t JxCGavoScrollBitmap::CreateResources()
{
    if (!LoadImage())
        return 0;
    const std::int32_t hidden = HiddenRows();
    const std::int32_t steps = hidden / kRowsPerStep;
    SetRangeWords(0, steps);
    SetPositionWord(0);
    SetSpans(steps, hidden);
    SetPageSizeWord(PixelsToValue(GetRect().Height()));
    return 1;
}
