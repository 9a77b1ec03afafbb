// Any bytes as a movie file: opening either fails with an error code or
// gives a movie whose times are in order and bounded; a few steps, a go-to
// and short plays forwards (with its sound) and backwards then decode and
// draw what they can, and every play ends.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "platform/backend/harness.h"
#include "platform/movie/ffmpeg_library.h"
#include "platform/movie/movie.h"
#include "platform/movie/sound_sink.h"
#include "platform/window/window.h"

namespace {

class CountingSink final : public plat::MovieSoundSink {
public:
    void write(std::span<const std::int16_t> samples) override { fuzz::Check(samples.size() % 2 == 0); }
    void flush() override {}
};

struct Stage {
    plat::Harness harness;
    plat::HWND window = nullptr;

    Stage()
    {
        plat::WNDCLASSA wc;
        wc.lpfnWndProc = plat::DefWindowProcA;
        wc.lpszClassName = "MovieFuzz";
        plat::RegisterClassA(wc);
        window = plat::CreateWindowExA(0, "MovieFuzz", "", plat::WS_POPUP | plat::WS_VISIBLE, 0, 0, 160, 120,
                                       nullptr, nullptr, nullptr, nullptr);
        plat::SetMovieSoundOutput([] { return std::make_unique<CountingSink>(); });
    }
};

Stage& stage()
{
    static Stage s;
    return s;
}

void checkDescription(const plat::MovieInfo& info)
{
    fuzz::Check(info.timeScale > 0 && info.duration >= 0);
    fuzz::Check(info.width >= 0 && info.height >= 0 && info.width <= 2048 && info.height <= 2048);
    for (std::size_t i = 0; i < info.frameTimes.size(); ++i) {
        fuzz::Check(info.frameTimes[i] >= 0 && info.frameTimes[i] < info.duration);
        fuzz::Check(i == 0 ? info.frameTimes[i] == 0 : info.frameTimes[i] > info.frameTimes[i - 1]);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Stage& s = stage();
    auto bytes = std::make_shared<std::vector<std::uint8_t>>(data, data + size);
    plat::OpenedSource opened = plat::OpenFfmpegMovie(plat::MemoryBytes(bytes));
    fuzz::Check((opened.source != nullptr) == (opened.error == plat::kMovieNoError));
    if (!opened.source)
        return 0;
    checkDescription(opened.source->info());
    plat::Movie movie(std::move(opened.source));
    movie.setRect({0, 0, 160, 120});
    movie.show(s.window);
    const std::int32_t step = movie.frameStep();
    fuzz::Check(step >= 1);
    movie.goTo(movie.duration() / 2);
    movie.step(-1);
    movie.step(2);
    // Three frames' worth each way, at most a second of virtual time.
    const std::int64_t span = std::min<std::int64_t>(std::int64_t(step) * 3, movie.timeScale());
    movie.playSelection(0, std::int32_t(span), 1.0);
    s.harness.runFor(1100);
    fuzz::Check(movie.rate() == 0);
    movie.playSelection(std::max<std::int32_t>(0, movie.duration() - std::int32_t(span)), std::int32_t(span), -1.0);
    s.harness.runFor(1100);
    fuzz::Check(movie.rate() == 0);
    return 0;
}
