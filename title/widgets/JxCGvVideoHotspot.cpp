#include "title/widgets/JxCGvVideoHotspot.h"

#include "foundation/JxCInStrStream.h"
#include "media/JxCResourceObject.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCPageObject.h"
#include "runtime/JxCPanelObject.h"
#include "runtime/JxKeywordTables.h"

JxCGvVideoHotspot::~JxCGvVideoHotspot()
{
    releaseTimer();
}

void JxCGvVideoHotspot::releaseTimer()
{
    if (!timer_)
        return;
    if (JxCBaseProduct* product = GetProduct())
        product->KillTimer(this, -1);
    timer_ = 0;
}

std::int16_t JxCGvVideoHotspot::Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type)
{
    if (!JxCDisplayObject::Read(in, container, type))
        return 0;
    JxCString name;
    std::int32_t targetObject = 0, targetPanel = 0;
    std::int16_t word = 0, rewind = 0, autoPlay = 0;
    in.ReadCountedString(name);
    in.ReadBigEndian16(word).ReadBigEndian16To32(targetObject).ReadBigEndian16To32(targetPanel);
    in.ReadBigEndian16(rewind).ReadBigEndian16(autoPlay);
    if (!in)
        return 0;
    movieName_ = name;
    word_ = word;
    targetObjectId_ = targetObject;
    targetPanelId_ = targetPanel;
    rewind_ = rewind;
    autoPlay_ = autoPlay;
    return 1;
}

bool JxCGvVideoHotspot::findPlace(JxCPoint& place)
{
    JxCRunTimeObject* container = GetContainer();
    if (!container || container->GetKind() != kPanelKind)
        return false;
    JxCPanelObject* panel = static_cast<JxCPanelObject*>(container);
    JxCPageObject* page = panel->GetParent();
    if (!page)
        return false;
    JxCDisplayObject* target = panel->FindObjectById(targetObjectId_);
    if (!target) {
        JxCBaseProduct* product = GetProduct();
        if (!product)
            return false;
        JxCPageObjectList& pages = product->GetPageList();
        for (JxCPageObject* p = pages.GetLast(); p && !target; p = pages.GetPrev(p)) {
            JxCPanelObject* other = p->FindPanelById(targetPanelId_);
            JxCDisplayObject* found = other ? other->FindObjectById(targetObjectId_) : nullptr;
            if (found) {
                target = found;
                panel = other;
                page = p;
            }
        }
        if (!target)
            return false;
    }
    const JxCRect panelRect = panel->GetRect();
    const JxCRect& targetRect = target->GetRect();
    place = JxCPoint(std::int16_t(panelRect.left + targetRect.left),
                     std::int16_t(panelRect.top + targetRect.top + page->GetCaptionHeight()));
    return true;
}

std::int16_t JxCGvVideoHotspot::CreateResources()
{
    JxCDisplayObject::CreateResources();
    // The hotspot takes its target's id: the first of the panel's objects
    // with that id is the target, and that may be the hotspot itself.
    SetId(targetObjectId_);
    JxCPoint place;
    if (!findPlace(place))
        return 0;
    return play_.Setup(this, JxCTableString(movieName_.GetText()), 0, -1, 1, 1, 0, 0, rewind_, place, 1, 1);
}

std::int16_t JxCGvVideoHotspot::Start()
{
    if (!autoPlay_)
        return 1;
    return MouseUp(GetRect().GetOrigin(), 0);
}

std::int16_t JxCGvVideoHotspot::MouseUp(const JxCPoint& point, std::int16_t flag)
{
    if (play_.IsPlaying())
        return JxCDisplayObject::MouseUp(point, flag);
    if (JxCResourceObject* media = play_.GetResource()) {
        media->Stop();
        media->Rewind(0);
    }
    // The play action is the hotspot's own: it is queued only where a
    // processor runs it, since a product without one deletes what it is
    // handed.
    JxCBaseProduct* product = GetProduct();
    if (!product || !product->GetActionProcessor())
        return 1;
    play_.Trigger(0);
    if (!timer_ && product->SetTimer(this, nullptr, kWatchIntervalMs))
        timer_ = 1;
    return 1;
}

std::int16_t JxCGvVideoHotspot::Stop()
{
    JxCResourceObject* media = play_.GetResource();
    if (!media)
        return 1;
    releaseTimer();
    play_.SetStopped(1);
    media->Stop();
    if (JxCBaseProduct* product = GetProduct())
        product->MarkIdle();
    return 1;
}

void JxCGvVideoHotspot::OnSystemEvent(JxCTimerParams*)
{
    JxCResourceObject* media = play_.GetResource();
    if (!media || !media->IsFinished())
        return;
    releaseTimer();
    play_.SetStopped(1);
    if (rewind_)
        media->Rewind(0);
    media->Stop();
    if (JxCBaseProduct* product = GetProduct())
        product->MarkIdle();
    DispatchEvent(std::int16_t(EventId(JxEventKeyword::on_finish)), std::int16_t(GetTypeKey().GetId()));
}
