#pragma once
// Typed 16-bit ids of actions, resources, page types, panel types and events.
// Each family is its own type so that an id of one kind cannot be passed
// where another is expected; the keyword tables decide their values.

#include <cstdint>

#include "foundation/JxCObject.h"

template <class Family>
class JxCTypedId16 : public JxCObject {
public:
    JxCTypedId16() = default;
    explicit JxCTypedId16(std::int16_t id) : id_(id) {}
    operator short() const { return id_; }

private:
    std::int16_t id_ = 0;
};

class JxCActionTypeId : public JxCTypedId16<JxCActionTypeId> {
public:
    using JxCTypedId16::JxCTypedId16;
};
class JxCResourceTypeId : public JxCTypedId16<JxCResourceTypeId> {
public:
    using JxCTypedId16::JxCTypedId16;
};
class JxCPageTypeId : public JxCTypedId16<JxCPageTypeId> {
public:
    using JxCTypedId16::JxCTypedId16;
};
class JxCPanelTypeId : public JxCTypedId16<JxCPanelTypeId> {
public:
    using JxCTypedId16::JxCTypedId16;
};
class JxCEventId : public JxCTypedId16<JxCEventId> {
public:
    using JxCTypedId16::JxCTypedId16;
};
