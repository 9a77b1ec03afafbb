#include "setup/DesktopEntries.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>

#include "platform/config/profile.h"
#include "platform/fs/atomic_file.h"
#include "platform/fs/folders.h"
#include "platform/fs/paths.h"
#include "setup/SetupLog.h"
#include "setup/SetupNames.h"
#include "setup/SetupState.h"

namespace {

std::string& engineOverride()
{
    static std::string path;
    return path;
}

bool isExecutable(const std::string& path) { return ::access(path.c_str(), X_OK) == 0; }

// The host path of a file in the target folder.
std::string targetFileHost(const std::string& name)
{
    plat::HostPath where = plat::ResolveHostPath(Setup().targetFolder + "\\" + name);
    return where.error ? std::string() : where.host;
}

// The link name without its ".lnk", as UTF-8 text.
std::string menuName(const std::string& linkName737)
{
    std::string name = linkName737;
    if (name.size() > 4) {
        std::string ext = name.substr(name.size() - 4);
        for (char& c : ext)
            c = char(std::tolower(static_cast<unsigned char>(c)));
        if (ext == ".lnk")
            name.resize(name.size() - 4);
    }
    return plat::CodePageToUtf8(name, 737);
}

// The link, its target and its description from the script; false when one
// of the names is not a plain name inside its folder.
struct Shortcut {
    std::string target, link, description;
};
bool readShortcut(const char* key, Shortcut& s)
{
    s.target = ProductValue(key);
    s.link = ProductValue((std::string(key) + "lnk").c_str());
    s.description = ProductValue((std::string(key) + "descr").c_str());
    if (!IsPlainFileName(s.target) || !IsPlainFileName(s.link)) {
        LogSetupNote(std::string("shortcut \"") + key + "\" refused: \"" + s.target + "\" / \"" + s.link +
                     "\" is not a name inside its folder");
        return false;
    }
    return true;
}

// The entry's file name, after the link's name as the shortcut's file was
// (so that each title keeps its own entries in the shared menu folder),
// else after its target: UTF-8, with what a file name cannot hold made "_".
std::string entryFileName(const std::string& menuText, const std::string& target)
{
    std::string name = menuText.empty() ? plat::CodePageToUtf8(target, 1253) : menuText;
    for (char& c : name)
        if (c == '/' || static_cast<unsigned char>(c) < 0x20)
            c = '_';
    if (name.empty() || name == "." || name == "..")
        name = "_";
    return name + ".desktop";
}

}  // namespace

std::string ApplicationsFolderHost()
{
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data && *data == '/')
        return std::string(data) + "/applications";
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.local/share/applications";
}

std::string MenuFolderHost() { return ApplicationsFolderHost() + "/Jx Multimedia"; }

std::string EngineProgramHost()
{
    if (!engineOverride().empty())
        return engineOverride();
    std::string folder = std::filesystem::path(plat::ExecutableFileHost()).parent_path().string();
    for (const std::string& candidate : {folder + "/kelbo32", folder + "/../kelbo32/kelbo32"})
        if (isExecutable(candidate))
            return std::filesystem::weakly_canonical(candidate).string();
    return "kelbo32";
}

void SetEngineProgramHost(const std::string& hostPath) { engineOverride() = hostPath; }

std::string QuoteExecArgument(const std::string& argument)
{
    bool plain = !argument.empty() && argument.find_first_of(" \t\n\"'\\><~|&;$*?#()`=%") == std::string::npos;
    if (plain)
        return argument;
    std::string quoted = "\"";
    for (char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

std::string EscapeDesktopValue(const std::string& value)
{
    std::string out;
    for (char c : value) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        default: out += c;
        }
    }
    return out;
}

int CreateShortcut(const std::vector<std::string>& exec, const std::string& tryExec, const std::string& name,
                   const std::string& comment, const std::string& workingFolder, const std::string& fileName)
{
    std::string line;
    for (const std::string& argument : exec) {
        std::string quoted = QuoteExecArgument(argument);
        // Field codes start with "%"; a literal one is doubled.
        std::string doubled;
        for (char c : quoted)
            doubled += c == '%' ? std::string("%%") : std::string(1, c);
        line += (line.empty() ? "" : " ") + doubled;
    }
    std::string text = "[Desktop Entry]\nType=Application\nVersion=1.0\nName=" + EscapeDesktopValue(name) + "\n";
    if (!comment.empty())
        text += "Comment=" + EscapeDesktopValue(comment) + "\n";
    // The menu hides the entry while its program is missing.
    text += "TryExec=" + EscapeDesktopValue(tryExec) + "\nExec=" + EscapeDesktopValue(line) +
            "\nPath=" + EscapeDesktopValue(workingFolder) + "\nTerminal=false\nCategories=Education;\n";
    return plat::WriteFileAtomically(MenuFolderHost() + "/" + fileName, text) == 0 ? 1 : 0;
}

int CreateShortcuts()
{
    int ok = 1;
    plat::HostPath target = plat::ResolveHostPath(Setup().targetFolder);
    std::string folder = target.error ? std::string() : target.host;
    Shortcut program;
    if (readShortcut("exe", program)) {
        std::string file = targetFileHost(StoredFileName(program.target));
        std::string engine = EngineProgramHost();
        if (engine.find('/') == std::string::npos)
            LogSetupNote("the engine \"" + engine + "\" was found neither beside the installer nor in its build "
                         "tree: the title's menu entry shows once it is on PATH");
        std::string name = menuName(program.link);
        ok &= !file.empty() && CreateShortcut({"env", "KELBO_PROGRAM_FILE=" + file, engine}, engine, name,
                                              plat::CodePageToUtf8(program.description, 1253), folder,
                                              entryFileName(name, program.target));
    } else {
        ok = 0;
    }
    Shortcut readme;
    if (readShortcut("readme", readme)) {
        std::string file = targetFileHost(readme.target);
        std::string name = menuName(readme.link);
        ok &= !file.empty() && CreateShortcut({"xdg-open", file}, "xdg-open", name,
                                              plat::CodePageToUtf8(readme.description, 1253), folder,
                                              entryFileName(name, readme.target));
    } else {
        ok = 0;
    }
    const std::string uninstaller = ProductValue("uninst");
    if (!uninstaller.empty())
        LogSetupNote("skipped: the uninstall shortcut (\"" + uninstaller +
                     "\" is a Windows program; remove the title by deleting its folder and menu entries)");
    return ok;
}
