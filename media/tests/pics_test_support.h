#pragma once
// PICS players on memory slates, with their sound queued but not played,
// and files written where the player looks for them.

#include <memory>
#include <string>
#include <vector>

#include "graphics/tests/slate_fixture.h"
#include "media/JxMissingMedia.h"
#include "media/JxPicsPlayer.h"
#include "platform/audio/wave_out.h"
#include "testkit/pics.h"

// The slices of sound the player queued, in the order of the ring (before
// it wraps).
inline std::vector<std::vector<std::uint8_t>> QueuedSlices(const JxPicsPlayer& player)
{
    std::vector<std::vector<std::uint8_t>> slices;
    for (std::int32_t i = 0; player.sound && i < player.sound->GetBufferCount(); ++i) {
        const plat::WAVEHDR* h = player.sound->GetHeader(i);
        if (h->lpData && h->dwBufferLength)
            slices.emplace_back(h->lpData, h->lpData + h->dwBufferLength);
    }
    return slices;
}

class PicsTest : public SlateTest {
protected:
    void TearDown() override
    {
        plat::ClearWaveOutInjections();
        ForgetMissingMedia();
        SlateTest::TearDown();
    }

    // A player over the bytes (kept alive by the fixture); the status comes
    // back through status.
    std::unique_ptr<JxPicsPlayer> OpenBytes(const std::vector<std::uint8_t>& bytes, std::int16_t preload = 0,
                                            std::int16_t x = 0, std::int16_t y = 0)
    {
        held_.push_back(std::make_unique<std::vector<std::uint8_t>>(bytes));
        auto source = std::make_unique<JxPicsSource>();
        source->OpenMemory(*held_.back());
        return OpenPICSSource(std::move(source), nullptr, palette, &status, preload, x, y);
    }
    void WriteProgramFile(const std::string& name, const std::vector<std::uint8_t>& bytes) const
    {
        plat::testing::TempConfig::writeFile(config.program() + "/" + name, std::string(bytes.begin(), bytes.end()));
    }

    std::int16_t status = -1;

private:
    std::vector<std::unique_ptr<std::vector<std::uint8_t>>> held_;
};
