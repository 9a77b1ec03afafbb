#pragma once
// The SDL backend: one resizable host window showing the virtual desktop
// scaled by a whole factor; SDL events become input for the window services.

#include <memory>
#include <string>

#include "platform/backend/backend.h"

namespace plat {

// Null, with the reason in `error`, when SDL cannot open a window.
std::unique_ptr<Backend> CreateSdlBackend(std::string* error);

}  // namespace plat
