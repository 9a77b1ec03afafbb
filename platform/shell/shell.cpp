#include "platform/shell/shell.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>

#include "platform/config/ini_document.h"
#include "platform/fs/atomic_file.h"
#include "platform/fs/errors.h"
#include "platform/fs/find.h"
#include "platform/fs/folders.h"
#include "platform/fs/paths.h"

extern char** environ;

namespace plat {

namespace {

constexpr const char* kDesktopOpener = "xdg-open";

const char* const kWebExtensions[] = {".htm", ".html", ".url"};

// Programs started by the spawning launcher that have not ended yet; each
// is waited for by a thread of its own, so none is left a zombie.
struct StartedPrograms {
    std::mutex mutex;
    std::condition_variable ended;
    int running = 0;
};

StartedPrograms& started()
{
    static StartedPrograms s;
    return s;
}

void waitForChild(pid_t pid)
{
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    std::lock_guard lock(started().mutex);
    --started().running;
    started().ended.notify_all();
}

bool spawnProgram(const ProgramLaunch& launch)
{
    std::vector<std::string> words;
    words.push_back(launch.program);
    words.insert(words.end(), launch.arguments.begin(), launch.arguments.end());
    std::vector<char*> argv;
    for (std::string& w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int rc = launch.searchPath
                       ? ::posix_spawnp(&pid, launch.program.c_str(), nullptr, nullptr, argv.data(), environ)
                       : ::posix_spawn(&pid, launch.program.c_str(), nullptr, nullptr, argv.data(), environ);
    if (rc != 0)
        return false;
    {
        std::lock_guard lock(started().mutex);
        ++started().running;
    }
    std::thread(waitForChild, pid).detach();
    return true;
}

ProgramLauncher& launcher()
{
    static ProgramLauncher l = spawnProgram;
    return l;
}

bool startsWithNoCase(std::string_view text, std::string_view start)
{
    return text.size() >= start.size() && EqualsNoCase(text.substr(0, start.size()), start);
}

bool endsWithNoCase(std::string_view text, std::string_view end)
{
    return text.size() >= end.size() && EqualsNoCase(text.substr(text.size() - end.size()), end);
}

// Whether a program of that name can be started from the host's search
// path, as posix_spawnp would find it.
bool onSearchPath(const char* program)
{
    const char* path = std::getenv("PATH");
    std::string_view dirs = path && *path ? path : "/usr/local/bin:/usr/bin:/bin";
    while (true) {
        const std::size_t colon = dirs.find(':');
        std::string dir(dirs.substr(0, colon));
        const std::string candidate = (dir.empty() ? std::string(".") : dir) + "/" + program;
        if (::access(candidate.c_str(), X_OK) == 0)
            return true;
        if (colon == std::string_view::npos)
            return false;
        dirs.remove_prefix(colon + 1);
    }
}

// The host file that stands for the desktop's opener, written when missing.
std::string desktopOpenerHost()
{
    return WindowsFolderHost() + "/" + kDesktopOpener;
}

bool ensureDesktopOpener()
{
    const std::string host = desktopOpenerHost();
    if (::access(host.c_str(), F_OK) == 0)
        return true;
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);  // makes the folder
    return WriteFileAtomically(host,
                               "This file stands for the desktop's opener of web documents.\n"
                               "A program started through it is started as xdg-open.\n") == 0;
}

// The host path of an existing file (not a folder) that a Windows path
// names, or empty.
std::string existingFileHost(std::string_view windowsPath)
{
    if (windowsPath.empty())
        return {};
    HostPath path = ResolveHostPath(windowsPath);
    return path.error == 0 && path.exists && !path.isFolder ? path.host : std::string();
}

struct CommandLine {
    std::string program;      // as written (Windows path)
    std::string programHost;  // empty when it names no existing file
    std::string argument;     // the rest, empty for none
};

CommandLine splitCommandLine(std::string_view line)
{
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
        line.remove_prefix(1);
    CommandLine cl;
    std::size_t restAt = line.size();
    if (!line.empty() && line.front() == '"') {
        const std::size_t close = line.find('"', 1);
        cl.program = std::string(line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
        restAt = close == std::string_view::npos ? line.size() : close + 1;
        cl.programHost = existingFileHost(cl.program);
    } else {
        // The shortest prefix ending at a blank that names a file; else the
        // first word.
        for (std::size_t at = 0; at <= line.size(); ++at) {
            if (at < line.size() && line[at] != ' ')
                continue;
            std::string host = existingFileHost(line.substr(0, at));
            if (!host.empty()) {
                cl.program = std::string(line.substr(0, at));
                cl.programHost = host;
                restAt = at;
                break;
            }
        }
        if (cl.programHost.empty()) {
            restAt = std::min(line.find(' '), line.size());
            cl.program = std::string(line.substr(0, restAt));
        }
    }
    std::string_view rest = line.substr(restAt);
    while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t'))
        rest.remove_prefix(1);
    cl.argument = std::string(rest);
    return cl;
}

HINSTANCE asInstance(UINT code)
{
    return reinterpret_cast<HINSTANCE>(static_cast<std::uintptr_t>(code));
}

}  // namespace

UINT WinExec(const char* commandLine, UINT show)
{
    (void)show;
    if (!commandLine || !*commandLine)
        return 0;
    CommandLine cl = splitCommandLine(commandLine);
    if (cl.programHost.empty()) {
        HostPath path = ResolveHostPath(cl.program);
        return path.error == ERROR_PATH_NOT_FOUND ? ERROR_PATH_NOT_FOUND : ERROR_FILE_NOT_FOUND;
    }
    ProgramLaunch launch;
    if (cl.programHost == desktopOpenerHost()) {
        launch.program = kDesktopOpener;
        launch.searchPath = true;
    } else {
        if (::access(cl.programHost.c_str(), X_OK) != 0)
            return ERROR_BAD_FORMAT;
        launch.program = cl.programHost;
    }
    if (!cl.argument.empty()) {
        std::string host = existingFileHost(cl.argument);
        launch.arguments.push_back(host.empty() ? cl.argument : host);
    }
    if (!launcher()(launch))
        return ERROR_FILE_NOT_FOUND;
    return 33;
}

HINSTANCE FindExecutableA(const char* file, const char* directory, char* result)
{
    if (result)
        result[0] = '\0';
    if (!file || !*file || !result)
        return asInstance(SE_ERR_FNF);
    std::string path = file;
    const bool address = startsWithNoCase(path, "http://") || startsWithNoCase(path, "https://");
    if (!address && directory && *directory && path.find_first_of("\\/:") == std::string::npos)
        path = std::string(directory) + (std::string_view(directory).ends_with('\\') ? "" : "\\") + path;
    HostPath found = address ? HostPath{} : ResolveHostPath(path);
    if (found.error == ERROR_PATH_NOT_FOUND)
        return asInstance(SE_ERR_PNF);
    if (!address && (found.error || !found.exists || found.isFolder))
        return asInstance(SE_ERR_FNF);
    bool web = address;
    for (const char* ext : kWebExtensions)
        web = web || endsWithNoCase(path, ext);
    // A desktop without its opener has no program for web documents.
    if (!web || !onSearchPath(kDesktopOpener))
        return asInstance(SE_ERR_NOASSOC);
    if (!ensureDesktopOpener())
        return asInstance(SE_ERR_NOASSOC);
    std::string opener = HostToWindowsPath(desktopOpenerHost());
    if (opener.empty() || opener.size() >= MAX_PATH)
        return asInstance(SE_ERR_NOASSOC);
    std::memcpy(result, opener.c_str(), opener.size() + 1);
    return asInstance(42);
}

short GetFileTitleA(const char* file, char* buffer, WORD size)
{
    if (!file || !*file)
        return -1;
    std::string_view name = file;
    const std::size_t slash = FindLastSeparator(name);
    const std::size_t colon = name.rfind(':');
    std::size_t cut = slash == std::string_view::npos ? colon
                      : colon == std::string_view::npos ? slash
                                                         : std::max(slash, colon);
    if (cut != std::string_view::npos)
        name.remove_prefix(cut + 1);
    if (name.empty())
        return -1;
    if (!buffer || size < name.size() + 1)
        return static_cast<short>(std::min<std::size_t>(name.size() + 1, 0x7FFF));
    std::memcpy(buffer, name.data(), name.size());
    buffer[name.size()] = '\0';
    return 0;
}

ProgramLauncher SetProgramLauncher(ProgramLauncher replacement)
{
    ProgramLauncher previous = std::move(launcher());
    launcher() = replacement ? std::move(replacement) : ProgramLauncher(spawnProgram);
    return previous;
}

void WaitForStartedPrograms()
{
    std::unique_lock lock(started().mutex);
    started().ended.wait(lock, [] { return started().running == 0; });
}

}  // namespace plat
