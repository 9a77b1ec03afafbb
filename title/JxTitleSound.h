#pragma once
// The title's own sounds (the logbook's page click, the quiz's fanfare),
// played by name through the wave player. The sound playing is one media
// object of the sound kind in the process's media list, so that the
// stops (StopActiveObjects and the rest) stop it and IsAnyResourcePlaying
// sees it; the completions of its buffers come back to it whoever holds
// the product's media owner. A new sound replaces the one playing.
//
// Names: "@NAME" is the "WAVE" resource NAME of a resource library or the
// program, "&NAME" the file NAME.wav in the program's folder, "\PATH" the
// file PATH.wav from the root of the data path, anything else the file
// under the data path with ".wav" appended.

#include <cstdint>
#include <string>

#include "foundation/JxCString.h"

class JxCResourceObject;

// 1 when the sound started; 0 when it cannot be loaded or played (nothing
// plays then).
std::int16_t PlayTitleSound(const JxCString& name);

// Whether the media object is the title's own sound, which stays in the
// media list once made and is reused for the next sound.
bool IsTitleSound(const JxCResourceObject& media);

// The file path of a sound name; empty for a resource name.
std::string ResolveTitleSoundPath(const JxCString& name);
