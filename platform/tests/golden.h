#pragma once
// Golden pictures for the drawing tests: a surface is compared with
// platform/tests/golden/NAME.png (another layer's tests name their own
// folder). Run the tests with
// KELBO_UPDATE_GOLDEN=1 to write the pictures anew (then look at them
// before committing).

#include <string>

#include "platform/core/types.h"

namespace plat::testing {

// Colours of a surface (or of the screen when bitmap is null) as RGB
// triples, rows top-down.
std::string SurfaceRgb(HBITMAP bitmap, int* width, int* height);
// Empty when the surface matches its golden picture (or it was written);
// else what differs. The folder is relative to the source tree.
std::string CompareWithGolden(HBITMAP bitmap, const std::string& name,
                              const std::string& folder = "platform/tests/golden");

}  // namespace plat::testing
