// The picture readers on arbitrary bytes: a BMP file is checked and either
// refused or turned into a bitmap of exactly its size, through both
// drawing roads; the same bytes as a packed DIB and as a stored palette;
// and as a picture file of the program folder, through the file readers
// (the type detection, the DIB read, the bitmap load of a BMP or PNG file
// and the palette of a BMP file's colour table), which agree with the
// reader of the same bytes in memory.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "foundation/JxObjectRef.h"
#include "fuzz/fuzz_support.h"
#include "graphics/JxBitmapLoaders.h"
#include "graphics/JxDibUtils.h"
#include "graphics/JxGraphicsLink.h"
#include "platform/backend/harness.h"
#include "platform/draw/draw.h"
#include "platform/fs/files.h"

namespace {

struct World {
    plat::Harness harness;
    bool pooled = true;
    World()
    {
        JxGraphicsLink link;
        link.useWinG = [this] { return pooled; };
        SetGraphicsLink(link);
    }
};

void Convert(std::span<const std::uint8_t> dib, plat::HPALETTE palette)
{
    JxObjectRef record = CreateBitmapFromDib(dib, palette);
    if (record.handle) {
        // Only checked pictures convert, and at their own size.
        if (!CheckPackedDib(dib) || GetBitmapWidth(record) != GetDibWidth(dib.data()) ||
            GetBitmapHeight(record) != GetDibHeight(dib.data()))
            __builtin_trap();
    }
    DeleteBitmapRecord(record);
}

// The bytes as a file: the readers of an open file and of a file name.
void ReadFile(std::span<const std::uint8_t> bytes, const JxDibBlock& fromMemory)
{
    const std::string name = fuzz::ProgramFile("FUZZ.BMP", bytes);
    plat::HFILE file = plat::HFILE_ERROR;
    const int type = DetectImageFileType(name.c_str(), &file);
    fuzz::Check(file != plat::HFILE_ERROR && type == ImageTypeOfSignature(bytes));
    std::int32_t status = -1;
    const JxDibBlock fromFile = ReadDibFileOrReport(file, name.c_str(), &status);
    plat::_lclose(file);
    fuzz::Check(fromFile.size() == fromMemory.size() && (status == 0) == !fromFile.empty());
    JxObjectRef loaded = LoadBitmapFile(name.c_str());
    DeleteBitmapRecord(loaded);
    if (plat::HPALETTE palette = LoadDibFile(name.c_str()))
        plat::DeleteObject(palette);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static World world;
    const std::span<const std::uint8_t> bytes(data, size);
    world.pooled = size % 2 == 0;

    ImageTypeOfSignature(bytes);
    plat::HPALETTE palette = CreatePaletteFromResourceData(bytes);

    const JxDibBlock fromFile = DibFromBmpBytes(bytes);
    if (!fromFile.empty()) {
        Convert(fromFile, palette);
        plat::HPALETTE own = CreateDibPalette(fromFile.data());
        plat::DeleteObject(own);
    }
    ReadFile(bytes, fromFile);
    // The bytes as a packed DIB of their own, copied so that the reader
    // sees a block of exactly their size.
    const std::vector<std::uint8_t> packed(bytes.begin(), bytes.end());
    Convert(packed, palette);
    if (palette)
        plat::DeleteObject(palette);
    return 0;
}
