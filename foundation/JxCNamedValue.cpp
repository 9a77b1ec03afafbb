#include "foundation/JxCNamedValue.h"

JxCNamedValue::JxCNamedValue(const JxCBaseString& name, std::int32_t value) : name_(name), value_(value)
{
    TheNameRegistry().Register(name_.View(), value_);
}

JxCNamedValue::JxCNamedValue(const JxCNamedValue& other) : JxCObject(other), name_(other.name_), value_(other.value_)
{
    TheNameRegistry().Register(name_.View(), value_);
}

JxCNamedValue& JxCNamedValue::operator=(const JxCNamedValue& other)
{
    if (this == &other)
        return *this;
    // Take the new use first, so that a shared name is never dropped between.
    TheNameRegistry().Register(other.name_.View(), other.value_);
    TheNameRegistry().Release(name_.View());
    name_ = other.name_;
    value_ = other.value_;
    return *this;
}

JxCNamedValue::~JxCNamedValue() { TheNameRegistry().Release(name_.View()); }
