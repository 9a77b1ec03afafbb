#pragma once
// A page as the product opens, orders and closes it, and the product's
// lists of pages.
//
// A page shows the panels of one page definition in one window, routes the
// mouse and keys the main window hands it to its panels, keeps the mouse
// capture, the hover and the keyboard focus on behalf of a panel, and keeps
// the pages opened from it (its members) so that they close with it. The
// page kinds (base, child and popup pages, the title's) derive from it.

#include <cstdint>
#include <memory>
#include <vector>

#include "events/JxCRunTimeObject.h"
#include "foundation/JxCList.h"
#include "foundation/JxCPoint.h"
#include "foundation/JxCRect.h"
#include "foundation/JxCSize.h"
#include "platform/core/types.h"
#include "runtime/JxCPageDef.h"

class JxCBaseProduct;
class JxCDisplayObject;
class JxCKeyParams;
class JxCPanelObject;
class JxCPanelObjectList;
class JxCSlate;

class JxCPageObject : public JxCRunTimeObject {
public:
    JxCPageObject();
    ~JxCPageObject() override;
    JxCPageObject(const JxCPageObject&) = delete;
    JxCPageObject& operator=(const JxCPageObject&) = delete;

    // Sets the page up from its definition; on success the page owns it.
    virtual std::int16_t Init(JxCPageDef* def);
    JxCPageDef* GetPageDef() const { return def_.get(); }
    // The page shows another definition from now on, which it owns; the
    // one it replaces goes to the caller.
    JxCPageDef* SetPageDef(JxCPageDef* def);
    // The page id of the definition (0 without one).
    std::int32_t GetPageId() const;

    // Whether the page may take the keyboard focus.
    virtual std::int16_t CanActivate() const { return 1; }
    // The keep-open word. Set: pages opened from this one take this page's
    // opener as theirs. Cleared before the page's window is closed.
    virtual std::int16_t GetKeepOpen() const { return keepOpen_; }
    void SetKeepOpen(std::int16_t keepOpen) { keepOpen_ = keepOpen; }
    void ClearKeepOpen() { keepOpen_ = 0; }
    // Set by the page's "on_close" handling to keep the main window open;
    // the main window's close reads it and clears it.
    std::int16_t IsCloseRefused() const { return closeRefused_; }
    void SetCloseRefused(std::int16_t refused) { closeRefused_ = refused; }
    // Non-zero: the page stays above the others (the topmost list).
    virtual std::int16_t GetOpenMode() const { return openMode_; }
    // Makes what the page needs to show itself; 0 when memory runs out.
    std::int16_t CreateResources() override { return 1; }
    virtual plat::HWND GetWindow() const { return window_; }
    void SetWindow(plat::HWND window) { window_ = window; }
    // Runs when the page's first paint has been seen (message 1025).
    virtual std::int16_t Start();

    // --- What the main window procedure routes to the page ----------------
    // Paints the page into its window (validating what it paints).
    virtual void Refresh() { Paint(nullptr, 1); }
    // Draws the panels that meet the area (the slate's, or the window's
    // invalid area, validated); 0 when a panel fails to draw.
    std::int16_t Paint(JxCSlate* slate, std::int16_t transition);
    // Draws the panels that meet the clip (page coordinates less the
    // caption height).
    std::int16_t DrawPanels(JxCSlate* slate, JxCRect clip, std::int16_t transition);
    // Every panel takes this page as its owner and makes its resources; 0
    // at the first that fails.
    std::int16_t CreatePanelResources();

