#include "title/JxTitlePanels.h"

#include "title/JxCProductData.h"

std::int16_t JxCGavoPanel::MouseUp(const JxCPoint& point)
{
    if (JxCProductData* data = GetTitleData())
        data->ResetIdle();
    return JxCViewingPanel::MouseUp(point);
}
