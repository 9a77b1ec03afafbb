#include "media/JxCAnimHotspot.h"

#include "foundation/JxCInStrStream.h"
#include "media/JxCPicsResource.h"
#include "media/JxPicsActions.h"
#include "objects/pages/JxCBasePage.h"
#include "objects/pages/JxCChildPage.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCPageDef.h"
#include "runtime/JxCPanelObject.h"
#include "runtime/JxKeywordTables.h"

namespace {

JxCPanelObject* panelOf(const JxCRunTimeObject* object)
{
    JxCRunTimeObject* container = object ? object->GetContainer() : nullptr;
    return container && container->GetKind() == kPanelKind ? static_cast<JxCPanelObject*>(container) : nullptr;
}

bool isChildPage(const JxCPageDef& def)
{
    JxCBaseProduct* product = GetProduct();
    JxCProductDef* productDef = product ? product->GetProductDef() : nullptr;
    const JxCTemplateDef* templateDef = productDef ? productDef->FindTemplateDef(def.GetTemplateId()) : nullptr;
    const JxCPageTypeId type = templateDef ? templateDef->GetPageType() : def.GetPageType();
    return type == PageTypeId(JxPageKeyword::CHILD_PAGE);
}

// Whether the panel belongs to an open page.
bool panelIsOpen(const JxCPanelObject* panel)
{
    JxCBaseProduct* product = GetProduct();
    if (!panel || !product || panel->IsClosing())
        return false;
    JxCPageObjectList& pages = product->GetPageList();
    for (JxCPageObject* page = pages.GetFirst(); page; page = pages.GetNext(page)) {
        JxCPageDef* def = page->GetPageDef();
        if (def && def->GetPanelList().FindNode(panel))
            return true;
    }
    return false;
}

// The empty object through which the animation draws in a panel of the
// parent page; the media's stop reaches the hotspot through it.
class Proxy : public JxCDisplayObject {
public:
    explicit Proxy(JxCAnimHotspot& hotspot) : hotspot_(hotspot) {}
    std::int16_t Stop() override { return hotspot_.Stop(); }

private:
    JxCAnimHotspot& hotspot_;
};

}  // namespace

JxCAnimHotspot::JxCAnimHotspot()
{
    SetCursorName(JxCTableString("hand"));
}

JxCAnimHotspot::~JxCAnimHotspot()
{
    // The shared animation must not go on drawing for actions that go.
    if (JxCPicsResource* m = media(); m && m->IsPlaying() && m->GetCurrentAction() == play_.get())
        m->Stop();
    releaseOwnership();
    markIdle();
    killTimers();
    stop_.reset();
    play_.reset();
    // A parent panel that has closed is not told of the proxy's going.
    if (proxy_ && !panelIsOpen(panelOf(proxy_.get())))
        proxy_->Attach(nullptr, NullObjectTypeKey());
    proxy_.reset();
}

JxCPicsResource* JxCAnimHotspot::media() const
{
    // An animation the list no longer holds has gone with it.
    JxCPicsResource* animation = play_ ? play_->GetMedia() : nullptr;
    return IsResourceListed(animation) ? animation : nullptr;
}

JxCDisplayObject* JxCAnimHotspot::GetAnimationOwner() const
{
    if (proxy_)
        return proxy_.get();
    return play_ ? const_cast<JxCAnimHotspot*>(this) : nullptr;
}

std::int16_t JxCAnimHotspot::IsPlaying() const
{
    return play_ && play_->IsPlaying() ? 1 : 0;
}

std::int16_t JxCAnimHotspot::ResetFlags()
{
    if (!JxCDisplayObject::ResetFlags())
        return 0;
    SetOptionFlags(kOptionResetResources);
    return 1;
}

std::int16_t JxCAnimHotspot::Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type)
{
    if (!JxCDisplayObject::Read(in, container, type))
        return 0;
    std::int16_t panelId = 0, x = 0, y = 0, repeat = 0, number = 0;
    std::uint16_t busy = 0;
    if (!ReadTableString(in, fileName_))
        return 0;
    if (!in.ReadBigEndian16(panelId).ReadBigEndian16(x).ReadBigEndian16(y).ReadBigEndian16(repeat))
        return 0;
    if (!in.ReadBigEndian16(keptWord_).ReadBigEndian16(busy).ReadBigEndian16(number))
        return 0;
    targetPanelId_ = panelId;
    position_ = home_ = JxCPoint(x, y);
    repeat_ = repeat;
    busyWhilePlaying_ = std::int16_t(busy);
    messageNumber_ = number;
    if (TestOptionFlags(kOptionLoadOnDemand))
        return 1;
    return SetupActions();
}

