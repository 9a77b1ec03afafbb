#pragma once
// A panel: a rectangular region of a page that holds display objects. It
// reads its objects and handlers from its record in the product data file
// (or is built from its panel definition alone), draws them into a slate,
// optionally with a panel transition (a wipe slides from the previous
// panel's picture to the new one), routes mouse and key input from the page
// to the object under the point, and holds the mouse capture, the hover
// and the keyboard focus on behalf of one of its objects.
//
// It lives here, beside the product and the page definitions that own the
// panels; the viewing, transparent and title panels derive from it in the
// layers above.
//
// Coordinates: the page passes points in its client coordinates; the panel
// turns them into content coordinates (x + scroll x - left, y + scroll y -
// top - the page's caption height), which its objects and its clip
// rectangles use.

#include <cstdint>
#include <memory>

#include "events/JxCRunTimeObject.h"
#include "foundation/JxCList.h"
#include "foundation/JxCPoint.h"
#include "foundation/JxCRect.h"
#include "foundation/JxCSize.h"
#include "foundation/JxCTypeIds.h"
#include "graphics/JxPanelTransition.h"
#include "runtime/JxCDisplayObject.h"
#include "runtime/JxCProductDef.h"

class JxCInStrStream;
class JxCKeyParams;
class JxCMemorySlate;
class JxCPageDef;
class JxCPageObject;
class JxCSlate;

class JxCPanelObject : public JxCRunTimeObject {
public:
    // Messages the panel reports.
    static constexpr unsigned kNoDisplayObjectTypeId = 1030;
    static constexpr unsigned kCannotCreateSlateId = 1098;

    JxCPanelObject();
    // Marks the panel closing and deletes its display objects.
    ~JxCPanelObject() override;
    JxCPanelObject(const JxCPanelObject&) = delete;
    JxCPanelObject& operator=(const JxCPanelObject&) = delete;

    // Builds the panel from its definition in the page's template, without
    // a stored record; 0 (after message 1012) when there is no definition.
    virtual std::int16_t Init(std::int32_t panelId, JxCPageDef* pageDef);
    // The same from a definition the caller found.
    virtual std::int16_t Init(const JxCPanelDef& def, JxCPageDef* pageDef);
    // Reads the panel's stored record: its id, its display objects, its
    // handlers and the scope word. 0 on a damaged record or a missing
    // definition; the objects read so far stay.
    virtual std::int16_t Read(JxCInStrStream& in, JxCPageDef* pageDef);
    // Sets "PageCloseIfClicked" when the owner page has an unlinked member
    // page; the product asks every panel whenever a page closes.
    virtual void UpdateActive();
    // Runs the owner page's member-page clean-up with the mode and sets the
    // flag to 1 when the product's page count went down; 1.
    virtual std::int16_t TestPageIndex(std::int16_t& flag, std::int16_t mode);
    virtual std::int16_t QueryAt() { return 1; }

    // Draws the objects that meet the clip (content coordinates; none: the
    // visible area) into the slate (none: the panel's own), over the panel's
    // colour; with the transition flag, through an off-screen slate and the
    // panel's transition, once. 1 (also when nothing could be drawn).
    virtual std::int16_t Draw(JxCSlate* slate, const JxCRect* clip, std::int16_t transition);
    virtual std::int16_t PaintBackground(JxCSlate* slate, const JxCRect& rect, std::int16_t flag);
    // After the objects are drawn; a hook for derived panels.
    virtual std::int16_t ReservedPanelCheck2(JxCSlate* slate, const JxCRect& rect)
    {
        (void)slate;
        (void)rect;
        return 1;
    }
    // Draws the whole panel into a slate of page coordinates (printing, the
    // clipboard).
    virtual void DrawForOutput(JxCSlate& slate);

    // --- Input (page client coordinates) -----------------------------------
    virtual std::int16_t MouseDown(const JxCPoint& point);
    virtual std::int16_t MouseUp(const JxCPoint& point);
    virtual std::int16_t MouseDoubleClick(const JxCPoint& point);
    virtual std::int16_t MouseMove(const JxCPoint& point);
    virtual std::int16_t MouseLeave();
    virtual std::int16_t ReservedPanelAccept() { return 1; }
    virtual std::int16_t HandleKey(JxCKeyParams& key);
    // The objects' Start in list order; 0 at the first that answers 0.
    virtual std::int16_t Start();
    // Non-zero: the panel draws relative to its scroll offset.
    virtual std::int16_t UsesOwnOrigin() const { return 0; }
    JxCPoint GetScrollOffset() const { return JxCPoint(scroll_.cx, scroll_.cy); }

    // --- Run-time object ---------------------------------------------------
    JxCString GetDataPath() override;
    void* GetDC() override;
    std::int16_t ReleaseDC(void* dc) override;
    JxCSlate* GetSlate() override;
    std::int16_t ReleaseSlate(JxCSlate* slate) override;
    JxCRunTimeObject* GetContainer() const override { return const_cast<JxCPanelObject*>(this); }
    std::int32_t GetKind() const override { return kPanelKind; }
    std::int16_t CreateResources() override;
    std::int16_t ReleaseResources() override;
    std::int16_t GetNumberProperty(std::int16_t index, std::int32_t* value) override;
    std::int16_t SetNumberProperty(std::int16_t index, std::int32_t value) override;
    std::int16_t GetFlagProperty(std::int16_t index, std::int16_t* flag) override;
    std::int16_t SetFlagProperty(std::int16_t index, std::int16_t flag) override;
    std::int16_t GetStringProperty(std::int16_t index, JxCString* text) override;
    std::int16_t SetStringProperty(std::int16_t index, const JxCString& text) override;
    JxPropertyKind GetPropertyInfo(std::int16_t index, std::int32_t* stringId) override;

