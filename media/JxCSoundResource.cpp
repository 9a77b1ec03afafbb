#include "media/JxCSoundResource.h"

#include "foundation/JxErrorReport.h"
#include "media/JxMediaFileNames.h"
#include "media/JxMissingMedia.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCPageObject.h"
#include "runtime/JxKeywordTables.h"

JxCSoundResource::JxCSoundResource()
{
    SetKind(ResourceTypeId(JxResourceKind::Sound));
}

JxCSoundResource::~JxCSoundResource()
{
    freeWave();
}

void JxCSoundResource::freeWave()
{
    FreeWave(wave_, 1);
    wave_ = nullptr;
    memory_.reset();
}

std::int16_t JxCSoundResource::Open(JxCAction* action)
{
    freeWave();
    const JxSoundSource source = ResolveSoundName(GetName(), action);
    std::int16_t status = 0;
    if (source.fromResource) {
        memory_ = std::make_unique<JxCWaveResource>(source.path);
        if (memory_->GetData()) {
            const JxWaveMemory memory{memory_->GetData(), std::int32_t(memory_->GetSize())};
            wave_ = LoadWaveFile(nullptr, &status, &memory);
        }
    } else {
        wave_ = LoadWaveFile(source.path.GetText(), &status, nullptr);
        // A file that is not there is named, and read after all should the
        // user bring it back.
        if (!wave_ && status == kWaveCannotOpen && FindMediaFile(source.path))
            wave_ = LoadWaveFile(source.path.GetText(), &status, nullptr);
    }
    if (!wave_) {
        memory_.reset();
        OhNoItsAnError(kNotFoundId, JxCString((std::string(GetName().View()) + ".wav").c_str()));
    }
    return 1;
}

std::int16_t JxCSoundResource::Play(JxCAction* action)
{
    JxCResourceObject::Play(action);
    if (!wave_)
        return 0;
    if (!IsStopped() || wave_->state != kWaveStopped)
        RewindWave(wave_, 0);
    JxCBaseProduct* product = GetProduct();
    JxCPageObject* page = product ? product->GetFirstPage() : nullptr;
    if (!page)
        return 1;
    // Reading the start of a file takes a moment: the pointer says so.
    const bool markBusy = !memory_ && !product->IsBusy();
    if (markBusy)
        product->MarkBusy();
    const std::int16_t played = PlayWave(wave_, page->GetWindow());
    if (markBusy)
        product->MarkIdle();
    return played ? 1 : 0;
}

std::int16_t JxCSoundResource::Stop()
{
    const std::int16_t stopped = StopWave(wave_);
    if (JxCBaseProduct* product = GetProduct())
        product->RefreshMouseOver();
    return stopped;
}

std::int16_t JxCSoundResource::Rewind(std::int32_t position)
{
    if (position != 0)
        return 1;
    RewindWave(wave_, 0);
    NotifyActionsStopped();
    return 1;
}

std::int16_t JxCSoundResource::HandleEvent(JxCTimerParams* record, JxCAction*)
{
    if (record && wave_)
        StreamWaveBuffers(wave_, reinterpret_cast<plat::WAVEHDR*>(record->value));
    return 1;
}

std::int16_t JxCSoundResource::Register(JxCNotifyRoot* owner)
{
    SetWaveOwner(owner);
    JxCBaseProduct* product = GetProduct();
    return product ? product->SetMediaOwner(owner) : 0;
}

std::int16_t JxCSoundResource::Unregister(JxCNotifyRoot* owner)
{
    ForgetWaveOwner(owner);
    JxCBaseProduct* product = GetProduct();
    return product ? product->ReleaseMediaOwner(owner) : 0;
}

bool JxCSoundResource::WroteWaveBuffer(std::intptr_t buffer) const
{
    return WaveWroteBuffer(wave_, buffer);
}
