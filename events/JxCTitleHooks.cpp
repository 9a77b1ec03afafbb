#include "events/JxCTitleHooks.h"

#include <utility>

namespace {

JxCTitleHooks*& installed()
{
    static JxCTitleHooks* hooks = nullptr;
    return hooks;
}

}  // namespace

JxCTitleHooks& GetTitleHooks()
{
    static JxCTitleHooks defaults;
    return installed() ? *installed() : defaults;
}

JxCTitleHooks* SetTitleHooks(JxCTitleHooks* hooks)
{
    return std::exchange(installed(), hooks);
}
