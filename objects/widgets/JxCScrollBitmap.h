#pragma once
// The scroll bitmap (object type "ScrollBitmap"): a window, the height of
// its rectangle, onto a taller picture; the position chooses the part seen,
// the minimum showing its top. A scroll bar linked to it scrolls it.
//
// Its record is the scrolling object's followed by the picture's file name
// (a table string). Number properties besides the display object's: 91 the
// position, 93 the maximum, 95 the minimum.

#include <cstdint>

#include "events/JxCBitmapRef.h"
#include "foundation/JxCString.h"
#include "objects/widgets/JxCScrollingThing.h"

class JxCScrollBitmap : public JxCScrollingThing {
public:
    JxCScrollBitmap() = default;
    ~JxCScrollBitmap() override;

    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type) override;
    // Loads the picture; the pixels the position travels are the part of
    // it below the window. 0 when no picture loads.
    std::int16_t CreateResources() override;
    // Lets go of its share of the picture; 1.
    std::int16_t ReleaseResources() override;
    std::int16_t Draw(JxCSlate* slate, const JxCRect* clip) override;
    // The panel draws the object's rectangle again.
    std::int16_t Redraw() override;

    std::int16_t GetNumberProperty(std::int16_t index, std::int32_t* value) override;
    std::int16_t SetNumberProperty(std::int16_t index, std::int32_t value) override;
    JxPropertyKind GetPropertyInfo(std::int16_t index, std::int32_t* stringId) override;

    const JxCString& GetFileName() const { return fileName_; }
    const JxCRect& GetImageRect() const { return imageRect_; }
    bool HasImage() const { return image_ && image_->handle; }

protected:
    // Lets go of the picture it holds, then loads the file name's: true
    // with the image rectangle set when it loaded.
    bool LoadImage();
    // The pixel rows of the picture below the window.
    std::int32_t HiddenRows() const { return imageRect_.Height() - GetRect().Height(); }

private:
    JxCString fileName_;
    JxSharedImage image_;
    JxCRect imageRect_;
};
