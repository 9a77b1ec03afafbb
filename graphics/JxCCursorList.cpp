#include "graphics/JxCCursorList.h"

#include "foundation/JxProductLink.h"
#include "platform/window/cursor.h"
#include "platform/window/messages.h"
#include "platform/window/window.h"

void JxCCursorList::show(plat::HCURSOR cursor)
{
    plat::SetCursor(cursor);
    if (plat::HWND main = ProductMainWindow(); main && plat::IsWindow(main))
        plat::SetClassLongPtrA(main, plat::GCL_HCURSOR, reinterpret_cast<std::uintptr_t>(cursor));
}

void JxCCursorList::SetWaitCursor(const JxCTableString& name)
{
    if (hold_ || name.IsEmpty())
        return;
    for (JxCObject* item = GetFirst(); item; item = GetNext(item)) {
        auto* entry = static_cast<JxCCursorEntry*>(item);
        if (entry->GetName().EqualsNoCase(name)) {
            current_ = entry;
            show(entry->GetCursor());
            return;
        }
    }
    if (name.EqualsNoCase(JxCTableString("Watch")))
        show(plat::LoadCursorA(nullptr, plat::IDC_WAIT));
}

void JxCCursorList::ShowWatchCursor()
{
    saved_ = current_;
    if (!saved_ && !watchPending_) {
        plat::HWND main = ProductMainWindow();
        watchPrevious_ = main && plat::IsWindow(main)
                             ? reinterpret_cast<plat::HCURSOR>(plat::GetClassLongPtrA(main, plat::GCL_HCURSOR))
                             : nullptr;
        watchPending_ = true;
    }
    SetWaitCursor(JxCTableString("Watch"));
}

void JxCCursorList::RestoreCursor()
{
    if (saved_) {
        hold_ = 0;
        watchPending_ = false;
        SetWaitCursor(saved_->GetName());
        return;
    }
    if (!watchPending_)
        return;
    // The watch replaced no entry: put back what the window showed.
    hold_ = 0;
    watchPending_ = false;
    show(watchPrevious_ ? watchPrevious_ : plat::LoadCursorA(nullptr, plat::IDC_ARROW));
}
