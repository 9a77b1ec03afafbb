#include "media/JxPicsPlayer.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string_view>

#include "foundation/JxCTableString.h"
#include "foundation/JxStartupSettings.h"
#include "graphics/JxGraphicsLink.h"
#include "graphics/JxRunDecoders.h"
#include "platform/draw/dc.h"
#include "platform/window/window.h"

namespace {

constexpr std::uint32_t kFileHeaderSize = 10;
// The WAVEFORMATEX block: its 16 fixed bytes at least, its extra bytes
// (counted at offset 16) inside it, and no more than a real format needs.
constexpr std::uint32_t kMinFormatLength = 16;
constexpr std::uint32_t kMaxFormatLength = 1024;
constexpr std::uint32_t kFormatWithExtraCount = 18;
// No frame of a 640-by-480 title comes near this; it keeps a damaged
// rectangle from asking for a picture of gigabytes.
constexpr std::uint64_t kMaxFrameBytes = 64u << 20;
// Most picture bytes that one byte of code can give: a run of 127 from a
// pair of bytes.
constexpr std::uint64_t kMaxRun = 127;

std::uint16_t Le16(const std::uint8_t* p)
{
    return std::uint16_t(p[0] | p[1] << 8);
}

std::uint32_t Le32(const std::uint8_t* p)
{
    return std::uint32_t(Le16(p)) | std::uint32_t(Le16(p + 2)) << 16;
}

bool EndsWithAni(std::string_view name)
{
    constexpr std::string_view kExtension = ".ani";
    return name.size() >= kExtension.size() &&
           JxCTableString::CompareNoCase(name.substr(name.size() - kExtension.size()), kExtension) == 0;
}

bool ReadChunkHeader(JxPicsSource& source, JxPicsChunkHeader& header)
{
    std::array<std::uint8_t, JxPicsChunkHeader::kSize> b;
    if (!source.Read(b.data(), b.size()))
        return false;
    header.type = Le16(&b[0]);
    header.soundSize = Le32(&b[2]);
    header.left = std::int16_t(Le16(&b[6]));
    header.top = std::int16_t(Le16(&b[8]));
    header.right = std::int16_t(Le16(&b[10]));
    header.bottom = std::int16_t(Le16(&b[12]));
    header.decodedSize = Le32(&b[14]);
    header.codedSize = Le32(&b[18]);
    return true;
}

// The source as the sound queue reads its slices.
class QueueSource : public JxWaveSource {
public:
    explicit QueueSource(JxPicsSource& source) : source_(source) {}
    bool IsOpen() const override { return source_.IsOpen(); }
    bool Read(void* buffer, std::int32_t n) override { return n >= 0 && source_.Read(buffer, std::uint32_t(n)); }

private:
    JxPicsSource& source_;
};

// Queues the chunk's sound, refusing a slice the source does not hold
// before the queue allocates a buffer for it.
std::int16_t QueueSound(JxPicsPlayer& player, const JxPicsChunkHeader& header)
{
    if (header.soundSize == 0)
        return kPicsOk;
    if (header.soundSize > player.source->Remaining() || header.soundSize > std::uint32_t(std::numeric_limits<std::int32_t>::max()) ||
        !player.sound)
        return kPicsReadFailed;
    QueueSource from(*player.source);
    return std::int16_t(player.sound->Queue(&from, std::int32_t(header.soundSize)));
}

const plat::WAVEFORMATEX* FormatOf(const JxPicsPlayer& player)
{
    return reinterpret_cast<const plat::WAVEFORMATEX*>(player.format.data());
}

bool FormatSupported(const JxPicsPlayer& player)
{
    return plat::waveOutOpen(nullptr, plat::WAVE_MAPPER, FormatOf(player), 0, 0, plat::WAVE_FORMAT_QUERY) ==
           plat::MMSYSERR_NOERROR;
}

std::uint32_t EvenWidth(std::uint32_t width)
{
    return (width + 1) & ~1u;
}

std::uint32_t RowWidth(std::uint32_t width)
{
    return (width + 3) & ~3u;
}

// A picture the code can fill and the source can hold: a real rectangle,
// the decoded size its rows take, code that could cover those rows and
// is not out of all proportion to them, and code the source holds.
bool PictureFits(const JxPicsChunkHeader& h, std::uint64_t remaining)
{
    if (h.right <= h.left || h.bottom <= h.top || h.codedSize > remaining)
        return false;
    const std::uint64_t width = std::uint64_t(h.right - h.left);
    const std::uint64_t height = std::uint64_t(h.bottom - h.top);
    const std::uint64_t decoded = height * RowWidth(std::uint32_t(width));
    if (decoded != h.decodedSize || decoded > kMaxFrameBytes)
        return false;
    const std::uint64_t covered = height * EvenWidth(std::uint32_t(width));
    const std::uint64_t code = h.codedSize;
    return covered <= code / 2 * kMaxRun && code <= 2 * covered + 1024;
}

bool FitsCoordinates(std::int32_t v)
{
    return v >= std::numeric_limits<std::int16_t>::min() && v <= std::numeric_limits<std::int16_t>::max();
}

JxCRect TargetRect(const JxPicsPicture& p)
{
    return JxCRect(std::int16_t(p.x), std::int16_t(p.y), std::int16_t(p.x + p.width), std::int16_t(p.y + p.height));
}

// Decodes the held frame onto a fresh slate at its place; the player's
// background (or what the target shows there) lies under a transparent one.
// False when no slate can be had.
bool DecodePicture(JxPicsPlayer& player, JxCSlate* target, std::span<const std::uint8_t> code)
{
    JxPicsPicture& p = player.picture;
    p.slate.reset();
    auto slate = std::make_unique<JxCMemorySlate>(p.width, -p.height, p.x, p.y);
    plat::BITMAPINFOHEADER info;
    std::uint8_t* bits = slate->GetBits(&info);
    if (!bits)
        return false;
    const std::span<std::uint8_t> out(bits, std::size_t(p.header.decodedSize));
    const std::uint32_t even = EvenWidth(std::uint32_t(p.width));
    const bool oneRun = even == RowWidth(std::uint32_t(p.width));
    if (player.transparent) {
        const JxCRect place = TargetRect(p);
        if (player.background)
            player.background(*slate);
        else if (target)
            JxCSlate::Blit(slate.get(), target, &place, &place, 0);
        const std::uint8_t key = GraphicsTransparentIndex();
        // Code cut short leaves the rest of the frame as the background.
        if (oneRun)
            DecodeRunsTransparent(out, code, key);
        else
            DecodeRunsTransparentStride(out, code, even, key);
    } else if (oneRun) {
        DecodeRunsToBuffer(out, code);
    } else {
        DecodeRunsWithStride(out, code, even);
    }
    p.slate = std::move(slate);
    return true;
}

// Takes the chunk's picture: skipped when it has none, kept coded for the
// first frame, decoded at once for the others.
std::int16_t TakePicture(JxPicsPlayer& player, const JxPicsChunkHeader& h, JxCSlate* target, bool first,
                         std::int16_t x, std::int16_t y)
{
    JxPicsSource& source = *player.source;
    JxPicsPicture& p = player.picture;
    p.hasPicture = 0;
    p.code.clear();
    p.code.shrink_to_fit();
    p.slate.reset();
    player.firstPending = 0;
    if (h.decodedSize == 0)
        return source.Skip(h.codedSize) ? kPicsOk : kPicsReadFailed;
    if (!PictureFits(h, source.Remaining()))
        return kPicsReadFailed;
    std::vector<std::uint8_t> code(h.codedSize);
    if (!source.Read(code.data(), h.codedSize))
        return kPicsReadFailed;
    p.header = h;
    p.x = std::int32_t(h.left) + x;
    p.y = std::int32_t(h.top) + y;
    p.width = h.right - h.left;
    p.height = h.bottom - h.top;
    // A frame whose place lies beyond the slates' 16-bit coordinates is
    // read but never shown.
    if (!FitsCoordinates(p.x) || !FitsCoordinates(p.y) || !FitsCoordinates(p.x + p.width) ||
        !FitsCoordinates(p.y + p.height))
        return kPicsOk;
    p.hasPicture = 1;
    if (first) {
        p.code = std::move(code);
        player.firstPending = 1;
        return kPicsOk;
    }
    if (!DecodePicture(player, target, code)) {
        p.hasPicture = 0;
        return kPicsNoMemory;
    }
    return kPicsOk;
}

int DisplayDepth(plat::HWND window)
{
    plat::HDC dc = plat::GetDC(window);
    if (!dc)
        return 0;
    const int depth = plat::GetDeviceCaps(dc, plat::BITSPIXEL);
    plat::ReleaseDC(window, dc);
    return depth;
}

// The sound format and the lead-in; 0 or the status that fails the open.
std::int16_t ReadSoundStart(JxPicsPlayer& player, std::uint16_t factorB)
{
    JxPicsSource& source = *player.source;
    std::array<std::uint8_t, 4> lengthBytes;
    if (!source.Read(lengthBytes.data(), lengthBytes.size()))
        return kPicsReadFailed;
    const std::uint32_t length = Le32(lengthBytes.data());
    if (length < kMinFormatLength || length > kMaxFormatLength)
        return kPicsReadFailed;
    // Kept at least as long as a WAVEFORMATEX, so a short format reads as
    // one without extra bytes.
    player.format.assign(std::max(length, kFormatWithExtraCount), 0);
    if (!source.Read(player.format.data(), length))
        return kPicsReadFailed;
    if (length >= kFormatWithExtraCount && kFormatWithExtraCount + Le16(&player.format[16]) > length)
        return kPicsReadFailed;
    if (!FormatSupported(player))
        return kPicsFormatRefused;

    const std::uint64_t leadIn = std::uint64_t(player.leadInFactor) * factorB;
    if ((leadIn + player.frameCount) * JxPicsChunkHeader::kSize > source.Remaining())
        return kPicsReadFailed;
    player.sound = std::make_unique<JxCWaveQueue>(std::int32_t(leadIn + 2));
    for (std::uint64_t i = 0; i < leadIn; ++i) {
        JxPicsChunkHeader h;
        if (!ReadChunkHeader(source, h) || QueueSound(player, h) != kPicsOk)
            return kPicsReadFailed;
        // A lead-in chunk holds no picture; bytes it claims anyway are
        // passed over so that the frames after it are read in step.
        if (!source.Skip(h.codedSize))
            return kPicsReadFailed;
    }
    return kPicsOk;
}

std::unique_ptr<JxPicsPlayer> Fail(std::int16_t* status, std::int16_t code)
{
    if (status)
        *status = code;
    return nullptr;
}

}  // namespace

