#pragma once
// The SDL backend: one resizable host window showing the virtual desktop
// scaled by a whole factor; SDL events become input for the window services,
// the host's focus becomes activation, and the cursor is an SDL cursor.

#include <memory>
#include <string>

#include "platform/backend/backend.h"

namespace plat {

// Null, with the reason in `error`, when SDL cannot open a window.
std::unique_ptr<Backend> CreateSdlBackend(std::string* error);

// For tests: the desktop point that a host window point shows, under the
// backend's current scale (false when `backend` is not the sdl one or the
// point lies outside the desktop picture).
bool SdlHostToDesktop(Backend& backend, POINT host, POINT* desktop);
bool SdlDesktopToHost(Backend& backend, POINT desktop, POINT* host);
// For tests: whether the backend shows the desktop through the window's own
// surface (no hardware renderer) rather than a renderer.
bool SdlPresentsThroughWindowSurface(Backend& backend);
// For tests: the host window's X window id, 0 when the display is no X one.
unsigned long SdlHostX11Window(Backend& backend);

}  // namespace plat
