#pragma once
// Where the title's pictures come from: bitmap resources of the resource
// libraries and the program, BMP files and BMP sub-files of the packed data
// store. Each loader checks the whole picture (graphics/JxDibUtils.h) and
// turns it into a bitmap record under the product palette; a damaged
// picture is reported (message 1003 with its name) and gives an empty
// record. Also here: drawing a bitmap record into a slate, and stamping
// text under a copy of a bitmap for printing and the clipboard.

#include <cstdint>
#include <functional>
#include <optional>
#include <span>

#include "foundation/JxCPoint.h"
#include "foundation/JxCRect.h"
#include "foundation/JxObjectRef.h"
#include "graphics/JxDibUtils.h"
#include "platform/core/types.h"

class JxCBaseFile;
class JxCSlate;

// Image types by signature.
constexpr int kImageBmp = 0;
constexpr int kImageGif = 1;
constexpr int kImagePng = 2;
constexpr int kImageUnknown = -1;

// The status ReadDibFileOrReport gives a picture it refused.
constexpr std::int32_t kDibReadFailed = 2;
constexpr std::size_t kBmpFileHeaderSize = 14;

// The type of the file's first bytes; the open file (positioned at its
// start) through file when it could be opened, else -1 and HFILE_ERROR.
int DetectImageFileType(const char* name, plat::HFILE* file);
// The type of a block's first bytes.
int ImageTypeOfSignature(std::span<const std::uint8_t> head);

// The packed DIB of a BMP file in memory (file header checked, everything
// after it); empty when it is not a BMP or the DIB is damaged.
JxDibBlock DibFromBmpBytes(std::span<const std::uint8_t> bmp);
// The same from an open file or a stream; nothing is reported.
JxDibBlock ReadDibFromFile(plat::HFILE file);
JxDibBlock ReadDibFromStream(JxCBaseFile& stream, std::uint32_t size);
// ReadDibFromFile, reporting message 1003 with the name and setting the
// status to 2 on failure (0 on success).
JxDibBlock ReadDibFileOrReport(plat::HFILE file, const char* name, std::int32_t* status);

// A bitmap record of a BMP or PNG file, or of a BMP sub-file of the
// product's store.
JxObjectRef LoadBitmapFile(const char* name);
JxObjectRef ReadDibFromStore(const char* name);

// Bitmap resources; missing ones are reported with 1045 unless quiet.
JxObjectRef LoadBitmapResourceById(unsigned id, std::int16_t quiet);
JxObjectRef LoadBitmapResourceByName(const char* name, std::int16_t quiet);
plat::HPALETTE LoadPaletteFromBitmapResource(unsigned id);
// The palette of the "PALETTE" resource of that id; null when there is
// none or it is damaged.
plat::HPALETTE LoadPaletteResource(unsigned id);
plat::HPALETTE LoadPaletteFromNamedBitmap(const char* name);
// The identity palette of a BMP file's colour table (only its headers and
// table are read); 1003 with the name when there is none.
plat::HPALETTE LoadDibFile(const char* name);

// Draws the whole bitmap (or the source part of it) with its top-left at
// the position; 0 for an empty record or when no slate can wrap it, 1 for
// an empty bitmap, else the blit's result.
std::int16_t BlitBitmapToSlate(JxCSlate* slate, const JxObjectRef& bitmap, const JxCPoint& position,
                               plat::HPALETTE palette, std::int16_t transparent, const JxCRect* source = nullptr);
// A part of a bitmap and where its top-left lands.
struct JxBitmapPart {
    JxCPoint position;
    JxCRect source;
};
// BlitBitmapToSlate of each part in turn, through one slate over the
// bitmap (a tiled picture draws many small parts); empty parts draw
// nothing. The result of the last part drawn, 0 at the first that fails.
std::int16_t BlitBitmapPartsToSlate(JxCSlate* slate, const JxObjectRef& bitmap, std::span<const JxBitmapPart> parts,
                                    plat::HPALETTE palette, std::int16_t transparent);

// The text output that stamps a line into a band of a bitmap: its width
// in pixels, and drawing it. Text output is installed from the start;
// without a stamper the bands stay blank.
struct JxTextStamper {
    std::function<std::int32_t(const char* text)> measure;
    std::function<void(JxCSlate& slate, const JxCRect& band, const char* text)> draw;
};
std::optional<JxTextStamper> SetTextStamper(std::optional<JxTextStamper> stamper);

constexpr std::int32_t kStampBandHeight = 40;
constexpr unsigned kStampFirstTextId = 6000;
constexpr unsigned kStampSecondTextId = 6002;

// A new bitmap: the old one on top and each text in its own 40-pixel band
// under it; empty when the old one is.
JxObjectRef StampTextOnBitmap(const JxObjectRef& bitmap, const char* first, const char* second);
JxObjectRef StampResourceTextOnBitmap(const JxObjectRef& bitmap);