JxPicsPlayer::~JxPicsPlayer()
{
    if (sound)
        sound->Close();
}

std::optional<JxPicsSource::Kind> PicsSourceKind(std::string_view name, bool byResource)
{
    if (byResource)
        return JxPicsSource::kResource;
    if (!EndsWithAni(name))
        return std::nullopt;
    return IsUsingMungeStore() ? JxPicsSource::kStoreItem : JxPicsSource::kLooseFile;
}

std::unique_ptr<JxPicsPlayer> OpenPICS(const char* name, plat::HWND window, plat::HPALETTE palette,
                                       std::int16_t* status, std::int16_t preload, std::int16_t byResource,
                                       std::int16_t x, std::int16_t y)
{
    if (!name)
        return Fail(status, kPicsCannotOpen);
    const std::optional<JxPicsSource::Kind> kind = PicsSourceKind(name, byResource != 0);
    if (!kind)
        return Fail(status, kPicsNotAnimation);
    auto source = std::make_unique<JxPicsSource>();
    if (!source->Open(name, *kind))
        return Fail(status, kPicsCannotOpen);
    return OpenPICSSource(std::move(source), window, palette, status, preload, x, y);
}

std::unique_ptr<JxPicsPlayer> OpenPICSSource(std::unique_ptr<JxPicsSource> source, plat::HWND window,
                                             plat::HPALETTE palette, std::int16_t* status, std::int16_t preload,
                                             std::int16_t x, std::int16_t y)
{
    std::array<std::uint8_t, kFileHeaderSize> header;
    if (!source || !source->IsOpen() || !source->Read(header.data(), header.size()))
        return Fail(status, kPicsCannotOpen);
    if (Le16(&header[0]) != 1)
        return Fail(status, kPicsBadVersion);

    auto player = std::make_unique<JxPicsPlayer>();
    player->source = std::move(source);
    player->frameCount = Le32(&header[2]);
    player->leadInFactor = Le16(&header[6]);
    player->window = window;
    player->palette = palette;
    player->picture.palette = palette;
    player->state = kPicsOpen;
    player->firstPending = 1;

    if (const std::int16_t failed = ReadSoundStart(*player, Le16(&header[8])))
        return Fail(status, failed);

    player->depth = DisplayDepth(window);
    player->picture.depth = player->depth;
    if (preload) {
        if (const std::int16_t failed = ReadFrame(player.get(), nullptr, 1, x, y))
            return Fail(status, failed);
        player->preloaded = 1;
    }
    if (status)
        *status = kPicsOk;
    return player;
}

