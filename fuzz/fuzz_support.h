#pragma once
// What the fuzz targets share: one input split into the several files of a
// fixture, and a scratch configuration and program folder, so that whatever
// a reader writes stays inside it.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/tests/temp_config.h"

namespace fuzz {

// Stops the run as a finding when a property does not hold, naming the
// check that failed.
inline void Check(bool holds, const char* file = __builtin_FILE(), int line = __builtin_LINE())
{
    if (holds)
        return;
    std::fprintf(stderr, "fuzz check failed at %s:%d\n", file, line);
    std::abort();
}

// An input for a stream reader: its first byte says how many of the
// following bytes (1 to 16) choose the readers, which are used in turn, as a
// record reader would; the rest is what the stream holds.
struct ReaderInput {
    std::span<const std::uint8_t> readers;
    std::string bytes;
};
inline std::optional<ReaderInput> SplitReaderInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return std::nullopt;
    const std::size_t count = std::min<std::size_t>(1 + data[0] % 16, size - 1);
    return ReaderInput{{data + 1, count},
                       std::string(reinterpret_cast<const char*>(data + 1 + count), size - 1 - count)};
}

// The line that separates the files of one input.
inline constexpr std::string_view kFileSeparator = "\n%%\n";

// The input cut at each separator into at most `parts` files (the last one
// takes the rest); files the input does not reach are empty.
inline std::vector<std::string> SplitInput(const std::uint8_t* data, std::size_t size, std::size_t parts)
{
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> files;
    while (files.size() + 1 < parts) {
        const std::size_t cut = rest.find(kFileSeparator);
        if (cut == std::string_view::npos)
            break;
        files.emplace_back(rest.substr(0, cut));
        rest.remove_prefix(cut + kFileSeparator.size());
    }
    files.emplace_back(rest);
    files.resize(parts);
    return files;
}

// The configuration folder (drive C:) and program folder (drive P:) of the
// whole run, made on first use and removed at exit. Each run writes the
// files it reads; one folder for all runs keeps the runs fast.
inline plat::testing::TempConfig& Scratch()
{
    static plat::testing::TempConfig folders;
    return folders;
}

// The bytes written as a file of the program folder, for the readers that
// take a file; its Windows path ("P:\NAME").
inline std::string ProgramFile(const std::string& name, std::span<const std::uint8_t> bytes)
{
    plat::testing::TempConfig::writeFile(Scratch().program() + "/" + name, std::string(bytes.begin(), bytes.end()));
    return "P:\\" + name;
}

// The program's own texts beside its program file, where the program has
// them: a report whose text is there costs what it costs the program (a line
// in the error log at most), where a missing text would put up a box.
inline void WriteProgramTexts(const std::string& programFolder)
{
    const std::string folder = programFolder + "/kelbo32.resources";
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(KELBO_SOURCE_DIR "/resources/kelbo32.resources/strings.txt", folder + "/strings.txt",
                               std::filesystem::copy_options::overwrite_existing);
}

}  // namespace fuzz
