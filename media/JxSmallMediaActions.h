#pragma once
// The small media actions: "STOPWAVE" pauses a sound and "STOPVIDEO" a
// movie; "SEEKWAVE" and "seekVIDEO" move one back to a position. Each binds
// itself to the shared media of its name (JxCResourceObject.h) when it is
// read or set up; a copy for the action processor joins the same media,
// and every one leaves it when it goes.
//
// The two sound actions carry their own types from construction; the two
// movie actions keep the base's first type ("NULL_ACT") unless the action
// factory gives them the type of their record.
//
// Records (big-endian): "STOPWAVE" the sound name as a string-table
// reference (0 none, else index + 1); "STOPVIDEO" the movie name counted
// (s16 length, then the characters); the seeks nothing: only their
// set-up gives them a name and a position.

#include <cstdint>

#include "events/JxCAction.h"
#include "foundation/JxCString.h"
#include "runtime/JxKeywordTables.h"

class JxCQT3Resource;
class JxCSoundResource;

// The media binding the four share: a name, and the media of the action's
// resource kind while bound.
class JxCBoundMediaAction : public JxCAction {
public:
    ~JxCBoundMediaAction() override;
    JxCResourceObject* GetResource() override { return media_; }
    const JxCString& GetMediaName() const { return name_; }

protected:
    explicit JxCBoundMediaAction(JxResourceKind kind);
    // Joins the other's media.
    JxCBoundMediaAction(const JxCBoundMediaAction& other);
    JxCBoundMediaAction& operator=(const JxCBoundMediaAction&) = delete;

    // Leaves the media held, then binds to that of the name; true when bound.
    std::int16_t Bind(const JxCString& name, JxCRunTimeObject* owner, std::int32_t openParameter);
    void Unbind();
    JxCResourceObject* Media() const { return media_; }

private:
    JxCString name_;
    JxCResourceObject* media_ = nullptr;
};

class JxCStopSoundAction : public JxCBoundMediaAction {
public:
    JxCStopSoundAction();
    JxCStopSoundAction(const JxCStopSoundAction&) = default;
    ~JxCStopSoundAction() override = default;

    // The name; 0 when no sound of it can be had.
    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* owner) override;
    // Pauses a playing sound: its result; 0 when nothing plays.
    std::int16_t Execute() override;

    JxCSoundResource* GetSound() const;
};

class JxCSeekSoundAction : public JxCBoundMediaAction {
public:
    JxCSeekSoundAction();
    JxCSeekSoundAction(const JxCSeekSoundAction& other) = default;
    ~JxCSeekSoundAction() override = default;

    // True when bound.
    std::int16_t Setup(const JxCString& name, std::int32_t position, JxCRunTimeObject* owner);
    // Gives the sound the position and the action's length as its first two
    // parameter words, stops it and rewinds it (a sound goes back to 0
    // only); 1.
    std::int16_t Execute() override;

    std::int32_t GetSeekPosition() const { return position_; }

private:
    std::int32_t position_ = 0;
};

class JxCBaseStopVideoAction : public JxCBoundMediaAction {
public:
    JxCBaseStopVideoAction();
    JxCBaseStopVideoAction(const JxCBaseStopVideoAction&) = default;
    ~JxCBaseStopVideoAction() override = default;

    // The counted name; 0 when no movie of it can be had.
    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* owner) override;
    // Pauses the movie: its result; 0 without one.
    std::int16_t Execute() override;
    // The owner and the movie's name; true when bound.
    std::int16_t SetParameters(const JxCString& name, JxCRunTimeObject* owner);
};

class JxCBaseSeekVideoAction : public JxCBoundMediaAction {
public:
    JxCBaseSeekVideoAction();
    JxCBaseSeekVideoAction(const JxCBaseSeekVideoAction&) = default;
    ~JxCBaseSeekVideoAction() override = default;

    std::int16_t Setup(const JxCString& name, std::int32_t position, JxCRunTimeObject* owner);
    // The movie plays from the position (at least 0) to its end from now
    // on, and stands at the position; 1. 0 without a movie.
    std::int16_t Execute() override;

    std::int32_t GetSeekPosition() const { return position_; }

private:
    std::int32_t position_ = 0;
};
