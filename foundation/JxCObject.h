#pragma once

// Root of the engine's class tree: every class derives from it by single
// inheritance, so every object can be deleted through a JxCObject pointer.
// Copying and assigning the root copies nothing.
class JxCObject {
public:
    JxCObject() = default;
    JxCObject(const JxCObject&) {}
    JxCObject& operator=(const JxCObject&) { return *this; }
    virtual ~JxCObject() = default;
};
