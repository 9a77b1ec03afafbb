#pragma once
// Output media described by the size of one pixel in points (72.27 to the
// inch, 16.16 fixed point) and whether they are monochrome. The screen
// device lends a small scratch slate for drawing and measuring off screen;
// the printer device measures the slate its owner gives it. One of each
// lives for the whole run; each is measured once.

#include <cstdint>
#include <memory>

#include "platform/core/types.h"

class JxCSlate;

class JxCDevice {
public:
    static constexpr std::int32_t kUnitScale = 0x10000;

    JxCDevice() = default;
    JxCDevice(const JxCDevice&) = delete;
    JxCDevice& operator=(const JxCDevice&) = delete;
    virtual ~JxCDevice() = default;

    virtual void CreateScratchSlate() = 0;
    virtual void Measure() = 0;

    JxCSlate* GetScratchSlate();
    std::int32_t GetPointsPerPixelX();
    std::int32_t GetPointsPerPixelY();
    std::int16_t IsMonochrome();
    std::int16_t IsMeasured() const { return measured_; }
    // Forgets the measurements and lets go of the scratch slate (at exit,
    // and between tests).
    virtual void Reset();

protected:
    // Measures the device context: its logical resolution and colours.
    void MeasureDC(plat::HDC hdc);
    void EnsureMeasured();

    JxCSlate* scratch_ = nullptr;
    std::int16_t measured_ = 0;
    std::int32_t pointsPerPixelX_ = kUnitScale;
    std::int32_t pointsPerPixelY_ = kUnitScale;
    std::int16_t monochrome_ = 0;
};

class JxCScreenDevice : public JxCDevice {
public:
    ~JxCScreenDevice() override;
    // An 8 by 8 memory slate, kept until the device goes.
    void CreateScratchSlate() override;
    // The desktop window's device context.
    void Measure() override;
    void Reset() override;

private:
    std::unique_ptr<JxCSlate> owned_;
};

class JxCPrinterDevice : public JxCDevice {
public:
    void CreateScratchSlate() override {}
    // The slate given by SetScratchSlate; nothing is measured without one.
    void Measure() override;
    void SetScratchSlate(JxCSlate* slate) { scratch_ = slate; }
};

JxCScreenDevice& GetScreenDevice();
JxCPrinterDevice& GetPrinterDevice();
JxCSlate* GetScreenScratchSlate();
// Resets both devices; the exit calls it while the platform still stands.
void ResetDevices();
