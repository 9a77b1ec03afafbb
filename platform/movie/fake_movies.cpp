#include "platform/movie/fake_movies.h"

#include <algorithm>
#include <cctype>

namespace plat {

namespace {

std::string normalPath(std::string_view path)
{
    std::string out(path);
    for (char& c : out)
        c = c == '/' ? '\\' : char(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

class FakeSource final : public MovieSource {
public:
    FakeSource(FakeMovie movie, std::shared_ptr<FakeMovieLog> log) : movie_(std::move(movie)), log_(std::move(log))
    {
        info_.width = movie_.width;
        info_.height = movie_.height;
        info_.timeScale = movie_.timeScale;
        info_.duration = movie_.duration;
        info_.frameTimes = movie_.frameTimes;
        info_.hasSound = movie_.hasSound;
    }

    const MovieInfo& info() const override { return info_; }
    bool decodeFrame(std::size_t index, FrameImage& out) override
    {
        log_->decoded.push_back(index);
        const auto& failing = movie_.failingFrames;
        if (index >= info_.frameTimes.size() || std::find(failing.begin(), failing.end(), index) != failing.end())
            return false;
        const std::uint32_t colour = movie_.colours.empty() ? 0 : movie_.colours[index % movie_.colours.size()];
        out.width = info_.width;
        out.height = info_.height;
        out.pixels.assign(std::size_t(info_.width) * std::size_t(info_.height), colour);
        return true;
    }
    void startSound(std::int32_t from, std::int32_t to) override
    {
        log_->sound.push_back("start " + std::to_string(from) + " " + std::to_string(to));
    }
    void soundUntil(std::int32_t until) override { log_->sound.push_back("until " + std::to_string(until)); }
    void stopSound() override { log_->sound.push_back("stop"); }

private:
    FakeMovie movie_;
    std::shared_ptr<FakeMovieLog> log_;
    MovieInfo info_;
};

}  // namespace

FakeMovie FakeMovie::Frames(int count, std::int32_t length, std::vector<std::uint32_t> colours,
                            std::int32_t timeScale)
{
    FakeMovie m;
    m.timeScale = timeScale;
    for (int i = 0; i < count; ++i)
        m.frameTimes.push_back(i * length);
    m.duration = std::max(0, count) * length;
    m.colours = std::move(colours);
    return m;
}

void FakeMovieLibrary::add(const std::string& windowsPath, FakeMovie movie)
{
    movies_.emplace_back(normalPath(windowsPath), std::move(movie));
}

OpenedSource FakeMovieLibrary::open(std::string_view windowsPath)
{
    log_->opened.emplace_back(windowsPath);
    const std::string key = normalPath(windowsPath);
    auto it = std::find_if(movies_.begin(), movies_.end(), [&](const auto& m) { return m.first == key; });
    if (it == movies_.end())
        return {nullptr, kMovieFileNotFound};
    if (it->second.error != kMovieNoError)
        return {nullptr, it->second.error};
    return {std::make_unique<FakeSource>(it->second, log_), kMovieNoError};
}

FakeMovies::FakeMovies()
{
    auto library = std::make_unique<FakeMovieLibrary>();
    library_ = library.get();
    previous_ = InstallMovieLibrary(std::move(library));
}

FakeMovies::~FakeMovies()
{
    InstallMovieLibrary(std::move(previous_));
}

}  // namespace plat
