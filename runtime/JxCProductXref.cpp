#include "runtime/JxCProductXref.h"

#include "runtime/JxCBaseProduct.h"

bool JxCProductXref::Load(JxCInStrStream& stream)
{
    std::int32_t pageId = 0;
    std::uint16_t count = 0;
    if (!stream.ReadBigEndian32(pageId).ReadBigEndian16(count))
        return false;
    std::array<std::int32_t, kMaxFurtherPages> further{};
    for (std::uint16_t i = 0; i < count; ++i) {
        std::int32_t id = 0;
        if (!stream.ReadBigEndian32(id))
            return false;
        if (i < kMaxFurtherPages)
            further[i] = id;
    }
    pageId_ = pageId;
    furtherCount_ = count < kMaxFurtherPages ? count : kMaxFurtherPages;
    further_ = further;
    return true;
}

std::int32_t JxCProductXref::GetFurtherPage(std::int32_t i) const
{
    return i >= 0 && i < furtherCount_ ? further_[std::size_t(i)] : 0;
}

std::int16_t JxCProductXref::GoTo()
{
    if (JxCBaseProduct* product = GetProduct())
        product->GoToPage(GetPageId(), 0);
    return 0;
}

void JxCProductXref::Resolve()
{
    JxCBaseProduct* product = GetProduct();
    if (!product)
        return;
    product->GoToPage(pageId_, 0);
    for (std::int32_t i = 0; i < furtherCount_; ++i)
        product->GoToPage(further_[std::size_t(i)], 0);
}
