#pragma once
// Writer of PICS animation files (".ani"): the format block, the sound
// lead-in and the frames, each frame's picture coded as the player reads it.
//
//   testkit::PicsFile ani;
//   ani.leadIn(2, 1, testkit::Tone(220, 1100)).frame(testkit::PicsFrame::Of(0, 0, 7, 3, pixels));
//   std::vector<std::uint8_t> file = ani.Bytes();
//
// Every field of the file header and of each chunk header can be written
// with a value other than the true one, for damaged files; Truncated cuts
// the file.

#include <cstdint>
#include <optional>
#include <vector>

namespace testkit {

using PicsBytes = std::vector<std::uint8_t>;

// An 8-bit mono PCM WAVEFORMATEX of 18 bytes (no extra bytes).
PicsBytes PcmFormat(std::uint32_t samplesPerSecond = 11025);
// `samples` 8-bit samples of a sine of that frequency at that rate, from
// the phase where `first` would be.
PicsBytes Tone(double frequency, std::size_t samples, std::uint32_t samplesPerSecond = 11025, std::size_t first = 0);

struct PicsFrame {
    std::int16_t left = 0, top = 0, right = 0, bottom = 0;
    // width x height palette indexes, row after row, without padding; none
    // for a chunk without a picture.
    PicsBytes pixels;
    PicsBytes sound;
    // Written instead of the true values when set.
    std::optional<std::uint16_t> type;
    std::optional<std::uint32_t> soundSize, decodedSize, codedSize;
    // The picture code as given instead of the coded pixels.
    std::optional<PicsBytes> code;

    static PicsFrame Of(std::int16_t left, std::int16_t top, std::int16_t width, std::int16_t height,
                        PicsBytes pixels, PicsBytes sound = {});
};

class PicsFile {
public:
    PicsFile& version(std::uint16_t v);
    PicsFile& format(PicsBytes block);
    // The format length written instead of the block's size.
    PicsFile& claimFormatLength(std::uint32_t length);
    // The frame count written instead of the number of frames.
    PicsFile& claimFrameCount(std::uint32_t count);
    // a x b lead-in chunks, each carrying this slice of sound.
    PicsFile& leadIn(std::uint16_t a, std::uint16_t b, PicsBytes slice);
    // A lead-in chunk as given (type, sizes and bytes overridable), after
    // those of leadIn.
    PicsFile& leadInChunk(PicsFrame chunk);
    // The lead-in factors written instead of leadIn's.
    PicsFile& claimLeadIn(std::uint16_t a, std::uint16_t b);
    PicsFile& frame(PicsFrame frame);

    PicsBytes Bytes() const;
    PicsBytes Truncated(std::size_t n) const;
    // Where the first frame chunk starts in Bytes().
    std::size_t FirstFrameOffset() const;

private:
    std::uint16_t version_ = 1;
    PicsBytes format_ = PcmFormat();
    std::optional<std::uint32_t> formatLength_, frameCount_;
    std::uint16_t a_ = 0, b_ = 0;
    std::optional<std::uint16_t> claimedA_, claimedB_;
    std::vector<PicsFrame> leadIn_;
    std::vector<PicsFrame> frames_;
};

// The picture code of a frame: rows padded to even width, coded.
PicsBytes EncodePicsFrame(const PicsFrame& frame);

}  // namespace testkit
