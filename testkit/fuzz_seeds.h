#pragma once
// The seeds of the fuzz targets that read panels' records. Those records
// name their objects by display-object type ids, which the live registry
// numbers when the program starts, so the seeds are written from the
// registered classes (by tools/fuzz_seeds at every build), never kept as
// files that a new class would leave naming the wrong types.
//
//   RegisterClasses(); RegisterTypeIds();
//   testkit::PanelSeedSet set = testkit::PanelRecordSeeds();
//   // set.file: the product data the target reads the seeds against
//   // set.seeds: each seed's name, bytes and the types its name promises

#include <cstdint>
#include <string>
#include <vector>

#include "testkit/product_data.h"

namespace testkit {

struct FuzzSeed {
    std::string name;
    std::vector<std::uint8_t> bytes;
    // The type keywords of the objects the seed is named for; each is read
    // from it.
    std::vector<std::string> keywords;
};

// The seeds and the product data whose string table and template they
// refer to (the target reads its definitions from that file).
struct PanelSeedSet {
    ProductData file;
    std::vector<FuzzSeed> seeds;
};

// Panel records for a panel of template 1 (panel 2, "Display", 100 by 50
// at (10, 20)): every display-object type the program registers, and
// damaged records. The texts "pic", "other", "Cross" and "&spin" are the
// program folder's picture and PNG, a cursor and an animation.
PanelSeedSet PanelRecordSeeds();

// The quiz's panels (template 1, panel 1, 400 by 220): the first byte picks
// the quiz (0), topics (1) or question panel (2), the rest is its record.
PanelSeedSet QuizPanelSeeds();

}  // namespace testkit
