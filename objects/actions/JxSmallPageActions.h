#pragma once
// The small page actions, for the registrations that name them together:
// "BLEND" (recolours an area of a bitmap), "SENDMESSAGE" (a number to a
// tagged display object) and "BACKPAGE" (back through the visited pages).

#include "objects/actions/JxCBackPageAction.h"
#include "objects/actions/JxCBlendAction.h"
#include "objects/actions/JxCSendMessageAction.h"
