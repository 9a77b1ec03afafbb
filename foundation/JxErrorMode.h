#pragma once
// Critical-error boxes of the system suppressed for the life of the object
// (SEM_FAILCRITICALERRORS), the previous error mode put back afterwards.

#include "platform/core/types.h"

class JxQuietErrorMode {
public:
    JxQuietErrorMode();
    ~JxQuietErrorMode();
    JxQuietErrorMode(const JxQuietErrorMode&) = delete;
    JxQuietErrorMode& operator=(const JxQuietErrorMode&) = delete;

private:
    plat::UINT previous_;
};
