// Expanding a 640 by 480 RLE8 picture, as when a compressed bitmap of a
// full page is loaded; raced against libavcodec's msrle decoder on the same
// code, the pictures compared.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>
#include <span>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/frame.h>
}

#include "bench/side_by_side.h"
#include "graphics/JxRunDecoders.h"
#include "testkit/run_length.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

// A page-like picture: flat areas of a few colours, with edges and some
// dithered stretches.
std::vector<std::uint8_t> PagePicture()
{
    std::mt19937 rng(1);
    std::vector<std::uint8_t> p;
    p.reserve(kWidth * kHeight);
    for (int y = 0; y < kHeight; ++y) {
        int x = 0;
        while (x < kWidth) {
            const int kind = int(rng() % 10);
            const int len = std::min(kWidth - x, kind < 6 ? 8 + int(rng() % 120) : 2 + int(rng() % 12));
            const std::uint8_t colour = std::uint8_t(rng() % 32);
            for (int i = 0; i < len; ++i)
                p.push_back(kind < 8 ? colour : std::uint8_t(rng()));
            x += len;
        }
    }
    return p;
}

plat::BITMAPINFOHEADER PageHeader()
{
    plat::BITMAPINFOHEADER header;
    header.biWidth = kWidth;
    header.biHeight = kHeight;
    header.biBitCount = 8;
    header.biCompression = plat::BI_RLE8;
    return header;
}

void BM_DecodeRle8Page(benchmark::State& state)
{
    const std::vector<std::uint8_t> code = testkit::EncodeRle8(PagePicture(), kWidth);
    std::vector<std::uint8_t> bits(std::size_t(kWidth) * kHeight);
    const plat::BITMAPINFOHEADER header = PageHeader();
    for (auto _ : state) {
        const bool ok = DecodeRle8(header, bits, code, true);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(bits.data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bits.size()));
    state.counters["code_bytes"] = double(code.size());
}

// libavcodec's msrle decoder, fed the same code as one packet and handing
// back a frame per packet; what a decoder is kept across calls is kept here.
class AvRle8Decoder {
public:
    explicit AvRle8Decoder(std::span<const std::uint8_t> code)
    {
        const AVCodec* codec = avcodec_find_decoder(AV_CODEC_ID_MSRLE);
        context_ = avcodec_alloc_context3(codec);
        packet_ = av_packet_alloc();
        frame_ = av_frame_alloc();
        if (!codec || !context_ || !packet_ || !frame_ || av_new_packet(packet_, int(code.size())) < 0)
            return;
        std::memcpy(packet_->data, code.data(), code.size());
        context_->width = kWidth;
        context_->height = kHeight;
        context_->bits_per_coded_sample = 8;
        ready_ = avcodec_open2(context_, codec, nullptr) == 0;
    }
    ~AvRle8Decoder()
    {
        av_frame_free(&frame_);
        av_packet_free(&packet_);
        avcodec_free_context(&context_);
    }
    AvRle8Decoder(const AvRle8Decoder&) = delete;
    AvRle8Decoder& operator=(const AvRle8Decoder&) = delete;

    bool Ready() const { return ready_; }

    // Decodes the packet into the frame. The previous frame is let go
    // first, so that the decoder may draw into its buffer again.
    bool Decode()
    {
        av_frame_unref(frame_);
        return avcodec_send_packet(context_, packet_) == 0 && avcodec_receive_frame(context_, frame_) == 0;
    }

    // The decoded picture's row y, top row first.
    std::span<const std::uint8_t> Row(int y) const
    {
        return {frame_->data[0] + std::ptrdiff_t(y) * frame_->linesize[0], std::size_t(kWidth)};
    }

private:
    AVCodecContext* context_ = nullptr;
    AVPacket* packet_ = nullptr;
    AVFrame* frame_ = nullptr;
    bool ready_ = false;
};

// The picture coded bottom row first, as a DIB's rows are: both decoders put
// the first coded row at the bottom.
BENCH_PAIR(rle8_page_vs_libavcodec)
{
    const std::vector<std::uint8_t> code = testkit::EncodeRle8(PagePicture(), kWidth);
    std::vector<std::uint8_t> bits(std::size_t(kWidth) * kHeight);
    const plat::BITMAPINFOHEADER header = PageHeader();
    AvRle8Decoder peer(code);
    if (!peer.Ready()) {
        std::printf("rle8_page_vs_libavcodec: libavcodec's msrle decoder could not be opened\n");
        return false;
    }
    bool oursOk = true, peerOk = true;
    bench::Race(
        "rle8_page_vs_libavcodec", [&] { oursOk = DecodeRle8(header, bits, code, true) && oursOk; },
        [&] { peerOk = peer.Decode() && peerOk; }, {41, 10});
    if (!oursOk || !peerOk) {
        std::printf("rle8_page_vs_libavcodec: a decoder refused the code (ours %d, the peer %d)\n", oursOk, peerOk);
        return false;
    }
    for (int y = 0; y < kHeight; ++y) {
        const std::span<const std::uint8_t> theirs = peer.Row(y);
        if (!std::equal(theirs.begin(), theirs.end(), bits.begin() + std::ptrdiff_t(y) * kWidth)) {
            std::printf("rle8_page_vs_libavcodec: row %d differs\n", y);
            return false;
        }
    }
    return true;
}

}  // namespace

BENCHMARK(BM_DecodeRle8Page)->Unit(benchmark::kMicrosecond);
