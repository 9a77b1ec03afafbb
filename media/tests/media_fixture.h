#pragma once
// A product on the headless desktop whose main window receives the sound
// completions, sounds played on the headless audio output, and a scratch
// drive E: for sound files.

#include <memory>
#include <string>
#include <vector>

#include "foundation/JxStringLoader.h"
#include "media/JxMissingMedia.h"
#include "platform/audio/audio_output.h"
#include "platform/audio/headless_audio.h"
#include "platform/audio/wave_out.h"
#include "platform/tests/temp_config.h"
#include "runtime/tests/product_fixture.h"

namespace media_test {

// Each message's text is "text N" (N its id) while this lives.
struct NumberedTexts {
    NumberedTexts()
        : previous(SetStringLoader([](unsigned id, std::string& text) {
              text = "text " + std::to_string(id);
              return true;
          }))
    {
    }
    ~NumberedTexts() { SetStringLoader(previous); }
    NumberedTexts(const NumberedTexts&) = delete;
    NumberedTexts& operator=(const NumberedTexts&) = delete;
    JxStringLoader previous;
};

class MediaTest : public product_test::ProductTest {
protected:
    void SetUp() override
    {
        product_test::ProductTest::SetUp();
        config.writeDriveTable("[Drive E]\nPath=" + config.root() + "/e\nType=fixed\n");
        std::filesystem::create_directories(config.root() + "/e");
        auto out = std::make_unique<plat::HeadlessAudio>();
        audio = out.get();
        plat::InstallAudioOutput(std::move(out));
    }
    void TearDown() override
    {
        ForgetMissingMedia();
        plat::CloseAllWaveOut();
        plat::InstallAudioOutput(nullptr);
        product_test::ProductTest::TearDown();
    }

    // Writes the bytes as E:\<name>; the Windows path is returned.
    std::string writeSound(const std::string& name, const std::vector<std::uint8_t>& bytes)
    {
        plat::testing::TempConfig::writeFile(config.root() + "/e/" + name, std::string(bytes.begin(), bytes.end()));
        return "E:\\" + name;
    }

    plat::testing::TempConfig config;
    plat::HeadlessAudio* audio = nullptr;
};

}  // namespace media_test
