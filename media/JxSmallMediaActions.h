#pragma once
// The small media actions: "STOPVIDEO" and "seekVIDEO" on movies,
// "STOPWAVE" and "SEEKWAVE" on sounds.
//
// Stand-ins so far: the factories build them by their names; their records
// and runs come with the media.

#include "events/JxCAction.h"

class JxCBaseStopVideoAction : public JxCAction {
public:
    JxCBaseStopVideoAction() = default;
    JxCBaseStopVideoAction(const JxCBaseStopVideoAction&) = default;
    ~JxCBaseStopVideoAction() override = default;
};

class JxCBaseSeekVideoAction : public JxCAction {
public:
    JxCBaseSeekVideoAction() = default;
    JxCBaseSeekVideoAction(const JxCBaseSeekVideoAction&) = default;
    ~JxCBaseSeekVideoAction() override = default;
};

class JxCStopSoundAction : public JxCAction {
public:
    JxCStopSoundAction() = default;
    JxCStopSoundAction(const JxCStopSoundAction&) = default;
    ~JxCStopSoundAction() override = default;
};

class JxCSeekSoundAction : public JxCAction {
public:
    JxCSeekSoundAction() = default;
    JxCSeekSoundAction(const JxCSeekSoundAction&) = default;
    ~JxCSeekSoundAction() override = default;
};
