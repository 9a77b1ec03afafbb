#include "testkit/lz_file.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace testkit {

namespace {

constexpr std::size_t kWindow = 4096;
constexpr std::size_t kStart = kWindow - 16;  // where the first byte goes in the window
constexpr std::size_t kMinMatch = 3;
constexpr std::size_t kMaxMatch = 18;
// A match reaches back no further than the window keeps it whole while the
// expander copies it.
constexpr std::size_t kMaxDistance = kWindow - kMaxMatch;
constexpr std::size_t kChainSteps = 64;

// Greedy LZSS: the longest match among the last places where the next three
// bytes began, else a literal; eight items to each flag byte (bit set: a
// literal), a match as its window position and length in two bytes.
class Packer {
public:
    explicit Packer(const std::string& in) : in_(in), heads_(1 << 14, kNone), previous_(in.size(), kNone) {}

    std::string pack()
    {
        for (std::size_t at = 0; at < in_.size();) {
            const auto [from, length] = longestMatch(at);
            if (length >= kMinMatch) {
                const std::size_t position = (kStart + from) % kWindow;
                item(false, char(position & 0xFF), char(((position >> 4) & 0xF0) | (length - kMinMatch)));
            } else {
                item(true, in_[at], 0);
            }
            const std::size_t step = std::max<std::size_t>(length, 1);
            for (std::size_t i = 0; i < step; ++i)
                remember(at + i);
            at += step;
        }
        flush();
        return out_;
    }

private:
    static constexpr std::size_t kNone = SIZE_MAX;

    std::size_t hashAt(std::size_t at) const
    {
        const auto byte = [&](std::size_t i) { return std::size_t(std::uint8_t(in_[at + i])); };
        return (byte(0) << 10 ^ byte(1) << 5 ^ byte(2)) % heads_.size();
    }

    void remember(std::size_t at)
    {
        if (at + kMinMatch > in_.size())
            return;
        const std::size_t h = hashAt(at);
        previous_[at] = heads_[h];
        heads_[h] = at;
    }

    std::pair<std::size_t, std::size_t> longestMatch(std::size_t at) const
    {
        std::pair<std::size_t, std::size_t> best{0, 0};
        if (at + kMinMatch > in_.size())
            return best;
        const std::size_t limit = std::min(kMaxMatch, in_.size() - at);
        std::size_t candidate = heads_[hashAt(at)];
        for (std::size_t steps = 0; candidate != kNone && at - candidate <= kMaxDistance && steps < kChainSteps;
             ++steps, candidate = previous_[candidate]) {
            std::size_t length = 0;
            while (length < limit && in_[candidate + length] == in_[at + length])
                ++length;
            if (length > best.second)
                best = {candidate, length};
        }
        return best;
    }

    void item(bool literal, char first, char second)
    {
        if (count_ == 8)
            flush();
        if (literal)
            flags_ = std::uint8_t(flags_ | 1u << count_);
        group_.push_back(first);
        if (!literal)
            group_.push_back(second);
        ++count_;
    }

    void flush()
    {
        if (count_ == 0)
            return;
        out_ += char(flags_);
        out_ += group_;
        group_.clear();
        flags_ = 0;
        count_ = 0;
    }

    const std::string& in_;
    std::vector<std::size_t> heads_;
    std::vector<std::size_t> previous_;
    std::string out_;
    std::string group_;
    std::uint8_t flags_ = 0;
    int count_ = 0;
};

}  // namespace

std::string LzCompress(const std::string& bytes, char lastChar)
{
    std::string out("SZDD\x88\xF0\x27\x33", 8);
    out += 'A';
    out += lastChar;
    const auto length = std::uint32_t(bytes.size());
    for (int shift = 0; shift < 32; shift += 8)
        out += char((length >> shift) & 0xFF);
    return out + Packer(bytes).pack();
}

}  // namespace testkit
