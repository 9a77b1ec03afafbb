#pragma once
// The run-time page definition: what a page is built from and, once built,
// owned by.
//
// A stand-in so far: the title's page definition can already derive from
// it, and the page factory reads its page type. The reading of the page
// record comes with the definitions.

#include "events/JxCRunTimeObject.h"
#include "foundation/JxCTypeIds.h"

class JxCPageDef : public JxCRunTimeObject {
public:
    JxCPageDef() = default;
    ~JxCPageDef() override = default;

    JxCPageTypeId GetPageType() const { return pageType_; }
    void SetPageType(JxCPageTypeId type) { pageType_ = type; }

private:
    JxCPageTypeId pageType_;
};
