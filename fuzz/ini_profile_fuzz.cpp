// INI files as the profile calls read and rewrite them. Whatever the bytes,
// an untouched file comes back byte for byte, and a change made through the
// document is what a fresh read of the rewritten text finds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "platform/config/ini_document.h"

namespace {

void require(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "ini_profile: %s\n", what);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    plat::IniDocument doc = plat::IniDocument::Parse(text);
    require(doc.Serialize() == text, "an untouched file did not come back byte for byte");

    std::vector<std::string> sections = doc.Sections();
    for (const std::string& s : sections)
        for (const std::string& k : doc.Keys(s))
            require(doc.Find(s, k).has_value(), "a listed key cannot be found");
    if (sections.empty())
        sections.push_back("Fuzz");
    const std::string& section = sections.front();
    std::vector<std::string> keys = doc.Keys(section);

    // Later changes win where the input's own names meet the ones used here.
    bool firstIsOurs = !keys.empty() && plat::EqualsNoCase(keys.front(), "FuzzKey");
    bool sectionIsOurs = plat::EqualsNoCase(section, "Fuzz New Section");
    doc.Set("Fuzz New Section", "k", "v");
    doc.Set(section, "  FuzzKey ", "new value");
    if (!keys.empty())
        doc.Set(section, keys.front(), "changed");
    plat::IniDocument again = plat::IniDocument::Parse(doc.Serialize());
    if (!firstIsOurs)
        require(again.Find(section, "fuzzkey") == "new value", "an added key was not read back");
    if (!sectionIsOurs)
        require(again.Find(" fuzz new section ", "K") == "v", "an added section was not read back");
    if (!keys.empty()) {
        require(again.Find(section, keys.front()) == "changed", "a changed key was not read back");
        again.DeleteKey(section, keys.front());
        require(!plat::IniDocument::Parse(again.Serialize()).Find(section, keys.front()),
                "a deleted key is still there");
    }
    return 0;
}
