// The pop-up page's painting: the caption bar with its close box, the drop
// shadow through which the pages beneath show darkened, and the slides that
// open and shut its window.

#include <algorithm>

#include "foundation/JxWinHelpers.h"
#include "graphics/JxCDisplaySlate.h"
#include "graphics/JxCMemorySlate.h"
#include "objects/pages/JxCPopupPageEx.h"
#include "platform/draw/draw.h"
#include "platform/ui/syscolor.h"
#include "platform/window/window.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCPanelObject.h"

namespace {

// Window transition kinds the slide runner knows: the slides uncover the
// window from a side, the unslides cover it up again.
enum SlideKind : std::int32_t {
    kSlideUp = 4,
    kSlideLeft = 6,
    kSlideRight = 7,
    kUnslideUp = 8,
    kUnslideLeft = 10,
    kUnslideRight = 11,
};
constexpr int kSlideStep = 3;
constexpr int kUnslideStep = 12;

const JxCRGB kOutsideMainWindow(170, 170, 170);
const JxCRGB kWhite(255, 255, 255);

// Draws the page's panels over a screen rectangle into the slate, whose
// (0, 0) is the rectangle's top-left corner.
void drawPageOver(JxCPageObject& page, JxCMemorySlate& slate, const JxCRect& screen)
{
    plat::HWND window = page.GetWindow();
    if (!window || !plat::IsWindow(window))
        return;
    plat::POINT corner{screen.left, screen.top};
    plat::ScreenToClient(window, &corner);
    const int top = corner.y - page.GetCaptionHeight();
    const JxCRect clip(std::int16_t(corner.x), std::int16_t(top), std::int16_t(corner.x + screen.Width()),
                       std::int16_t(top + screen.Height()));
    slate.OffsetOrigin(clip.left, clip.top);
    page.DrawPanels(&slate, clip, 0);
    slate.ResetOriginOffset();
}

void line(plat::HDC dc, int x0, int y0, int x1, int y1)
{
    plat::MoveToEx(dc, x0, y0, nullptr);
    plat::LineTo(dc, x1, y1);
}

}  // namespace

void JxCPopupPageEx::Refresh()
{
    JxCBaseProduct* product = GetProduct();
    plat::HWND window = GetWindow();
    if (!product || !window)
        return;
    plat::RECT dirty{};
    const bool hadUpdate = plat::GetUpdateRect(window, &dirty, 0) != 0;
    if (firstPaint_ && !product->IsClosingPopup())
        runSlide(openingTransition(), JxCRect(std::int16_t(dirty.left), std::int16_t(dirty.top),
                                              std::int16_t(dirty.right), std::int16_t(dirty.bottom)));
    if (!Paint(nullptr, 1))
        return;
    const std::int16_t framed = drawCaptionBar();
    if (!framed)
        return;
    const std::int32_t inset = frameInset();
    if (hadUpdate && inset > 0) {
        plat::RECT client{};
        plat::GetClientRect(window, &client);
        int strips = 0;
        if (dirty.right > client.right - inset)
            strips |= kRightStrip;
        if (dirty.bottom > client.bottom - inset)
            strips |= kBottomStrip;
        if (strips)
            DrawShadow(strips);
    }
    if (firstPaint_) {
        firstPaint_ = 0;
        product->PostFirstPaint(this);
        plat::SetWindowPos(window, plat::HWND_TOP, 0, 0, 0, 0, plat::SWP_NOMOVE | plat::SWP_NOSIZE);
    }
}

std::int16_t JxCPopupPageEx::drawCaptionBar()
{
    JxCBaseProduct* product = GetProduct();
    plat::HWND window = GetWindow();
    if (captionHeight_ <= 0 || !window || !plat::IsWindow(window))
        return 1;
    plat::HDC dc = plat::GetDC(window);
    if (!dc)
        return 0;
    const bool active = product && product->GetFocusPage() == this && plat::IsWindowEnabled(window);
    plat::HBRUSH brush = plat::CreateSolidBrush(active ? GetActiveCaptionColor() : GetInactiveCaptionColor());
    if (brush) {
        plat::RECT client{};
        plat::GetClientRect(window, &client);
        plat::HGDIOBJ previous = plat::SelectObject(dc, brush);
        plat::Rectangle(dc, captionStart_ - 1, 0, client.right - frameInset(), GetCaptionHeight() + 1);
        plat::SelectObject(dc, previous);
        plat::DeleteObject(brush);
        drawCloseBox(dc);
    }
    plat::ReleaseDC(window, dc);
    return 1;
}

