#pragma once
// What the benchmarks of the whole program share: the program's folder with
// its own resources and the sample title's installed part, and the title's
// disc, as a user's machine has them, and a look at the screen.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/screen/screen.h"
#include "platform/window/window.h"
#include "tests/program_run.h"

namespace bench {

class SampleInstall {
public:
    SampleInstall() { InstallSampleTitle(config_); }

    // The title's files (the program's own resources left out), then what
    // follows.
    std::string Describe(const std::string& more) const
    {
        std::uintmax_t bytes = 0;
        int files = 0;
        const std::filesystem::path own = config_.program() + "/kelbo32.resources";
        for (const std::string& folder : {config_.program(), DiscFolder(config_)})
            for (auto it = std::filesystem::recursive_directory_iterator(folder);
                 it != std::filesystem::recursive_directory_iterator(); ++it) {
                if (it->path() == own) {
                    it.disable_recursion_pending();
                    continue;
                }
                if (it->is_regular_file()) {
                    bytes += it->file_size();
                    ++files;
                }
            }
        char text[96];
        std::snprintf(text, sizeof text, "sample title: %d files, %.1f KiB; ", files, double(bytes) / 1024.0);
        return text + more;
    }

private:
    plat::testing::TempConfig config_;
};

// The colour on the screen at a point of the window's client area.
inline std::uint32_t ScreenColourAt(plat::HWND window, int x, int y)
{
    plat::POINT at{x, y};
    plat::ClientToScreen(window, &at);
    const plat::Screen& screen = plat::TheScreen();
    return screen.pixels()[at.y * screen.stride() + at.x];
}

}  // namespace bench
