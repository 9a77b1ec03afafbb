#include "setup/PageKit.h"

#include <strings.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/draw/draw.h"
#include "platform/modules/resources.h"
#include "platform/ui/dialog.h"
#include "platform/window/window.h"

namespace {

bool findDib(const char* name, PackedDib* out)
{
    plat::HRSRC res = plat::FindResourceA(nullptr, name, plat::RT_BITMAP);
    plat::HGLOBAL data = res ? plat::LoadResource(nullptr, res) : nullptr;
    const void* bytes = data ? plat::LockResource(data) : nullptr;
    if (!bytes)
        return false;
    return ReadPackedDib(std::string_view(static_cast<const char*>(bytes), plat::SizeofResource(nullptr, res)), out);
}

void drawDib(plat::HDC hdc, const PackedDib& dib, int x, int y, int width, int height)
{
    plat::StretchDIBits(hdc, x, y, width, height, 0, 0, dib.width, dib.height, dib.bits, dib.info,
                        plat::DIB_RGB_COLORS, plat::SRCCOPY);
}

}  // namespace

bool ReadPackedDib(std::string_view bytes, PackedDib* out)
{
    if (bytes.size() < sizeof(plat::BITMAPINFOHEADER))
        return false;
    plat::BITMAPINFOHEADER h;
    std::memcpy(&h, bytes.data(), sizeof h);
    if ((h.biBitCount != 8 && h.biBitCount != 32) || h.biCompression != plat::BI_RGB || h.biWidth <= 0 ||
        h.biHeight == 0 || h.biWidth > 4096 || h.biHeight > 4096 || h.biHeight < -4096 ||
        h.biSize < sizeof(plat::BITMAPINFOHEADER) || h.biSize > bytes.size())
        return false;
    std::size_t tableEntries = h.biBitCount == 8 ? plat::DibColourCount(h) : 0;
    if (tableEntries > 256)
        return false;
    std::size_t height = std::size_t(h.biHeight < 0 ? -h.biHeight : h.biHeight);
    std::size_t pixels = std::size_t(plat::DibStride(h.biWidth, h.biBitCount)) * height;
    std::size_t bitsAt = std::size_t(h.biSize) + tableEntries * sizeof(plat::RGBQUAD);
    std::size_t readByPlatform = std::size_t(h.biSize) + (h.biBitCount == 8 ? 256 * sizeof(plat::RGBQUAD) : 0);
    if (bitsAt > bytes.size() || pixels > bytes.size() - bitsAt || readByPlatform > bytes.size())
        return false;
    out->info = reinterpret_cast<const plat::BITMAPINFO*>(bytes.data());
    out->bits = bytes.data() + bitsAt;
    out->width = h.biWidth;
    out->height = int(height);
    return true;
}

void CentreOverWindow(plat::HWND window, plat::HWND over)
{
    plat::RECT mine, theirs;
    plat::GetWindowRect(window, &mine);
    if (!over || !plat::GetWindowRect(over, &theirs))
        plat::GetWindowRect(plat::GetDesktopWindow(), &theirs);
    int width = mine.right - mine.left, height = mine.bottom - mine.top;
    int x = theirs.left + ((theirs.right - theirs.left) - width) / 2;
    int y = std::max(0, int(theirs.top + ((theirs.bottom - theirs.top) - height) / 2));
    plat::SetWindowPos(window, nullptr, x, y, 0, 0, plat::SWP_NOSIZE | plat::SWP_NOZORDER | plat::SWP_NOACTIVATE);
}

void ScreenRectToClient(plat::HWND window, plat::RECT* rect)
{
    plat::POINT topLeft{rect->left, rect->top}, bottomRight{rect->right, rect->bottom};
    plat::ScreenToClient(window, &topLeft);
    plat::ScreenToClient(window, &bottomRight);
    *rect = {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

void SetBrushOrigin(plat::HDC hdc, plat::HWND window)
{
    plat::POINT origin{0, 0};
    plat::ClientToScreen(window, &origin);
    plat::SetBrushOrgEx(hdc, origin.x, origin.y, nullptr);
}

plat::HBRUSH CtlColorBrush(plat::HDC hdc, plat::HWND control, plat::HWND dialog, plat::HBRUSH brush,
                           plat::COLORREF colour)
{
    char className[32] = {};
    plat::GetClassNameA(control, className, sizeof className);
    if (!plat::IsWindowEnabled(control) &&
        (strcasecmp(className, "Edit") == 0 || strcasecmp(className, "getdate95") == 0))
        return nullptr;
    plat::SetBkColor(hdc, colour);
    SetBrushOrigin(hdc, dialog);
    return brush;
}

void DrawBitmapAtControl(plat::HWND dialog, plat::HDC hdc, const char* name, int controlId, bool stretch)
{
    plat::HWND placeholder = plat::GetDlgItem(dialog, controlId);
    PackedDib dib;
    if (!placeholder || !findDib(name, &dib))
        return;
    plat::RECT r;
    plat::GetWindowRect(placeholder, &r);
    ScreenRectToClient(dialog, &r);
    if (stretch)
        drawDib(hdc, dib, r.left, r.top, r.right - r.left, r.bottom - r.top);
    else
        drawDib(hdc, dib, r.left, r.top, dib.width, dib.height);
}

bool BitmapResourceSize(const char* name, plat::SIZE* size)
{
    PackedDib dib;
    if (!findDib(name, &dib))
        return false;
    *size = {dib.width, dib.height};
    return true;
}

void DrawBitmapResource(plat::HDC hdc, const char* name, int x, int y)
{
    PackedDib dib;
    if (findDib(name, &dib))
        drawDib(hdc, dib, x, y, dib.width, dib.height);
}

int ShowDlgItem(plat::HWND dialog, int controlId, bool show)
{
    plat::HWND control = plat::GetDlgItem(dialog, controlId);
    if (show) {
        if (!plat::IsWindowVisible(control))
            plat::ShowWindow(control, plat::SW_SHOWNOACTIVATE);
        return 1;
    }
    plat::ShowWindow(control, plat::SW_HIDE);
    return 0;
}

OwnedBrush::OwnedBrush(plat::COLORREF colour) : brush_(plat::CreateSolidBrush(colour)) {}

OwnedBrush::~OwnedBrush()
{
    if (brush_)
        plat::DeleteObject(brush_);
}

OwnedBrush::OwnedBrush(OwnedBrush&& other) noexcept : brush_(std::exchange(other.brush_, nullptr)) {}

OwnedBrush& OwnedBrush::operator=(OwnedBrush&& other) noexcept
{
    if (this != &other) {
        if (brush_)
            plat::DeleteObject(brush_);
        brush_ = std::exchange(other.brush_, nullptr);
    }
    return *this;
}
