#pragma once
// The run-time definition of one page: read from the page's record in the
// page data of the product data file, it holds the page's number, template
// and page type, position and name, its panels and its handlers. The page
// built from it owns it.

#include <cstdint>

#include "events/JxCRunTimeObject.h"
#include "foundation/JxCPoint.h"
#include "foundation/JxCTableString.h"
#include "foundation/JxCTypeIds.h"
#include "runtime/JxCPanelObject.h"
#include "runtime/JxCProductDef.h"

class JxCInStrStream;

class JxCPageDef : public JxCRunTimeObject {
public:
    // The report when the page table has no record for the page.
    static constexpr unsigned kNoPageDataId = 1039;

    JxCPageDef() = default;
    ~JxCPageDef() override = default;

    // Reads the page's record and builds its panels and handlers; on
    // success the page type becomes that of the page's template. The page
    // statistics are told of the page in every case.
    // Non-zero on success.
    virtual std::int16_t Load(std::int32_t pageId);
    std::int16_t Build();
    // The fields a title adds after the handlers of the page's record; the
    // engine's definition has none. 0 fails the page's load.
    virtual std::int16_t ReadOwnFields(JxCInStrStream& in)
    {
        (void)in;
        return 1;
    }

    // The product's folder followed by "\\": where the page's media files
    // are read from.
    JxCString GetDataPath() override;

    std::int32_t GetPageId() const { return pageId_; }
    void SetPageId(std::int32_t id) { pageId_ = id; }
    std::int16_t GetTemplateId() const { return templateId_; }
    void SetTemplateId(std::int16_t id) { templateId_ = id; }
    // The name points into the product's string table.
    void SetName(const JxCTableString& name) { name_ = name; }
    JxCPageTypeId GetPageType() const { return pageType_; }
    void SetPageType(JxCPageTypeId type) { pageType_ = type; }
    const JxCPoint& GetPosition() const { return position_; }
    // Popup pages place themselves by moving the definition point.
    void SetPosition(const JxCPoint& point) { position_ = point; }
    const JxCTableString& GetName() const { return name_; }

    // The two parameters the page is opened with: its opening and closing
    // window transitions (rows of the window transition table).
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
    JxCPoint position_;
    JxCTableString name_;
    std::int32_t openParameter1_ = 0;
    std::int32_t openParameter2_ = 0;
    JxCPanelObjectList panels_;
};
