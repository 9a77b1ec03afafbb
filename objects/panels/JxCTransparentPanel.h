#pragma once
// The transparent panel (panel type "TransparentPanel").
//
// The transparent panel's first display object is a bitmap with
// see-through pixels: the panel paints no background of its own (the pages
// beneath show through), and a release over a see-through pixel goes to the
// topmost page beneath, in that page's coordinates. A transparent panel
// whose first object is no bitmap is a plain viewing panel.

#include "objects/panels/JxCViewingPanel.h"

class JxCBitmap;

class JxCTransparentPanel : public JxCViewingPanel {
public:
    JxCTransparentPanel() = default;
    ~JxCTransparentPanel() override = default;

    // Activates the bitmap and draws the whole panel with its transition,
    // then starts as a viewing panel.
    std::int16_t Start() override;
    // Nothing of its own while see-through; with the flag (an off-screen
    // drawing), the pages beneath are drawn into the slate first.
    std::int16_t PaintBackground(JxCSlate* slate, const JxCRect& rect, std::int16_t flag) override;
    std::int16_t MouseUp(const JxCPoint& point) override;

    // Whether the release point (page client coordinates) lies on a
    // see-through pixel of the bitmap.
    bool IsOverTransparentPixel(const JxCPoint& point);
    // The release goes to the topmost page beneath whose area holds it; 0
    // when no page lies beneath.
    std::int16_t PassMouseUpBeneath(const JxCPoint& point);
    // The topmost page before this panel's page in the product's list
    // whose area holds the point (this page's client coordinates); null
    // for none.
    JxCPageObject* FindPageBeneath(const JxCPoint& point) const;
    // The see-through word: 0 paints the panel's colour.
    std::int16_t IsTransparent() const { return transparent_; }
    void SetTransparent(std::int16_t transparent) { transparent_ = transparent; }

private:
    // The first display object, when it is a bitmap.
    JxCBitmap* seeThroughBitmap();
    // Draws the part of the pages beneath under the rectangle (content
    // coordinates) into the slate.
    void paintPagesBeneath(JxCSlate& slate, const JxCRect& rect);

    std::int16_t transparent_ = 1;
};
