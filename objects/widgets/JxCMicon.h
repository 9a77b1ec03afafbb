#pragma once
// The micon (object type "Micon"): a hotspot that plays a small looping
// animation of pictures on one product timer, a frame every interval
// tenths of a second, and holds its frame from a click until the actions
// of that click have finished (a sound it starts, say).
//
// Record, after the hotspot's: s16 interval in tenths of a second, s16
// frame count n (a negative count is a damaged record), then per frame the
// picture's name (table string), s16 x and s16 y: where in the picture the
// micon's rectangle is taken from.
//
// Every frame is loaded when the resources are made, through the shared
// bitmap loader ("@name" is a picture of the program's own resources); the
// micon only drops its shares, and a second load drops the first's.

#include <cstdint>
#include <vector>

#include "events/JxCBitmapRef.h"
#include "foundation/JxCPoint.h"
#include "foundation/JxCTableString.h"
#include "objects/widgets/JxCHotspot.h"

class JxCMicon : public JxCHotspot {
public:
    static constexpr std::int32_t kDefaultInterval = 10;

    JxCMicon() = default;
    // Stops its timer.
    ~JxCMicon() override;

    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type) override;
    // Loads every frame; 0 at the first that cannot be loaded.
    std::int16_t CreateResources() override;
    std::int16_t ReleaseResources() override;
    // The current frame, see-through, at the rectangle.
    std::int16_t Draw(JxCSlate* slate, const JxCRect* clip) override;
    std::int16_t MouseDown(const JxCPoint& point) override;
    // Stops every playing object; a release that stopped something is
    // spent on that unless "AlwaysActive" is set; inside the rectangle it
    // highlights, raises "on_click" and holds the frame.
    std::int16_t MouseUp(const JxCPoint& point, std::int16_t flag) override;
    // With more than one frame, starts the frame timer (once).
    std::int16_t Start() override;
    // The frame timer's tick.
    void OnSystemEvent(JxCTimerParams* record) override;

    std::int32_t GetInterval() const { return interval_; }
    std::int32_t GetFrameIndex() const { return frame_; }
    std::int32_t GetFrameCount() const { return std::int32_t(frames_.size()); }
    std::int16_t IsClicked() const { return clicked_; }
    std::int16_t IsTimerRunning() const { return timerRunning_; }
    // Frame i's name and the point its picture is shown from.
    const JxCTableString& GetFrameName(std::int32_t i) const { return frames_.at(std::size_t(i)).name; }
    const JxCPoint& GetFramePosition(std::int32_t i) const { return frames_.at(std::size_t(i)).position; }

private:
    struct Frame {
        JxCTableString name;
        JxCPoint position;
        JxSharedImage image;
    };

    void stopFrameTimer();
    void dropImages();
    // The frame's picture, see-through or not, at the rectangle (the part
    // within the clip) into the slate (none: the micon's own).
    void drawFrame(JxCSlate* slate, const JxCRect& part, std::int16_t transparent);
    bool navigationOptionsOnTop() const;
    // The panel draws the micon's area again.
    void redrawPanel();

    std::int32_t interval_ = kDefaultInterval;
    std::int32_t frame_ = 0;
    std::int16_t clicked_ = 0;
    std::vector<Frame> frames_;
    std::int16_t timerRunning_ = 0;
};
