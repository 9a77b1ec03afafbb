#pragma once
// The include control (object type "Include", registered by the title): a
// display object with no behaviour of its own, like the word box. It keeps
// an include name and a word that nothing reads or sets yet. Its record is
// the display object's.

#include <cstdint>

#include "foundation/JxCTableString.h"
#include "runtime/JxCDisplayObject.h"

class JxCIncludeControl : public JxCDisplayObject {
public:
    JxCIncludeControl() = default;
    ~JxCIncludeControl() override = default;

    const JxCTableString& GetIncludeName() const { return includeName_; }
    std::int16_t GetIncludeWord() const { return includeWord_; }

private:
    JxCTableString includeName_;
    std::int16_t includeWord_ = 0;
};
