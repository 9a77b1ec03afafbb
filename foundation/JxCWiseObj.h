#pragma once
// Reference counting with copy on share. A wise object carries a shareable
// flag, a private flag and a reference count. Handing an object that is not
// private to a shared pointer makes a private heap copy of it (MakeUnique),
// and only private objects are counted and deleted by their last holder: an
// object built on the stack or kept in a member can be shared freely and is
// never deleted through a shared pointer.

#include <cstdint>

class JxCComparator;
class JxCCompParams;
class JxCTokeniser;
class JxCCharMap;

class JxCWiseObj {
public:
    JxCWiseObj() = default;
    // A copy is shareable, takes the source's private flag and starts
    // uncounted.
    JxCWiseObj(const JxCWiseObj& other) : private_(other.private_) {}
    // Assignment changes what an object holds, never its counting.
    JxCWiseObj& operator=(const JxCWiseObj&) { return *this; }
    virtual ~JxCWiseObj() = default;

    virtual JxCComparator* AsComparator() { return nullptr; }
    virtual JxCCompParams* AsCompParams() { return nullptr; }
    virtual JxCTokeniser* AsTokeniser() { return nullptr; }
    virtual JxCCharMap* AsCharMap() { return nullptr; }
    // The object itself when it is private, otherwise a new private copy;
    // null for a class that cannot be copied.
    virtual JxCWiseObj* MakeUnique() { return nullptr; }

    bool IsShareable() const { return shareable_; }
    bool IsPrivate() const { return private_; }
    std::uint32_t GetReferences() const { return references_; }

protected:
    void SetShareable(bool on) { shareable_ = on; }

    // MakeUnique for a class T with a copy constructor.
    template <class T>
    static JxCWiseObj* UniqueCopy(T* self)
    {
        if (self->private_)
            return self;
        T* copy = new T(*self);
        copy->private_ = true;
        return copy;
    }

private:
    friend class JxCSharedPtr;
    bool shareable_ = true;
    bool private_ = false;
    std::uint32_t references_ = 0;
};

// One counted pointer to a wise object (null = empty).
class JxCSharedPtr {
public:
    JxCSharedPtr() = default;
    // Holds the object itself when it is private, else its private copy; an
    // object that is not shareable is held as it is, uncounted.
    explicit JxCSharedPtr(JxCWiseObj* object);
    explicit JxCSharedPtr(JxCWiseObj& object) : JxCSharedPtr(&object) {}
    JxCSharedPtr(const JxCSharedPtr& other);
    JxCSharedPtr& operator=(const JxCSharedPtr& other);
    ~JxCSharedPtr() { Release(); }

    bool IsValid() const { return object_ != nullptr; }
    JxCWiseObj* Get() const { return object_; }
    // Lets go of the object; a private object whose count reaches 0 is
    // deleted.
    void Release();

private:
    void Hold(JxCWiseObj* object);
    static void Drop(JxCWiseObj* object);

    JxCWiseObj* object_ = nullptr;
};
