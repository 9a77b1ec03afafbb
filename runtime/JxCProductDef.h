#pragma once
// The product definition: the first record of the definitions block of the
// product data file. It carries the product's name and window size, its
// colour and transparent palette index, the start pages, the product-wide
// event handlers and the page templates, each with its owner-panel and
// print-panel lists, its panel definitions and its own handlers. Everything
// that builds pages and panels asks it for a template or a panel definition
// by id.

#include <cstdint>
#include <vector>

#include "events/JxCEventHandler.h"
#include "events/JxCRunTimeObject.h"
#include "foundation/JxCList.h"
#include "foundation/JxCPoint.h"
#include "foundation/JxCRGB.h"
#include "foundation/JxCRect.h"
#include "foundation/JxCSize.h"
#include "foundation/JxCString.h"
#include "foundation/JxCTableString.h"
#include "foundation/JxCTypeIds.h"

class JxCInStrStream;

class JxCPanelDef : public JxCObject {
public:
    // Reads the panel definition record; non-zero on success.
    std::int16_t Read(JxCInStrStream& in);

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

    // Equal panel definitions make the same panel: type, record, id,
    // colour, position and size (the stored-record word is not compared).
    bool operator==(const JxCPanelDef& other) const;

    JxCRGB colour;
    JxCPoint position;
    JxCSize size;

private:
    std::int16_t present_ = 0;
    std::int16_t panelId_ = 0;
    JxCPanelTypeId panelType_;
    std::int32_t recordIndex_ = 0;
};

class JxCPanelDefList : public JxCTypedList<JxCPanelDef> {
public:
    JxCPanelDefList() { SetOwnsItems(1); }
};

// A list of panel ids (the owner panels and the print panels of a
// template).
using JxCPanelIdList = std::vector<std::int32_t>;

class JxCTemplateDef : public JxCObject {
public:
    // Reads the template record; non-zero on success.
    std::int16_t Read(JxCInStrStream& in);

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
    // The template's size (empty when the template gives none).
    const JxCSize& GetSize() const { return size_; }

    // The anchor of base and child pages: flag, template id and panel id.
    std::int16_t HasAnchor() const { return anchorPresent_; }
    std::int32_t GetAnchorTemplateId() const { return anchorTemplateId_; }
    std::int32_t GetAnchorPanelId() const { return anchorPanelId_; }
    // How a page of this template is placed (the placement flag word).
    std::int16_t GetPlacement() const { return placement_; }
    // The child page's offset and the popup page's fixed point, with the
    // word that says whether the template gives it.
    std::int16_t HasOffset() const { return offsetPresent_; }
    const JxCPoint& GetOffset() const { return offset_; }
    std::int16_t GetFrameStyle() const { return frameStyle_; }
    std::int16_t GetCentring() const { return centring_; }
    std::int32_t GetCaptionHeight() const { return captionHeight_; }
    // The page area: left and top, then width and height.
    std::int16_t HasArea() const { return areaPresent_; }
    const JxCRect& GetArea() const { return area_; }

    // The six page words a page copies when it is initialised.
    std::int16_t GetModal() const { return modal_; }
    std::int16_t GetLink() const { return link_; }
    std::int16_t GetKeepOpen() const { return keepOpen_; }
    std::int16_t GetOpenMode() const { return openMode_; }
    std::int16_t GetParameter1() const { return parameter1_; }
    std::int16_t GetParameter2() const { return parameter2_; }

