#include "foundation/JxDialogBitmap.h"

#include <cstdlib>
#include <cstring>

#include "foundation/JxResourceLibraries.h"
#include "platform/draw/blit.h"
#include "platform/modules/resources.h"

using namespace plat;

JxDialogBitmap::JxDialogBitmap(const char* name)
{
    JxCResourceLocator found = FindResourceInLibraries(name, RT_BITMAP);
    if (!found.GetResource())
        return;
    const auto* bytes =
        static_cast<const std::uint8_t*>(LockResource(LoadResource(found.GetModule(), found.GetResource())));
    if (bytes)
        Load({bytes, SizeofResource(found.GetModule(), found.GetResource())});
}

bool JxDialogBitmap::Load(std::span<const std::uint8_t> bytes)
{
    bits_.clear();
    info_ = {};
    BITMAPINFOHEADER h;
    if (bytes.size() < sizeof h)
        return false;
    std::memcpy(&h, bytes.data(), sizeof h);
    const bool shapeOk = h.biSize >= sizeof h && h.biSize <= bytes.size() && h.biWidth > 0 && h.biWidth <= 256 &&
                         h.biHeight != 0 && h.biHeight >= -256 && h.biHeight <= 256 && h.biCompression == BI_RGB &&
                         (h.biBitCount == 1 || h.biBitCount == 4 || h.biBitCount == 8);
    if (!shapeOk)
        return false;
    const std::uint32_t colours = h.biClrUsed ? h.biClrUsed : 1u << h.biBitCount;
    if (colours > (1u << h.biBitCount))
        return false;
    const std::size_t stride = ((std::size_t(h.biWidth) * h.biBitCount + 31) / 32) * 4;
    const std::size_t table = std::size_t(h.biSize) + colours * sizeof(RGBQUAD);
    const std::size_t pixels = stride * std::size_t(std::abs(h.biHeight));
    if (table + pixels > bytes.size())
        return false;
    info_.bmiHeader = h;
    info_.bmiHeader.biSize = sizeof h;
    std::memcpy(info_.bmiColors, bytes.data() + h.biSize, colours * sizeof(RGBQUAD));
    bits_.assign(bytes.begin() + std::ptrdiff_t(table), bytes.begin() + std::ptrdiff_t(table + pixels));
    return true;
}

int JxDialogBitmap::Height() const
{
    return std::abs(info_.bmiHeader.biHeight);
}

void JxDialogBitmap::Draw(HDC hdc, int x, int y) const
{
    if (IsLoaded())
        SetDIBitsToDevice(hdc, x, y, DWORD(Width()), DWORD(Height()), 0, 0, 0, UINT(Height()), bits_.data(), &info_,
                          DIB_RGB_COLORS);
}
