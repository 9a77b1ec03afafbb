#include "graphics/JxBitmapLoaders.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <new>
#include <optional>
#include <string>
#include <utility>

#include "foundation/JxCBaseFile.h"
#include "foundation/JxCMungeFile.h"
#include "foundation/JxErrorReport.h"
#include "foundation/JxProductLink.h"
#include "foundation/JxResourceLibraries.h"
#include "graphics/JxCMemorySlate.h"
#include "graphics/JxGraphicsLink.h"
#include "graphics/JxPngDib.h"
#include "graphics/JxTextStamp.h"
#include "platform/draw/draw.h"
#include "platform/fs/files.h"
#include "platform/modules/resources.h"

namespace {

constexpr std::array<std::uint8_t, 2> kBmpSignature{'B', 'M'};
constexpr std::array<std::uint8_t, 3> kGifSignature{'G', 'I', 'F'};
constexpr std::array<std::uint8_t, 8> kPngSignature{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
// No picture the loaders accept needs more (header, table, bits).
constexpr std::uint64_t kMaxDibBlock = kMaxDibPixelBytes + (1u << 16);

template <std::size_t N>
bool StartsWith(std::span<const std::uint8_t> head, const std::array<std::uint8_t, N>& signature)
{
    return head.size() >= N && std::equal(signature.begin(), signature.end(), head.begin());
}

plat::HFILE OpenQuietly(const char* name)
{
    plat::OFSTRUCT info;
    return name ? plat::OpenFile(name, &info, plat::OF_READ) : plat::HFILE_ERROR;
}

bool ReadExactly(plat::HFILE file, void* buffer, std::uint32_t count)
{
    return plat::_lread(file, buffer, count) == count;
}

// A block for a DIB of the size; empty (reported) when there is no memory.
JxDibBlock AllocateDib(std::size_t size)
{
    try {
        return JxDibBlock(size);
    } catch (const std::bad_alloc&) {
        OhNoItsAnError(kDibNoMemoryId);
        return {};
    }
}

std::optional<JxTextStamper>& stamper()
{
    static std::optional<JxTextStamper> installed = MakeTextOutStamper();
    return installed;
}

// Runs use on the bytes of a found resource; false when it cannot be read.
template <class Use>
bool UseResourceBytes(const JxCResourceLocator& found, Use use)
{
    if (!found.GetResource())
        return false;
    plat::HGLOBAL data = plat::LoadResource(found.GetModule(), found.GetResource());
    const auto* bytes = static_cast<const std::uint8_t*>(plat::LockResource(data));
    if (bytes)
        use(std::span<const std::uint8_t>(bytes, plat::SizeofResource(found.GetModule(), found.GetResource())));
    plat::FreeResource(data);
    return bytes != nullptr;
}

JxObjectRef FromResource(const JxCResourceLocator& found, const char* what, std::int16_t quiet)
{
    if (!found.GetResource()) {
        if (!quiet)
            OhNoItsAnError(kBitmapResourceMissingId, what);
        return {};
    }
    JxObjectRef record;
    UseResourceBytes(found,
                     [&](std::span<const std::uint8_t> dib) { record = CreateBitmapFromDib(dib, ProductPalette()); });
    if (!record.handle && !quiet)
        OhNoItsAnError(kDibBadFileId, what);
    return record;
}

plat::HPALETTE PaletteOfResource(const JxCResourceLocator& found)
{
    plat::HPALETTE palette = nullptr;
    UseResourceBytes(found, [&](std::span<const std::uint8_t> dib) {
        if (CheckPackedDib(dib))
            palette = CreateDibPalette(dib.data());
    });
    return palette;
}

std::string IdText(unsigned id)
{
    return std::to_string(id);
}

}  // namespace

// --- Image types and BMP files --------------------------------------------------

int ImageTypeOfSignature(std::span<const std::uint8_t> head)
{
    if (StartsWith(head, kBmpSignature))
        return kImageBmp;
    if (StartsWith(head, kGifSignature))
        return kImageGif;
    if (StartsWith(head, kPngSignature))
        return kImagePng;
    return kImageUnknown;
}

int DetectImageFileType(const char* name, plat::HFILE* file)
{
    plat::HFILE opened = OpenQuietly(name);
    if (file)
        *file = opened;
    if (opened == plat::HFILE_ERROR)
        return kImageUnknown;
    std::array<std::uint8_t, 8> head{};
    const plat::UINT got = plat::_lread(opened, head.data(), plat::UINT(head.size()));
    plat::_llseek(opened, 0, 0);
    if (!file)
        plat::_lclose(opened);
    if (got == plat::UINT(plat::HFILE_ERROR))
        return kImageUnknown;
    return ImageTypeOfSignature({head.data(), std::min<std::size_t>(got, head.size())});
}

JxDibBlock DibFromBmpBytes(std::span<const std::uint8_t> bmp)
{
    if (bmp.size() < kBmpFileHeaderSize || !StartsWith(bmp, kBmpSignature))
        return {};
    JxDibBlock dib(bmp.begin() + kBmpFileHeaderSize, bmp.end());
    return CheckPackedDib(dib) ? dib : JxDibBlock();
}

JxDibBlock ReadDibFromFile(plat::HFILE file)
{
    if (file == plat::HFILE_ERROR || plat::_llseek(file, 0, 0) != 0)
        return {};
    std::array<std::uint8_t, kBmpFileHeaderSize> header{};
    if (!ReadExactly(file, header.data(), plat::UINT(header.size())) || !StartsWith(header, kBmpSignature))
        return {};
    const plat::DWORD length = plat::GetFileSize(file, nullptr);
    if (length == 0xFFFFFFFFu || length < kBmpFileHeaderSize || length - kBmpFileHeaderSize > kMaxDibBlock)
        return {};
    JxDibBlock dib = AllocateDib(length - kBmpFileHeaderSize);
    if (dib.empty() || !ReadExactly(file, dib.data(), plat::UINT(dib.size())) || !CheckPackedDib(dib))
        return {};
    return dib;
}

JxDibBlock ReadDibFromStream(JxCBaseFile& stream, std::uint32_t size)
{
    std::array<std::uint8_t, kBmpFileHeaderSize> header{};
    if (size < kBmpFileHeaderSize || size - kBmpFileHeaderSize > kMaxDibBlock)
        return {};
    if (stream.Read(header.data(), std::int32_t(header.size())) != std::int32_t(header.size()) ||
        !StartsWith(header, kBmpSignature))
        return {};
    JxDibBlock dib = AllocateDib(size - kBmpFileHeaderSize);
    if (dib.empty() || stream.Read(dib.data(), std::int32_t(dib.size())) != std::int32_t(dib.size()) || !CheckPackedDib(dib))
        return {};
    return dib;
}

JxDibBlock ReadDibFileOrReport(plat::HFILE file, const char* name, std::int32_t* status)
{
    JxDibBlock dib = ReadDibFromFile(file);
    if (status)
        *status = dib.empty() ? kDibReadFailed : 0;
    if (dib.empty())
        OhNoItsAnError(kDibBadFileId, name ? name : "");
    return dib;
}

JxObjectRef LoadBitmapFile(const char* name)
{
    plat::HFILE file = plat::HFILE_ERROR;
    const int type = DetectImageFileType(name, &file);
    JxObjectRef record;
    if (type == kImageBmp) {
        std::int32_t status = 0;
        const JxDibBlock dib = ReadDibFileOrReport(file, name, &status);
        if (!dib.empty())
            record = CreateBitmapFromDibHandle(dib, ProductPalette());
    } else if (type == kImagePng) {
        const JxDibBlock dib = ReadPngDibFromFile(file);
        if (dib.empty())
            OhNoItsAnError(kDibBadFileId, name);
        else
            record = CreateBitmapFromDibHandle(dib, ProductPalette());
    }
    if (file != plat::HFILE_ERROR)
        plat::_lclose(file);
    return record;
}

JxObjectRef ReadDibFromStore(const char* name)
{
    JxCMungeFile* store = GraphicsDataStore();
    if (!store || !store->IsOpen() || !name)
        return {};
    JxCjxioSubFile item(store, name);
    if (!item.IsOpen())
        return {};
    std::array<std::uint8_t, 8> head{};
    const std::int32_t got = item.Read(head.data(), std::int32_t(head.size()));
    if (got <= 0 || ImageTypeOfSignature({head.data(), std::size_t(got)}) != kImageBmp)
        return {};
    item.Seek(0, 0);
    const JxDibBlock dib = ReadDibFromStream(item, item.GetSize());
    if (dib.empty()) {
        OhNoItsAnError(kDibBadFileId, name);
        return {};
    }
    return CreateBitmapFromDibHandle(dib, ProductPalette());
}

// --- Resources ----------------------------------------------------------------

JxObjectRef LoadBitmapResourceById(unsigned id, std::int16_t quiet)
{
    const JxCResourceLocator found =
        FindResourceInLibraries(plat::MAKEINTRESOURCEA(plat::WORD(id)), plat::RT_BITMAP);
    return FromResource(found, IdText(id).c_str(), quiet);
}

JxObjectRef LoadBitmapResourceByName(const char* name, std::int16_t quiet)
{
    if (!name)
        return {};
    return FromResource(FindResourceInLibraries(name, plat::RT_BITMAP), name, quiet);
}

plat::HPALETTE LoadPaletteFromBitmapResource(unsigned id)
{
    return PaletteOfResource(FindResourceInLibraries(plat::MAKEINTRESOURCEA(plat::WORD(id)), plat::RT_BITMAP));
}

plat::HPALETTE LoadPaletteFromNamedBitmap(const char* name)
{
    return name ? PaletteOfResource(FindResourceInLibraries(name, plat::RT_BITMAP)) : nullptr;
}

plat::HPALETTE LoadPaletteResource(unsigned id)
{
    plat::HPALETTE palette = nullptr;
    UseResourceBytes(FindResourceInLibraries(plat::MAKEINTRESOURCEA(plat::WORD(id)), "PALETTE"),
                     [&](std::span<const std::uint8_t> data) { palette = CreatePaletteFromResourceData(data); });
    return palette;
}

plat::HPALETTE LoadDibFile(const char* name)
{
    plat::HPALETTE palette = nullptr;
    plat::HFILE file = OpenQuietly(name);
    if (file != plat::HFILE_ERROR) {
        std::array<std::uint8_t, kBmpFileHeaderSize + sizeof(plat::BITMAPINFOHEADER) + 1024> head{};
        const plat::UINT got = plat::_lread(file, head.data(), plat::UINT(head.size()));
        plat::_lclose(file);
        if (got != plat::UINT(plat::HFILE_ERROR) && got >= kBmpFileHeaderSize + sizeof(plat::BITMAPINFOHEADER) &&
            StartsWith(std::span(head), kBmpSignature)) {
            // Only the header and the colour table matter here.
            const std::span<const std::uint8_t> dib(head.data() + kBmpFileHeaderSize, got - kBmpFileHeaderSize);
            plat::BITMAPINFOHEADER h = GetDibHeader(dib.data());
            const std::uint64_t tableEnd = std::uint64_t(h.biSize) + 4u * DibHeaderColorCount(h);
            if (h.biSize >= sizeof(plat::BITMAPINFOHEADER) && DibHeaderColorCount(h) <= 256 &&
                tableEnd <= dib.size())
                palette = CreateIdentityPalette(dib.data());
        }
    }
    if (!palette)
        OhNoItsAnError(kDibBadFileId, name ? name : "");
    return palette;
}

// --- Drawing and stamping ---------------------------------------------------------

std::int16_t BlitBitmapToSlate(JxCSlate* slate, const JxObjectRef& bitmap, const JxCPoint& position,
                               plat::HPALETTE palette, std::int16_t transparent, const JxCRect* source)
{
    if (!bitmap.handle || !slate)
        return 0;
    const JxCRect whole(0, 0, std::int16_t(GetBitmapWidth(bitmap)), std::int16_t(GetBitmapHeight(bitmap)));
    const JxBitmapPart part{position, source ? *source : whole};
    return BlitBitmapPartsToSlate(slate, bitmap, {&part, 1}, palette, transparent);
}

std::int16_t BlitBitmapPartsToSlate(JxCSlate* slate, const JxObjectRef& bitmap, std::span<const JxBitmapPart> parts,
                                    plat::HPALETTE palette, std::int16_t transparent)
{
    if (!bitmap.handle || !slate)
        return 0;
    if (GetBitmapWidth(bitmap) <= 0 || GetBitmapHeight(bitmap) <= 0)
        return 1;
    std::optional<JxCMemorySlate> wrapper;
    plat::HPALETTE previous = nullptr;
    std::int16_t result = 1;
    for (const JxBitmapPart& part : parts) {
        if (part.source.IsEmpty())
            continue;
        if (!wrapper) {
            wrapper.emplace(bitmap);
            if (!wrapper->GetHDC())
                return 0;
            previous = wrapper->ExchangePalette(palette, 0);
        }
        JxCRect from = part.source;
        JxCRect to(part.position.x, part.position.y, std::int16_t(part.position.x + from.Width()),
                   std::int16_t(part.position.y + from.Height()));
        result = JxCSlate::Blit(slate, &*wrapper, &from, &to, transparent);
        if (!result)
            break;
    }
    if (wrapper)
        wrapper->SelectPalette(previous, 0);
    return result;
}

std::optional<JxTextStamper> SetTextStamper(std::optional<JxTextStamper> next)
{
    return std::exchange(stamper(), std::move(next));
}

JxObjectRef StampTextOnBitmap(const JxObjectRef& bitmap, const char* first, const char* second)
{
    if (!bitmap.handle)
        return {};
    const char* texts[2] = {first, second};
    const int lines = (first ? 1 : 0) + (second ? 1 : 0);
    std::int32_t width = GetBitmapWidth(bitmap);
    const std::int32_t height = GetBitmapHeight(bitmap);
    if (stamper() && stamper()->measure)
        for (const char* text : texts)
            if (text)
                width = std::max(width, stamper()->measure(text));
    const std::int32_t newHeight = height + kStampBandHeight * lines + 1;
    JxCMemorySlate target(width, newHeight);
    plat::BITMAPINFOHEADER h;
    std::uint8_t* bits = target.GetBits(&h);
    if (!bits)
        return {};
    // White under the picture: the last entry of the product palette.
    std::memset(bits, 0xFF, std::size_t(plat::DibStride(h.biWidth, 8)) * std::size_t(newHeight));
    if (!BlitBitmapToSlate(&target, bitmap, JxCPoint(0, 0), ProductPalette(), 0))
        return {};
    std::int32_t top = height;
    for (const char* text : texts) {
        if (!text)
            continue;
        if (stamper() && stamper()->draw)
            stamper()->draw(target, JxCRect(0, std::int16_t(top), std::int16_t(width),
                                             std::int16_t(top + kStampBandHeight)), text);
        top += kStampBandHeight;
    }
    // The slate lets go of its bitmap; the caller keeps it.
    JxObjectRef stamped = target.GetBitmap();
    target.ReleaseOwnership();
    return stamped;
}

JxObjectRef StampResourceTextOnBitmap(const JxObjectRef& bitmap)
{
    const auto first = LoadStringFromLibraries(kStampFirstTextId);
    const auto second = LoadStringFromLibraries(kStampSecondTextId);
    return StampTextOnBitmap(bitmap, first ? first->c_str() : nullptr, second ? second->c_str() : nullptr);
}
