#pragma once
// Display-object types are registered by keyword, with their factory, in
// one keyed table (the type registry). A JxCTypeKey is a handle into it: an
// entry's index, or -1 for none.
//
// The index is an entry's position in the sorted registry, which is what the
// product data file stores as a display object's type id; it is stable once
// RegisterTypeIds has frozen the registry.

#include <cstdint>

#include "foundation/JxCString.h"
#include "runtime/JxCKeyedTable.h"
#include "runtime/JxCTypeHandler.h"

class JxCDisplayObject;

class JxCTypeKey {
public:
    // No entry.
    JxCTypeKey() = default;
    // The live entry of the name (lower-cased, A to Z only), or -1.
    explicit JxCTypeKey(const JxCTableString& name);
    // The integer while the registry is frozen, else -1.
    explicit JxCTypeKey(std::int32_t id);
    // Copies are not owned.
    JxCTypeKey(const JxCTypeKey& other) : index_(other.index_) {}
    // An owned key first lets go of its registry entry; the owned flag stays.
    JxCTypeKey& operator=(const JxCTypeKey& other);
    ~JxCTypeKey() { Release(); }

    // An owned key stops the registry from writing into it.
    void Release();

    bool operator==(const JxCTypeKey& other) const { return index_ == other.index_; }
    bool operator!=(const JxCTypeKey& other) const { return index_ != other.index_; }
    std::int32_t GetId() const { return index_; }
    bool IsOwned() const { return owned_; }

    JxCString GetName() const;
    // A new object from the type's factory; null without a live type or
    // factory.
    JxCDisplayObject* CreateObject() const;
    // The type record's flag; writing does nothing and reading gives 0
    // without a live record.
    void SetTypeValue(std::int16_t value);
    std::int16_t GetTypeValue() const;

private:
    friend JxCString RegisterDisplayObjectType(const JxCTableString&, JxDisplayObjectFactory, JxCTypeKey&);

    std::int32_t index_ = -1;
    bool owned_ = false;
};

// The registry of display-object types.
JxCKeyedTable& DisplayObjectTypeTable();

// Registers a type: a record {flag 0, factory} under the lower-cased name,
// with the key as the entry's back-pointer, so that the key holds the
// entry's position from now on and owns it. Returns the lower-cased name.
JxCString RegisterDisplayObjectType(const JxCTableString& name, JxDisplayObjectFactory factory, JxCTypeKey& key);
// Drops one registration of the name (as RegisterDisplayObjectType returned
// it).
void UnregisterDisplayObjectType(const JxCTableString& registeredName);

// The keys of "NULL_OBJ" and "LAST_OBJ": made from 600 and 2047 before the
// registry is frozen, they hold no entry.
const JxCTypeKey& NullObjectTypeKey();
const JxCTypeKey& LastObjectTypeKey();

// A new display object of the registered type whose registry index is the
// id; null when there is none.
JxCDisplayObject* CreateDisplayObjectById(std::int32_t typeId);
