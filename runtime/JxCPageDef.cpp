#include "runtime/JxCPageDef.h"

std::int16_t JxCPageDef::Load(std::int32_t pageId)
{
    pageId_ = pageId;
    return 0;
}
