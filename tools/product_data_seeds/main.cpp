// Writes the seed files of the product data fuzz target into a folder:
//   product_data_seeds fuzz/seeds/product_data

#include <string>
#include <vector>

#include "runtime/JxTypeRegistry.h"
#include "testkit/sample_title.h"
#include "title/JxClassRegistrations.h"

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    RegisterClasses();
    RegisterTypeIds();
    const std::string dir = argv[1];
    testkit::TitleFolder sample = testkit::SampleTitle();
    testkit::AddSampleLogbook(sample);
    testkit::WriteHostFile(dir + "/sample", sample.data.Bytes());
    testkit::ProductData rich = sample.data;
    testkit::TemplateBuilder& popup = rich.templateDef(7, "POPUP_PAGE");
    popup.anchor(1, 2).offset(-5, 9).area(10, 20, 300, 200).frame(2, 4).ownerPanels({1, 2}).printPanels({2}).reuse();
    popup.panel(4, "TransparentPanel").stored(6).colour(1, 2, 3).at(7, 8).size(90, 80);
    rich.page(6, 7).name("Popup").storedPanel("Display", {0, 1, 0, 2, 0, 0});
    testkit::WriteHostFile(dir + "/popup_and_stored_panel", rich.Bytes());
    testkit::ProductData empty;
    empty.product().startPages({});
    testkit::WriteHostFile(dir + "/no_pages", empty.Bytes());
    std::vector<std::uint8_t> cut = sample.data.Bytes();
    cut.resize(cut.size() / 2);
    testkit::WriteHostFile(dir + "/truncated", cut);
    testkit::WriteHostFile(dir + "/wrong_offsets", testkit::ProductData(sample.data).claimPageData(9).Bytes());
    return 0;
}