// A raised grey square at the left end of the caption bar.
void JxCPopupPageEx::drawCloseBox(plat::HDC dc) const
{
    const int left = 1;
    const int top = 1;
    const int right = captionHeight_ + 4;
    const int bottom = captionHeight_;
    plat::HBRUSH face = plat::CreateSolidBrush(plat::PALETTERGB(192, 192, 192));
    plat::HPEN frame = plat::CreatePen(plat::PS_SOLID, 1, plat::GetSysColor(plat::COLOR_WINDOWFRAME));
    plat::HGDIOBJ oldBrush = plat::SelectObject(dc, face);
    plat::HGDIOBJ oldPen = plat::SelectObject(dc, frame);
    plat::Rectangle(dc, left, top, right, bottom);
    plat::HPEN white = plat::CreatePen(plat::PS_SOLID, 1, plat::RGB(255, 255, 255));
    plat::HPEN grey = plat::CreatePen(plat::PS_SOLID, 1, plat::RGB(128, 128, 128));
    plat::HPEN black = plat::CreatePen(plat::PS_SOLID, 1, plat::RGB(0, 0, 0));
    plat::SelectObject(dc, white);
    line(dc, left + 1, bottom - 2, left + 1, top + 1);
    line(dc, left + 1, top + 1, right - 2, top + 1);
    plat::SelectObject(dc, grey);
    line(dc, right - 3, top + 2, right - 3, bottom - 3);
    line(dc, right - 3, bottom - 3, left + 1, bottom - 3);
    plat::SelectObject(dc, black);
    line(dc, right - 2, top + 1, right - 2, bottom - 2);
    line(dc, right - 2, bottom - 2, left, bottom - 2);
    plat::SelectObject(dc, oldPen);
    plat::SelectObject(dc, oldBrush);
    for (plat::HGDIOBJ object : {plat::HGDIOBJ(face), plat::HGDIOBJ(frame), plat::HGDIOBJ(white),
                                 plat::HGDIOBJ(grey), plat::HGDIOBJ(black)})
        plat::DeleteObject(object);
}

void JxCPopupPageEx::drawBeneath(JxCMemorySlate& slate, const JxCRect& screen) const
{
    JxCBaseProduct* product = GetProduct();
    const JxCRect whole(0, 0, screen.Width(), screen.Height());
    slate.DrawRectangle(whole, kOutsideMainWindow);
    if (plat::HWND main = product->GetProductWindow(); main && plat::IsWindow(main)) {
        JxCRect inside = JxCPopupPageEx::ClientOnScreen(main);
        if (inside.Intersects(screen)) {
            inside.Intersect(screen);
            inside.Offset(-screen.left, -screen.top);
            slate.DrawRectangle(JxCRect(inside.left, inside.top, std::int16_t(inside.right - 1),
                                        std::int16_t(inside.bottom - 1)),
                                kWhite);
        }
    }
    JxCPageObjectList& pages = product->GetPageList();
    for (JxCPageObject* page = pages.GetFirst(); page; page = pages.GetNext(page))
        if (page != this && page->GetOpenMode() == 0)
            drawPageOver(*page, slate, screen);
    JxCTopmostPageList& topmost = product->GetTopmostPageList();
    for (JxCPageObject* page = topmost.GetFirst(); page; page = topmost.GetNext(page))
        if (page != this)
            drawPageOver(*page, slate, screen);
}

void JxCPopupPageEx::drawOwnPanels(JxCMemorySlate& slate)
{
    plat::HWND window = GetWindow();
    plat::RECT client{};
    plat::GetClientRect(window, &client);
    const JxCRect whole(0, 0, std::int16_t(client.right), std::int16_t(client.bottom));
    slate.DrawRectangle(whole, kWhite);
    drawPageOver(*this, slate, JxCPopupPageEx::ClientOnScreen(window));
}

