#pragma once
// The words that tell the user where an error arose: the page and the
// object of a run-time object, appended to a message as " (Page: name,
// Object: id)", " (Page: name)" or " (Object: id)". Display objects and
// panels have no names of their own and go by their ids; a page by its
// definition's name, or its number when it has none.

#include "foundation/JxCString.h"

class JxCRunTimeObject;

// Empty for null or for an object on no page that is no object of a page.
JxCString ErrorContextOf(JxCRunTimeObject* object);
