#pragma once
// The run-time page definition: what a page is built from and, once built,
// owned by.
//
// A stand-in with what the product's page opening uses: the page id, its
// template and page type, the two open parameters and the panel list. The
// reading of the page record from the product data file comes with the
// definitions; until then Load finds nothing and the page does not open.

#include <cstdint>

#include "events/JxCRunTimeObject.h"
#include "foundation/JxCTypeIds.h"
#include "runtime/JxCPanelObject.h"

class JxCPageDef : public JxCRunTimeObject {
public:
    JxCPageDef() = default;
    ~JxCPageDef() override = default;

    // Reads the page's record by its page id; non-zero on success.
    virtual std::int16_t Load(std::int32_t pageId);

    std::int32_t GetPageId() const { return pageId_; }
    void SetPageId(std::int32_t id) { pageId_ = id; }
    std::int16_t GetTemplateId() const { return templateId_; }
    void SetTemplateId(std::int16_t id) { templateId_ = id; }
    JxCPageTypeId GetPageType() const { return pageType_; }
    void SetPageType(JxCPageTypeId type) { pageType_ = type; }

    // The two parameters the page is opened with.
    void SetOpenParameters(std::int32_t p1, std::int32_t p2)
    {
        openParameter1_ = p1;
        openParameter2_ = p2;
    }
    std::int32_t GetOpenParameter1() const { return openParameter1_; }
    std::int32_t GetOpenParameter2() const { return openParameter2_; }

    // The page's panels; the definition owns them.
    JxCPanelObjectList& GetPanelList() { return panels_; }

private:
    std::int32_t pageId_ = 0;
    std::int16_t templateId_ = 0;
    JxCPageTypeId pageType_;
    std::int32_t openParameter1_ = 0;
    std::int32_t openParameter2_ = 0;
    JxCPanelObjectList panels_;
};
