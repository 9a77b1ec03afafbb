#pragma once
// The bitmap display object (object type "Bitmap"): a picture from a file,
// a resource or the packed data store, drawn at the object's rectangle and
// kept in the process-wide bitmap cache, so that objects showing the same
// picture share it. Its rectangle takes the picture's size once loaded.
//
// Properties besides the display object's: 24 "File" (string) and 26
// "Transparent" (flag); 8 to 12 and 16 to 18 are not bitmap properties.

#include <cstdint>

#include "foundation/JxCSize.h"
#include "foundation/JxCString.h"
#include "objects/widgets/JxCBitmapRecordList.h"
#include "runtime/JxCDisplayObject.h"

class JxCBitmap : public JxCDisplayObject {
public:
    // Takes the product's default cursor.
    JxCBitmap();
    ~JxCBitmap() override;

    // The display-object record, then the file name (a table string).
    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type) override;
    // Loads the picture; 0 when it cannot be loaded.
    std::int16_t CreateResources() override;
    // Lets go of the cache record and the shared references; 1.
    std::int16_t ReleaseResources() override;
    std::int16_t Draw(JxCSlate* slate, const JxCRect* clip) override;
    std::int16_t SetImage(const JxCTableString& name, std::int16_t redraw) override;

    // Loads the picture of the file name (a record found in the cache is
    // shared). With a palette place, the palette made with the picture goes
    // there and the caller owns it. 0 when nothing could be loaded.
    std::int16_t LoadImage(plat::HPALETTE* palette);
    // The picture's size, loading it when needed; (0, 0) when it cannot be.
    JxCSize GetImageSize();
    // Shows (non-zero) or hides the picture.
    void SetState(std::int16_t visible) { SetVisibleWord(visible); }
    const JxCString& GetFileName() const { return fileName_; }
    void SetFileName(const JxCTableString& name) { fileName_ = JxCString(name.GetText() ? name.GetText() : ""); }
    const JxCBitmapRecord* GetRecord() const { return record_; }

    std::int16_t GetFlagProperty(std::int16_t index, std::int16_t* flag) override;
    std::int16_t SetFlagProperty(std::int16_t index, std::int16_t flag) override;
    std::int16_t GetStringProperty(std::int16_t index, JxCString* text) override;
    std::int16_t SetStringProperty(std::int16_t index, const JxCString& text) override;
    JxPropertyKind GetPropertyInfo(std::int16_t index, std::int32_t* stringId) override;

private:
    // Loads the file name's picture into record_, which holds none.
    std::int16_t acquire(plat::HPALETTE* palette);
    void releaseRecord();
    void sizeToImage();

    JxCString fileName_;
    JxCBitmapRecord* record_ = nullptr;
};
