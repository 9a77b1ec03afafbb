#include "title/JxCProductData.h"

JxCProductData::~JxCProductData()
{
    if (stylesInstalled_)
        SetStyleDefSource(std::nullopt);
}

void JxCProductData::Load(JxCInStrStream& in)
{
    // Styles read before a damage in the record stay usable.
    styles_ = std::make_unique<JxCStyleDef>();
    styles_->Read(in);
    SetStyleDefSource([this] { return styles_.get(); });
    stylesInstalled_ = true;
}
