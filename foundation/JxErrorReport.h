#pragma once
// The reporters every failure goes through. Message texts come from the
// string tables; their arguments are strings (numbers are turned into their
// text), put in by the formatter's markers.
//
// OhNoItsAnError is the quiet one: with "LogErrors" on it appends the
// message to the error log, otherwise it shows nothing, except for the
// out-of-memory id and for ids without text. The four visible reporters
// always show a task-modal box, the text prefixed "[id]: ". A box answered
// with Abort asks whether to quit; Yes ends the process at once.

#include <cstdint>
#include <span>

#include "foundation/JxMessageText.h"

// Message box answers and styles the reporters use.
constexpr std::int32_t kAnswerOk = 1;
constexpr std::int32_t kAnswerCancel = 2;
constexpr std::int32_t kAnswerAbort = 3;
constexpr std::int32_t kAnswerRetry = 4;
constexpr std::int32_t kAnswerIgnore = 5;
constexpr std::int32_t kAnswerYes = 6;
constexpr std::int32_t kAnswerNo = 7;

constexpr unsigned kStyleOk = 0x0;
constexpr unsigned kStyleAbortRetryIgnore = 0x102;  // the second button (Retry) as default
constexpr unsigned kStyleYesNo = 0x4;
constexpr unsigned kStyleRetryCancel = 0x5;

// Ids the reporting itself knows.
constexpr unsigned kOutOfMemoryId = 1002;
constexpr unsigned kQuitQuestionId = 1064;

// Set once, as the first step of the program's entry function; quiet
// reports before it are dropped.
void SetProgramStarted();
bool IsProgramStarted();
// Test support: back to the state before the entry function ran, with the
// quit question's own text.
void ResetErrorReporting();

// How many reports (quiet or shown) have been made in this run: a caller
// that sees an operation fail can tell whether its cause was reported.
std::uint32_t GetReportCount();

std::int32_t OhNoItsAnErrorList(unsigned id, std::span<const JxMessageArg> args);
std::int32_t ReportErrorOkList(unsigned id, std::span<const JxMessageArg> args);
std::int32_t ReportErrorAbortRetryIgnoreList(unsigned id, std::span<const JxMessageArg> args);
std::int32_t ReportErrorYesNoList(unsigned id, std::span<const JxMessageArg> args);
std::int32_t ReportErrorRetryCancelList(unsigned id, std::span<const JxMessageArg> args);

template <class... Args>
std::int32_t OhNoItsAnError(unsigned id, const Args&... args)
{
    const JxMessageArg list[] = {JxMessageArg(), JxMessageArg(args)...};
    return OhNoItsAnErrorList(id, std::span(list).subspan(1));
}
template <class... Args>
std::int32_t ReportErrorOk(unsigned id, const Args&... args)
{
    const JxMessageArg list[] = {JxMessageArg(), JxMessageArg(args)...};
    return ReportErrorOkList(id, std::span(list).subspan(1));
}
template <class... Args>
std::int32_t ReportErrorAbortRetryIgnore(unsigned id, const Args&... args)
{
    const JxMessageArg list[] = {JxMessageArg(), JxMessageArg(args)...};
    return ReportErrorAbortRetryIgnoreList(id, std::span(list).subspan(1));
}
template <class... Args>
std::int32_t ReportErrorYesNo(unsigned id, const Args&... args)
{
    const JxMessageArg list[] = {JxMessageArg(), JxMessageArg(args)...};
    return ReportErrorYesNoList(id, std::span(list).subspan(1));
}
template <class... Args>
std::int32_t ReportErrorRetryCancel(unsigned id, const Args&... args)
{
    const JxMessageArg list[] = {JxMessageArg(), JxMessageArg(args)...};
    return ReportErrorRetryCancelList(id, std::span(list).subspan(1));
}

// Logs the text when logging is on, shows it in a box of the style and
// quits on Abort (after Yes to the quit question).
std::int32_t ShowErrorBox(unsigned style, const char* text);
// The box with its quit question: Abort asks whether to quit; No shows the
// box again. Returns the box's answer: Abort once the quit is confirmed,
// 0 when a box gave way unanswered to the program's end.
std::int32_t ErrorMessageBox(const char* text, unsigned style);
// The text of id, unformatted, through ShowErrorBox; the box's answer, or
// nothing shown and 0 when the id has no text.
std::int32_t ReportStringIdChoice(unsigned id, unsigned style);
// The wave-device probe's reports: 1058, 1087, 1088 and 1089 as themselves,
// anything else as 1090.
std::int32_t ReportStandardError(unsigned id);
// The message id of a file error code of the program's open call; 0 when
// there is none.
unsigned ErrorCodeToMessageId(std::uint32_t code);

// The fixed texts.
const JxCString& MissingMessageText();  // "Unable to load error message."
const JxCString& QuitQuestionText();    // "Are you sure you want to quit?" or string 1064

// Connects the foundation's hooks: the strings' text loader to the resource
// libraries and the foundation's failure reports to OhNoItsAnError.
void ConnectErrorReporting();
