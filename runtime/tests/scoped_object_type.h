#pragma once
// A display-object type registered for a test and given back when the guard
// goes, under the name the registry took (it lower-cases names, so the
// keyword as written would match nothing and leave the type behind).

#include "runtime/JxCTypeKey.h"

class ScopedObjectType {
public:
    ScopedObjectType(const char* keyword, JxDisplayObjectFactory factory)
        : name_(RegisterDisplayObjectType(JxCTableString(keyword), factory, key_))
    {
    }
    ~ScopedObjectType() { UnregisterDisplayObjectType(name_); }
    ScopedObjectType(const ScopedObjectType&) = delete;
    ScopedObjectType& operator=(const ScopedObjectType&) = delete;

private:
    JxCTypeKey key_;  // before the name: registering writes the entry's place here
    JxCString name_;
};