JxCPanelObject* JxCAnimHotspot::findParentPanel(bool* needed) const
{
    *needed = false;
    JxCPanelObject* own = panelOf(this);
    JxCPageDef* def = own ? own->GetPage() : nullptr;
    if (!def || TestOptionFlags(kOptionPlayInChild) || !isChildPage(*def))
        return nullptr;
    *needed = true;
    // The parent is the page that was current as the child page opened:
    // the child's own record when it exists, the current page while the
    // child page is still being read.
    JxCPageObject* parent = nullptr;
    if (auto* child = dynamic_cast<JxCChildPage*>(own->GetParent()))
        parent = child->GetParentPage();
    else if (JxCBaseProduct* product = GetProduct())
        parent = product->GetCurrentPage();
    JxCPageDef* parentDef = parent ? parent->GetPageDef() : nullptr;
    return parentDef ? parentDef->GetPanelList().FindById(targetPanelId_) : nullptr;
}

std::int16_t JxCAnimHotspot::SetupActions()
{
    if (needsSetup_) {
        bool onParent = false;
        JxCPanelObject* parentPanel = findParentPanel(&onParent);
        if (onParent) {
            if (!parentPanel)
                return 0;
            proxy_ = std::make_unique<Proxy>(*this);
            proxy_->Attach(parentPanel, NullObjectTypeKey());
        }
        JxCRunTimeObject* owner = proxy_ ? static_cast<JxCRunTimeObject*>(proxy_.get()) : this;
        play_ = std::make_unique<JxCPlayPicsAction>();
        if (IsActive())
            play_->SetTransparent(1);
        const JxCString name(fileName_);
        if (!play_->Setup(name, 1, 0, 0, 0, 0, owner, position_.x, position_.y))
            return 0;
        length_ = play_->GetLength();
        stop_ = std::make_unique<JxCStopPicsAction>();
        if (media() && !stop_->Setup(name, this))
            return 0;
        needsSetup_ = 0;
    } else if (play_) {
        play_->SetPlace(position_);
        if (JxCPicsResource* m = media())
            m->Open(play_.get());
    }
    return 1;
}

// --- Playing -------------------------------------------------------------------

bool JxCAnimHotspot::targetLives() const
{
    if (!proxy_)
        return panelOf(this) && !panelOf(this)->IsClosing();
    return panelIsOpen(panelOf(proxy_.get()));
}

bool JxCAnimHotspot::play()
{
    JxCPicsResource* m = media();
    JxCBaseProduct* product = GetProduct();
    if (!m || !product || !targetLives())
        return false;
    // The owner first: the frame timer the animation may need is the
    // owner's.
    JxCNotifyRoot* before = product->GetMediaOwner();
    m->Register(this);
    if (play_->Execute() && play_->IsPlaying()) {
        if (repeat_ != kLoopForever)
            markBusy();
        return true;
    }
    releaseOwnership();
    if (before && before != this)
        product->SetMediaOwner(before);
    return false;
}

void JxCAnimHotspot::releaseOwnership()
{
    if (JxCPicsResource* m = media())
        m->Unregister(this);
    else if (JxCBaseProduct* product = GetProduct())
        product->ReleaseMediaOwner(this);
}

void JxCAnimHotspot::markBusy()
{
    if (!busyWhilePlaying_ || busy_)
        return;
    if (JxCBaseProduct* product = GetProduct()) {
        product->MarkBusy();
        busy_ = true;
    }
}

void JxCAnimHotspot::markIdle()
{
    if (!busy_)
        return;
    busy_ = false;
    if (JxCBaseProduct* product = GetProduct())
        product->MarkIdle();
}

void JxCAnimHotspot::killTimers()
{
    JxCBaseProduct* product = GetProduct();
    while (product && product->KillTimer(this, -1)) {
    }
}

