#include "media/JxCQT3Resource.h"

#include <algorithm>

#include "events/JxCAction.h"
#include "foundation/JxErrorReport.h"
#include "media/JxMediaFileNames.h"
#include "media/JxMissingMedia.h"
#include "platform/movie/movie_source.h"
#include "platform/window/window.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCPageObject.h"
#include "runtime/JxCPanelObject.h"
#include "runtime/JxKeywordTables.h"

// Hands the movie's product-timer ticks to its end check.
class JxCQT3Resource::Ticker : public JxCNotifyRoot {
public:
    explicit Ticker(JxCQT3Resource& media) : media_(media) {}
    void OnSystemEvent(JxCTimerParams* record) override { media_.HandleEvent(record, media_.GetCurrentAction()); }

private:
    JxCQT3Resource& media_;
};

JxCPanelObject* GetOwnerPanel(JxCAction* action)
{
    JxCRunTimeObject* owner = action ? action->GetOwner() : nullptr;
    JxCRunTimeObject* container = owner ? owner->GetContainer() : nullptr;
    return container && container->GetKind() == kPanelKind ? static_cast<JxCPanelObject*>(container) : nullptr;
}

JxCQT3Resource::JxCQT3Resource() : ticker_(std::make_unique<Ticker>(*this))
{
    SetKind(ResourceTypeId(JxResourceKind::Movie));
}

JxCQT3Resource::~JxCQT3Resource()
{
    stopTicking();
}

std::int16_t JxCQT3Resource::InitWithContext(const JxCString& name, std::int32_t openParam, JxCAction* action)
{
    movieName_ = name;
    return JxCResourceObject::InitWithContext(name, openParam, action);
}

std::int16_t JxCQT3Resource::Init(const JxCString& name, std::int32_t openParam)
{
    movieName_ = name;
    return JxCResourceObject::Init(name, openParam);
}

std::int16_t JxCQT3Resource::InitConverted(const JxCString& name, std::int32_t openParam)
{
    return Init(name, openParam);
}

std::int16_t JxCQT3Resource::Open(JxCAction* action)
{
    const JxCString path = ResolveMovieName(movieName_, action);
    bool opened = movie_.Open(path);
    // A file that is not there is named, and opened after all should the
    // user bring it back.
    if (!opened && movie_.GetLastError() == plat::kMovieFileNotFound && FindMediaFile(path))
        opened = movie_.Open(path);
    if (!opened) {
        OhNoItsAnError(kCannotLoadId, path, movie_.GetLastError());
        return 0;
    }
    return 1;
}

// The window of the page that holds the owner's panel; an owner outside a
// panel (a page or its definition) plays in the current page's window.
plat::HWND JxCQT3Resource::windowFor(JxCAction* action) const
{
    if (JxCPanelObject* panel = GetOwnerPanel(action))
        if (JxCPageObject* page = panel->GetParent())
            return page->GetWindow();
    JxCRunTimeObject* owner = action ? action->GetOwner() : nullptr;
    if (owner && owner->GetKind() == kPageKind)
        return static_cast<JxCPageObject*>(owner)->GetWindow();
    JxCBaseProduct* product = GetProduct();
    if (!product)
        return nullptr;
    if (JxCPageObject* page = product->GetCurrentPage())
        return page->GetWindow();
    return product->GetProductWindow();
}

std::int16_t JxCQT3Resource::Play(JxCAction* action)
{
    JxCResourceObject::Play(action);
    if (start_ == -1)
        start_ = 0;
    if (end_ == -1)
        end_ = movie_.GetDuration();
    PlaceMovie();
    const std::int32_t error = movie_.PlayRange(windowFor(action), start_, end_);
    paused_ = 0;
    if (error != 0)
        return 0;
    startTicking();
    return 1;
}

std::int16_t JxCQT3Resource::Stop()
{
    paused_ = 0;
    movie_.Stop();
    stopTicking();
    return JxCResourceObject::Stop();
}

std::int16_t JxCQT3Resource::Rewind(std::int32_t position)
{
    movie_.GoToUnits(position);
    if (position == 0)
        StopAndRedraw();
    return 1;
}

