// The shortcut-file scan: any file ends cleanly with no address or with one
// of at most 400 characters that holds none of the characters that end an
// address; the file gives the same address as its text in memory, and an
// address found is the value of a "URL=" of the file.
#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "title/links/JxShortcutScan.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    plat::testing::TempConfig& folders = fuzz::Scratch();
    plat::testing::TempConfig::writeFile(folders.program() + "/link.url", text);

    const std::optional<std::string> fromFile = ScanShortcutFile("P:\\LINK.URL");
    std::size_t at = 0;
    const std::optional<std::string> fromText =
        ScanShortcutText([&] { return at < text.size() ? int(static_cast<unsigned char>(text[at++])) : -1; });
    fuzz::Check(fromFile == fromText);
    fuzz::Check(at == text.size());
    if (!fromFile)
        return 0;
    const std::string& value = *fromFile;
    fuzz::Check(value.size() <= kMaxShortcutAddress);
    fuzz::Check(value.find_first_of(std::string("\" ;\r\n", 5)) == std::string::npos);
    std::string upper = text;
    std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    fuzz::Check(upper.find("URL=" ) != std::string::npos);
    fuzz::Check(text.find(value) != std::string::npos);
    return 0;
}
