// The PICS player on arbitrary files from a memory source: the open with
// its format and lead-in, then every frame read, decoded and drawn onto a
// small slate, opaque or over a background, at an offset that may put it
// partly or wholly off the slate. Whatever the sizes claim, nothing may be
// read or written outside the file, the frames or the slate, and each frame
// is bounded by what the file holds.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "graphics/JxCMemorySlate.h"
#include "graphics/JxGraphicsLink.h"
#include "media/JxPicsPlayer.h"
#include "platform/backend/harness.h"

namespace {

// Reads each slice as a sound queue would, and forgets it.
class DiscardingQueue : public JxPicsSoundQueue {
public:
    explicit DiscardingQueue(std::uint32_t buffers) : buffers_(buffers) {}
    std::int32_t Queue(JxPicsSource& source, std::uint32_t length) override
    {
        // The player holds every slice to what the source holds.
        fuzz::Check(length <= source.Remaining());
        std::vector<std::uint8_t> slice(length);
        return source.Read(slice.data(), length) ? 0 : 5;
    }
    std::uint32_t GetBufferCount() const override { return buffers_; }
    bool Close() override { return true; }

private:
    std::uint32_t buffers_;
};

struct World {
    plat::Harness harness;
    World()
    {
        JxGraphicsLink link;
        link.useWinG = [] { return true; };
        link.transparentIndex = [] { return std::uint8_t(255); };
        SetGraphicsLink(link);
        JxPicsSoundLink sound;
        sound.formatSupported = [](std::span<const std::uint8_t>) { return true; };
        sound.makeQueue = [](std::uint32_t buffers) -> std::unique_ptr<JxPicsSoundQueue> {
            return std::make_unique<DiscardingQueue>(buffers);
        };
        SetPicsSoundLink(sound);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static World world;
    if (size < 3)
        return 0;
    const std::uint8_t mode = data[0];
    const auto x = std::int16_t(std::int8_t(data[1]));
    const auto y = std::int16_t(std::int8_t(data[2]));
    // The file in a block of exactly its size.
    const std::vector<std::uint8_t> file(data + 3, data + size);

    auto source = std::make_unique<JxPicsSource>();
    source->OpenMemory(file);
    std::int16_t status = -1;
    auto player = OpenPICSSource(std::move(source), nullptr, nullptr, &status, mode & 1, x, y);
    fuzz::Check(player ? status == 0 : status != 0);
    if (!player)
        return 0;
    JxCMemorySlate slate(32, 24);
    player->transparent = (mode & 2) ? 1 : 0;
    if (mode & 4)
        player->background = [](JxCSlate& frame) { frame.DrawRectangle(frame.GetArea(), JxCRGB(1, 2, 3)); };
    std::int16_t result = 0;
    for (int i = 0; result == 0 && i < 64 && player->framesRead < player->frameCount; ++i) {
        if (i > 0 || !(mode & 1))
            result = ReadFrame(player.get(), &slate, i == 0 ? std::int16_t(mode & 8) : std::int16_t(0), x, y);
        if (result == 0)
            result = DrawPICSFrame(player.get(), &slate);
        const JxPicsPicture& p = player->picture;
        if (p.hasPicture)
            fuzz::Check(std::uint64_t(p.width) * std::uint64_t(p.height) <= 64 * file.size());
    }
    ClosePICS(player);
    return 0;
}
