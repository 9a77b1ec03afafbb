#pragma once
// The sample title's installer medium, as a title ships on its disc: the
// installer's folder "SETUP" with its "setup.inf", the program files that
// the script lists, compressed as the medium's tools left them (the program
// "KELBO32.$", the product data file, the quiz's words, the movie library
// and a readme), and the title's resource library beside them; the disc's
// data (pictures, sounds, animations, the data store, the movie) from the
// root. Mapped as a CD-ROM drive labelled kSampleMediumLabel, it installs
// with `setup 'D:\SETUP'`.
//
//   RegisterClasses();  // the stored objects are named by the program's classes
//   testkit::WriteSampleMedium(root, {movieLibrary, movie});
//   UnregisterClasses();

#include <string>

namespace testkit {

constexpr const char* kSampleMediumLabel = "KELBO";
constexpr const char* kSampleMediumInstaller = "SETUP";

struct SampleMediumFiles {
    // Host path of the movie library (libkelbo_ffmpeg.so).
    std::string movieLibrary;
    // Host path of the gallery's movie ("SAMPLE.mov"); none: the gallery
    // shows no movie.
    std::string movie;
};

// The sample title as the sample-title tool writes it into one folder:
// with its logbook, opening on its login, and with the quiz's word file.
void WriteSampleTitleFolder(const std::string& folder);

// Writes the medium into `root`, which must be missing or empty (the
// medium's files are read-only, as on a pressed disc). Throws
// std::runtime_error when a file cannot be read or written.
void WriteSampleMedium(const std::string& root, const SampleMediumFiles& files);

}  // namespace testkit