    // --- Run-time object ---------------------------------------------------
    void* GetDC() override;
    std::int16_t ReleaseDC(void* dc) override;
    // A slate on the page's window below its caption; null without one.
    JxCSlate* GetSlate() override;
    std::int16_t ReleaseSlate(JxCSlate* slate) override;
    // The window moved.
    virtual void MoveResize(plat::HWND window) { (void)window; }
    // Mouse input in the client coordinates of the page's window; the page
    // passes it to the panel and display object under the point.
    // With a capture panel it alone gets the input; a press or release first
    // paints what the window has left unpainted.
    virtual void MouseDown(const JxCPoint& point);
    virtual void MouseUp(const JxCPoint& point);
    virtual void MouseDoubleClick(const JxCPoint& point);
    virtual void MouseMove(const JxCPoint& point);
    // The mouse came into or left the page's window.
    virtual void MouseEnter() {}
    virtual void MouseLeave();
    // The non-client hit code of a point in screen coordinates: 0 for none
    // (the base page), 2 for a caption of the page's own, 3 for its close
    // box.
    virtual std::int16_t GetWindowRect(const plat::POINT& screen) const
    {
        (void)screen;
        return 0;
    }
    // Where a page of the size goes on the screen: the rectangle whose
    // top-left corner, plus the definition point, is the window's place.
    // Empty for the pages that live where their kind puts them.
    virtual void GetScreenRect(const JxCSize& size, JxCRect& rect) { (void)size; rect = JxCRect(); }
    // Non-zero when a panel of the page lies under the point.
    virtual std::int16_t QueryPanelAt(const JxCPoint& point) const;
    // To the focus panel, else the capture panel, else every panel up to the
    // first closing one.
    virtual void HandleKey(JxCKeyParams& key);
    // The first panel in list order whose rectangle holds the point less
    // the caption height (panels are not stacked); null for none.
    JxCPanelObject* FindPanelAtPoint(const JxCPoint& point) const;
    JxCPanelObject* FindPanelById(std::int32_t id) const;
    // Asked before the page's window is dragged by its caption.
    virtual std::int16_t CanMove() { return 1; }
    // Redraws the page's frame after the focus page changed.
    virtual void DrawFrame() {}
    // The page's panels (its definition's); null without a definition.
    JxCPanelObjectList* GetPanelList() const;
    // The panel holding the mouse capture, or null; ending the capture
    // clears it and its object.
    virtual JxCPanelObject* GetCapturePanel() const { return capturePanel_; }
    virtual void EndCapture();
    // The panel takes the mouse capture for one of its objects: the page's
    // window captures the mouse and the product records the page.
    virtual void SetCapturePanel(JxCPanelObject* panel);
    // A panel that goes is no longer the capture, hover or focus panel.
    void ForgetPanel(const JxCPanelObject* panel);
    JxCPanelObject* GetHoverPanel() const { return hoverPanel_; }
    JxCPanelObject* GetFocusPanel() const { return focusPanel_; }
    // The object's panel takes the focus for it; a former focus object
    // loses it. Returns the former focus object.
    JxCDisplayObject* SetFocusObject(JxCDisplayObject* object);
    JxCDisplayObject* GetFocusObject() const;
    void ClearFocus();
    // The height of the page's own caption (popup pages); 0 for the others.
    virtual std::int32_t GetCaptionHeight() const { return 0; }
    // Closes the member pages: mode 0 leaves linked members (cleaning up
    // their own unlinked ones); a member kept open has its members closed
    // in mode 1 and waits in the product's second page list; any other
    // member is closed with its panels.
    virtual void CloseMemberPages(std::int16_t mode);
    // Closes the child pages among the members (in mode 0 only unlinked
    // ones), not descending into their members.
    void CloseChildMembers(std::int16_t mode);
    // Whether a member page is unlinked (a click elsewhere closes it).
    virtual std::int16_t HasUnlinkedMember() const;
    // Tells the page's panels it goes, then has the product close it.
    static void ClosePageAndPanels(JxCPageObject* page);

    // The link word: a page with none (0 or below) is unlinked and closes
    // when its opener is clicked elsewhere.
    std::int16_t IsUnlinked() const { return link_ <= 0 ? 1 : 0; }
    void SetLink(std::int16_t link) { link_ = link; }
    std::int16_t GetTemplateParam1() const { return templateParam1_; }
    std::int16_t GetTemplateParam2() const { return templateParam2_; }
    void SetTemplateParams(std::int16_t param1, std::int16_t param2)
    {
        templateParam1_ = param1;
        templateParam2_ = param2;
    }
    void SetOpenMode(std::int16_t mode) { openMode_ = mode; }
    void MarkClosing() { closing_ = 1; }
    // The number of the page's last first-paint message (0: none posted).
    std::uint32_t GetFirstPaintSerial() const { return firstPaintSerial_; }
    void SetFirstPaintSerial(std::uint32_t serial) { firstPaintSerial_ = serial; }
    std::int16_t IsClosing() const { return closing_; }
    // A popup that stays above its opener follows it to the opener's own
    // opener when the opener closes; the other pages have nothing to move.
    // 1 when the page has moved over the opener.
    virtual std::int16_t MoveToOpener(JxCPageObject* opener)
    {
        (void)opener;
        return 0;
    }

