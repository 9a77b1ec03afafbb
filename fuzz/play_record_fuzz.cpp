// A "PLAYVIDEO" record and the movie it names, on arbitrary bytes (the
// record, the file separator, the movie file): the record reads within its
// bytes or fails; a copy equals the action it copies and shares its movie;
// running it opens whatever the movie bytes are (a damaged movie fails with
// its message), plays at most half a second, and once every action has gone
// no movie is left behind.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "foundation/JxCInStrStream.h"
#include "foundation/JxErrorReport.h"
#include "fuzz/fuzz_support.h"
#include "media/JxCQT3Overseer.h"
#include "media/JxCQT3PlayAction.h"
#include "media/JxCResourceObject.h"
#include "platform/backend/harness.h"
#include "platform/movie/movie_bytes.h"
#include "platform/movie/ffmpeg_library.h"
#include "platform/movie/movie_source.h"
#include "platform/movie/sound_sink.h"
#include "platform/window/window.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxTypeRegistry.h"
#include "title/JxClassRegistrations.h"

namespace {

// Every name opens the input's movie bytes.
class InputMovies final : public plat::MovieLibrary {
public:
    plat::OpenedSource open(std::string_view) override { return plat::OpenFfmpegMovie(plat::MemoryBytes(bytes)); }
    std::shared_ptr<const std::vector<std::uint8_t>> bytes = std::make_shared<std::vector<std::uint8_t>>();
};

class SilentSink final : public plat::MovieSoundSink {
public:
    void write(std::span<const std::int16_t>) override {}
    void flush() override {}
};

struct Stage {
    plat::Harness harness;
    InputMovies* movies = nullptr;

    Stage()
    {
        SetProgramStarted();
        // A movie that does not open is reported: the box is passed by.
        plat::SetResponder([](const plat::UiRequest& r) -> std::optional<int> {
            for (int b : r.buttons)
                if (b == kAnswerIgnore)
                    return b;
            return r.buttons.empty() ? kAnswerOk : r.buttons.front();
        });
        RegisterClasses();
        RegisterTypeIds();
        auto library = std::make_unique<InputMovies>();
        movies = library.get();
        plat::InstallMovieLibrary(std::move(library));
        plat::SetMovieSoundOutput([] { return std::make_unique<SilentSink>(); });
        plat::WNDCLASSA wc;
        wc.lpfnWndProc = plat::DefWindowProcA;
        wc.lpszClassName = "PlayFuzz";
        plat::RegisterClassA(wc);
        SetProduct(std::make_unique<JxCBaseProduct>());
        GetProduct()->SetProductWindow(plat::CreateWindowExA(0, "PlayFuzz", "", plat::WS_POPUP | plat::WS_VISIBLE, 0,
                                                             0, 320, 240, nullptr, nullptr, nullptr, nullptr));
        GetProduct()->InternString("CLIP");
        GetProduct()->InternString("\\CLIP");
        StartMovieLayer();
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Stage stage;
    const std::vector<std::string> files = fuzz::SplitInput(data, size, 2);
    stage.movies->bytes = std::make_shared<std::vector<std::uint8_t>>(files[1].begin(), files[1].end());
    const std::string& record = files[0];
    {
        JxCInStrStream in(JxMemoryBlock{record.data(), std::uint32_t(record.size())});
        auto action = std::make_unique<JxCQT3PlayAction>();
        const std::int16_t read = action->Read(in, nullptr);
        fuzz::Check(in.Tell() <= record.size());
        if (read) {
            JxCQT3PlayAction copy(*action);
            fuzz::Check(copy.Equals(*action) && copy.GetMedia() == action->GetMedia());
            if (action->Execute()) {
                fuzz::Check(action->GetMedia() != nullptr);
                stage.harness.runFor(500);
                fuzz::Check(action->GetPosition() >= 0 && action->GetPosition() <= action->GetLength());
            }
        }
    }
    fuzz::Check(GetResourceList().GetCount() == 0);
    return 0;
}
