// The desktop's user-dirs file as the printer reads it for the documents
// folder. Whatever the bytes, a folder found is absolute, and the text with
// a later line of the key added gives that line's folder.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "platform/fs/user_dirs.h"

namespace {

void require(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "user_dirs: %s\n", what);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::optional<std::string> found = plat::ParseUserDir(text, "XDG_DOCUMENTS_DIR", "/home/fuzz");
    require(!found || (!found->empty() && found->front() == '/'), "a folder that is not absolute");
    const std::optional<std::string> later =
        plat::ParseUserDir(text + "\nXDG_DOCUMENTS_DIR=\"$HOME/Later\"\n", "XDG_DOCUMENTS_DIR", "/home/fuzz");
    require(later == std::string("/home/fuzz/Later"), "the last line of the key did not win");
    return 0;
}
