#pragma once
// Stand-ins that tests put into panels and the media list: a display object
// that notes every mouse call it gets, and a media resource that plays
// until everything is stopped.

#include <string>
#include <vector>

#include "runtime/JxCDisplayObject.h"

namespace testkit {

// Notes "down x,y", "up x,y", "double x,y", "move x,y", "enter", "leave"
// with its name in front, in one log that several objects may share.
class RecordingObject : public JxCDisplayObject {
public:
    RecordingObject(std::string name, std::vector<std::string>& log, const JxCRect& rect, std::int32_t z = 0);

    std::int16_t MouseDown(const JxCPoint& point) override;
    std::int16_t MouseUp(const JxCPoint& point, std::int16_t flag) override;
    std::int16_t MouseDoubleClick(const JxCPoint& point) override;
    std::int16_t MouseMove(const JxCPoint& point) override;
    std::int16_t MouseEnter() override;
    std::int16_t MouseLeave() override;

private:
    void note(const char* what, const JxCPoint* point = nullptr);

    std::string name_;
    std::vector<std::string>& log_;
};

// While it lives, the engine's questions whether media plays and its
// stopping of all media reach this resource. Only one may live at a time.
class PlayingResource {
public:
    PlayingResource();
    ~PlayingResource();
    PlayingResource(const PlayingResource&) = delete;
    PlayingResource& operator=(const PlayingResource&) = delete;

    void Play() { playing_ = true; }
    bool IsPlaying() const { return playing_; }
    int GetStopCount() const { return stops_; }

private:
    static bool anyPlaying();
    static void stopAll(std::int16_t rewind);

    bool playing_ = false;
    int stops_ = 0;
};

}  // namespace testkit
