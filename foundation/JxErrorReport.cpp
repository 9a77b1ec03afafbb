#include "foundation/JxErrorReport.h"

#include <string>
#include <vector>

#include "foundation/JxErrorHook.h"
#include "foundation/JxErrorLog.h"
#include "foundation/JxMemoryGuard.h"
#include "foundation/JxProductLink.h"
#include "foundation/JxResourceLibraries.h"
#include "foundation/JxStartupSettings.h"
#include "foundation/JxStringLoader.h"
#include "foundation/JxWinHelpers.h"
#include "platform/ui/message_box.h"

namespace {

constexpr unsigned kIconExclamation = 0x30;
constexpr unsigned kTaskModal = 0x2000;
constexpr unsigned kQuitQuestionStyle = 0x2034;  // Yes and No, exclamation, task-modal

bool& startFlag()
{
    static bool started = false;
    return started;
}

JxCString& quitText()
{
    static JxCString text("Are you sure you want to quit?");
    return text;
}

// The boxes have no owner window: task-modal, they leave the program's
// windows painting and running their timers.
std::int32_t messageBox(const std::string& text, const std::string& caption, unsigned style)
{
    return plat::MessageBoxA(nullptr, text.c_str(), caption.c_str(), style);
}

std::string textOf(const JxCString& s)
{
    return std::string(s.View());
}

std::string formatted(const std::string& text, std::span<const JxMessageArg> args)
{
    return textOf(FormatMessageArgList(text.c_str(), args).Text());
}

// "[id]: " before the formatted text. The id is put in front after the
// text has been formatted, so that the text's numbered markers keep
// naming the caller's own arguments.
std::string withIdPrefix(unsigned id, const std::string& message)
{
    return "[" + std::to_string(id) + "]: " + message;
}

// "Unable to load error message. (id = N)" and a line end.
std::string missingTextMessage(unsigned id)
{
    return textOf(MissingMessageText()) + " (id = " + std::to_string(id) + ")\n";
}

std::string boxCaption()
{
    if (ProductExists()) {
        ProductMarkIdle();
        if (auto title = ProductTitle())
            return textOf(*title);
    }
    std::string caption;
    LoadStringText(kTitleTextId, caption);
    return caption;
}

std::int32_t visibleReport(unsigned id, std::span<const JxMessageArg> args, unsigned style)
{
    std::string text;
    if (!LoadStringText(id, text))
        return ShowErrorBox(kStyleOk, missingTextMessage(id).c_str());
    return ShowErrorBox(style, withIdPrefix(id, formatted(text, args)).c_str());
}

std::uint32_t& reportCount()
{
    static std::uint32_t count = 0;
    return count;
}

}  // namespace

void SetProgramStarted()
{
    startFlag() = true;
}

bool IsProgramStarted()
{
    return startFlag();
}

void ResetErrorReporting()
{
    startFlag() = false;
    quitText() = "Are you sure you want to quit?";
}

const JxCString& MissingMessageText()
{
    static const JxCString text("Unable to load error message.");
    return text;
}

const JxCString& QuitQuestionText()
{
    return quitText();
}

std::uint32_t GetReportCount()
{
    return reportCount();
}

std::int32_t OhNoItsAnErrorList(unsigned id, std::span<const JxMessageArg> args)
{
    if (!startFlag())
        return 0;
    ++reportCount();
    if (ProductExists())
        ProductMarkIdle();
    std::int32_t answer = 0;
    std::string text;
    if (LoadStringText(id, text)) {
        std::string message = formatted(text, args);
        if (IsTestingEnabled())
            message = withIdPrefix(id, message);
        if (IsLoggingErrors()) {
            AppendToErrorLog(message.c_str());
            return 0;
        }
        if (id != kOutOfMemoryId)
            return 0;
        answer = ReportOutOfMemory();
    } else {
        answer = ErrorMessageBox(missingTextMessage(id).c_str(), kStyleOk);
    }
    if (answer == kAnswerAbort)
        QuitApplication();
    return answer;
}

std::int32_t ReportErrorOkList(unsigned id, std::span<const JxMessageArg> args)
{
    return visibleReport(id, args, kStyleOk);
}

std::int32_t ReportErrorAbortRetryIgnoreList(unsigned id, std::span<const JxMessageArg> args)
{
    return visibleReport(id, args, kStyleAbortRetryIgnore);
}

std::int32_t ReportErrorYesNoList(unsigned id, std::span<const JxMessageArg> args)
{
    return visibleReport(id, args, kStyleYesNo);
}

std::int32_t ReportErrorRetryCancelList(unsigned id, std::span<const JxMessageArg> args)
{
    return visibleReport(id, args, kStyleRetryCancel);
}

std::int32_t ShowErrorBox(unsigned style, const char* text)
{
    if (IsLoggingErrors())
        AppendToErrorLog(text);
    std::int32_t answer = ErrorMessageBox(text, style);
    if (answer == kAnswerAbort)
        QuitApplication();
    return answer;
}

std::int32_t ErrorMessageBox(const char* text, unsigned style)
{
    ++reportCount();
    const std::string caption = boxCaption();
    for (;;) {
        std::int32_t answer = messageBox(text ? text : "", caption, style | kIconExclamation | kTaskModal);
        if (answer != kAnswerAbort)
            return answer;
        std::string question;
        if (LoadStringText(kQuitQuestionId, question)) {
            // Once the library gives the question, it stays for the run.
            quitText() = question.c_str();
            question = withIdPrefix(kQuitQuestionId, question);
        } else {
            question = textOf(quitText());
        }
        const std::int32_t confirmed = messageBox(question, caption, kQuitQuestionStyle);
        if (confirmed == kAnswerYes)
            return answer;
        // The program is being ended, and the question gave way unanswered:
        // no Yes to end the process at once, which would skip the end's save.
        if (confirmed != kAnswerNo)
            return 0;
    }
}

std::int32_t ReportStringIdChoice(unsigned id, unsigned style)
{
    std::string text;
    return LoadStringText(id, text) ? ShowErrorBox(style, text.c_str()) : 0;
}

std::int32_t ReportStandardError(unsigned id)
{
    switch (id) {
    case 1058:
        return ReportErrorOk(1058);
    case 1087:
        return ReportErrorAbortRetryIgnore(1087);
    case 1088:
        return ReportErrorOk(1088);
    case 1089:
        return ReportErrorOk(1089);
    default:
        return ReportErrorOk(1090);
    }
}

unsigned ErrorCodeToMessageId(std::uint32_t code)
{
    switch (code) {
    case 2:
    case 3:
        return 1066;
    case 101:
        return 1075;
    case 102:
        return 1078;
    case 103:
        return 1077;
    case 104:
        return 1076;
    default:
        return 0;
    }
}

void ConnectErrorReporting()
{
    ConnectStringLoader();
    SetErrorReporter([](std::int32_t id, std::span<const JxMessageArg> args) {
        return OhNoItsAnErrorList(static_cast<unsigned>(id), args);
    });
}
