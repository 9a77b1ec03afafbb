#include "setup/SetupState.h"

namespace {

SetupState& state()
{
    static SetupState s;
    return s;
}

}  // namespace

SetupState& Setup() { return state(); }

void ResetSetup() { state() = SetupState{}; }