std::int16_t ReadFrame(JxPicsPlayer* player, JxCSlate* slate, std::int16_t first, std::int16_t x, std::int16_t y)
{
    if (!player || !player->source)
        return kPicsFailed;
    JxPicsChunkHeader h;
    if (!ReadChunkHeader(*player->source, h))
        return kPicsReadFailed;
    if (h.type != 1)
        return kPicsBadChunk;
    if (const std::int16_t queued = QueueSound(*player, h))
        return queued;
    if (const std::int16_t taken = TakePicture(*player, h, slate, first != 0, x, y))
        return taken;
    ++player->framesRead;
    return kPicsOk;
}

std::int16_t DrawPICSFrame(JxPicsPlayer* player, JxCSlate* slate)
{
    if (!player)
        return kPicsFailed;
    ++player->framesShown;
    JxPicsPicture& p = player->picture;
    if (!p.hasPicture)
        return kPicsOk;
    if (player->firstPending) {
        player->firstPending = 0;
        const std::vector<std::uint8_t> code = std::move(p.code);
        p.code.clear();
        if (!DecodePicture(*player, slate, code)) {
            p.hasPicture = 0;
            return kPicsNoMemory;
        }
    }
    if (slate && p.slate) {
        const JxCRect place = TargetRect(p);
        JxCSlate::Blit(slate, p.slate.get(), &place, &place, 0);
    }
    return kPicsOk;
}

