#pragma once
// The product's list of named cursors. Showing an entry also makes its
// cursor the main window class's cursor, so that the window keeps showing
// it; "Watch" shows the hourglass when no entry bears that name.

#include <cstdint>

#include "foundation/JxCList.h"
#include "foundation/JxCString.h"
#include "platform/core/types.h"

class JxCCursorEntry : public JxCObject {
public:
    JxCCursorEntry(const JxCString& name, plat::HCURSOR cursor) : name_(name), cursor_(cursor) {}

    const JxCString& GetName() const { return name_; }
    plat::HCURSOR GetCursor() const { return cursor_; }

private:
    JxCString name_;
    plat::HCURSOR cursor_;
};

// Owns its entries (JxCList's default); walked with GetFirst and GetNext.
class JxCCursorList : public JxCList {
public:
    JxCCursorList() = default;

    // The first entry of the name (any case) becomes current and is shown;
    // nothing while the hold flag is set or for an empty name.
    void SetWaitCursor(const JxCTableString& name);
    // Shows the saved entry again. After a "Watch" with no entry current,
    // the class cursor that was there before (the arrow when there was
    // none) comes back, so the hourglass never outlives the wait.
    void RestoreCursor();
    // Saves the current entry and shows "Watch".
    void ShowWatchCursor();

    JxCCursorEntry* GetCurrent() const { return current_; }
    JxCCursorEntry* GetSaved() const { return saved_; }
    std::int16_t GetHold() const { return hold_; }
    void SetHold(std::int16_t hold) { hold_ = hold; }

private:
    void show(plat::HCURSOR cursor);

    JxCCursorEntry* current_ = nullptr;
    JxCCursorEntry* saved_ = nullptr;
    std::int16_t hold_ = 0;
    // A watch shown with nothing current: the class cursor to restore.
    bool watchPending_ = false;
    plat::HCURSOR watchPrevious_ = nullptr;
};
