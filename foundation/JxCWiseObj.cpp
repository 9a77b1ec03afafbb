#include "foundation/JxCWiseObj.h"

JxCSharedPtr::JxCSharedPtr(JxCWiseObj* object)
{
    if (object && object->shareable_)
        object = object->MakeUnique();
    Hold(object);
}

JxCSharedPtr::JxCSharedPtr(const JxCSharedPtr& other)
{
    Hold(other.object_);
}

JxCSharedPtr& JxCSharedPtr::operator=(const JxCSharedPtr& other)
{
    if (object_ != other.object_) {
        // The new object is held before the old one goes: the old one may
        // own the pointer it is assigned from.
        JxCWiseObj* old = object_;
        Hold(other.object_);
        Drop(old);
    }
    return *this;
}

void JxCSharedPtr::Hold(JxCWiseObj* object)
{
    object_ = object;
    if (object_)
        ++object_->references_;
}

void JxCSharedPtr::Release()
{
    JxCWiseObj* object = object_;
    object_ = nullptr;
    Drop(object);
}

void JxCSharedPtr::Drop(JxCWiseObj* object)
{
    if (object && object->private_ && object->references_ > 0 && --object->references_ == 0)
        delete object;
}