    const JxCPanelIdList& GetOwnerPanels() const { return ownerPanels_; }
    const JxCPanelIdList& GetPrintPanels() const { return printPanels_; }
    // The template's panel definitions; the template owns them.
    JxCPanelDefList& GetPanelDefs() { return panels_; }
    // The panel definition with that id, or null (no message).
    JxCPanelDef* FindPanelDef(std::int16_t panelId);
    JxCEventHandlerList& GetEventHandlers() { return handlers_; }

private:
    JxCPageTypeId pageType_;
    std::int16_t templateId_ = 0;
    JxCSize size_;
    std::int32_t anchorTemplateId_ = 0;
    std::int32_t anchorPanelId_ = 0;
    std::int16_t anchorPresent_ = 0;
    std::int16_t centring_ = 0;
    std::int16_t wordD_ = 0;
    std::int16_t frameStyle_ = 0;
    std::int32_t captionHeight_ = 0;
    std::int32_t frameInset_ = 0;
    std::int16_t modal_ = 0;
    std::int16_t link_ = 0;
    std::int16_t keepOpen_ = 0;
    std::int16_t openMode_ = 0;
    std::int16_t parameter1_ = 0;
    std::int16_t parameter2_ = 0;
    std::int16_t placement_ = 0;
    std::int16_t areaPresent_ = 0;
    JxCRect area_;
    std::int16_t offsetPresent_ = 0;
    JxCPoint offset_;
    JxCPanelIdList ownerPanels_;
    JxCPanelIdList printPanels_;
    JxCPanelDefList panels_;
    JxCEventHandlerList handlers_;
    std::int16_t reuse_ = 0;
};

class JxCProductDef : public JxCRunTimeObject {
public:
    static constexpr unsigned kNoPanelDefId = 1012;
    static constexpr unsigned kNoTemplateId = 1013;

    JxCProductDef() { templates_.SetOwnsItems(1); }
    ~JxCProductDef() override = default;

    // Reads the record from the definitions block; non-zero on success.
    // What was read before a failure stays in the lists.
    std::int16_t Load(JxCInStrStream& in);

    // The template with that id; reports 1013 and returns null when there
    // is none. Two templates with one id: the first in file order.
    JxCTemplateDef* FindTemplateDef(std::int16_t templateId);
    // The template's page type, or the first page type id ("NULL_PAGE")
    // when the template is missing (the look-up has reported it).
    JxCPageTypeId GetTemplatePageType(std::int16_t templateId);
    // The template's panel definition; 1013 for a missing template, 1012
    // for a missing panel when report is non-zero.
    JxCPanelDef* FindPanelDef(std::int16_t templateId, std::int16_t panelId, std::int16_t report);
    // The template's handlers, null (quietly) when the template is missing.
    JxCEventHandlerList* GetTemplateHandlers(std::int16_t templateId);
    // Takes the template over.
    void AddTemplateDef(JxCTemplateDef* def) { templates_.Add(def); }

    // The page number of the start index's entry of the start pages; an
    // index outside 1 to their count becomes 1 (and the first page is
    // given). 0 when there are no start pages at all.
    std::int32_t GetStartPage();
    void SetStartIndex(std::int32_t index) { startIndex_ = index; }
    std::int32_t GetStartIndex() const { return startIndex_; }
    const std::vector<std::int32_t>& GetStartPages() const { return startPages_; }

    const JxCTableString& GetName() const { return name_; }
    const JxCSize& GetSize() const { return size_; }
    const JxCRGB& GetColour() const { return colour_; }
    std::int16_t GetPopupCloseFlag() const { return popupClose_; }
    std::int32_t GetTransparentIndex() const { return transparentIndex_; }
    // A copy of the data path (file names of data are built from it).
    JxCString GetSecondText() const { return dataPath_; }
    void SetDataPath(const char* path) { dataPath_ = path; }
    const JxCString& GetStoreName() const { return storeName_; }

private:
    JxCTableString name_;
    JxCSize size_;
    JxCTableString labelA_;
    JxCTableString labelB_;
    JxCRGB colour_;
    std::int16_t popupClose_ = 0;
    JxCTypedList<JxCTemplateDef> templates_;
    JxCString dataPath_;
    JxCString storeName_;
    std::int32_t transparentIndex_ = 255;
    std::vector<std::int32_t> startPages_;
    std::int32_t startIndex_ = 0;
};
