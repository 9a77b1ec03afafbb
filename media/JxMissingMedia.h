#pragma once
// A media file that an action names and whose open failed for want of the
// file (a sound, a movie, an animation of its own file) is named to the
// user as a missing picture is (runtime/JxMissingFile.h), but once a run:
// a sound played at every click, or an animation that each of its actions
// looks for, does not ask again and again. A file found again is named
// again should it go once more. Without it the media plays nothing.

#include "foundation/JxCString.h"

// A missing media file, where looking again cannot find it.
constexpr unsigned kMediaNotFoundId = 1182;

// Whether the file at the Windows path is there, after the user was asked
// about it when it was not (an open worth trying again).
bool FindMediaFile(const JxCString& path);
// Forgets which files were named: the run's media have gone
// (EmptyResourceList).
void ForgetMissingMedia();
