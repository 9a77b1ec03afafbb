#include "foundation/JxErrorHook.h"

#include <utility>

namespace {

JxErrorReporter& reporter()
{
    static JxErrorReporter current;
    return current;
}

}  // namespace

JxErrorReporter SetErrorReporter(JxErrorReporter r)
{
    return std::exchange(reporter(), std::move(r));
}

std::int32_t ReportErrorList(std::int32_t id, std::span<const JxMessageArg> args)
{
    return reporter() ? reporter()(id, args) : 0;
}