std::int16_t JxCAnimHotspot::Start()
{
    if (!TestOptionFlags(kOptionAutoPlay))
        return 1;
    if (TestOptionFlags(kOptionLoadOnDemand) && !SetupActions())
        return 0;
    play();
    return 1;
}

std::int16_t JxCAnimHotspot::MouseDown(const JxCPoint&)
{
    return 1;
}

std::int16_t JxCAnimHotspot::MouseUp(const JxCPoint& point, std::int16_t flag)
{
    const JxCTypeKey& type = GetTypeKey();
    if (repeat_ == kLoopForever) {
        if (TestOptionFlags(kOptionResetResources))
            StopActiveObjects(0);
        DispatchEvent(std::int16_t(EventId(JxEventKeyword::on_click)), std::int16_t(type.GetId()));
        return 1;
    }
    bool stopped = false;
    if (TestOptionFlags(kOptionResetResources))
        stopped = StopActiveObjects(0) != 0;
    if (flag || stopped) {
        if (!TestOptionFlags(kOptionAlwaysActive)) {
            if (JxCBaseProduct* product = GetProduct())
                product->CancelWait();
            return 1;
        }
        if (TestOptionFlags(kOptionLoadOnDemand))
            if (JxCPicsResource* m = media())
                m->Stop();
    }
    if (TestOptionFlags(kOptionLoadOnDemand) && !SetupActions())
        return 0;
    JxCPicsResource* m = media();
    if (!m || m->IsPlaying() || !GetRect().Contains(point))
        return 1;
    if (!m->IsStopped())
        m->Rewind(0);
    if (!play()) {
        if (TestOptionFlags(kOptionAutoRewind))
            m->Rewind(0);
        if (TestOptionFlags(kOptionLoadOnDemand))
            m->Stop();
    }
    return 1;
}

std::int16_t JxCAnimHotspot::HandleMessage(JxCMessageRecord* message)
{
    if (message && message->first == messageNumber_)
        MouseUp(JxCPoint(GetRect().left, GetRect().top), 0);
    return 1;
}

void JxCAnimHotspot::OnSystemEvent(JxCTimerParams* record)
{
    JxCPicsResource* m = media();
    if (!m)
        return;
    if (!targetLives()) {
        // The panel the animation draws into has gone: it stops here.
        releaseOwnership();
        if (m->GetCurrentAction() == play_.get())
            m->Stop();
        markIdle();
        return;
    }
    play_->HandleEvent(record);
    if (!m->IsFinished())
        return;
    if (repeat_ == kLoopForever) {
        rewinding_ = true;
        m->Rewind(0);
        rewinding_ = false;
        if (play_->Execute() && play_->IsPlaying())
            return;
    } else {
        releaseOwnership();
    }
    finished();
}

void JxCAnimHotspot::finished()
{
    JxCPicsResource* m = media();
    if (m && TestOptionFlags(kOptionAutoRewind))
        m->Rewind(0);
    if (m && TestOptionFlags(kOptionLoadOnDemand))
        m->Stop();
    markIdle();
    DispatchEvent(std::int16_t(EventId(JxEventKeyword::on_finish)), std::int16_t(GetTypeKey().GetId()));
}

std::int16_t JxCAnimHotspot::Stop()
{
    std::int16_t result = 1;
    JxCPicsResource* m = media();
    if (m && TestOptionFlags(kOptionLoadOnDemand))
        result = m->Stop();
    // Stopped from outside: nothing of ours plays any more. (A loop that
    // rewinds itself plays on.)
    if (!IsPlaying() && !rewinding_) {
        markIdle();
        JxCBaseProduct* product = GetProduct();
        if (product && product->GetMediaOwner() == this)
            releaseOwnership();
    }
    DispatchEvent(std::int16_t(EventId(JxEventKeyword::on_picsrewind)), std::int16_t(GetTypeKey().GetId()));
    return result;
}

void JxCAnimHotspot::ApplyScrollOffset(const JxCSize& offset)
{
    JxCDisplayObject::ApplyScrollOffset(offset);
    if (!TestOptionFlags(kOptionFixedPosition))
        return;
    position_ = JxCPoint(std::int16_t(home_.x + offset.cx), std::int16_t(home_.y + offset.cy));
}
