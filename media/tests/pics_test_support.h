#pragma once
// PICS players on memory slates: a stand-in wave output that records what
// the player queues, and files written where the player looks for them.

#include <memory>
#include <string>
#include <vector>

#include "graphics/tests/slate_fixture.h"
#include "media/JxPicsPlayer.h"
#include "media/JxPicsSound.h"
#include "testkit/pics.h"

// What the stand-in wave output saw.
struct PicsSoundLog {
    std::vector<std::uint32_t> queues;            // buffer counts of the queues made
    std::vector<std::vector<std::uint8_t>> slices;  // every slice queued, in order
    int closes = 0;
    bool refuseFormat = false;
    bool failQueue = false;
};

class RecordingQueue : public JxPicsSoundQueue {
public:
    RecordingQueue(PicsSoundLog& log, std::uint32_t buffers) : log_(log), buffers_(buffers) {}
    std::int32_t Queue(JxPicsSource& source, std::uint32_t length) override
    {
        if (log_.failQueue)
            return 1;
        std::vector<std::uint8_t> slice(length);
        if (!source.Read(slice.data(), length))
            return 5;
        log_.slices.push_back(std::move(slice));
        return 0;
    }
    std::uint32_t GetBufferCount() const override { return buffers_; }
    bool Close() override
    {
        ++log_.closes;
        return true;
    }

private:
    PicsSoundLog& log_;
    std::uint32_t buffers_;
};

class PicsTest : public SlateTest {
protected:
    void SetUp() override
    {
        SlateTest::SetUp();
        JxPicsSoundLink link;
        link.formatSupported = [this](std::span<const std::uint8_t>) { return !sound.refuseFormat; };
        link.makeQueue = [this](std::uint32_t buffers) -> std::unique_ptr<JxPicsSoundQueue> {
            sound.queues.push_back(buffers);
            return std::make_unique<RecordingQueue>(sound, buffers);
        };
        previousSound_ = SetPicsSoundLink(link);
    }
    void TearDown() override
    {
        SetPicsSoundLink(previousSound_);
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

    PicsSoundLog sound;
    std::int16_t status = -1;

private:
    std::optional<JxPicsSoundLink> previousSound_;
    std::vector<std::unique_ptr<std::vector<std::uint8_t>>> held_;
};
