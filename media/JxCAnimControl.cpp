#include "media/JxCAnimControl.h"

#include <algorithm>

#include "events/JxCNotify.h"
#include "foundation/JxCInStrStream.h"
#include "graphics/JxCMemorySlate.h"
#include "media/JxPicsActions.h"
#include "platform/draw/surface.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCPageObject.h"
#include "runtime/JxCPanelObject.h"
#include "runtime/JxSharedBitmaps.h"

namespace {

constexpr plat::UINT kFollowPeriodMs = 100;

JxCSize ImageSize(const JxObjectRef* image)
{
    plat::BITMAP info;
    if (!image || !image->handle || !plat::GetObject(image->handle, sizeof info, &info))
        return JxCSize(0, 0);
    return JxCSize(std::int16_t(info.bmWidth), std::int16_t(info.bmHeight < 0 ? -info.bmHeight : info.bmHeight));
}

bool ReadPoint(JxCInStrStream& in, JxCPoint& point)
{
    return bool(in.ReadBigEndian16(point.x).ReadBigEndian16(point.y));
}

JxCRect HitRect(const JxCPoint& at, const JxCSize& size)
{
    return JxCRect(at.x, at.y, std::int16_t(at.x + size.cx), std::int16_t(at.y + size.cy));
}

}  // namespace

// --- Controller ----------------------------------------------------------------

JxCResourceController::~JxCResourceController()
{
    StopTimer(this);
}

std::int16_t JxCResourceController::Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type)
{
    if (!JxCDisplayObject::Read(in, container, type))
        return 0;
    JxCTableString cursor, animation;
    if (!in.ReadBigEndian32(value1_).ReadBigEndian32(value2_))
        return 0;
    if (!ReadTableString(in, cursor) || !ReadTableString(in, animation))
        return 0;
    if (!in.ReadBigEndian16(autoPlay_).ReadBigEndian16(rewindAtEnd_))
        return 0;
    if (!ReadPoint(in, playAt_) || !ReadPoint(in, rewindAt_) || !ReadPoint(in, meterAt_))
        return 0;
    cursor_ = JxCString(cursor);
    animationName_ = JxCString(animation);
    return 1;
}

void JxCResourceController::SetActions(JxCPlayPicsAction* play, JxCStopPicsAction* stop, JxCSeekPicsAction* seek)
{
    play_ = play;
    stop_ = stop;
    seek_ = seek;
}

const JxObjectRef* JxCResourceController::Image(const char* name) const
{
    auto it = images_.find(name);
    return it == images_.end() ? nullptr : it->second.get();
}

bool JxCResourceController::LoadImage(const char* name)
{
    const std::string resource = std::string("@") + name;
    JxSharedImage image = LoadSharedBitmap(*this, JxCTableString(resource.c_str()));
    if (!image)
        return false;
    images_[name] = std::move(image);
    return true;
}

void JxCResourceController::Place(const JxCPoint& play, const JxCPoint& rewind, const JxCPoint& meter)
{
    playAt_ = play;
    rewindAt_ = rewind;
    meterAt_ = meter;
    playRect_ = HitRect(playAt_, ImageSize(Image("Play")));
    rewindRect_ = HitRect(rewindAt_, ImageSize(Image("Rewind")));
}

bool JxCResourceController::bound() const
{
    return play_ && play_->GetResource();
}

std::int32_t JxCResourceController::position() const
{
    return play_ ? play_->GetPosition() : 0;
}

std::int32_t JxCResourceController::length() const
{
    return play_ ? play_->GetLength() : 0;
}

std::int16_t JxCResourceController::StartTimer(JxCNotifyRoot* owner)
{
    JxCBaseProduct* product = GetProduct();
    if (!product || timerSlot_ >= 0)
        return timerSlot_ >= 0;
    if (!product->SetTimer(owner, &timerSlot_, kFollowPeriodMs)) {
        timerSlot_ = -1;
        return 0;
    }
    return 1;
}

std::int16_t JxCResourceController::StopTimer(JxCNotifyRoot* owner)
{
    if (timerSlot_ < 0)
        return 0;
    JxCBaseProduct* product = GetProduct();
    const std::int16_t slot = timerSlot_;
    timerSlot_ = -1;
    return product ? product->KillTimer(owner, slot) : 0;
}

std::int16_t JxCResourceController::Start()
{
    loaded_ = 1;
    for (const char* name : kHeldDown)
        if (!Image(name))
            loaded_ = 0;
    if (play_ && autoPlay_) {
        StopActiveObjects(1);
        play_->Register(this);
        play_->Trigger(0);
    }
    return 1;
}

