// The headless script reader: any text is either refused with a message
// that names the line, or read and then run step by step through a harness
// on a fresh headless desktop, and the run ends. Scripts that would write a
// PNG file (anywhere on the host) or make a display larger than a megapixel
// are only read, not run.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "fuzz_support.h"
#include "platform/backend/harness.h"
#include "platform/backend/script.h"

namespace {

// Whether running the script would only touch the desktop in memory.
bool harmless(const std::string& text)
{
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string command;
        long width = 0, height = 0;
        words >> command;
        if (command == "png")
            return false;
        if (command == "display" && words >> width >> height && width * height > (1L << 20))
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string error;
    std::optional<plat::Script> script = plat::Script::parse(text, "fuzz.txt", &error);
    if (!script) {
        if (error.rfind("fuzz.txt:", 0) != 0)
            std::abort();  // a refusal names the script and the line
        return 0;
    }
    if (!harmless(text))
        return 0;
    fuzz::Scratch();
    plat::Harness harness;
    if (!script->run(harness, &error))
        std::abort();  // a script that was read runs
    return 0;
}
