#pragma once
// A name with a 32-bit value that holds a use of its name in the process-wide
// name registry for as long as it lives.

#include <cstdint>

#include "foundation/JxCBaseString.h"
#include "foundation/JxCList.h"
#include "foundation/JxCNameRegistry.h"

class JxCNamedValue : public JxCObject {
public:
    JxCNamedValue(const JxCBaseString& name, std::int32_t value);
    JxCNamedValue(const JxCNamedValue& other);
    JxCNamedValue& operator=(const JxCNamedValue& other);
    ~JxCNamedValue() override;

    const JxCBaseString& GetName() const { return name_; }
    std::int32_t GetValue() const { return value_; }

private:
    JxCBaseString name_;
    std::int32_t value_;
};

// A list of named values; as every list it deletes them when it owns them.
class JxCNameRefList : public JxCTypedList<JxCNamedValue> {};
