#include "graphics/JxCDevice.h"

#include "graphics/JxCMemorySlate.h"
#include "platform/draw/draw.h"
#include "platform/window/window.h"

namespace {

// 72.27 points to the inch in 16.16 fixed point.
constexpr double kPointsPerInchFixed = 4736286.72;

std::int32_t PointsPerPixel(int pixelsPerInch, std::int32_t fallback)
{
    return pixelsPerInch > 0 ? std::int32_t(kPointsPerInchFixed / pixelsPerInch) : fallback;
}

}  // namespace

JxCSlate* JxCDevice::GetScratchSlate()
{
    if (!scratch_)
        CreateScratchSlate();
    return scratch_;
}

void JxCDevice::EnsureMeasured()
{
    if (!measured_) {
        Measure();
        measured_ = 1;
    }
}

std::int32_t JxCDevice::GetPointsPerPixelX()
{
    EnsureMeasured();
    return pointsPerPixelX_;
}

std::int32_t JxCDevice::GetPointsPerPixelY()
{
    EnsureMeasured();
    return pointsPerPixelY_;
}

std::int16_t JxCDevice::IsMonochrome()
{
    EnsureMeasured();
    return monochrome_;
}

void JxCDevice::MeasureDC(plat::HDC hdc)
{
    if (!hdc)
        return;
    pointsPerPixelX_ = PointsPerPixel(plat::GetDeviceCaps(hdc, plat::LOGPIXELSX), pointsPerPixelX_);
    pointsPerPixelY_ = PointsPerPixel(plat::GetDeviceCaps(hdc, plat::LOGPIXELSY), pointsPerPixelY_);
    // More colours than a palette holds answer -1: that is colour, not
    // monochrome.
    const int colours = plat::GetDeviceCaps(hdc, plat::NUMCOLORS);
    monochrome_ = (colours >= 0 && colours < 3) ? 1 : 0;
}

void JxCDevice::Reset()
{
    scratch_ = nullptr;
    measured_ = 0;
    pointsPerPixelX_ = pointsPerPixelY_ = kUnitScale;
    monochrome_ = 0;
}

JxCScreenDevice::~JxCScreenDevice() = default;

void JxCScreenDevice::Reset()
{
    JxCDevice::Reset();
    owned_.reset();
}

void JxCScreenDevice::CreateScratchSlate()
{
    owned_ = std::make_unique<JxCMemorySlate>(8, 8);
    scratch_ = owned_.get();
}

void JxCScreenDevice::Measure()
{
    plat::HWND desktop = plat::GetDesktopWindow();
    plat::HDC hdc = plat::GetDC(desktop);
    MeasureDC(hdc);
    if (hdc)
        plat::ReleaseDC(desktop, hdc);
}

void JxCPrinterDevice::Measure()
{
    if (scratch_)
        MeasureDC(scratch_->GetHDC());
}

// Both live until the process ends; ResetDevices frees what they hold.
JxCScreenDevice& GetScreenDevice()
{
    static JxCScreenDevice* screen = new JxCScreenDevice;
    return *screen;
}

JxCPrinterDevice& GetPrinterDevice()
{
    static JxCPrinterDevice* printer = new JxCPrinterDevice;
    return *printer;
}

void ResetDevices()
{
    GetScreenDevice().Reset();
    GetPrinterDevice().Reset();
}

JxCSlate* GetScreenScratchSlate()
{
    return GetScreenDevice().GetScratchSlate();
}
