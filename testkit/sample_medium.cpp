#include "testkit/sample_medium.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "platform/movie/ffmpeg_module.h"
#include "testkit/fake_medium.h"
#include "testkit/installed_title.h"
#include "testkit/lz_file.h"
#include "testkit/sample_quiz.h"
#include "testkit/sample_title.h"
#include "testkit/word_data.h"

namespace testkit {

namespace fs = std::filesystem;

namespace {

std::string readHostFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

const char* const kReadme =
    "Kelbo Sample\r\n"
    "\r\n"
    "The sample title of kelbo32. Its menu entry starts it; its pictures,\r\n"
    "sounds and movie stay on its disc, the CD-ROM drive labelled KELBO.\r\n";

}  // namespace

void WriteSampleTitleFolder(const std::string& folder)
{
    WriteSampleTitle(folder, true, true);
    WriteHostFile(folder + "/WordData.dat", SampleQuizWordData().Bytes());
}

void WriteSampleMedium(const std::string& root, const SampleMediumFiles& files)
{
    if (fs::exists(root) && !fs::is_empty(root))
        throw std::runtime_error(root + " is not empty");
    // The title laid out as its installation and its disc keep it: the
    // program's part beside the installer, the rest from the disc's root.
    FakeMedium medium(root);
    const std::string installer = medium.installerHost();
    WriteSampleTitleFolder(installer);
    MoveDataToDisc(installer, root);
    if (!files.movie.empty())
        medium.file("SAMPLE.mov", readHostFile(files.movie));

    medium.set("kelbo", "diskettes", "2")
        .set("kelbo", "exe", "KELBO32.EXE")
        .set("kelbo", "exelnk", "Kelbo Sample.lnk")
        .set("kelbo", "exedescr", "The sample title of kelbo32")
        .set("kelbo", "readme", "README.TXT")
        .set("kelbo", "readmelnk", "Kelbo Sample - read me.lnk")
        .set("kelbo", "readmedescr", "What the sample title is");
    // Every program file compressed; the resource library's folder is
    // copied as it is, named by no list.
    const std::string program = "The title's program: kelbo32 stands in for it, started by its menu entry.\r\n";
    const std::string data = "KELBO.DAT";
    medium.exe("KELBO32.$", LzCompress(program))
        .exe(data, LzCompress(readHostFile(installer + "/" + data)))
        .exe("WordData.dat", LzCompress(readHostFile(installer + "/WordData.dat")))
        .exe(plat::kFfmpegModuleFile, LzCompress(readHostFile(files.movieLibrary)))
        .exe("README.TXT", LzCompress(kReadme));
    medium.write();
}

}  // namespace testkit