    // --- Plain operations ----------------------------------------------------
    std::int32_t GetId() const { return panelId_; }
    JxCPanelTypeId GetPanelType() const { return panelType_; }
    JxCRect GetRect() const { return rect_; }
    void SetRect(const JxCRect& rect) { rect_ = rect; }
    JxCSize GetScrollSize() const { return scroll_; }
    JxCSize GetContentExtent() const { return extent_; }
    JxCPageObject* GetParent() const { return ownerPage_; }
    JxCPageDef* GetPage() const { return pageDef_; }
    // Returns the previous definition.
    JxCPageDef* SetPage(JxCPageDef* pageDef);
    // The owner page, and the page definition taken from it.
    void SetOwnerPage(JxCPageObject* page);
    JxCDisplayObjectList& GetDisplayObjects() { return objects_; }
    // The first object of the id (all 32 bits set finds none), of the tag.
    JxCDisplayObject* FindObjectById(std::int32_t id);
    JxCDisplayObject* FindObjectByTag(std::int32_t tag);
    // The topmost object whose hit test takes the content point.
    JxCDisplayObject* FindObjectAtPoint(const JxCPoint& point);
    // Page client coordinates to content coordinates.
    JxCPoint ToContent(const JxCPoint& point) const;

    void CaptureMouse(JxCDisplayObject* object);
    virtual JxCDisplayObject* GetCaptureObject() const { return captureObject_; }
    void ReleaseCaptureObject() { captureObject_ = nullptr; }
    JxCDisplayObject* GetHoverObject() const { return hoverObject_; }
    void ClearHoverObject() { hoverObject_ = nullptr; }
    JxCDisplayObject* GetFocusObject() const { return focusObject_; }
    void SetFocusObject(JxCDisplayObject* object) { focusObject_ = object; }
    void ClearFocusObject() { focusObject_ = nullptr; }
    // A display object that goes is no longer the capture, hover or focus
    // object.
    void ForgetObject(const JxCDisplayObject* object);

    std::int32_t GetTransitionType() const { return transitionType_; }
    void SetTransitionType(std::int32_t type) { transitionType_ = type; }
    std::int16_t IsTransitionPending() const { return transitionPending_; }
    void SetPreviousPanel(JxCPanelObject* panel) { previousPanel_ = panel; }
    void SetInTransition(std::int16_t on) { transition_.inTransition = on; }
    std::int16_t IsInTransition() const { return transition_.inTransition; }
    void MarkClosing() { closing_ = 1; }
    std::int16_t IsClosing() const { return closing_; }
    // The "PageCloseIfClicked" word: objects show the default cursor while
    // it is set.
    std::int16_t IsActive() const { return pageCloseIfClicked_; }
    std::int16_t GetDefinitionFlag() const { return definitionFlag_; }

protected:
    void SetId(std::int32_t id) { panelId_ = id; }

private:
    // The panel's definition in its page's template; 1012 when missing.
    JxCPanelDef* findDefinition(std::int16_t report) const;
    void takeDefinition(const JxCPanelDef& def);
    void clearForRead(JxCPageDef* pageDef);
    std::int16_t readObjects(JxCInStrStream& in);
    void widenExtent(const JxCRect& rect);
    JxCRect visibleArea() const;
    // Content coordinates to the owner page window's client coordinates.
    JxCRect windowArea(const JxCRect& area) const;
    std::int16_t setPosition(std::int16_t index, std::int32_t value);
    void redraw(const JxCRect& pageArea);
    void drawContent(JxCSlate* slate, const JxCRect& area, std::int16_t transition);
    void drawInto(JxCSlate* target, const JxCRect& area, std::int16_t transition);
    // The off-screen picture of a transition of the type (which becomes 0
    // when no double slate can be made); null when no slate can be made.
    std::unique_ptr<JxCMemorySlate> makeTransitionSlate(const JxCRect& area, std::int32_t& type);
    void drawHalves(JxCMemorySlate& slate, const JxCRect& area, std::int32_t type);

    std::int16_t definitionFlag_ = 0;
    std::int16_t transitionPending_ = 0;
    JxCRect rect_;
    JxCSize scroll_;
    JxCSize extent_;
    std::int32_t panelId_ = 0;
    JxCPanelTypeId panelType_;
    JxCDisplayObjectList objects_;
    JxCPageDef* pageDef_ = nullptr;
    JxCPageObject* ownerPage_ = nullptr;
    JxCDisplayObject* captureObject_ = nullptr;
    std::int32_t transitionType_ = 0;
    std::int16_t pageCloseIfClicked_ = 0;
    JxCDisplayObject* hoverObject_ = nullptr;
    // The in-transition word and the held slate, which the transition
    // runner sets while it runs.
    JxCTransitionState transition_;
    JxCPanelObject* previousPanel_ = nullptr;
    std::int16_t closing_ = 0;
    JxCDisplayObject* focusObject_ = nullptr;
};

// A page definition's panels; the list owns them.
class JxCPanelObjectList : public JxCTypedList<JxCPanelObject> {
public:
    JxCPanelObjectList() { SetOwnsItems(1); }
    JxCPanelObject* FindById(std::int32_t id);
    // Closes the panels one by one, first to last, until none is left.
    void CloseAll();
};
