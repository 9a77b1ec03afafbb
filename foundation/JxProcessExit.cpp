#include "foundation/JxProcessExit.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

JxExitHandler& handler()
{
    static JxExitHandler current;
    return current;
}

}  // namespace

JxExitHandler SetExitHandler(JxExitHandler h)
{
    return std::exchange(handler(), std::move(h));
}

void EndProcess(int code)
{
    if (handler())
        handler()(code);
    std::fflush(nullptr);
    std::exit(code);
}
