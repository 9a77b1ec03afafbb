// The PICS player on arbitrary files, from a memory source or (mode bit 32)
// from a loose file of the program folder: the open with
// its format and lead-in, then the play on the headless sound device, each
// completion (or, without sound in flight, a timer's tick) one step that
// draws a frame onto a small slate, opaque or over a background, at an
// offset that may put it partly or wholly off the slate. Whatever the sizes
// claim, nothing may be read or written outside the file, the frames or the
// slate; each frame is bounded by what the file holds; and the play ends.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "graphics/JxCMemorySlate.h"
#include "graphics/JxGraphicsLink.h"
#include "media/JxPicsPlayer.h"
#include "platform/audio/audio_output.h"
#include "platform/audio/headless_audio.h"
#include "platform/audio/wave_out.h"
#include "platform/backend/harness.h"
#include "platform/window/messages.h"
#include "platform/window/window.h"

namespace {

struct Play {
    JxPicsPlayer* player = nullptr;
    JxCMemorySlate* slate = nullptr;
    std::int16_t x = 0, y = 0;
    std::int16_t result = 0;
    int steps = 0;
};

Play& current()
{
    static Play play;
    return play;
}

void step()
{
    Play& p = current();
    if (!p.player)
        return;
    ++p.steps;
    const std::int16_t r = PICS_Play(p.player, p.slate, p.x, p.y);
    if (r)
        p.result = r;
    const JxPicsPicture& picture = p.player->picture;
    if (picture.hasPicture)
        fuzz::Check(picture.width > 0 && picture.height > 0);
}

plat::LRESULT picsWindowProc(plat::HWND hwnd, plat::UINT msg, plat::WPARAM wParam, plat::LPARAM lParam)
{
    if (msg == plat::MM_WOM_DONE) {
        step();
        return 0;
    }
    return plat::DefWindowProcA(hwnd, msg, wParam, lParam);
}

struct World {
    plat::Harness harness;
    plat::HWND window = nullptr;
    World()
    {
        JxGraphicsLink link;
        link.useWinG = [] { return true; };
        link.transparentIndex = [] { return std::uint8_t(255); };
        SetGraphicsLink(link);
        plat::WNDCLASSA wc;
        wc.lpfnWndProc = &picsWindowProc;
        wc.lpszClassName = "PicsFuzz";
        plat::RegisterClassA(wc);
        window = plat::CreateWindowExA(0, "PicsFuzz", "", plat::WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                       nullptr);
        plat::InstallAudioOutput(std::make_unique<plat::HeadlessAudio>());
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static World world;
    if (size < 3 || size > 256 * 1024)
        return 0;
    const std::uint8_t mode = data[0];
    const auto x = std::int16_t(std::int8_t(data[1]));
    const auto y = std::int16_t(std::int8_t(data[2]));
    // The file in a block of exactly its size.
    const std::vector<std::uint8_t> file(data + 3, data + size);

    auto source = std::make_unique<JxPicsSource>();
    if (mode & 32)
        fuzz::Check(source->Open(fuzz::ProgramFile("FUZZ.ANI", file).c_str(), JxPicsSource::kLooseFile));
    else
        source->OpenMemory(file);
    std::int16_t status = -1;
    auto player = OpenPICSSource(std::move(source), world.window, nullptr, &status, mode & 1, x, y);
    fuzz::Check(player ? status == 0 : status != 0);
    if (!player)
        return 0;
    JxCMemorySlate slate(32, 24);
    JxPicsBackground background;
    if (mode & 4)
        background = [](JxCSlate& frame) { frame.DrawRectangle(frame.GetArea(), JxCRGB(1, 2, 3)); };
    Play& play = current();
    play = Play{player.get(), &slate, x, y, 0, 0};
    if (PlayPICS(player.get(), &slate, background, (mode & 2) ? 1 : 0, (mode & 8) ? 1 : 0, x, y) == 0) {
        // Every step draws a frame or ends the play; a long file is cut
        // short, since the play itself is what is tried.
        for (int i = 0; i < 64 && GetPICSState(player.get()) == kPicsPlaying; ++i) {
            if (PICSNeedsFrameTimer(player.get()))
                step();
            else
                world.harness.runFor(500);
        }
        if (GetPICSState(player.get()) == kPicsPlaying && (mode & 16)) {
            fuzz::Check(StopPICS(player.get()) == 0);
            fuzz::Check(ResumePICS(player.get()) != kPicsWrongState);
        }
        fuzz::Check(GetPICSFrame(player.get()) <= player->framesRead);
    }
    play = Play{};
    ClosePICS(player);
    fuzz::Check(plat::OpenWaveOutCount() == 0);
    return 0;
}
