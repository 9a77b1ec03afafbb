#include "foundation/JxErrorMode.h"

#include "platform/fs/errors.h"

JxQuietErrorMode::JxQuietErrorMode() : previous_(plat::SetErrorMode(plat::SEM_FAILCRITICALERRORS)) {}

JxQuietErrorMode::~JxQuietErrorMode()
{
    plat::SetErrorMode(previous_);
}
