#pragma once
// The program's file-version information, read for the about text and the
// language selection.

#include "platform/core/types.h"

// Reads it again.
void ResetVersionInfo();

// Fills the about box (its caption and item 6001) with the product's name,
// version and copyright.
void BuildAboutText(plat::HWND dialog);
