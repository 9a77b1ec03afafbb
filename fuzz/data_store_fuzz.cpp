// The packed data store's reader on arbitrary files: the index is read or
// refused, a store with a sound index opens, and every item it lists is
// read to its end and sought, never outside its bytes.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "foundation/JxCMungeFile.h"
#include "foundation/JxCSubFile.h"
#include "foundation/JxErrorReport.h"
#include "foundation/JxFileUtils.h"
#include "foundation/JxResourceLibraries.h"
#include "fuzz_support.h"
#include "platform/backend/harness.h"
#include "platform/fs/files.h"
#include "platform/tests/temp_config.h"

namespace {

struct World {
    plat::testing::TempConfig config;
    plat::Harness harness;
    World()
    {
        plat::testing::TempConfig::writeFile(config.program() + "/kelbo32", "");
        // A store whose index is damaged but still serves is reported as the
        // program reports it: with its text, in the error log if it keeps
        // one, never in a box.
        fuzz::WriteProgramTexts(config.program());
        ConnectErrorReporting();
        SetProgramStarted();
        // Nothing should ask; were it to, OK answers.
        plat::SetResponder([](const plat::UiRequest&) -> std::optional<int> { return 1; });
    }
};

// Reads the sub-file to its end in steps of the given size.
std::uint64_t drain(JxCjxioSubFile& f, std::int32_t step)
{
    std::vector<std::uint8_t> buffer(std::size_t(step > 0 ? step : 1));
    std::uint64_t total = 0;
    for (int guard = 0; guard < 4096; ++guard) {
        std::int32_t n = f.Read(buffer.data(), step);
        if (n <= 0)
            break;
        total += std::uint64_t(n);
    }
    return total;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static World world;
    {
        std::ofstream(world.config.program() + "/DATA.MNG", std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(data), std::streamsize(size));
    }
    const std::string path = std::string(GetProgramFolderString().View()) + "DATA.MNG";
    // The index reader alone first: a damaged store would be reported in a
    // box, which costs more than the read itself.
    {
        std::uint32_t error = 0;
        plat::HFILE file = OpenFileWithRetry(path.c_str(), plat::OF_READ, &error);
        JxCDataIndexList probe;
        const bool sound = probe.ReadIndex(file);
        CloseFile(file);
        if (!sound)
            return 0;
    }
    JxCMungeFile store(path.c_str());
    if (!store.IsOpen())
        __builtin_trap();
    std::vector<std::unique_ptr<JxCjxioSubFile>> files;
    JxCDataIndexList& index = store.GetIndex();
    for (JxCDataIndexEntry* e = index.GetFirst(); e && files.size() < 16; e = index.GetNext(e))
        files.push_back(std::make_unique<JxCjxioSubFile>(&store, e->GetName().GetText() ? e->GetName().GetText() : ""));
    const std::int32_t step = size ? 1 + data[0] % 97 : 1;
    for (auto& f : files) {
        if (drain(*f, step) > f->GetSize())
            __builtin_trap();
        f->Seek(std::int32_t(f->GetSize() / 2), plat::FILE_BEGIN);
        f->Seek(-1, plat::FILE_END);
        f->Seek(1, plat::FILE_CURRENT);
    }
    // Ids of the store's own sub-files, and of none.
    const char* first = files.empty() ? nullptr : files.front()->GetName().GetText();
    std::uint32_t id = first ? store.OpenSubFile(first) : 0;
    std::uint8_t byte = 0;
    store.ReadSubFile(id, &byte, 1);
    store.SeekSubFile(id + 1000, 0, plat::FILE_BEGIN);
    store.CloseSubFile(id);
    store.CloseSubFile(id);
    return 0;
}
