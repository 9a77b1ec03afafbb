#include "title/JxTitleSound.h"

#include <memory>

#include "foundation/JxResourceLibraries.h"
#include "foundation/JxStartupSettings.h"
#include "media/JxCResource.h"
#include "media/JxCResourceObject.h"
#include "media/JxMissingMedia.h"
#include "media/JxWavePlayer.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxKeywordTables.h"

namespace {

class JxCTitleSound : public JxCResourceObject {
public:
    JxCTitleSound() { SetKind(std::int32_t(JxResourceKind::Sound)); }
    ~JxCTitleSound() override { release(); }

    std::int16_t Open(JxCAction*) override { return 1; }
    std::int16_t HandleEvent(JxCTimerParams* record, JxCAction*) override
    {
        if (!wave_ || !record)
            return 1;
        StreamWaveBuffers(wave_, reinterpret_cast<plat::WAVEHDR*>(record->value));
        return 1;
    }
    bool WroteWaveBuffer(std::intptr_t buffer) const override { return WaveWroteBuffer(wave_, buffer); }
    std::int16_t Stop() override
    {
        if (wave_)
            StopWave(wave_);
        return 1;
    }
    std::int16_t Rewind(std::int32_t) override { return 1; }
    std::int16_t IsPlaying() override { return wave_ && IsWavePlaying(wave_) ? 1 : 0; }
    std::int16_t IsStopped() override { return wave_ && wave_->state == kWaveStopped ? 1 : 0; }
    std::int16_t IsFinished() override { return !wave_ || wave_->state == kWaveFinished ? 1 : 0; }

    std::int16_t Start(const JxCString& name)
    {
        release();
        std::int16_t status = 0;
        const std::string path = ResolveTitleSoundPath(name);
        if (path.empty()) {
            resource_ = std::make_unique<JxCWaveResource>(JxCString(name.GetText() + 1));
            if (!resource_->GetData())
                return 0;
            const JxWaveMemory memory{resource_->GetData(), std::int32_t(resource_->GetSize())};
            wave_ = LoadWaveFile(nullptr, &status, &memory);
        } else {
            wave_ = LoadWaveFile(path.c_str(), &status, nullptr);
            // A missing file is named as the media's sounds are, and read
            // after all should the user bring it back.
            if (!wave_ && status == kWaveCannotOpen && FindMediaFile(JxCString(path.c_str())))
                wave_ = LoadWaveFile(path.c_str(), &status, nullptr);
        }
        // Its completions come back to it by their buffers: it needs no
        // media owner, and takes it from nobody.
        JxCBaseProduct* product = GetProduct();
        if (!wave_ || !product)
            return 0;
        if (!PlayWave(wave_, product->GetProductWindow(), &status)) {
            release();
            return 0;
        }
        return 1;
    }

private:
    void release()
    {
        FreeWave(wave_, 1);
        wave_ = nullptr;
        resource_.reset();
    }

    JxWaveRecord* wave_ = nullptr;
    std::unique_ptr<JxCWaveResource> resource_;
};

JxCTitleSound* findTitleSound()
{
    JxCResourceList& list = GetResourceList();
    for (JxCResourceObject* m = list.GetFirst(); m; m = list.GetNext(m))
        if (auto* sound = dynamic_cast<JxCTitleSound*>(m))
            return sound;
    return nullptr;
}

}  // namespace

bool IsTitleSound(const JxCResourceObject& media)
{
    return dynamic_cast<const JxCTitleSound*>(&media) != nullptr;
}

std::string ResolveTitleSoundPath(const JxCString& name)
{
    const std::string text(name.GetText() ? name.GetText() : "");
    if (text.starts_with('@'))
        return {};
    if (text.starts_with('&'))
        return std::string(GetProgramFolderString().GetText()) + text.substr(1) + ".wav";
    // A name from the root of the title's data, as the media's sounds take it.
    if (text.starts_with('\\'))
        return std::string(GetDataPathString().GetText()) + text + ".wav";
    return std::string(GetDataPathString().GetText()) + "\\" + text + ".wav";
}

std::int16_t PlayTitleSound(const JxCString& name)
{
    if (name.IsEmpty())
        return 0;
    JxCTitleSound* sound = findTitleSound();
    if (!sound) {
        auto made = std::make_unique<JxCTitleSound>();
        made->Init(name, 0);
        sound = made.get();
        GetResourceList().Add(made.release());
    }
    return sound->Start(name);
}
