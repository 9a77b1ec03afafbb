#pragma once
// Slates on the headless desktop: the product palette of 256 distinct
// colours, the drawing road and transparent index each test chooses, quiet
// reports in the error log, and helpers that read and write pixels.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "foundation/JxCMungeFile.h"
#include "foundation/JxProductLink.h"
#include "foundation/tests/reporting_fixture.h"
#include "graphics/JxCDevice.h"
#include "graphics/JxCMemorySlate.h"
#include "graphics/JxCSlatePool.h"
#include "graphics/JxGraphicsLink.h"
#include "platform/draw/draw.h"
#include "platform/window/window.h"
#include "testkit/bmp.h"

class SlateTest : public ReportingTest {
protected:
    void SetUp() override
    {
        ReportingTest::SetUp();
        programStrings("1\tkelbo32.ini\n1003\tDamaged picture %s\n1045\tCannot find  resource id %s\n"
                       "1135\tNo slate left of %s\n");
        iniFile("[Directory]\nLogErrors=1\nLogFile=" + programFolder() + "error.log\n");
        ReadSettings();
        const std::vector<std::uint8_t> stored = testkit::EncodeLogPalette(testkit::DistinctColours());
        palette = plat::CreatePalette(reinterpret_cast<const plat::LOGPALETTE*>(stored.data()));
        JxProductLink product;
        product.palette = [this] { return palette; };
        previousProduct_ = SetProductLink(product);
        JxGraphicsLink link;
        link.useWinG = [this] { return useWinG; };
        link.transparentIndex = [this] { return key; };
        link.dataStore = [this] { return store.get(); };
        previousLink_ = SetGraphicsLink(link);
        FreeSlatePool();
        SetSlatePoolSize(kDefaultSlatePoolSize);
    }
    void TearDown() override
    {
        store.reset();
        ResetDevices();
        FreeSlatePool();
        SetGraphicsLink(previousLink_);
        SetProductLink(previousProduct_);
        plat::DeleteObject(palette);
        ReportingTest::TearDown();
    }

    std::string log() const { return hostFile("error.log"); }

    // Pixel (x, y) of a memory slate's bitmap, y counted from the top.
    static std::uint8_t& Px(JxCMemorySlate& slate, int x, int y)
    {
        plat::BITMAPINFOHEADER h;
        std::uint8_t* bits = slate.GetBits(&h);
        const int rows = h.biHeight < 0 ? -h.biHeight : h.biHeight;
        const int row = h.biHeight < 0 ? y : rows - 1 - y;
        return bits[row * plat::DibStride(h.biWidth, 8) + x];
    }
    // Fills a slate with value(x, y).
    template <class F>
    static void Fill(JxCMemorySlate& slate, F value)
    {
        const JxCRect area = slate.GetState().deviceArea;
        for (int y = 0; y < area.bottom; ++y)
            for (int x = 0; x < area.right; ++x)
                Px(slate, x, y) = std::uint8_t(value(x, y));
    }
    // The colour of a screen pixel as 0xRRGGBB.
    static std::uint32_t ScreenRgb(plat::HDC hdc, int x, int y)
    {
        const plat::COLORREF c = plat::GetPixel(hdc, x, y);
        return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    }
    static std::uint32_t PaletteRgb(int index)
    {
        const testkit::Rgb c = testkit::DistinctColours()[std::size_t(index)];
        return (std::uint32_t(c[0]) << 16) | (std::uint32_t(c[1]) << 8) | c[2];
    }
    // A visible pop-up window whose client area starts at (x, y).
    plat::HWND Window(int x, int y, int width, int height)
    {
        plat::WNDCLASSA wc;
        wc.lpfnWndProc = &plat::DefWindowProcA;
        wc.lpszClassName = "SlateTest";
        plat::RegisterClassA(wc);  // already there after the first window
        return plat::CreateWindowExA(0, "SlateTest", "", plat::WS_POPUP | plat::WS_VISIBLE, x, y, width, height,
                                     nullptr, nullptr, nullptr, nullptr);
    }

    plat::HPALETTE palette = nullptr;
    bool useWinG = true;
    std::uint8_t key = 255;
    std::unique_ptr<JxCMungeFile> store;

private:
    std::optional<JxProductLink> previousProduct_;
    std::optional<JxGraphicsLink> previousLink_;
};
