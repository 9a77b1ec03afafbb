#pragma once
// The hook through which the foundation reports its failures (the token
// readers' "... expected in file '%s', line %d", the frozen string table's
// "Temporary Error %s", ...). The error reporting connects it to the quiet
// reporter; until then reports are dropped. Tests install their own reporter
// to see what was reported.

#include <cstdint>
#include <functional>
#include <span>

#include "foundation/JxMessageText.h"

// Receives the message id and its arguments; answers as a message box would
// (0 when nothing was shown).
using JxErrorReporter = std::function<std::int32_t(std::int32_t id, std::span<const JxMessageArg> args)>;

// Installs the reporter (an empty function drops reports); returns the
// previous one.
JxErrorReporter SetErrorReporter(JxErrorReporter reporter);

std::int32_t ReportErrorList(std::int32_t id, std::span<const JxMessageArg> args);

template <class... Args>
std::int32_t ReportError(std::int32_t id, const Args&... args)
{
    if constexpr (sizeof...(Args) == 0) {
        return ReportErrorList(id, {});
    } else {
        const JxMessageArg list[] = {JxMessageArg(args)...};
        return ReportErrorList(id, list);
    }
}