std::int16_t JxCQT3Resource::HandleEvent(JxCTimerParams*, JxCAction*)
{
    if (paused_ || !movie_.IsDone())
        return 1;
    JxCAction* current = GetCurrentAction();
    Stop();
    if (current)
        current->Stop();
    return 1;
}

std::int16_t JxCQT3Resource::Register(JxCNotifyRoot* owner)
{
    JxCBaseProduct* product = GetProduct();
    return product && owner ? product->SetTimer(owner, nullptr, 0) : 0;
}

std::int16_t JxCQT3Resource::Unregister(JxCNotifyRoot* owner)
{
    JxCBaseProduct* product = GetProduct();
    return product && owner ? product->KillTimer(owner, -1) : 0;
}

std::int16_t JxCQT3Resource::IsStopped()
{
    return movie_.GetCurrentTime() <= std::max(start_, 0) && !movie_.IsPlaying();
}

std::int16_t JxCQT3Resource::Pause()
{
    paused_ = 1;
    movie_.Stop();
    return 1;
}

std::int16_t JxCQT3Resource::Resume()
{
    paused_ = 0;
    const std::int32_t error =
        movie_.PlayRange(windowFor(GetCurrentAction()), movie_.GetCurrentTime(), end_ < 0 ? -1 : end_);
    if (error != 0)
        return 0;
    startTicking();
    return 1;
}

std::int16_t JxCQT3Resource::StepTo(std::int32_t position, std::int16_t direction)
{
    const std::int32_t target = movie_.UnitsToTime(position + (direction == 1 ? 1 : -1));
    // Before the first play the end is still "to the movie's end".
    const std::int32_t last = end_ < 0 ? movie_.GetDuration() : end_;
    if (target < 0 || target > last)
        return 0;
    if (movie_.PlayRange(windowFor(GetCurrentAction()), movie_.GetCurrentTime(), target) != 0)
        movie_.GoToTime(target);
    paused_ = 1;
    return 1;
}

void JxCQT3Resource::StopAndRedraw()
{
    const JxCRect area = movie_.GetRect();
    const plat::HWND window = movie_.GetShownWindow();
    movie_.Stop();
    movie_.Hide();
    stopTicking();
    JxCAction* action = GetCurrentAction();
    if (!action || !action->GetOwner())
        return;
    if (JxCPanelObject* panel = GetOwnerPanel(action)) {
        if (panel->IsClosing())
            return;
        // The movie's rectangle is in page coordinates, the panel draws in its own.
        JxCRect content = area;
        const JxCRect at = panel->GetRect();
        content.Offset(-at.left, -at.top);
        panel->Draw(nullptr, &content, 0);
    } else if (window && plat::IsWindow(window)) {
        const plat::RECT r{area.left, area.top, area.right, area.bottom};
        plat::InvalidateRect(window, &r, 0);
    }
}

void JxCQT3Resource::PlaceMovie()
{
    const JxCRect rect = movie_.GetRect();
    if (rect.left != 0 || rect.top != 0 || clientData_ == -1)
        return;
    JxCPanelObject* panel = GetOwnerPanel(GetCurrentAction());
    JxCDisplayObject* marker = panel ? panel->FindObjectById(clientData_) : nullptr;
    if (!marker)
        return;
    const JxCRect at = panel->GetRect();
    const JxCRect& object = marker->GetRect();
    movie_.SetPosition(JxCPoint(std::int16_t(object.left + at.left), std::int16_t(object.top + at.top)));
}

void JxCQT3Resource::SetStartPoint(std::int32_t position)
{
    const std::int32_t time = movie_.UnitsToTime(position);
    start_ = time < 0 ? 0 : time;
}

void JxCQT3Resource::SetEndPoint(std::int32_t position)
{
    end_ = position < 0 ? -1 : movie_.UnitsToTime(position);
}

void JxCQT3Resource::startTicking()
{
    JxCBaseProduct* product = GetProduct();
    if (!ticking_ && product)
        ticking_ = product->SetTimer(ticker_.get(), nullptr, 0) ? 1 : 0;
}

void JxCQT3Resource::stopTicking()
{
    if (!ticking_)
        return;
    ticking_ = 0;
    if (JxCBaseProduct* product = GetProduct())
        product->KillTimer(ticker_.get(), -1);
}