std::int16_t JxCPopupPageEx::DrawShadow(int strips)
{
    JxCBaseProduct* product = GetProduct();
    plat::HWND window = GetWindow();
    const std::int32_t inset = frameInset();
    if (inset <= 0 || !window)
        return 1;
    if (!product || !product->BuildPaletteTable())
        return 0;
    plat::RECT client{};
    plat::GetClientRect(window, &client);
    const JxCRect onScreen = JxCPopupPageEx::ClientOnScreen(window);
    std::int16_t result = 1;
    for (int strip : {kRightStrip, kBottomStrip}) {
        if (!(strips & strip))
            continue;
        const JxCRect area = strip == kRightStrip
                                 ? JxCRect(std::int16_t(client.right - inset), 0, std::int16_t(client.right),
                                           std::int16_t(client.bottom))
                                 : JxCRect(0, std::int16_t(client.bottom - inset), std::int16_t(client.right),
                                           std::int16_t(client.bottom));
        if (area.IsEmpty())
            continue;
        JxCMemorySlate slate(area.Width(), area.Height());
        JxCRect screen = area;
        screen.Offset(onScreen.left, onScreen.top);
        drawBeneath(slate, screen);
        slate.MapColours(JxCRect(0, 0, area.Width(), area.Height()), product->GetPaletteTable());
        JxCDisplaySlate target(window, 0, 0);
        if (!target.Blit(&slate, nullptr, &area, 0))
            result = 0;
    }
    return result;
}

void JxCPopupPageEx::runSlide(std::int32_t transition, const JxCRect& area)
{
    JxCBaseProduct* product = GetProduct();
    plat::HWND window = GetWindow();
    if (!product || !window || product->IsClosingPopup() || area.IsEmpty())
        return;
    const bool slide = transition == kSlideUp || transition == kSlideLeft || transition == kSlideRight;
    const bool unslide = transition == kUnslideUp || transition == kUnslideLeft || transition == kUnslideRight;
    if (!slide && !unslide)
        return;
    plat::RECT client{};
    plat::GetClientRect(window, &client);
    const int width = client.right;
    const int height = client.bottom;
    if (width <= 0 || height <= 0)
        return;
    JxCMemorySlate content(width, height);
    JxCMemorySlate beneath(width, height);
    JxCMemorySlate frame(width, height);
    drawOwnPanels(content);
    drawBeneath(beneath, JxCPopupPageEx::ClientOnScreen(window));
    JxCDisplaySlate target(window, 0, 0);
    target.ExchangePalette(GetProductPalette(), 0);
    const bool vertical = transition == kSlideUp || transition == kUnslideUp;
    const int extent = vertical ? height : width;
    const int step = slide ? kSlideStep : kUnslideStep;
    // The distance the content stands off its place, towards the side it
    // comes from or goes to.
    for (int travelled = 0; travelled <= extent; travelled += step) {
        const int off = slide ? extent - travelled : travelled;
        int dx = 0;
        int dy = 0;
        if (vertical)
            dy = transition == kSlideUp ? off : -off;
        else if (transition == kSlideLeft || transition == kUnslideRight)
            dx = off;
        else
            dx = -off;
        const JxCRect whole(0, 0, std::int16_t(width), std::int16_t(height));
        frame.Blit(&beneath, &whole, &whole, 0);
        // The part of the content still on the window.
        const JxCRect from(std::int16_t(std::max(0, -dx)), std::int16_t(std::max(0, -dy)),
                           std::int16_t(width - std::max(0, dx)), std::int16_t(height - std::max(0, dy)));
        if (!from.IsEmpty()) {
            JxCRect to = from;
            to.Offset(dx, dy);
            frame.Blit(&content, &from, &to, 0);
        }
        target.Blit(&frame, &area, &area, 0);
        PumpPrivateMessages();
    }
    if (slide)
        target.Blit(&content, &area, &area, 0);
}
