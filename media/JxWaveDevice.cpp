#include "media/JxWaveDevice.h"

#include <array>
#include <cstring>

#include "foundation/JxErrorReport.h"
#include "platform/audio/wave_out.h"

namespace {

constexpr unsigned kFormatRefusedId = 1058;
constexpr unsigned kDeviceBusyId = 1087;
constexpr unsigned kNoDriverId = 1088;
constexpr unsigned kNoDeviceId = 1089;
constexpr unsigned kDeviceFailedId = 1090;
constexpr int kFormatTries = 6;

// The MS ADPCM format with its 32 extra bytes: samples per block, the
// count of coefficient pairs and the seven standard pairs.
std::array<std::uint8_t, 18 + 32> probeFormat()
{
    std::array<std::uint8_t, 50> bytes{};
    plat::WAVEFORMATEX f;
    f.wFormatTag = plat::WAVE_FORMAT_ADPCM;
    f.nChannels = 1;
    f.nSamplesPerSec = 22050;
    f.nAvgBytesPerSec = 11025;
    f.nBlockAlign = 512;
    f.wBitsPerSample = 4;
    f.cbSize = 32;
    std::memcpy(bytes.data(), &f, sizeof f);
    const std::int16_t extra[16] = {1012, 7, 256, 0, 512, -256, 0, 0, 192, 64, 240, 0, 460, -208, 392, -232};
    for (std::size_t i = 0; i < 16; ++i) {
        bytes[18 + 2 * i] = std::uint8_t(std::uint16_t(extra[i]) & 0xFF);
        bytes[19 + 2 * i] = std::uint8_t(std::uint16_t(extra[i]) >> 8);
    }
    return bytes;
}

}  // namespace

std::int16_t CheckWaveDevice()
{
    const auto bytes = probeFormat();
    const auto* format = reinterpret_cast<const plat::WAVEFORMATEX*>(bytes.data());
    int formatTries = 0;
    for (;;) {
        plat::HWAVEOUT device = nullptr;
        plat::MMRESULT result = plat::waveOutOpen(&device, plat::WAVE_MAPPER, format, 0, 0, plat::CALLBACK_NULL);
        switch (result) {
        case plat::MMSYSERR_NOERROR:
            plat::waveOutClose(device);
            return 1;
        case plat::MMSYSERR_BADDEVICEID:
            ReportErrorOk(kNoDeviceId);
            return 0;
        case plat::MMSYSERR_ALLOCATED:
        case plat::MMSYSERR_NOTSUPPORTED: {
            std::int32_t answer = ReportErrorAbortRetryIgnore(kDeviceBusyId);
            if (answer == kAnswerRetry)
                continue;
            return answer == kAnswerAbort ? 0 : 1;
        }
        case plat::MMSYSERR_NODRIVER:
            ReportErrorOk(kNoDriverId);
            return 0;
        case plat::WAVERR_BADFORMAT:
            if (++formatTries < kFormatTries)
                continue;
            ReportErrorOk(kFormatRefusedId);
            return 0;
        default:
            ReportErrorOk(kDeviceFailedId);
            return 0;
        }
    }
}
