#include "runtime/JxSharedBitmaps.h"

#include <memory>
#include <optional>
#include <string_view>

#include "events/JxRetainedImages.h"
#include "foundation/JxErrorReport.h"
#include "foundation/JxFileUtils.h"
#include "foundation/JxStartupSettings.h"
#include "graphics/JxBitmapLoaders.h"
#include "graphics/JxCSlate.h"
#include "graphics/JxDibUtils.h"
#include "platform/fs/folder_listing.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxMissingFile.h"

namespace {

JxCString productFolder()
{
    JxCBaseProduct* product = GetProduct();
    JxCProductDef* def = product ? product->GetProductDef() : nullptr;
    return def ? def->GetSecondText() : JxCString();
}

JxCString withSuffix(const JxCString& path, const char* suffix)
{
    JxCString out(path);
    out += JxCTableString(suffix);
    return out;
}

// The first of the picture's files that exists, or nothing.
std::optional<JxCString> findFile(const JxCString& path)
{
    for (const char* suffix : {".png", ".dib"})
        if (JxCString tried = withSuffix(path, suffix); FileExists(tried.GetText()))
            return tried;
    if (FileExists(path.GetText()))
        return path;
    return std::nullopt;
}

// The name a missing picture is reported under: the file the title names,
// with the extension its pictures usually have when it gives none.
JxCString missingName(const JxCString& path)
{
    const std::string_view text = path.View();
    const std::size_t base = text.find_last_of("\\/:");
    const bool hasExtension = text.find('.', base == std::string_view::npos ? 0 : base + 1) != std::string_view::npos;
    return hasExtension ? path : withSuffix(path, ".dib");
}

// A missing picture is reported by name (runtime/JxMissingFile.h). A
// picture whose file is there but cannot be read is reported as damaged.
JxObjectRef loadFile(const JxCString& path)
{
    bool discCheckedAgain = false;
    for (;;) {
        if (std::optional<JxCString> found = findFile(path)) {
            JxObjectRef loaded = LoadBitmapFile(found->GetText());
            if (!loaded.handle)
                ReportErrorOk(kDibBadFileId, *found);
            return loaded;
        }
        if (!AskAboutMissingFile(missingName(path), kPictureNotFoundId, discCheckedAgain))
            return {};
    }
}

// The source of the picture a name and its composed path load now, when
// that picture may be kept after its last use; nothing when it must be
// read anew each time (a name the data store may answer, a file that is
// missing or may change).
std::optional<JxImageSource> retainableSource(const JxCTableString& name, const JxCString& path)
{
    const char first = name.GetText()[0];
    if (first == '@')
        return ResourceImageSource();
    // Only a disc folder that stands as it stood holds files worth keeping
    // pictures of; asking that first (one stat) spares looking the file up
    // in a folder that is listed afresh at every look-up.
    if (first == '~' || !plat::SettledDiscFolderStamp(path.View()))
        return std::nullopt;
    const std::optional<JxCString> file = findFile(path);
    return file ? FileImageSource(*file) : std::nullopt;
}

JxObjectRef loadByName(JxCRunTimeObject& owner, const JxCTableString& name, const JxCString& path,
                       plat::HPALETTE* palette)
{
    const char* text = name.GetText();
    if (text[0] == '@') {
        if (palette)
            *palette = LoadPaletteFromNamedBitmap(text + 1);
        return LoadBitmapResourceByName(text + 1, 0);
    }
    JxCString filePath = path;
    if (text[0] == '~') {
        filePath = ComposeBitmapPath(owner, JxCTableString(text + 1));
        if (UsesMungedSprites()) {
            JxObjectRef stored = ReadDibFromStore(withSuffix(filePath, ".dib").GetText());
            if (stored.handle)
                return stored;
        }
    }
    return loadFile(filePath);
}

}  // namespace

JxSharedImage MakeSharedImage(const JxObjectRef& bitmap)
{
    if (!bitmap.handle)
        return nullptr;
    return JxSharedImage(new JxObjectRef(bitmap), [](const JxObjectRef* record) {
        JxObjectRef doomed = *record;
        DeleteBitmapRecord(doomed);
        delete record;
    });
}

JxCString ComposeBitmapPath(JxCRunTimeObject& owner, const JxCTableString& name, bool bare)
{
    if (!name.IsEmpty() && name.GetText()[0] == '\\')
        return productFolder() + name;
    if (bare)
        return JxCString(name.GetText());
    JxCString folder = owner.GetContainer() ? owner.GetDataPath() : withSuffix(productFolder(), "\\");
    return folder + name;
}

JxSharedImage LoadSharedBitmap(JxCRunTimeObject& owner, const JxCTableString& name, plat::HPALETTE* palette)
{
    if (name.IsEmpty())
        return nullptr;
    JxCBitmapRefList& refs = GetBitmapRefs();
    JxCBitmapRef* ref = FindBitmapRef(name);
    // A picture already loaded still gives its resource's palette.
    const auto resourcePalette = [&] {
        if (palette && name.GetText()[0] == '@')
            *palette = LoadPaletteFromNamedBitmap(name.GetText() + 1);
    };
    if (!ref) {
        const JxCString path = ComposeBitmapPath(owner, name);
        // A picture shown before may be kept still, decoded.
        std::optional<JxImageSource> source = retainableSource(name, path);
        JxSharedImage image = source ? GetRetainedImages().Take(name, path, *source) : nullptr;
        if (image)
            resourcePalette();
        else
            image = MakeSharedImage(loadByName(owner, name, path, palette));
        if (!image)
            return nullptr;
        auto made = std::make_unique<JxCBitmapRef>(JxCString(name.GetText()), path);
        made->SetImage(std::move(image));
        made->SetRetainSource(std::move(source));
        if (!refs.Add(made.get()))
            return nullptr;
        ref = made.release();
    } else {
        resourcePalette();
    }
    JxCBitmapRefList& own = owner.GetBitmapRefs();
    if (!own.FindNode(ref) && own.Add(ref))
        ref->AddUse();
    return ref->GetImage();
}

std::int16_t DrawBitmapAt(JxCRunTimeObject& owner, const JxObjectRef* image, const JxCRect& rect,
                          const JxCPoint& offset, JxCSlate* slate, std::int16_t transparent)
{
    const JxCRect source(offset.x, offset.y, std::int16_t(offset.x + rect.Width()),
                         std::int16_t(offset.y + rect.Height()));
    const JxBitmapPart part{rect.TopLeft(), source};
    return DrawBitmapParts(owner, image, {&part, 1}, slate, transparent);
}

std::int16_t DrawBitmapParts(JxCRunTimeObject& owner, const JxObjectRef* image, std::span<const JxBitmapPart> parts,
                             JxCSlate* slate, std::int16_t transparent)
{
    if (!image || !image->handle)
        return 0;
    JxCSlate* target = slate ? slate : owner.GetSlate();
    if (!target)
        return 0;
    const std::int16_t result = BlitBitmapPartsToSlate(target, *image, parts, GetProductPalette(), transparent);
    if (!slate)
        owner.ReleaseSlate(target);
    return result;
}
