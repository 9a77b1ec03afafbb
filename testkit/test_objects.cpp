#include "testkit/test_objects.h"

#include <stdexcept>

#include "runtime/JxCBaseProduct.h"

namespace testkit {

namespace {

PlayingResource*& current()
{
    static PlayingResource* resource = nullptr;
    return resource;
}

}  // namespace

RecordingObject::RecordingObject(std::string name, std::vector<std::string>& log, const JxCRect& rect,
                                 std::int32_t z)
    : name_(std::move(name)), log_(log)
{
    SetRect(rect);
    SetNumberProperty(kPropZOrder, z);
}

void RecordingObject::note(const char* what, const JxCPoint* point)
{
    std::string line = name_ + " " + what;
    if (point)
        line += " " + std::to_string(point->x) + "," + std::to_string(point->y);
    log_.push_back(line);
}

std::int16_t RecordingObject::MouseDown(const JxCPoint& point)
{
    note("down", &point);
    return JxCDisplayObject::MouseDown(point);
}

std::int16_t RecordingObject::MouseUp(const JxCPoint& point, std::int16_t flag)
{
    note("up", &point);
    return JxCDisplayObject::MouseUp(point, flag);
}

std::int16_t RecordingObject::MouseDoubleClick(const JxCPoint& point)
{
    note("double", &point);
    return JxCDisplayObject::MouseDoubleClick(point);
}

std::int16_t RecordingObject::MouseMove(const JxCPoint& point)
{
    note("move", &point);
    return JxCDisplayObject::MouseMove(point);
}

std::int16_t RecordingObject::MouseEnter()
{
    note("enter");
    return 1;
}

std::int16_t RecordingObject::MouseLeave()
{
    note("leave");
    return 1;
}

PlayingResource::PlayingResource()
{
    if (current())
        throw std::logic_error("one PlayingResource at a time");
    current() = this;
    SetMediaPlayingQuery(&PlayingResource::anyPlaying);
    SetPlayingObjectsStopper(&PlayingResource::stopAll);
}

PlayingResource::~PlayingResource()
{
    SetMediaPlayingQuery(nullptr);
    SetPlayingObjectsStopper(nullptr);
    current() = nullptr;
}

bool PlayingResource::anyPlaying()
{
    return current() && current()->playing_;
}

void PlayingResource::stopAll(std::int16_t)
{
    if (PlayingResource* resource = current()) {
        resource->playing_ = false;
        ++resource->stops_;
    }
}

}  // namespace testkit
