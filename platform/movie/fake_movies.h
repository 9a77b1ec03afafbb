#pragma once
// A scripted movie library for tests of the engine's movie logic: each
// Windows path answers with an error code or with a movie of solid-colour
// frames whose size, times and failures the test chose. What was opened,
// decoded and played is logged.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/movie/movie_source.h"

namespace plat {

struct FakeMovie {
    int error = kMovieNoError;  // what opening answers; not 0: no movie
    int width = 64;
    int height = 48;
    std::int32_t timeScale = 600;
    std::vector<std::int32_t> frameTimes;  // empty: a movie of sound alone
    std::int32_t duration = 0;
    // Frame i is filled with colours[i % size] (0x00RRGGBB); none: black.
    std::vector<std::uint32_t> colours;
    std::vector<std::size_t> failingFrames;  // these do not decode
    bool hasSound = false;

    // `count` frames of `length` each, coloured in turn from `colours`.
    static FakeMovie Frames(int count, std::int32_t length, std::vector<std::uint32_t> colours = {},
                            std::int32_t timeScale = 600);
};

struct FakeMovieLog {
    std::vector<std::string> opened;      // every path asked for
    std::vector<std::size_t> decoded;     // frame indexes, in order
    std::vector<std::string> sound;       // "start FROM TO", "until T", "stop"
};

class FakeMovieLibrary final : public MovieLibrary {
public:
    FakeMovieLibrary() : log_(std::make_shared<FakeMovieLog>()) {}
    // Paths match without regard to case or separator; an unknown path
    // answers kMovieFileNotFound.
    void add(const std::string& windowsPath, FakeMovie movie);
    // start() answers this (kMovieLibraryMissing: the library is absent).
    void setStartError(int error) { startError_ = error; }
    const FakeMovieLog& log() const { return *log_; }

    int start() override { return startError_; }
    OpenedSource open(std::string_view windowsPath) override;

private:
    std::vector<std::pair<std::string, FakeMovie>> movies_;
    int startError_ = kMovieNoError;
    std::shared_ptr<FakeMovieLog> log_;
};

// Installs a fake library for as long as it lives, then puts the previous
// library back.
class FakeMovies {
public:
    FakeMovies();
    ~FakeMovies();
    FakeMovies(const FakeMovies&) = delete;
    FakeMovies& operator=(const FakeMovies&) = delete;
    FakeMovieLibrary& library() { return *library_; }

private:
    FakeMovieLibrary* library_;
    std::unique_ptr<MovieLibrary> previous_;
};

}  // namespace plat
