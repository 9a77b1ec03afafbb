#pragma once
// A whole title written into one host folder, the program's folder: the
// title's resource library "kelbores" (its texts, the product palette 1907
// and the splash bitmap 1908), the product data file, the data store and
// the data version file.
//
//   testkit::TitleFolder title;
//   title.data.product().startPages({1});
//   title.data.templateDef(1, "BASE_PAGE").panel(1, "Display").size(640, 480);
//   title.data.page(1, 1);
//   title.Write(program);

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "testkit/bmp.h"
#include "testkit/data_store.h"
#include "testkit/product_data.h"

namespace testkit {

class TitleFolder {
public:
    ProductData data;
    // Text 2 of the library.
    std::string dataFileName = "KELBO.DAT";
    // No palette resource when empty.
    std::vector<Rgb> palette = DistinctColours();
    std::optional<BmpPicture> splash;
    // Written as "DATA.MNG" when it holds an item.
    DataStore store;
    bool withStore = false;
    // The library's version block: its file version gives the program's
    // version code ("3.1.0.5": "31"), which the product data file's version
    // record must carry.
    std::string companyName = "Jx Multimedia";
    std::string productName = "Kelbo";
    std::string fileVersion = "3.1.0.5";
    // Further texts of the library (id, text).
    std::map<unsigned, std::string> texts;
    // Further files of the title's disc, such as its screen saver: a name
    // relative to the folder ("PAGES/tundrel.scr") and the file's bytes.
    std::map<std::string, std::vector<std::uint8_t>> files;

    // Writes the files into the folder (created when missing).
    void Write(const std::string& folder);
};

// Writes bytes to a host file, creating its folder.
void WriteHostFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace testkit
