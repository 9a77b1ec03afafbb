#pragma once
// The screen as a PNG file (8-bit RGB), written to a temporary file and
// renamed into place.

#include <string>

#include "platform/screen/screen.h"

namespace plat {

bool WriteScreenPng(const Screen& screen, const std::string& path, std::string* error);

}  // namespace plat