namespace {

bool ChunksRemain(const JxPicsPlayer& player)
{
    return player.framesRead < player.frameCount;
}

bool SoundInFlight(const JxPicsPlayer& player)
{
    return player.sound && player.sound->IsPlaying();
}

// A failing read or queue while playing: the sound stops and the animation
// is over, so that whatever drives it hears the end.
std::int16_t FinishAfter(JxPicsPlayer& player, std::int16_t code)
{
    if (player.sound)
        player.sound->Close();
    player.state = kPicsFinished;
    return code;
}

}  // namespace

std::int16_t PlayPICS(JxPicsPlayer* player, JxCSlate* slate, JxPicsBackground background, std::int16_t transparent,
                      std::int16_t noBackground, std::int16_t x, std::int16_t y)
{
    if (!player || !player->sound || player->state != kPicsOpen)
        return kPicsFailed;
    player->transparent = transparent;
    player->background = noBackground ? JxPicsBackground() : std::move(background);
    if (player->framesRead == 0 && !player->preloaded) {
        if (ReadFrame(player, slate, 1, x, y) != kPicsOk)
            return kPicsFailed;
    }
    if (player->firstPending) {
        // The first frame goes where this play puts it, whatever place the
        // open read it for.
        JxPicsPicture& p = player->picture;
        p.x = std::int32_t(p.header.left) + x;
        p.y = std::int32_t(p.header.top) + y;
        p.hasPicture = FitsCoordinates(p.x) && FitsCoordinates(p.y) && FitsCoordinates(p.x + p.width) &&
                               FitsCoordinates(p.y + p.height)
                           ? 1
                           : 0;
    }
    if (player->framesShown == 0 && DrawPICSFrame(player, slate) != kPicsOk)
        return kPicsFailed;
    if (player->sound->Open(player->window, FormatOf(*player)) != 0) {
        player->sound->Close();
        return kPicsFailed;
    }
    player->state = kPicsPlaying;
    if (ChunksRemain(*player)) {
        if (const std::int16_t failed = ReadFrame(player, slate, 0, x, y))
            return FinishAfter(*player, failed);
    }
    if (!ChunksRemain(*player) && !SoundInFlight(*player) && player->framesShown >= player->frameCount)
        player->state = kPicsFinished;
    return kPicsOk;
}

