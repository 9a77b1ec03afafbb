#include "platform/window/loop_service.h"

#include <algorithm>
#include <vector>

namespace plat {

namespace {

std::vector<LoopService*>& services()
{
    static std::vector<LoopService*> list;
    return list;
}

// A service may add or remove services while it runs; the walk goes over a
// copy and skips those that left meanwhile.
template <typename Visit>
void forEachService(Visit&& visit)
{
    const std::vector<LoopService*> snapshot = services();
    for (LoopService* s : snapshot)
        if (std::find(services().begin(), services().end(), s) != services().end())
            visit(*s);
}

}  // namespace

void AddLoopService(LoopService* service)
{
    auto& list = services();
    if (service && std::find(list.begin(), list.end(), service) == list.end())
        list.push_back(service);
}

void RemoveLoopService(LoopService* service)
{
    std::erase(services(), service);
}

std::optional<std::uint64_t> NextLoopServiceDue()
{
    std::optional<std::uint64_t> next;
    for (const LoopService* s : services())
        if (auto due = s->nextDue(); due && (!next || *due < *next))
            next = due;
    return next;
}

void RunLoopServices(std::uint64_t now)
{
    if (services().empty())
        return;  // the usual pass: nothing to copy
    forEachService([now](LoopService& s) {
        if (auto due = s.nextDue(); due && *due <= now)
            s.serviceDue(now);
    });
}

void NotifyWindowPainted(HWND hwnd)
{
    forEachService([hwnd](LoopService& s) { s.windowPainted(hwnd); });
}

}  // namespace plat