void JxCResourceController::drawImage(JxCSlate& slate, const char* name, const JxCPoint& at)
{
    const JxObjectRef* image = Image(name);
    const JxCSize size = ImageSize(image);
    const JxCRect& r = GetRect();
    const JxCRect place(std::int16_t(r.left + at.x), std::int16_t(r.top + at.y), std::int16_t(r.left + at.x + size.cx),
                        std::int16_t(r.top + at.y + size.cy));
    DrawBitmapAt(*this, image, place, JxCPoint(0, 0), &slate, 0);
}

std::int16_t JxCResourceController::Draw(JxCSlate* slate, const JxCRect*)
{
    const std::int32_t at = position();
    const std::int32_t total = length();
    const JxCRect& r = GetRect();
    if (r.IsEmpty())
        return 1;
    JxCMemorySlate offscreen(r.Width(), -r.Height(), r.left, r.top);
    drawImage(offscreen, "Background", JxCPoint(0, 0));
    const char* playImage = "Play";
    if (playing_)
        playImage = playPressed_ ? "DPause" : "Pause";
    else if (at == total)
        playImage = "GreyPlay";
    else if (playPressed_)
        playImage = "DPlay";
    drawImage(offscreen, playImage, playAt_);
    if (at > 0)
        drawImage(offscreen, rewindPressed_ ? "DRewind" : "Rewind", rewindAt_);
    else if (!rewindPressed_)
        drawImage(offscreen, "GreyRewind", rewindAt_);
    if (play_ && total != 0) {
        const JxObjectRef* meter = Image("Meter");
        const JxCSize size = ImageSize(meter);
        const std::int32_t shown = std::clamp<std::int32_t>(at, 0, total);
        const auto width = std::int16_t(std::int64_t(size.cx) * shown / total);
        const JxCRect place(std::int16_t(r.left + meterAt_.x), std::int16_t(r.top + meterAt_.y),
                            std::int16_t(r.left + meterAt_.x + width), std::int16_t(r.top + meterAt_.y + size.cy));
        if (width > 0)
            DrawBitmapAt(*this, meter, place, JxCPoint(0, 0), &offscreen, 0);
    }
    JxCSlate* target = slate ? slate : GetSlate();
    if (!target)
        return 0;
    JxCSlate::Blit(target, &offscreen, &r, &r, 0);
    if (!slate)
        ReleaseSlate(target);
    return 1;
}

void JxCResourceController::redraw()
{
    Draw(nullptr, nullptr);
}

std::int16_t JxCResourceController::MouseDown(const JxCPoint& point)
{
    if (!loaded_ || !bound())
        return JxCDisplayObject::MouseDown(point);
    const JxCPoint at(std::int16_t(point.x - GetRect().left), std::int16_t(point.y - GetRect().top));
    if (playRect_.Contains(at))
        playPressed_ = 1;
    else if (rewindRect_.Contains(at))
        rewindPressed_ = 1;
    pressed_ = playPressed_ || rewindPressed_;
    redraw();
    return 1;
}

std::int16_t JxCResourceController::MouseUp(const JxCPoint& point, std::int16_t flag)
{
    if (!loaded_ || !bound())
        return JxCDisplayObject::MouseUp(point, flag);
    const JxCPoint at(std::int16_t(point.x - GetRect().left), std::int16_t(point.y - GetRect().top));
    const std::int32_t where = position();
    const std::int32_t total = length();
    bool changed = pressed_ != 0;
    if (playRect_.Contains(at)) {
        if (play_->IsPlaying() && where < total) {
            StopTimer(this);
            stop_->Execute();
            playing_ = 0;
            changed = true;
        } else if (play_->IsPaused()) {
            StartTimer(this);
            play_->Resume();
            playing_ = 1;
            changed = true;
        } else if ((total == 0 || where != total) && !StopActiveObjects(0) && bound()) {
            play_->Register(this);
            play_->Trigger(0);
            playing_ = 1;
            changed = true;
        }
    } else if (rewindRect_.Contains(at)) {
        if (play_->IsPlaying() || play_->IsPaused() || where != 0) {
            StopTimer(this);
            play_->SetStopped(1);
            seek_->Execute();
            playing_ = 0;
            changed = true;
        }
    }
    pressed_ = playPressed_ = rewindPressed_ = 0;
    if (changed)
        redraw();
    if (JxCBaseProduct* product = GetProduct())
        product->ReleaseMouseCapture();
    return 1;
}

