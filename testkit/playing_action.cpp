#include "testkit/playing_action.h"

#include <algorithm>

namespace testkit {

namespace {

std::vector<PlayingAction*>& live()
{
    static std::vector<PlayingAction*> actions;
    return actions;
}

std::int16_t& factoryType()
{
    static std::int16_t type = -1;
    return type;
}

JxCAction* make(std::int16_t type)
{
    static ActionLog unused;
    return type == factoryType() ? new PlayingAction("made", unused) : nullptr;
}

JxCAction* copy(std::int16_t type, const JxCAction& source)
{
    const auto* playing = dynamic_cast<const PlayingAction*>(&source);
    return type == factoryType() && playing ? new PlayingAction(*playing) : nullptr;
}

bool equal(std::int16_t type, const JxCAction* a, const JxCAction* b)
{
    const auto* pa = dynamic_cast<const PlayingAction*>(a);
    const auto* pb = dynamic_cast<const PlayingAction*>(b);
    return type == factoryType() && pa && pb && pa->GetName() == pb->GetName();
}

}  // namespace

PlayingAction::PlayingAction(std::string name, ActionLog& log) : name_(std::move(name)), log_(&log)
{
    live().push_back(this);
}

PlayingAction::PlayingAction(const PlayingAction& other)
    : JxCAction(other), plays(other.plays), waits(other.waits), fails(other.fails), during(other.during),
      name_(other.name_), log_(other.log_)
{
    live().push_back(this);
}

PlayingAction::~PlayingAction()
{
    auto& all = live();
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
    log_->push_back("~" + name_);
}

std::int16_t PlayingAction::Execute()
{
    log_->push_back(name_);
    if (during)
        during();
    if (fails)
        return 0;
    playing_ = plays;
    return 1;
}

std::int16_t PlayingAction::IsPlaying()
{
    return playing_ || IsExecuting() ? 1 : 0;
}

std::int16_t PlayingAction::IsWaiting()
{
    return waits ? 1 : 0;
}

std::int16_t PlayingAction::UsesResource(std::int16_t, std::int16_t resourceKind)
{
    return resourceKind != 0 && resourceKind == GetResourceKind() ? 1 : 0;
}

void PlayingAction::Finish()
{
    playing_ = false;
    SetStopped(1);
}

PlayingAction* PlayingAction::Find(const std::string& name)
{
    PlayingAction* found = nullptr;
    for (PlayingAction* a : live())
        if (a->name_ == name) {
            if (a->playing_)
                return a;
            found = a;
        }
    return found;
}

int PlayingAction::LiveCount()
{
    return int(live().size());
}

PlayingActionFactory::PlayingActionFactory(std::int16_t typeId)
{
    factoryType() = typeId;
    previous_ = SetActionFactory({&make, &copy, &equal});
}

PlayingActionFactory::~PlayingActionFactory()
{
    SetActionFactory(previous_);
    factoryType() = -1;
}

}  // namespace testkit
