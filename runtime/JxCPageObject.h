#pragma once
// A page as the product opens, orders and closes it, and the product's
// lists of pages.
//
// A stand-in with the operations the product and the main window procedure
// use and the links it keeps between pages (definition, opener, members).
// The pages themselves (windows, panels, drawing, the passing of input to
// panels and display objects, pop-ups, base and child pages) come with the
// objects layer, which grows these classes.

#include <cstdint>
#include <memory>
#include <vector>

#include "events/JxCRunTimeObject.h"
#include "foundation/JxCList.h"
#include "foundation/JxCPoint.h"
#include "foundation/JxCSize.h"
#include "platform/core/types.h"
#include "runtime/JxCPageDef.h"

class JxCKeyParams;
class JxCPanelObject;
class JxCPanelObjectList;

class JxCPageObject : public JxCRunTimeObject {
public:
    JxCPageObject();
    ~JxCPageObject() override;
    JxCPageObject(const JxCPageObject&) = delete;
    JxCPageObject& operator=(const JxCPageObject&) = delete;

    // Sets the page up from its definition; on success the page owns it.
    virtual std::int16_t Init(JxCPageDef* def);
    JxCPageDef* GetPageDef() const { return def_.get(); }
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
    virtual std::int16_t GetOpenMode() const { return 0; }
    // Makes what the page needs to show itself; 0 when memory runs out.
    virtual std::int16_t CreateResources() { return 1; }
    virtual plat::HWND GetWindow() const { return nullptr; }
    // Runs when the page's first paint has been seen (message 1025).
    virtual std::int16_t Start();

    // --- What the main window procedure routes to the page ----------------
    // Paints the page into its window (validating what it paints).
    virtual void Refresh() {}
    // The window moved.
    virtual void MoveResize(plat::HWND window) { (void)window; }
    // Mouse input in the client coordinates of the page's window; the page
    // passes it to the panel and display object under the point.
    virtual void MouseDown(const JxCPoint& point) { (void)point; }
    virtual void MouseUp(const JxCPoint& point) { (void)point; }
    virtual void MouseDoubleClick(const JxCPoint& point) { (void)point; }
    virtual void MouseMove(const JxCPoint& point);
    // The mouse came into or left the page's window.
    virtual void MouseEnter() {}
    virtual void MouseLeave() {}
    // The non-client hit code of a point in screen coordinates: 0 for none
    // (the base page), 2 for a caption of the page's own, 3 for its close
    // box.
    virtual std::int16_t GetWindowRect(const plat::POINT& screen) const
    {
        (void)screen;
        return 0;
    }
    // Non-zero when a panel of the page lies under the point.
    virtual std::int16_t QueryPanelAt(const JxCPoint& point) const
    {
        (void)point;
        return 0;
    }
    virtual void HandleKey(JxCKeyParams& key) { (void)key; }
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
    // A panel that goes is forgotten.
    void ForgetPanel(const JxCPanelObject* panel);
    // The height of the page's own caption (popup pages); 0 for the others.
    virtual std::int32_t GetCaptionHeight() const { return 0; }
    // Closes the member pages: mode 1 every one that is not kept open,
    // mode 0 only the unlinked ones. Pages opened from this one are
    // recorded but none is linked or kept open yet, so nothing closes.
    virtual void CloseMemberPages(std::int16_t mode) { (void)mode; }
    // Whether a member page is unlinked (a click elsewhere closes it).
    virtual std::int16_t HasUnlinkedMember() const { return 0; }

    // --- Output (printing, the clipboard) ----------------------------------
    // The page's size: the picture printed or copied when its template names
    // no print panels.
    virtual JxCSize GetPageSize() const { return {}; }
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

    // An object that goes is forgotten: links to it are cleared (compared
    // by address only; it may be half destroyed).
    void ForgetPage(const JxCNotifyRoot* dying);

private:
    // Declared before the definition, which owns the panels: a panel that
    // goes with the definition may still clear it.
    JxCPanelObject* capturePanel_ = nullptr;
    std::unique_ptr<JxCPageDef> def_;
    JxCPageObject* opener_ = nullptr;
    std::vector<JxCPageObject*> members_;
    std::int16_t keepOpen_ = 0;
    std::int16_t closeRefused_ = 0;
};

// The product's open pages in opening order: the first is the base page in
// the main window. The list does not own the pages; closing a page deletes
// it, and a page left when the list goes is closed then.
class JxCPageObjectList : public JxCTypedList<JxCPageObject> {
public:
    JxCPageObjectList() { SetOwnsItems(0); }
    ~JxCPageObjectList() override;

    // Takes the page out of the product's page lists, ends a mouse capture
    // it holds and deletes it; 0 when the page is not in this list.
    std::int16_t ClosePage(JxCPageObject* page);
};

// Pages that stay above the others; not owned.
class JxCTopmostPageList : public JxCTypedList<JxCPageObject> {
public:
    JxCTopmostPageList() { SetOwnsItems(0); }
};
