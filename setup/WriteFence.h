#pragma once
// Where the installation may write: inside the target folder and the
// emulated Windows system folders; and where it may read: on its medium.
// Each write and read is judged on the host path it resolves to, symbolic
// links followed, so that neither a name of the script nor a link in the
// user's folders or on the medium sends it anywhere else.

#include <string>

// The host path a Windows path resolves to, links followed; empty when it
// cannot be resolved.
std::string CanonicalHostPath(const std::string& windowsPath);
// True when a write to the Windows path lands strictly inside the target or
// a system folder, or cannot land anywhere (its write then fails by
// itself); otherwise the refusal is logged, naming where it would have
// landed.
bool MayWriteTo(const std::string& windowsPath);
// The same for a read from the medium: true when the path lands strictly
// inside the medium the installer runs from, so that a link on it never
// brings a folder of the user's into the target.
bool MayReadFrom(const std::string& windowsPath);
