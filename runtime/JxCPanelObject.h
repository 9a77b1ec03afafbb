#pragma once
// A panel as the product builds it from a panel definition, and the owning
// list of a page definition's panels.
//
// A stand-in with the operations the product uses; the panels themselves
// (drawing, display objects, transitions, input) come with the objects
// layer, which grows these classes.

#include <cstdint>

#include "events/JxCRunTimeObject.h"
#include "foundation/JxCList.h"
#include "foundation/JxCPoint.h"

class JxCDisplayObject;
class JxCInStrStream;
class JxCPageDef;
class JxCPanelDef;
class JxCSlate;

class JxCPanelObject : public JxCRunTimeObject {
public:
    JxCPanelObject() = default;
    ~JxCPanelObject() override = default;

    // Builds the panel from a definition without a stored record: its id,
    // colour, position and size. Non-zero on success.
    virtual std::int16_t Init(const JxCPanelDef& def, JxCPageDef* pageDef);
    // Reads the panel's stored record. Non-zero on success.
    virtual std::int16_t Read(JxCInStrStream& in, JxCPageDef* pageDef);
    // Takes the panel's active state from its page.
    virtual void UpdateActive() {}
    // The display object holding the mouse capture in the panel, or null.
    virtual JxCDisplayObject* GetCaptureObject() const { return nullptr; }
    // Runs the owner page's page-list clean-up with the value and sets the
    // flag to 1 when the product's page count went down; 1. The main window
    // asks before a close (value 1) and before a caption drag (value 0, a
    // set flag cancels the drag).
    virtual std::int16_t TestPageIndex(std::int16_t& flag, std::int16_t value)
    {
        (void)flag;
        (void)value;
        return 1;
    }

    // --- Output (printing, the clipboard) ----------------------------------
    // Draws the panel into a slate at the panel's place.
    virtual void Draw(JxCSlate& slate) { (void)slate; }
    // Non-zero: the panel draws relative to its scroll offset, so the slate
    // origin moves by that offset while it draws.
    virtual std::int16_t UsesOwnOrigin() const { return 0; }
    virtual JxCPoint GetScrollOffset() const { return {}; }

    std::int16_t GetId() const { return id_; }

protected:
    void SetId(std::int16_t id) { id_ = id; }

private:
    std::int16_t id_ = 0;
};

// A page definition's panels; the list owns them.
class JxCPanelObjectList : public JxCTypedList<JxCPanelObject> {
public:
    JxCPanelObjectList() { SetOwnsItems(1); }
    JxCPanelObject* FindById(std::int16_t id);
    // Closes the panels one by one, first to last, until none is left.
    void CloseAll();
};
