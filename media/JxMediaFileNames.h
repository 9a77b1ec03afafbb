#pragma once
// Where a sound or a movie named by an action is read from:
//   sound "&NAME"  NAME.wav in the program's folder when it is there, else
//                  NAME by the plain rule;
//   sound "@NAME"  the "WAVE" resource NAME (no file);
//   "\PATH"        a sound: under the product definition's folder; a
//                  movie: the path as it stands;
//   "NAME"         under the owner's data folder when the action asks for
//                  it and has an owner; otherwise a sound under the product
//                  definition's folder and a backslash, a movie under the
//                  data path and a backslash.
// ".wav" or ".mov" is appended.

#include <cstdint>

#include "foundation/JxCString.h"

class JxCAction;

// A media action that can read its media from its owner's folder says so.
class JxMediaPathFlag {
public:
    virtual ~JxMediaPathFlag() = default;
    virtual std::int16_t GetPathFlag() const = 0;
};

struct JxSoundSource {
    JxCString path;          // the file, or the resource name
    bool fromResource = false;
};

JxSoundSource ResolveSoundName(const JxCString& name, JxCAction* action);
JxCString ResolveMovieName(const JxCString& name, JxCAction* action);
