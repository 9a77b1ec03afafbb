#pragma once
// The action "PLAYPICSNOLOAD": a queued PICS play that does not open its
// animation until it runs, and lets go of it again when rewound, so that a
// page full of them holds no animation it does not play.
//
// Record (big-endian): u16 string-table reference of the animation name
// (0 = none), then parameters 1 to 5 (s16 each; parameter 3 is the
// animation's open parameter).

#include <cstdint>

#include "media/JxPicsActions.h"

class JxCGavoPlayPicsAction : public JxCPlayQueuePicsAction {
public:
    JxCGavoPlayPicsAction() = default;
    JxCGavoPlayPicsAction(const JxCGavoPlayPicsAction&) = default;
    ~JxCGavoPlayPicsAction() override = default;

    // Binds nothing; 1 once the record is read, 0 when it ends early.
    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* owner) override;
    // Binds to the animation now and plays it queued; 0 when it cannot be
    // opened.
    std::int16_t Execute() override;
    // The queued play's rewind, then lets go of the animation: the answer
    // of the unbinding, 1 when nothing was bound.
    std::int16_t Rewind(std::int32_t position) override;
};