    // --- Output (printing, the clipboard) ----------------------------------
    // The page's size: the picture printed or copied when its template names
    // no print panels.
    // The template's size when it gives one; else a lone panel's content
    // (the panel takes that size) or the furthest panel edges.
    virtual JxCSize GetPageSize() const;
    // The ids of the template's print panels, in their order; none: the
    // whole page is output.
    virtual std::vector<std::int16_t> GetPrintPanelIds() const { return {}; }

    // The page this one was opened from (not owned).
    JxCPageObject* GetOpenerPage() const { return opener_; }
    void SetOpenerPage(JxCPageObject* page) { opener_ = page; }
    // Pages opened from this one (not owned); a page is recorded once.
    void AddMember(JxCPageObject* page);
    void RemoveMember(const JxCPageObject* page);
    bool HasMember(const JxCPageObject* page) const;
    // Takes the page out of the members without closing it; 0 for none.
    std::int16_t Detach(JxCPageObject* page);
    const std::vector<JxCPageObject*>& GetMembers() const { return members_; }

    // The screen rectangle the page keeps for following its opener.
    const JxCRect& GetStoredRect() const { return storedRect_; }
    void SetStoredRect(const JxCRect& rect) { storedRect_ = rect; }
    // Pages opened from this one that count on it staying (never below 0).
    std::int32_t GetDependantCount() const { return dependants_; }
    void RaiseDependants() { ++dependants_; }
    void LowerDependants() { dependants_ = dependants_ > 0 ? dependants_ - 1 : 0; }

    // An object that goes is forgotten: links to it are cleared (compared
    // by address only; it may be half destroyed).
    void ForgetPage(const JxCNotifyRoot* dying);

private:
    // Declared before the definition, which owns the panels: a panel that
    // goes with the definition may still clear it.
    JxCPanelObject* capturePanel_ = nullptr;
    JxCPanelObject* hoverPanel_ = nullptr;
    JxCPanelObject* focusPanel_ = nullptr;
    std::unique_ptr<JxCPageDef> def_;
    JxCPageObject* opener_ = nullptr;
    plat::HWND window_ = nullptr;
    std::vector<JxCPageObject*> members_;
    JxCRect storedRect_;
    std::int32_t dependants_ = 0;
    std::int16_t keepOpen_ = 0;
    std::int16_t closeRefused_ = 0;
    std::int16_t link_ = 0;
    std::int16_t templateParam1_ = 0;
    std::int16_t templateParam2_ = 0;
    std::int16_t openMode_ = 0;
    std::int16_t closing_ = 0;
    std::uint32_t firstPaintSerial_ = 0;

protected:
    // Set until the first paint has been announced to the product.
    std::int16_t firstPaint_ = 1;
    // Set while the page kind makes its resources.
    std::int16_t makingResources_ = 0;

private:

    bool holdsPanel(const JxCPanelObject* panel) const;
    void paintPending();
    JxCPanelObject* buttonTarget(const JxCPoint& point);
};

// The product's open pages in opening order: the first is the base page in
// the main window. The list does not own the pages; closing a page deletes
// it, and a page left when the list goes is closed then.
class JxCPageObjectList : public JxCTypedList<JxCPageObject> {
public:
    JxCPageObjectList() { SetOwnsItems(0); }
    ~JxCPageObjectList() override;

    // Takes the page out of the product's page lists and out of its
    // opener's members; popups above it that it opened go to its opener.
    // Ends a mouse capture it holds and deletes it; 0 when the page is not
    // in this list.
    std::int16_t ClosePage(JxCPageObject* page);

private:
    static void handOverPopups(JxCBaseProduct& product, JxCPageObject& page);
};

// Pages that stay above the others; not owned.
class JxCTopmostPageList : public JxCTypedList<JxCPageObject> {
public:
    JxCTopmostPageList() { SetOwnsItems(0); }
};
