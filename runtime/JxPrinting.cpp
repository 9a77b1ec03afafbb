#include "runtime/JxPrinting.h"

std::int16_t PrintPage(JxCPageObject*, const char*)
{
    return 0;
}

std::int16_t PrinterSetupDialog()
{
    return 0;
}

std::int16_t CopyPageToClipboard(JxCPageObject*)
{
    return 0;
}
