#pragma once
// The rollover button (object type "RollOverButton"): a button that shows
// its rollover picture while the mouse is over it, drawn straight to the
// window as the mouse comes and the normal picture again as it goes, and
// raises "on_rollon" and "on_rolloff". A disabled button keeps its picture
// but still raises both.
//
// Record, after the button's: the rollover picture's name (table string,
// none: no picture).
//
// The picture comes from the shared bitmap loader: the button only drops
// its share.

#include <cstdint>

#include "events/JxCBitmapRef.h"
#include "foundation/JxCTableString.h"
#include "objects/widgets/JxCButton.h"

class JxCRollOverButton : public JxCButton {
public:
    JxCRollOverButton() = default;
    ~JxCRollOverButton() override;

    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type) override;
    // The button's pictures, then the rollover picture when named; 0 when
    // one cannot be loaded.
    std::int16_t CreateResources() override;
    std::int16_t ReleaseResources() override;
    std::int16_t MouseEnter() override;
    std::int16_t MouseLeave() override;

    const JxCTableString& GetRollOverName() const { return name_; }
    bool HasRollOverImage() const { return image_ != nullptr; }

private:
    // The picture at the rectangle, straight to the window, not see-through.
    void show(const JxSharedImage& image);

    JxSharedImage image_;
    JxCTableString name_;
};
