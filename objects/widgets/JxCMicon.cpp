#include "objects/widgets/JxCMicon.h"

#include "foundation/JxCInStrStream.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCPageDef.h"
#include "runtime/JxCPageObject.h"
#include "runtime/JxCPanelObject.h"
#include "runtime/JxKeywordTables.h"
#include "runtime/JxSharedBitmaps.h"

namespace {

// A frame's record: its name, x and y.
constexpr std::uint32_t kFrameRecordSize = 6;

}  // namespace

JxCMicon::~JxCMicon()
{
    stopFrameTimer();
    dropImages();
}

void JxCMicon::stopFrameTimer()
{
    if (!timerRunning_)
        return;
    if (JxCBaseProduct* product = GetProduct())
        product->KillTimer(this, -1);
    timerRunning_ = 0;
}

void JxCMicon::dropImages()
{
    for (Frame& f : frames_)
        f.image.reset();
}

std::int16_t JxCMicon::Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type)
{
    if (!JxCHotspot::Read(in, container, type))
        return 0;
    std::int16_t interval = 0, count = 0;
    if (!in.ReadBigEndian16(interval).ReadBigEndian16(count))
        return 0;
    // A negative count, or more frames than the bytes left could hold, is
    // a damaged record.
    if (count < 0 || std::uint32_t(count) * kFrameRecordSize > in.Remaining())
        return 0;
    std::vector<Frame> frames;
    frames.reserve(std::size_t(count));
    for (std::int16_t i = 0; i < count; ++i) {
        Frame f;
        std::int16_t x = 0, y = 0;
        if (!ReadTableString(in, f.name) || !in.ReadBigEndian16(x).ReadBigEndian16(y))
            return 0;
        f.position = JxCPoint(x, y);
        frames.push_back(std::move(f));
    }
    dropImages();
    interval_ = interval;
    frames_ = std::move(frames);
    frame_ = 0;
    return 1;
}

std::int16_t JxCMicon::ReleaseResources()
{
    dropImages();
    return JxCHotspot::ReleaseResources();
}

std::int16_t JxCMicon::CreateResources()
{
    // A second load lets go of the first's pictures.
    ReleaseResources();
    for (Frame& f : frames_) {
        f.image = LoadSharedBitmap(*this, f.name);
        if (!f.image)
            return 0;
    }
    return 1;
}

void JxCMicon::drawFrame(JxCSlate* slate, const JxCRect& part, std::int16_t transparent)
{
    if (frame_ < 0 || frame_ >= GetFrameCount())
        frame_ = 0;
    const Frame& f = frames_[std::size_t(frame_)];
    if (!f.image)
        return;
    const JxCRect& rect = GetRect();
    const JxCPoint from(std::int16_t(f.position.x + part.left - rect.left),
                        std::int16_t(f.position.y + part.top - rect.top));
    DrawBitmapAt(*this, f.image.get(), part, from, slate, transparent);
}

std::int16_t JxCMicon::Draw(JxCSlate* slate, const JxCRect* clip)
{
    if (frames_.empty())
        return JxCHotspot::Draw(slate, clip);
    JxCRect part = GetRect();
    if (clip)
        part.Intersect(*clip);
    if (!part.IsEmpty())
        drawFrame(slate, part, 1);
    return 1;
}

std::int16_t JxCMicon::MouseDown(const JxCPoint&)
{
    return 1;
}

std::int16_t JxCMicon::MouseUp(const JxCPoint& point, std::int16_t flag)
{
    const bool stopped = flag == 0 && StopActiveObjects(0) != 0;
    if ((flag || stopped) && !TestOptionFlags(kOptionAlwaysActive))
        return 1;
    if (!GetRect().Contains(point))
        return 1;
    Highlight(1);
    DispatchEvent(std::int16_t(EventId(JxEventKeyword::on_click)), std::int16_t(GetTypeKey().GetId()));
    clicked_ = 1;
    return 1;
}

std::int16_t JxCMicon::Start()
{
    // However often the page starts it, the micon keeps one timer.
    if (GetFrameCount() <= 1 || timerRunning_)
        return 1;
    // The interval is in tenths of a second; none (or a negative one) is
    // the product's default of 100 ms.
    const plat::UINT ms = interval_ > 0 ? plat::UINT(interval_) * 100u : 0u;
    JxCBaseProduct* product = GetProduct();
    if (product && product->SetTimer(this, nullptr, ms))
        timerRunning_ = 1;
    return 1;
}

bool JxCMicon::navigationOptionsOnTop() const
{
    JxCBaseProduct* product = GetProduct();
    JxCPageObject* top = product ? product->GetPageList().GetLast() : nullptr;
    JxCPageDef* def = top ? top->GetPageDef() : nullptr;
    return def && def->GetPageType() == PageTypeId(JxPageKeyword::NAVOPT_PAGE);
}

void JxCMicon::redrawPanel()
{
    JxCRunTimeObject* container = GetContainer();
    if (!container || container->GetKind() != kPanelKind)
        return;
    // Only the micon's own area: a picture that another object drew
    // straight to the window (a rollover button under the mouse) stays.
    auto* panel = static_cast<JxCPanelObject*>(container);
    const JxCRect area = GetRect();
    if (!panel->IsClosing())
        panel->Draw(nullptr, &area, 1);
}

void JxCMicon::OnSystemEvent(JxCTimerParams*)
{
    // While the navigation options are on top, the micon rests on its
    // second frame.
    if (frame_ == 1 && navigationOptionsOnTop())
        return;
    if (clicked_) {
        if (ClickActionsFinished()) {
            clicked_ = 0;
            if (GetHighlightMode() != 0)
                Highlight(0);
        }
        return;
    }
    if (GetFrameCount() <= 1)
        return;
    frame_ = frame_ + 1 >= GetFrameCount() ? 0 : frame_ + 1;
    redrawPanel();
}
