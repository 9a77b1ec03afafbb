#pragma once
// The draw module in one include: surfaces, device contexts, palettes,
// brushes and pens, regions, painting, blits, fonts and text.

#include "platform/draw/blit.h"
#include "platform/draw/brush.h"
#include "platform/draw/dc.h"
#include "platform/draw/font.h"
#include "platform/draw/gdiobject.h"
#include "platform/draw/paint.h"
#include "platform/draw/palette.h"
#include "platform/draw/rgnobject.h"
#include "platform/draw/surface.h"
#include "platform/draw/text.h"
