#pragma once
// A page of a given size, of template 1, that draws into one memory slate:
// the page that fuzz targets read a panel's record for.

#include "graphics/JxCMemorySlate.h"
#include "runtime/JxCPageDef.h"
#include "runtime/JxCPageObject.h"

namespace fuzz {

class SlatePage : public JxCPageObject {
public:
    SlatePage(std::int16_t width, std::int16_t height) : slate_(width, height), size_(width, height)
    {
        auto* def = new JxCPageDef;
        def->SetTemplateId(1);
        Init(def);
    }
    JxCSlate* GetSlate() override { return &slate_; }
    std::int16_t ReleaseSlate(JxCSlate* slate) override
    {
        slate->ResetOriginOffset();
        return 1;
    }
    JxCSize GetPageSize() const override { return size_; }

private:
    JxCMemorySlate slate_;
    JxCSize size_;
};

}  // namespace fuzz
