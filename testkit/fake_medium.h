#pragma once
// Writer of an installer's distribution medium: a host folder standing for
// the disc, the installer's folder on it with its "setup.inf" and the files
// the script lists, mapped as a cdrom drive.
//
//   testkit::FakeMedium disc(root + "/disc");
//   disc.exe("KELBO32.$", bytes).exe("README.TXT", text).set("kelbo", "exe", "KELBO32.EXE");
//   disc.write();
//   config.writeDriveTable(disc.driveSection('E'));
//
// Files are written as given; a test that wants a compressed one compresses
// it on the disc (mscompress) before it maps the drive.

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace testkit {

class FakeMedium {
public:
    // hostRoot: the folder that is the disc. The installer lies in its
    // folder "SETUP" unless installerFolder() says otherwise ("" for the root).
    explicit FakeMedium(std::string hostRoot);

    FakeMedium& installerFolder(std::string name);
    // A key of the script (sections and keys keep the order of first use).
    FakeMedium& set(const std::string& section, const std::string& key, const std::string& value);
    // A file of the installer folder listed as the next "file%d" of [EXES]
    // or [DLLS]; "max" follows the count unless set() gives it.
    FakeMedium& exe(const std::string& name, const std::string& bytes);
    FakeMedium& dll(const std::string& name, const std::string& bytes);
    // A list entry whose file is not written (or written under another name).
    FakeMedium& listOnly(const std::string& section, const std::string& name);
    // Any other file of the disc, by its path from the root ("DATA/X.DAT").
    FakeMedium& file(const std::string& path, const std::string& bytes);

    // Writes every file and the script; the disc's files are made
    // read-only, as on a pressed disc. Throws std::runtime_error when a
    // file cannot be written.
    void write() const;

    std::string hostRoot() const { return root_; }
    // Host folder of the installer and of one of its files.
    std::string installerHost() const;
    std::string installerFileHost(const std::string& name) const;
    // The script's text.
    std::string script() const;
    // The drive table's section mapping the disc as a cdrom drive.
    std::string driveSection(char letter, const std::string& label = "KELBO") const;

private:
    void list(const std::string& section, const std::string& name);
    void setKey(const std::string& section, const std::string& key, const std::string& value);

    std::string root_;
    std::string installer_ = "SETUP";
    std::vector<std::pair<std::string, std::vector<std::pair<std::string, std::string>>>> sections_;
    std::map<std::string, std::string> files_;  // path from the root -> bytes
    std::map<std::string, int> counts_;
    std::map<std::string, bool> maxGiven_;
};

}  // namespace testkit
