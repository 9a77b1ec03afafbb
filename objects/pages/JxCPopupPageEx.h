#pragma once
// The pop-up page (page types "POPUP_PAGE", "INDEX_PAGE", "NAVOPT_PAGE" and
// "SLIDING_PAGE", and the base of the title's quiz page): a page in an
// owned pop-up window of its own over the page it opens from.
//
// Its template places it (a fixed point, an anchor page or panel, centring
// in an area), may give it a caption bar with a close box and a drop shadow
// along its right and bottom edges, through which the pages beneath show
// darkened. It slides open and shut with the slide kinds of the window
// transition table, follows its opener's window when that moves, and takes
// over the pop-up pages shown when it opens. When its opener changes it
// gets a new window over the new opener, at the same place on the screen.

#include <cstdint>
#include <memory>
#include <optional>

#include "foundation/JxCPoint.h"
#include "foundation/JxCRect.h"
#include "objects/pages/JxCWindowTransition.h"
#include "platform/core/types.h"
#include "runtime/JxCPageObject.h"

class JxCMemorySlate;
class JxCTemplateDef;

class JxCPopupPageEx : public JxCPageObject {
public:
    // Placement flag word.
    static constexpr std::int16_t kAnchorToTemplate = 0x0001;
    static constexpr std::int16_t kAnchorToOpener = 0x0002;
    static constexpr std::int16_t kAnchorToPanel = 0x0100;
    static constexpr std::int16_t kAnchorBits = 0x0FFF;
    static constexpr std::int16_t kFollowOpener = 0x1000;
    static constexpr std::int16_t kFollowMainWindow = 0x2000;
    // The close box lies left of the caption-bar start, which is at least
    // this far in.
    static constexpr std::int32_t kMinCaptionBarStart = 12;
    // Non-client hit codes.
    static constexpr std::int16_t kHitClient = 1;
    static constexpr std::int16_t kHitCaption = 2;
    static constexpr std::int16_t kHitCloseBox = 3;
    // Shadow strips.
    static constexpr int kRightStrip = 1;
    static constexpr int kBottomStrip = 2;

    JxCPopupPageEx();
    // Slides shut with the closing transition, closes the panels and child
    // members, gives the focus and the current page back to the opener
    // while it is open, and closes the window with the window transition.
    ~JxCPopupPageEx() override;

    // Takes the definition and the template's modal word and five page
    // words; an open mode forces the page to stay open.
    std::int16_t Init(JxCPageDef* def) override;
    // Makes the panels' resources and the window over the current page,
    // takes over the pop-up pages shown, takes the focus and shows the
    // window; 0 when the panels or the window cannot be made.
    std::int16_t CreateResources() override;
    // "on_preopen", the panels' start, "on_open".
    std::int16_t Start() override;
    // The opening slide on the first paint, the panels, the caption bar
    // and the shadow strips; then the first paint is announced.
    void Refresh() override;
    void DrawFrame() override { drawCaptionBar(); }
    std::int32_t GetCaptionHeight() const override;
    // The device context draws below the caption bar.
    void* GetDC() override;
    void GetScreenRect(const JxCSize& size, JxCRect& rect) override;
    std::int16_t GetWindowRect(const plat::POINT& screen) const override;
    void MoveResize(plat::HWND window) override;
    std::int16_t MoveToOpener(JxCPageObject* opener) override;
    std::int16_t CanActivate() const override { return modal_ <= 0 ? 1 : 0; }

    // Creates the page's window over the page's window (none: 0).
    plat::HWND CreateWindowFor(JxCPageObject* page);
    // Draws the caption bar with its close box; 1 without a caption.
    std::int16_t drawCaptionBar();
    // Draws the shadow in the strips named by the bits (kRightStrip,
    // kBottomStrip); 0 when the colour table cannot be built.
    std::int16_t DrawShadow(int strips);

    virtual plat::COLORREF GetActiveCaptionColor() const;
    virtual plat::COLORREF GetInactiveCaptionColor() const;
    virtual JxCPoint GetPopupOrigin() const;

    // The client rectangle of a window in screen coordinates.
    static JxCRect ClientOnScreen(plat::HWND window);

    std::int32_t GetCaptionBarStart() const { return captionStart_; }
    std::int16_t IsCaptioned() const { return captioned_; }
    // The window transition the page closes with; null when none could be
    // made, and then the window is destroyed at once.
    void SetWindowTransition(std::unique_ptr<JxCWindowTransition> transition)
    {
        windowTransition_ = std::move(transition);
    }

private:
    JxCTemplateDef* findTemplate() const;
    std::int32_t frameInset() const;
    void takeOverShownPopups();
    void anchorPlacement(const JxCTemplateDef& templateDef, JxCRect& rect);
    std::int32_t openingTransition() const;
    std::int32_t closingTransition() const;
    std::optional<JxCPoint> positionPoint() const;
    // The slide kinds of the window transition table over the client area
    // (client coordinates); other kinds, and every kind while a pop-up
    // page is being moved, do nothing.
    void runSlide(std::int32_t transition, const JxCRect& area);
    // The pictures of a screen rectangle: what lies beneath the page, and
    // the page's own panels.
    void drawBeneath(JxCMemorySlate& slate, const JxCRect& screen) const;
    void drawOwnPanels(JxCMemorySlate& slate);
    void drawCloseBox(plat::HDC dc) const;
    void followFromPageWindow(plat::HWND moved);
    void followMainWindow(plat::HWND main);

    std::unique_ptr<JxCWindowTransition> windowTransition_;
    std::int32_t modal_ = 0;
    std::int32_t captionHeight_ = 0;
    std::int32_t captionStart_ = 0;
    JxCPoint position_;
    std::uint32_t style_ = 0;
    std::int16_t captioned_ = 0;
    std::int16_t opening_ = 0;
};
