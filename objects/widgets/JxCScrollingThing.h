#pragma once
// The base of the objects that show a value inside a range (the scroll
// bitmap, the scroll bar): the range, the position, the page size and the
// conversion between values and pixels. An object can be linked to a
// partner on the same panel at Start, taking its range, page size and
// position, so that both show one range.
//
// Its stored record replaces the display object's: the id, the rectangle,
// the cursor name, the linked word, the partner's id, then the minimum, the
// maximum and the start position (32-bit each). No option flags, handlers
// or further display-object fields are stored; "ResetResources" is set.
//
// Ranges may take the whole 32-bit span: moves, offsets from the minimum
// and conversions are worked out in 64 bits (or wider) and a move past
// either end stops there.

#include <cstdint>
#include <vector>

#include "runtime/JxCDisplayObject.h"

class JxCScrollingThing : public JxCDisplayObject {
public:
    JxCScrollingThing() = default;
    // Stops a product timer the object still holds.
    ~JxCScrollingThing() override;

    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type) override;
    std::int16_t ResetFlags() override;
    std::int16_t CreateResources() override { return 1; }
    std::int16_t Draw(JxCSlate*, const JxCRect*) override { return 1; }
    std::int16_t MouseDown(const JxCPoint&) override { return 1; }
    // Stops every playing object while "ResetResources" is set; raises
    // nothing.
    std::int16_t MouseUp(const JxCPoint& point, std::int16_t flag) override;
    // Keeps the place a page shown again had, links to the partner and
    // applies the start position.
    std::int16_t Start() override;

    virtual void SetRange(std::int32_t minimum, std::int32_t maximum);
    // SetRange through the table, so that a derived class's runs.
    virtual void ChangeRange(std::int32_t minimum, std::int32_t maximum) { SetRange(minimum, maximum); }
    // Clamps into the range, then Redraw.
    virtual void SetPosition(std::int32_t value);
    virtual void ScrollTo(std::int32_t value) { SetPosition(value); }
    virtual void ScrollToStart() { SetPosition(minimum_); }
    virtual void ScrollToEnd() { SetPosition(maximum_); }
    virtual void LineBack() { MoveBy(-1); }
    virtual void LineForward() { MoveBy(1); }
    virtual void PageBack() { MoveBy(-std::int64_t(pageSize_)); }
    virtual void PageForward() { MoveBy(pageSize_); }
    virtual std::int16_t Redraw() { return 1; }

    void GetRange(std::int32_t& minimum, std::int32_t& maximum) const
    {
        minimum = minimum_;
        maximum = maximum_;
    }
    std::int32_t GetPosition() const { return position_; }
    std::int32_t GetStartPosition() const { return startPosition_; }
    std::int32_t GetScrollPageSize() const { return pageSize_; }
    // maximum - minimum (at least 1), which can pass 32 bits.
    std::int64_t GetValueSpan() const { return valueSpan_; }
    std::int32_t GetPixelSpan() const { return pixelSpan_; }
    JxCScrollingThing* GetPartner() const { return partner_; }
    std::int16_t IsLinked() const { return linked_; }

    // Rounded to the nearest whole number (halves away from zero for
    // positive values); values are offsets from the minimum, so they run
    // to the value span. No product overflows.
    std::int64_t ValueToPixels(std::int64_t value) const;
    std::int64_t PixelsToValue(std::int64_t pixels) const;
    // Takes the partner's range, page size and position; null unlinks.
    void Link(JxCScrollingThing* partner);

protected:
    // The value nearest to v that 32 bits hold.
    static std::int32_t Saturate(std::int64_t v);
    // SetPosition(position + delta), stopping at the ends of the range.
    void MoveBy(std::int64_t delta) { SetPosition(Saturate(std::int64_t(position_) + delta)); }
    void SetPositionWord(std::int32_t value) { position_ = value; }
    void SetPageSizeWord(std::int64_t size) { pageSize_ = Saturate(size); }
    // Both spans are kept at 1 or more: a span of 0 (or less) makes both 1.
    void SetSpans(std::int64_t valueSpan, std::int32_t pixelSpan);
    void SetRangeWords(std::int32_t minimum, std::int32_t maximum);
    std::int32_t Clamp(std::int32_t value) const;

private:
    std::int16_t linked_ = 0;
    JxCScrollingThing* partner_ = nullptr;
    std::int32_t partnerId_ = 0;
    std::int32_t minimum_ = 0;
    std::int32_t maximum_ = 0;
    std::int32_t startPosition_ = 0;
    std::int32_t position_ = 0;
    std::int32_t pageSize_ = 0;
    std::int64_t valueSpan_ = 1;
    std::int32_t pixelSpan_ = 1;
    // The objects linked to this one, which forget it when it goes.
    std::vector<JxCScrollingThing*> linkers_;
};
