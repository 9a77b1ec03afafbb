#pragma once
// Type handlers tell a keyed table (JxCKeyedTable) what its values are:
// how to destroy them and whether two differ. The values are opaque words.
//
// JxCDispObjTypeHandler serves the registry of display-object types, whose
// values are JxDisplayObjectType records.

#include <cstdint>

class JxCDisplayObject;

using JxTypeValue = std::uintptr_t;

class JxCTypeHandler {
public:
    virtual ~JxCTypeHandler() = default;
    // Called when an entry's last reference goes.
    virtual void Destroy(JxTypeValue value);
    // Non-zero when a and b differ.
    virtual std::int16_t Differs(JxTypeValue a, JxTypeValue b);
    // No caller in the system uses these two.
    virtual JxTypeValue Copy(JxTypeValue value);
    virtual void Release(JxTypeValue value);
};

// Makes a new display object, or returns 0 when memory is short.
using JxDisplayObjectFactory = JxCDisplayObject* (*)();

// One registered display-object type.
struct JxDisplayObjectType {
    std::int16_t flag = 0;
    JxDisplayObjectFactory factory = nullptr;
};

class JxCDispObjTypeHandler : public JxCTypeHandler {
public:
    // Deletes the record (nothing for null).
    void Destroy(JxTypeValue value) override;
    // Two null records do not differ, one null differs; otherwise they
    // differ in their factories or, with equal factories, in their flags.
    std::int16_t Differs(JxTypeValue a, JxTypeValue b) override;

    static JxTypeValue ToValue(JxDisplayObjectType* record) { return reinterpret_cast<JxTypeValue>(record); }
    static JxDisplayObjectType* ToRecord(JxTypeValue value) { return reinterpret_cast<JxDisplayObjectType*>(value); }
};
