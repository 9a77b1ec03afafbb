#pragma once
// The product definition with its template and panel definitions, as far as
// the product's page opening reads them.
//
// A stand-in: the definitions are read from the product data file by the
// product start, which grows these classes with their records and readers.
// Until then they are filled through their setters.

#include <cstdint>

#include "events/JxCRunTimeObject.h"
#include "foundation/JxCList.h"
#include "foundation/JxCPoint.h"
#include "foundation/JxCRGB.h"
#include "foundation/JxCSize.h"
#include "foundation/JxCTypeIds.h"

class JxCPanelDef : public JxCObject {
public:
    // Whether the panel has a stored record in the page data (0: it is built
    // from this definition alone).
    std::int16_t GetPresent() const { return present_; }
    void SetPresent(std::int16_t present) { present_ = present; }
    std::int16_t GetPanelId() const { return panelId_; }
    void SetPanelId(std::int16_t id) { panelId_ = id; }
    JxCPanelTypeId GetPanelType() const { return panelType_; }
    void SetPanelType(JxCPanelTypeId type) { panelType_ = type; }
    // The record-table index of the stored record.
    std::int32_t GetRecordIndex() const { return recordIndex_; }
    void SetRecordIndex(std::int32_t index) { recordIndex_ = index; }
    JxCRGB colour;
    JxCPoint position;
    JxCSize size;

private:
    std::int16_t present_ = 0;
    std::int16_t panelId_ = 0;
    JxCPanelTypeId panelType_;
    std::int32_t recordIndex_ = 0;
};

class JxCTemplateDef : public JxCObject {
public:
    JxCTemplateDef() { panels_.SetOwnsItems(1); }

    std::int16_t GetTemplateId() const { return templateId_; }
    void SetTemplateId(std::int16_t id) { templateId_ = id; }
    JxCPageTypeId GetPageType() const { return pageType_; }
    void SetPageType(JxCPageTypeId type) { pageType_ = type; }
    // Set: a second page of this template opens nothing while one is open.
    std::int16_t GetReuse() const { return reuse_; }
    void SetReuse(std::int16_t reuse) { reuse_ = reuse; }
    // The width of a page window's frame at its right and bottom edges; 0
    // leaves the caption drag to the platform.
    std::int32_t GetFrameInset() const { return frameInset_; }
    void SetFrameInset(std::int32_t inset) { frameInset_ = inset; }
    // The template's panel definitions; the template owns them.
    JxCTypedList<JxCPanelDef>& GetPanelDefs() { return panels_; }

private:
    std::int16_t templateId_ = 0;
    JxCPageTypeId pageType_;
    std::int16_t reuse_ = 0;
    std::int32_t frameInset_ = 0;
    JxCTypedList<JxCPanelDef> panels_;
};

class JxCProductDef : public JxCRunTimeObject {
public:
    static constexpr unsigned kNoTemplateId = 1013;

    JxCProductDef() { templates_.SetOwnsItems(1); }
    ~JxCProductDef() override = default;

    // The template with that id; reports 1013 and returns null when there
    // is none.
    JxCTemplateDef* FindTemplateDef(std::int16_t templateId);
    // Takes the template over.
    void AddTemplateDef(JxCTemplateDef* def) { templates_.Add(def); }

private:
    JxCTypedList<JxCTemplateDef> templates_;
};
