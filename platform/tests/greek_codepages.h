#pragma once
// The published cp737 and cp1253 mappings of bytes 0x80-0xFF, as
// platform/tests/data/make_greek_codepages.py wrote them into
// greek_codepages.tsv: the byte, then its character under each code page
// ("none" where the page leaves it undefined).

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace plat::testing {

struct GreekByte {
    int byte;
    char32_t cp737;   // U+FFFD for "none"
    char32_t cp1253;
};

inline std::vector<GreekByte> ReadGreekCodePages()
{
    std::ifstream in(std::string(KELBO_SOURCE_DIR) + "/platform/tests/data/greek_codepages.tsv");
    std::vector<GreekByte> rows;
    std::string line;
    auto parse = [](const std::string& field) -> char32_t {
        unsigned v = 0;
        return std::sscanf(field.c_str(), "U+%x", &v) == 1 ? char32_t(v) : U'\uFFFD';
    };
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        std::string b, a, w;
        fields >> b >> a >> w;
        rows.push_back({int(std::stoul(b, nullptr, 16)), parse(a), parse(w)});
    }
    return rows;
}

}  // namespace plat::testing
