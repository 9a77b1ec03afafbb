#include "graphics/JxRunDecoders.h"

#include <algorithm>
#include <cstring>

namespace {

// Writes PICS runs and literals into the output, skipping the 2 padding
// bytes after every row in the stride forms and key bytes in the transparent
// forms. Each operation writes what fits and reports false when the record
// runs past the end of the output.
template <bool Stride, bool Keyed>
class RunWriter {
public:
    RunWriter(std::span<std::uint8_t> out, std::uint32_t rowWidth, std::uint8_t key)
        : out_(out.data()), size_(out.size()), rowWidth_(rowWidth), left_(rowWidth), key_(key) {}

    bool Full() const { return pos_ >= size_; }

    bool Run(std::uint8_t value, std::size_t n)
    {
        while (n > 0) {
            if (Full())
                return false;
            const std::size_t chunk = Chunk(n);
            if (!Keyed || value != key_)
                std::memset(out_ + pos_, value, chunk);
            Advance(chunk);
            n -= chunk;
        }
        return true;
    }

    bool Literal(const std::uint8_t* bytes, std::size_t n)
    {
        while (n > 0) {
            if (Full())
                return false;
            const std::size_t chunk = Chunk(n);
            if constexpr (Keyed) {
                for (std::size_t i = 0; i < chunk; ++i)
                    if (bytes[i] != key_)
                        out_[pos_ + i] = bytes[i];
            } else {
                std::memcpy(out_ + pos_, bytes, chunk);
            }
            bytes += chunk;
            Advance(chunk);
            n -= chunk;
        }
        return true;
    }

private:
    std::size_t Chunk(std::size_t n) const
    {
        std::size_t chunk = std::min(n, size_ - pos_);
        if constexpr (Stride)
            chunk = std::min<std::size_t>(chunk, left_);
        return chunk;
    }

    void Advance(std::size_t n)
    {
        pos_ += n;
        if constexpr (Stride) {
            left_ -= std::uint32_t(n);
            if (left_ == 0) {
                pos_ = std::min(pos_ + 2, size_);
                left_ = rowWidth_;
            }
        }
    }

    std::uint8_t* out_;
    std::size_t size_;
    std::size_t pos_ = 0;
    std::uint32_t rowWidth_;
    std::uint32_t left_;
    std::uint8_t key_;
};

template <bool Stride, bool Keyed>
bool DecodeRuns(std::span<std::uint8_t> output, std::span<const std::uint8_t> code, std::uint32_t rowWidth,
                std::uint8_t key)
{
    if (Stride && rowWidth == 0)
        return output.empty();
    RunWriter<Stride, Keyed> writer(output, rowWidth, key);
    const std::uint8_t* p = code.data();
    const std::uint8_t* const end = p + code.size();
    while (!writer.Full()) {
        if (p == end)
            return false;
        const std::uint8_t c = *p++;
        if (c & 0x80) {
            const std::size_t n = c & 0x7F;
            const std::size_t have = std::min<std::size_t>(n, std::size_t(end - p));
            if (!writer.Literal(p, have) || have < n)
                return false;
            p += n;
        } else {
            if (p == end)
                return false;
            if (!writer.Run(*p++, c))
                return false;
        }
    }
    return true;
}

}  // namespace

bool DecodeRunsToBuffer(std::span<std::uint8_t> output, std::span<const std::uint8_t> code)
{
    return DecodeRuns<false, false>(output, code, 0, 0);
}

bool DecodeRunsWithStride(std::span<std::uint8_t> output, std::span<const std::uint8_t> code,
                          std::uint32_t rowWidth)
{
    return DecodeRuns<true, false>(output, code, rowWidth, 0);
}

bool DecodeRunsTransparent(std::span<std::uint8_t> output, std::span<const std::uint8_t> code,
                           std::uint8_t key)
{
    return DecodeRuns<false, true>(output, code, 0, key);
}

bool DecodeRunsTransparentStride(std::span<std::uint8_t> output, std::span<const std::uint8_t> code,
                                 std::uint32_t rowWidth, std::uint8_t key)
{
    return DecodeRuns<true, true>(output, code, rowWidth, key);
}

namespace {

// The rows of an RLE8 picture in its buffer; the cursor is a row and a column.
// The cursor's row is found when the cursor changes rows, not for each run.
class Rle8Canvas {
public:
    Rle8Canvas(std::int32_t width, std::span<std::uint8_t> out, bool upward)
        : out_(out), width_(std::size_t(width)), stride_((std::size_t(width) + 3) & ~std::size_t(3)),
          rows_(out.size() / stride_), upward_(upward)
    {
        findRow();
    }

    // Writes n pixels of value; false when the cursor is outside the rows.
    bool Fill(std::uint8_t value, std::size_t n)
    {
        if (!row_)
            return false;
        std::memset(row_ + col_, value, visible(n));
        col_ += n;
        return true;
    }

    bool Copy(const std::uint8_t* bytes, std::size_t n)
    {
        if (!row_)
            return false;
        std::memcpy(row_ + col_, bytes, visible(n));
        col_ += n;
        return true;
    }

    void NextLine()
    {
        ++line_;
        col_ = 0;
        findRow();
    }

    void Move(std::size_t dx, std::size_t dy)
    {
        col_ += dx;
        line_ += dy;
        findRow();
    }

private:
    // How many of n pixels from the cursor on lie within the width.
    std::size_t visible(std::size_t n) const { return col_ < width_ ? std::min(n, width_ - col_) : 0; }

    void findRow()
    {
        if (line_ >= rows_) {
            row_ = nullptr;
            return;
        }
        // Upwards, the first row ends the buffer and each next row is one
        // stride lower.
        row_ = out_.data() + (upward_ ? out_.size() - stride_ * (line_ + 1) : stride_ * line_);
    }

    std::span<std::uint8_t> out_;
    std::size_t width_;
    std::size_t stride_;
    std::size_t rows_;
    bool upward_;
    std::size_t line_ = 0;
    std::size_t col_ = 0;
    std::uint8_t* row_ = nullptr;  // null: the cursor is below the last row
};

}  // namespace

bool DecodeRle8(const plat::BITMAPINFOHEADER& header, std::span<std::uint8_t> output,
                std::span<const std::uint8_t> code, bool upward)
{
    const std::int32_t width = header.biWidth;
    if (width <= 0)
        return false;
    Rle8Canvas canvas(width, output, upward);
    const std::uint8_t* p = code.data();
    const std::uint8_t* const end = p + code.size();
    while (p != end) {
        if (end - p < 2)
            return false;
        const std::uint8_t n = p[0];
        const std::uint8_t v = p[1];
        p += 2;
        if (n > 0) {
            if (!canvas.Fill(v, n))
                return false;
            continue;
        }
        switch (v) {
        case 0:
            canvas.NextLine();
            break;
        case 1:
            return true;
        case 2:
            if (end - p < 2)
                return false;
            canvas.Move(p[0], p[1]);
            p += 2;
            break;
        default: {
            const std::size_t padded = std::size_t(v) + (v & 1);
            if (std::size_t(end - p) < std::size_t(v))
                return false;
            if (!canvas.Copy(p, v))
                return false;
            p += std::min(padded, std::size_t(end - p));
            break;
        }
        }
    }
    return true;
}
