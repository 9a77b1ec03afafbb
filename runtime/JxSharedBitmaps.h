#pragma once
// The shared loader of named bitmaps and the drawing of a loaded picture.
// Every run-time object that shows a picture by name loads it here: the
// global reference of the name (events/JxCBitmapRef.h) is found or made and
// counted once for the object, so a picture is loaded once however many
// objects show it.
//
// Names: "@name" is a bitmap resource of a resource library or the program;
// "~name", while "MungedSprites" is on, a ".dib" sub-file of the packed data
// store (else a file as below); any other name a file in the object's data
// folder (a name starting with "\" is taken from the product's folder),
// tried with ".png", then ".dib", then as given.

#include <cstdint>
#include <span>

#include "events/JxCBitmapRef.h"
#include "events/JxCRunTimeObject.h"
#include "foundation/JxCPoint.h"
#include "foundation/JxCRect.h"
#include "foundation/JxCString.h"
#include "graphics/JxBitmapLoaders.h"
#include "platform/core/types.h"

class JxCSlate;

// A picture file that is not there, where looking again cannot find it.
constexpr unsigned kPictureNotFoundId = 1097;

// A shared picture of a bitmap record, deleted with its last share; null
// for an empty record.
JxSharedImage MakeSharedImage(const JxObjectRef& bitmap);

// The file path of a name for the owner (bare: the name only prefixed by
// the product's folder when it starts with "\").
JxCString ComposeBitmapPath(JxCRunTimeObject& owner, const JxCTableString& name, bool bare = false);

// The picture of the name for the owner, its reference added to the
// owner's list (once); null when nothing could be loaded, and then no
// reference is kept. With a palette place, a resource picture's palette is
// made into it (the caller owns it).
JxSharedImage LoadSharedBitmap(JxCRunTimeObject& owner, const JxCTableString& name,
                               plat::HPALETTE* palette = nullptr);

// Draws the part of the picture that starts at offset (picture coordinates)
// into rect of the slate, under the product palette; see-through on the
// product's transparent index when transparent is set. Without a slate the
// owner's is taken and given back. 0 for an empty picture or no slate.
std::int16_t DrawBitmapAt(JxCRunTimeObject& owner, const JxObjectRef* image, const JxCRect& rect,
                          const JxCPoint& offset, JxCSlate* slate, std::int16_t transparent);
// DrawBitmapAt of several parts of one picture (a tiled picture), through
// one slate over it; the result of the last part, 0 at the first failure.
std::int16_t DrawBitmapParts(JxCRunTimeObject& owner, const JxObjectRef* image, std::span<const JxBitmapPart> parts,
                             JxCSlate* slate, std::int16_t transparent);
