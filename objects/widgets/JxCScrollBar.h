#pragma once
// The scroll bar (object type "ScrollBaa"): a vertical bar drawn from
// pictures: an up arrow, a down arrow, a track and a thumb, each with a
// pressed look. Pressing an arrow or the track moves the position by a line
// or a page and repeats while the button is held, faster and faster;
// dragging the thumb sets the position directly. The bar tells a listener
// (a group collage) of changes with commands 7 (moved) and 8 (going), and
// moves a linked partner (a scroll bitmap) with it.
//
// Its record is the scrolling object's, then eight picture names (images 0
// to 7: up, down, thumb, track, up pressed, down pressed, thumb dragged,
// track pressed; "@NAME" names a picture of the program), four metrics
// (a >= b >= 1, the line step and the acceleration), the notify-while-
// dragging word and the page size.

#include <array>
#include <cstdint>

#include "events/JxCBitmapRef.h"
#include "foundation/JxCString.h"
#include "objects/widgets/JxCScrollingThing.h"

class JxCPanelObject;

class JxCScrollBar : public JxCScrollingThing {
public:
    enum Part : std::int32_t {
        kPartUp = 0,
        kPartDown = 1,
        kPartThumb = 2,
        kPartTrack = 3,
        kPartPageUp = 4,
        kPartPageDown = 5,
    };
    static constexpr int kPartCount = 6;
    static constexpr int kImageCount = 8;
    // The commands the listener hears.
    static constexpr std::int32_t kCommandMoved = 7;
    static constexpr std::int32_t kCommandGoing = 8;
    static constexpr std::int32_t kRepeatIntervalMs = 100;
    static constexpr std::int32_t kMaxStep = 4095;

    JxCScrollBar();
    // Stops the repeat and tells the listener that the bar goes.
    ~JxCScrollBar() override;

    // The repeat tick while an arrow or the track is held.
    void OnSystemEvent(JxCTimerParams* record) override;
    // Checks the metrics (0 when they break the rule), loads the pictures
    // and lays the parts out; the bar keeps the mouse capture itself.
    std::int16_t CreateResources() override;
    // Lets go of its shares of the pictures; 1.
    std::int16_t ReleaseResources() override;
    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type) override;
    std::int16_t Draw(JxCSlate* slate, const JxCRect* clip) override;
    std::int16_t MouseDown(const JxCPoint& point) override;
    std::int16_t MouseUp(const JxCPoint& point, std::int16_t flag) override;
    // Drags the thumb; the result is the dragging word.
    std::int16_t MouseMove(const JxCPoint& point) override;
    void SetRect(const JxCRect& rect) override;

    void SetRange(std::int32_t minimum, std::int32_t maximum) override;
    // Clamps, tells the listener (not while the thumb is dragged) and moves
    // the thumb.
    void SetPosition(std::int32_t value) override;
    void LineBack() override { MoveBy(-std::int64_t(lineStep_)); }
    void LineForward() override { MoveBy(lineStep_); }
    // The panel draws the dirty rectangle again, or the whole bar.
    std::int16_t Redraw() override;

    // The previous listener.
    virtual JxCDisplayObject* SetListener(JxCDisplayObject* listener);
    virtual void SetPartImageNames(const std::array<JxCString, kImageCount>& names);
    // Images 1 to 7; other indexes change nothing.
    virtual void SetPartImageName(std::int32_t index, const JxCString& name);
    // Kept only when a >= b >= 1 and 1 <= lineStep <= acceleration < 4681;
    // 1, else 0 and nothing changes.
    virtual std::int16_t SetThumbMetrics(std::int32_t a, std::int32_t b, std::int32_t lineStep,
                                         std::int32_t acceleration);
    virtual std::int16_t GetNotifyWhileDragging() const { return notifyWhileDragging_; }
    virtual void SetNotifyWhileDragging(std::int16_t on) { notifyWhileDragging_ = on; }
    virtual void Enable() { enabled_ = 1; }
    virtual void Disable() { enabled_ = 0; }
    // 0 and no change below 1; else at most the value span; 1.
    virtual std::int16_t SetPageSize(std::int32_t size);
    virtual std::int16_t ChangePageSize(std::int32_t size) { return SetPageSize(size); }
    virtual std::int32_t GetPageSize() const { return GetScrollPageSize(); }
    // The picture a part shows now (pressed or dragged looks included);
    // null for a part without one.
    virtual void GetPartImageName(JxSharedImage& image, std::int32_t part) const;
    virtual void Layout();

    // The range and page size a group gives its bar; a maximum of 0 or
    // less disables it.
    void Configure(std::int32_t minimum, std::int32_t maximum, std::int32_t pageSize);

    std::int16_t IsEnabled() const { return enabled_; }
    std::int16_t IsPressed() const { return pressed_ ? 1 : 0; }
    std::int16_t IsDragging() const { return dragging_; }
    std::int32_t GetPressedPart() const { return pressedPart_; }
    std::int32_t GetStep() const { return step_; }
    const JxCRect& GetPartRect(std::int32_t part) const { return parts_.at(std::size_t(part)); }
    JxCDisplayObject* GetListener() const { return listener_; }

private:
    void loadImages();
    std::int32_t imageHeight(int index) const;
    std::int32_t imageWidth(int index) const;
    // Pixel travel of the thumb.
    void updateThumbTravel();
    // The thumb at the position, the track parts around it.
    void placeThumb();
    void addDirty(const JxCRect& rect);
    void tellListener();
    // Drags and repeats move the partner to the bar's position.
    void movePartner(std::int32_t value);
    void endPress();
    JxCPanelObject* panel() const;
    void drawOnce(JxCSlate* slate, const JxCRect& clip, std::int32_t part);
    void drawTiled(JxCSlate* slate, const JxCRect& clip, std::int32_t part);

    std::array<JxCRect, kPartCount> parts_{};
    std::array<JxCString, kImageCount> names_{};
    std::array<JxSharedImage, kImageCount> images_{};
    std::int16_t pressed_ = 0;
    std::int16_t dragging_ = 0;
    std::int32_t pressedPart_ = -1;
    std::int16_t enabled_ = 1;
    JxCRect dirty_;
    std::int32_t accelerationCountdown_ = 0;
    std::int32_t repeatCountdown_ = 0;
    std::int32_t step_ = 0;
    JxCDisplayObject* listener_ = nullptr;
    std::int32_t metricA_ = 1;
    std::int32_t metricB_ = 1;
    std::int32_t lineStep_ = 1;
    std::int32_t acceleration_ = 1;
    std::int16_t notifyWhileDragging_ = 1;
};