std::int16_t JxCResourceController::MouseMove(const JxCPoint& point)
{
    if (!loaded_)
        return JxCDisplayObject::MouseMove(point);
    const JxCPoint at(std::int16_t(point.x - GetRect().left), std::int16_t(point.y - GetRect().top));
    JxCBaseProduct* product = GetProduct();
    if (!product)
        return 1;
    const bool overButton = playRect_.Contains(at) || rewindRect_.Contains(at);
    const bool offered =
        (play_ && play_->IsPlaying()) || !IsAnyResourcePlaying() || TestOptionFlags(kOptionAlwaysActive);
    const JxCString& cursor = cursor_.GetLength() ? cursor_ : JxCString(GetCursorName());
    product->SetCursor(overButton && offered ? JxCTableString(cursor) : JxCTableString());
    return 1;
}

std::int16_t JxCResourceController::Stop()
{
    playing_ = 0;
    redraw();
    return 1;
}

void JxCResourceController::OnSystemEvent(JxCTimerParams* record)
{
    if (!play_)
        return;
    play_->HandleResourceEvent(record);
    if (playing_ && !play_->IsPlaying()) {
        StopTimer(this);
        play_->SetStopped(1);
        if (stop_)
            stop_->Execute();
        if (rewindAtEnd_ && seek_)
            seek_->Execute();
        playing_ = 0;
        redraw();
        return;
    }
    if (position() != lastPosition_) {
        lastPosition_ = position();
        redraw();
    }
}

void JxCResourceController::PreNotify(JxCNotify*, JxCObject* sender)
{
    if (!sender || sender != static_cast<JxCObject*>(play_))
        return;
    playing_ = 1;
    redraw();
    StartTimer(this);
}

void JxCResourceController::Notify(JxCNotify*, JxCObject* sender)
{
    if (sender && sender == static_cast<JxCObject*>(play_))
        StopTimer(this);
}

// --- Animation bar -------------------------------------------------------------

JxCAnimControl::JxCAnimControl() = default;

JxCAnimControl::~JxCAnimControl()
{
    StopTimer(this);
    deleteActions();
}

void JxCAnimControl::deleteActions()
{
    SetActions(nullptr, nullptr, nullptr);
    ownSeek_.reset();
    ownStop_.reset();
    ownPlay_.reset();
}

std::int16_t JxCAnimControl::Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type)
{
    if (!JxCResourceController::Read(in, container, type))
        return 0;
    return in.ReadBigEndian32(messageId_).ReadBigEndian32(secondId_) ? 1 : 0;
}

std::int16_t JxCAnimControl::CreateResources()
{
    for (const char* name : {"Play", "GreyPlay", "Pause", "Rewind", "GreyRewind", "Meter", "Background"})
        if (!LoadImage(name))
            return 0;
    for (const char* name : kHeldDown)
        LoadImage(name);
    const JxCSize size = ImageSize(Image("Background"));
    const JxCRect& r = GetRect();
    SetRect(JxCRect(r.left, r.top, std::int16_t(r.left + size.cx), std::int16_t(r.top + size.cy)));

    deleteActions();
    ownPlay_ = std::make_unique<JxCPlayPicsAction>();
    ownStop_ = std::make_unique<JxCStopPicsAction>();
    ownSeek_ = std::make_unique<JxCSeekPicsAction>();
    JxCPoint origin(0, 0);
    const auto* panel = dynamic_cast<const JxCPanelObject*>(GetContainer());
    const JxCPageObject* page = panel ? panel->GetParent() : nullptr;
    if (page && secondId_ != 0 && secondId_ == page->GetPageId())
        origin = JxCPoint(kShiftedX, kShiftedY);
    const std::int16_t preload = TestOptionFlags(kOptionPreload);
    const bool bound = ownPlay_->Setup(GetAnimationName(), -1, -1, preload, 1, 0, this, origin.x, origin.y) &&
                       ownStop_->Setup(GetAnimationName(), this) && ownSeek_->Setup(GetAnimationName(), 0, this);
    SetActions(ownPlay_.get(), ownStop_.get(), ownSeek_.get());
    ownPlay_->AddStartReceiver(this);
    ownPlay_->AddStopReceiver(this);
    Place(JxCPoint(20, 3), JxCPoint(3, 3), JxCPoint(39, 7));
    return bound ? 1 : 0;
}

std::int16_t JxCAnimControl::ReleaseResources()
{
    StopTimer(this);
    deleteActions();
    ForgetImages();
    return JxCResourceController::ReleaseResources();
}

std::int16_t JxCAnimControl::HandleMessage(JxCMessageRecord* message)
{
    if (!message || message->first != messageId_)
        return JxCResourceController::HandleMessage(message);
    const JxCRect& r = GetRect();
    const JxCPoint press(std::int16_t(r.left + PlayButtonPlace().x), std::int16_t(r.top + PlayButtonPlace().y));
    MouseUp(press, 0);
    return 1;
}
