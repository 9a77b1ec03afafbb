#include "runtime/JxMissingFile.h"

#include <string_view>

#include "foundation/JxErrorReport.h"
#include "foundation/JxFileUtils.h"
#include "foundation/JxStartupSettings.h"
#include "runtime/JxDataPathCheck.h"

namespace {

// Whether Retry can bring the file back.
bool retryMayFind(const JxCString& name)
{
    const std::string_view text = name.View();
    const bool onDisc = text.size() >= 2 && text[1] == ':' && IsCdRomDrive(text[0]);
    return onDisc || IsTestingEnabled();
}

}  // namespace

bool AskAboutMissingFile(const JxCString& name, unsigned missingId, bool& discCheckedAgain)
{
    if (!retryMayFind(name)) {
        ReportErrorOk(missingId, name);
        return false;
    }
    JxCString asked(name);
    return HandleFileNotFound(asked, &discCheckedAgain) == kAnswerRetry;
}
