#include "events/JxEventLink.h"

#include <utility>

namespace {

std::optional<JxEventLink>& link()
{
    static std::optional<JxEventLink> current;
    return current;
}

}  // namespace

std::optional<JxEventLink> SetEventLink(std::optional<JxEventLink> l)
{
    return std::exchange(link(), std::move(l));
}

const JxEventLink* GetEventLink()
{
    return link() ? &*link() : nullptr;
}
