#include "title/panels/JxDialogPages.h"

#include <utility>

namespace {

JxDialogPageRunner& Runner()
{
    static JxDialogPageRunner runner;
    return runner;
}

}  // namespace

std::int32_t RunDialogPage(std::int32_t pageId, std::int32_t parameter)
{
    // A copy, so a runner that replaces itself while it runs stays alive.
    const JxDialogPageRunner runner = Runner();
    return runner ? runner(pageId, parameter) : 1;
}

JxDialogPageRunner SetDialogPageRunner(JxDialogPageRunner runner)
{
    return std::exchange(Runner(), std::move(runner));
}
