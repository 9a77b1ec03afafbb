#pragma once
// A page as the product opens, orders and closes it, and the product's
// lists of pages.
//
// A stand-in with the operations the product uses and the links it keeps
// between pages (definition, opener, members). The pages themselves
// (windows, panels, drawing, input routing, pop-ups, base and child pages)
// come with the objects layer, which grows these classes.

#include <cstdint>
#include <memory>
#include <vector>

#include "events/JxCRunTimeObject.h"
#include "foundation/JxCList.h"
#include "foundation/JxCPoint.h"
#include "platform/core/types.h"
#include "runtime/JxCPageDef.h"

class JxCPanelObject;

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
    // Set: pages opened from this one take this page's opener as theirs.
    virtual std::int16_t GetKeepOpen() const { return 0; }
    // Non-zero: the page stays above the others (the topmost list).
    virtual std::int16_t GetOpenMode() const { return 0; }
    // Makes what the page needs to show itself; 0 when memory runs out.
    virtual std::int16_t CreateResources() { return 1; }
    virtual plat::HWND GetWindow() const { return nullptr; }
    // Runs when the page's first paint has been seen (message 1025).
    virtual std::int16_t Start();
    virtual void MouseMove(const JxCPoint& point);
    // The panel holding the mouse capture, or null; ending the capture
    // clears it and its object.
    virtual JxCPanelObject* GetCapturePanel() const { return nullptr; }
    virtual void EndCapture() {}

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
    std::unique_ptr<JxCPageDef> def_;
    JxCPageObject* opener_ = nullptr;
    std::vector<JxCPageObject*> members_;
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