std::int16_t PICS_Play(JxPicsPlayer* player, JxCSlate* slate, std::int16_t x, std::int16_t y)
{
    if (!player || player->state != kPicsPlaying)
        return kPicsOk;
    if (player->framesShown < player->frameCount && player->framesShown < player->framesRead) {
        if (const std::int16_t failed = DrawPICSFrame(player, slate))
            return FinishAfter(*player, failed);
    }
    // One chunk a step: the ring holds the lead-in, the slice in flight
    // and the one read ahead.
    if (ChunksRemain(*player) || SoundInFlight(*player)) {
        player->sound->Service();
        const std::int32_t submitted = player->sound->Play();
        if (ChunksRemain(*player) && (submitted == 0 || !SoundInFlight(*player))) {
            if (const std::int16_t failed = ReadFrame(player, slate, 0, x, y))
                return FinishAfter(*player, failed);
        }
    }
    // Frames still to show after the sound has run out are shown by the
    // frame timer; the end comes with the last of them.
    if (!ChunksRemain(*player) && !SoundInFlight(*player) && player->framesShown >= player->framesRead)
        StopPICS(player);
    return kPicsOk;
}

std::int16_t StopPICS(JxPicsPlayer* player)
{
    if (!player || player->state != kPicsPlaying)
        return kPicsWrongState;
    if (player->sound)
        player->sound->Halt();
    const bool framesLeft = player->framesShown < player->frameCount && player->framesShown < player->framesRead;
    player->state = framesLeft || ChunksRemain(*player) ? kPicsPaused : kPicsFinished;
    return kPicsOk;
}

std::int16_t ResumePICS(JxPicsPlayer* player)
{
    if (!player || player->state != kPicsPaused)
        return kPicsWrongState;
    if (!player->sound || player->sound->Open(player->window, FormatOf(*player)) != 0) {
        if (player->sound)
            player->sound->Close();
        return kPicsFailed;
    }
    player->state = kPicsPlaying;
    return kPicsOk;
}

bool PICSNeedsFrameTimer(const JxPicsPlayer* player)
{
    if (!player || player->state != kPicsPlaying || SoundInFlight(*player))
        return false;
    return ChunksRemain(*player) || player->framesShown < player->framesRead;
}

void ClosePICS(std::unique_ptr<JxPicsPlayer>& player)
{
    player.reset();
}

std::uint32_t GetPICSFrame(const JxPicsPlayer* player)
{
    return player ? player->framesShown : 0;
}

std::uint32_t GetPICSFrameCount(const JxPicsPlayer* player)
{
    return player ? player->frameCount : 0;
}

std::int16_t GetPICSState(const JxPicsPlayer* player)
{
    return player ? player->state : 0;
}
