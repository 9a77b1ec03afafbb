#pragma once
// The collage display objects: the collage (here), the collage button
// (JxCCollButton.h) and the group collage (JxCGroupCollage.h).
//
// The collage (object type "Collage") shows a sequence of items: its data
// manager supplies them and draws each one, its arrangement manager places
// them; both are made by name from its record. The user selects an item by
// pressing, dragging (the list scrolls, faster and faster, while the
// pointer is held beyond an edge) and chooses it with a double click. It
// tells its linked object (a group collage) of its changes: command 3 the
// selection (with its cause), 4 a scroll, 5 new contents, 6 its end.
//
// The group collage (object type "GroupColl" through the title's class)
// lies over the objects that work with its collage on the same panel: an
// edit box whose text follows the selection and selects the item that
// matches what is typed, a scroll bar, and collage buttons that choose the
// selected item. It handles the list's keys (Enter, the arrows, the page
// keys, Home and End) and passes the mouse on to the objects below it. Its
// members tell it when they go, and it lets go of them when it goes.
//
// The collage button (object type "CollButton") is a button that, when
// clicked, chooses the group's selected item with its activation value.
// With its visible flag 0 it draws nothing but still takes clicks.

#include <cstdint>
#include <memory>
#include <vector>

#include "foundation/JxCRGB.h"
#include "foundation/JxCString.h"
#include "objects/widgets/JxCCollButton.h"
#include "objects/widgets/JxCGroupCollage.h"
#include "runtime/JxCCollageBase.h"

class JxCPanelObject;

// Commands between a collage's members and their group.
enum JxCollageCommand : std::int32_t {
    kCollTextChanged = 1,
    kCollEditBoxGone = 2,
    kCollSelectionChanged = 3,
    kCollScrolled = 4,
    kCollRefreshed = 5,
    kCollCollageGone = 6,
    kCollBarMoved = 7,
    kCollBarGone = 8,
    kCollButtonGone = 9,
    kCollRetakeSelection = 11,
    kCollControlChanged = 12,
    kCollControlGone = 13,
};

// Why an item is selected; the data manager and the linked object hear it.
enum JxCollageCause : std::int32_t {
    kCauseRefresh = 0,
    kCausePress = 3,
    kCauseRelease = 4,
    kCauseDrag = 5,
    kCauseAutoScroll = 6,
    kCauseTyped = 7,
    kCauseHomeEnd = 8,
    kCausePage = 9,
    kCauseArrow = 10,
};

class JxCCollage : public JxCCollageBase {
public:
    // What follows a selection: bringing it into view or to the top.
    enum class Scroll { None, IntoView, ToTop };

    JxCCollage();
    // Stops the timer, tells the linked object, deletes the managers.
    ~JxCCollage() override;

    // The auto-scroll tick while the button is held.
    void OnSystemEvent(JxCTimerParams* record) override;
    // Links the managers, sets them up and fits the rectangle to whole
    // items; the collage keeps the mouse capture itself.
    std::int16_t CreateResources() override;
    // The display-object record, the background colour, a value, then the
    // data and arrangement manager names (counted strings) and their parts.
    // 0 for a name that no registry holds.
    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type) override;
    std::int16_t Draw(JxCSlate* slate, const JxCRect* clip) override;
    std::int16_t MouseDown(const JxCPoint& point) override;
    std::int16_t MouseUp(const JxCPoint& point, std::int16_t flag) override;
    std::int16_t MouseDoubleClick(const JxCPoint& point) override;
    std::int16_t MouseMove(const JxCPoint& point) override;
    // A collage alone handles no keys.
    std::int16_t HandleKey(JxCKeyParams&) override { return 0; }

    // --- What the managers ask --------------------------------------------
    JxCCollDataManager* GetDataManager() const override { return data_.get(); }
    JxCCollArrangementManager* GetArrangementManager() const override { return arrangement_.get(); }
    std::int32_t GetFirstVisible() const override { return firstVisible_; }
    std::int32_t GetVisibleCount() const override { return visibleCount_; }
    std::int32_t GetSelectedIndex() const override { return selected_; }
    // Only while the items do not all fit; clamped to them. Tells the
    // linked object when the first visible position changed.
    void ScrollTo(std::int32_t position, std::int16_t redraw) override;

    // The data manager decides what the index selects; the linked object
    // hears of a change.
    void Select(std::int32_t index, std::int32_t cause, Scroll scroll, std::int16_t redraw);
    // Re-reads the items, measures them again, tells the linked object and
    // selects the index (cause 0) at the top, without a redraw.
    void Refresh(std::int32_t index);
    JxCDisplayObject* SetLinkedObject(JxCDisplayObject* object);
    JxCDisplayObject* GetLinkedObject() const { return linked_; }
    void Disable(std::int16_t redraw);
    void Enable(std::int16_t redraw);
    void Redraw();
    // The position just past the view.
    std::int32_t ViewEnd() const;
    const JxCRGB& GetBackground() const { return background_; }
    std::int16_t HasTimer() const { return timer_; }
    std::int32_t GetAutoScrollStep() const { return step_; }

private:
    JxCPanelObject* panel() const;
    void followUp(Scroll scroll, std::int16_t redraw);
    void tellLinked(std::int32_t code, std::int32_t cause = 0);
    void stopTimer();
    // The item under a point, with its cursor shown; -1 for none.
    std::int32_t pointedItem(const JxCPoint& point);
    void showItemCursor(std::int32_t index);
    JxCPoint clampIntoRect(const JxCPoint& point) const;
    void restartAcceleration(std::int32_t direction);

    std::unique_ptr<JxCCollArrangementManager> arrangement_;
    std::unique_ptr<JxCCollDataManager> data_;
    JxCRGB background_;
    std::int32_t value_ = 0;
    std::int32_t visibleCount_ = -1;
    std::int32_t firstVisible_ = 0;
    std::int32_t selected_ = -1;
    std::int32_t countdown_ = 0;
    std::int32_t divider_ = 0;
    std::int32_t step_ = 0;
    std::int32_t direction_ = 0;
    std::int16_t timer_ = 0;
    JxCString dataName_;
    JxCString arrangementName_;
    JxCDisplayObject* linked_ = nullptr;
};
