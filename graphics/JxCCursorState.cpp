#include "graphics/JxCCursorState.h"

#include "foundation/JxResourceLibraries.h"
#include "platform/clock/clock.h"
#include "platform/window/cursor.h"

JxCCursorState::~JxCCursorState()
{
    if (cursor_)
        plat::DestroyCursor(cursor_);
    if (named_ && named_ != cursor_)
        plat::DestroyCursor(named_);
}

std::int16_t JxCCursorState::showSystemCursor(const char* id)
{
    plat::HCURSOR cursor = plat::LoadCursorA(nullptr, id);
    if (!cursor)
        return 0;
    plat::SetCursor(cursor);
    return 1;
}

std::int16_t JxCCursorState::LoadCursorByName(const JxCTableString& name)
{
    if (name.IsEmpty())
        return 1;
    if (name == JxCTableString("Arrow"))
        return ShowArrowCursor();
    if (name == JxCTableString("Wait"))
        return ShowWaitCursor();
    if (name == JxCTableString("IBeam"))
        return showSystemCursor(plat::IDC_IBEAM);
    if (name == JxCTableString("Plus"))
        return showSystemCursor(plat::IDC_CROSS) || ShowArrowCursor();
    if (name == JxCTableString("Cross"))
        return showSystemCursor(plat::IDC_CROSS);
    const std::string text(name.View());
    plat::HCURSOR cursor = LoadCursorFromLibraries(1, text.c_str());
    if (!cursor) {
        ShowArrowCursor();
        return 0;
    }
    plat::SetCursor(cursor);
    if (cursor != named_) {
        if (named_)
            plat::DestroyCursor(named_);
        named_ = cursor;
    }
    return 1;
}

std::int16_t JxCCursorState::ShowWaitCursor()
{
    return showSystemCursor(plat::IDC_WAIT);
}

std::int16_t JxCCursorState::ShowArrowCursor()
{
    return showSystemCursor(plat::IDC_ARROW);
}

std::int16_t JxCCursorState::BeginEndBusy(std::int16_t end)
{
    if (!end) {
        ShowWaitCursor();
        ++count_;
        if (count_ < 2 && beginTick_ == 0)
            beginTick_ = plat::GetTickCount();
        return 0;
    }
    endTick_ = plat::GetTickCount();
    if (count_ > 0) {
        --count_;
        if (count_ < 1)
            return 1;
    }
    return 0;
}
