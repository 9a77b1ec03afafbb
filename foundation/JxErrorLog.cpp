#include "foundation/JxErrorLog.h"

#include <string>

#include "foundation/JxErrorMode.h"
#include "foundation/JxStartupSettings.h"
#include "platform/fs/files.h"

namespace {

// The log is a text file of the Windows program: its line ends are CR LF,
// also inside a message.
std::string logLine(const char* text)
{
    std::string line;
    for (const char* p = text ? text : ""; *p; ++p) {
        if (*p == '\n')
            line += '\r';
        line += *p;
    }
    return line + "\r\n";
}

// The log opened at its end for writing, created when missing.
plat::HFILE openForAppend(const char* path)
{
    plat::HFILE file = plat::_lopen(path, plat::OF_WRITE);
    if (file != plat::HFILE_ERROR) {
        plat::_llseek(file, 0, plat::FILE_END);
        return file;
    }
    plat::OFSTRUCT info;
    return plat::OpenFile(path, &info, plat::OF_CREATE | plat::OF_WRITE);
}

}  // namespace

void AppendToErrorLog(const char* text)
{
    if (!IsLoggingErrors())
        return;
    const JxCString& path = GetLogFilePath();
    if (path.IsEmpty())
        return;
    JxQuietErrorMode quiet;
    plat::HFILE file = openForAppend(path.GetText());
    if (file == plat::HFILE_ERROR)
        return;
    std::string line = logLine(text);
    plat::_lwrite(file, line.data(), static_cast<plat::UINT>(line.size()));
    plat::_lclose(file);
}
