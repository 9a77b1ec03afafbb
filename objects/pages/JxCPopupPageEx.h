#pragma once
// The pop-up page (page types "POPUP_PAGE", "INDEX_PAGE", "NAVOPT_PAGE" and
// "SLIDING_PAGE"): a page in a framed window of its own over the pages.
//
// A stand-in so far: the factories build it by its name; its window and
// transitions come with the pop-up pages.

#include "runtime/JxCPageObject.h"

class JxCPopupPageEx : public JxCPageObject {
public:
    JxCPopupPageEx() = default;
    ~JxCPopupPageEx() override = default;
};
