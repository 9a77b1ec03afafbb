#pragma once
// The PICS animation actions: "PLAYNONQPICS" (plays at once), "PLAYPICS"
// (plays through the action queue), "STOPPICS" and "SEEKPICS".
//
// Stand-ins so far: the factories build them by their names; their records
// and the player come with the media.

#include "events/JxCAction.h"

class JxCPlayPicsAction : public JxCAction {
public:
    JxCPlayPicsAction() = default;
    JxCPlayPicsAction(const JxCPlayPicsAction&) = default;
    ~JxCPlayPicsAction() override = default;
};

class JxCPlayQueuePicsAction : public JxCPlayPicsAction {
public:
    JxCPlayQueuePicsAction() = default;
    JxCPlayQueuePicsAction(const JxCPlayQueuePicsAction&) = default;
    ~JxCPlayQueuePicsAction() override = default;
};

class JxCStopPicsAction : public JxCAction {
public:
    JxCStopPicsAction() = default;
    JxCStopPicsAction(const JxCStopPicsAction&) = default;
    ~JxCStopPicsAction() override = default;
};

class JxCSeekPicsAction : public JxCAction {
public:
    JxCSeekPicsAction() = default;
    JxCSeekPicsAction(const JxCSeekPicsAction&) = default;
    ~JxCSeekPicsAction() override = default;
};
