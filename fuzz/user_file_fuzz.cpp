// Any bytes read as a user's file: the record keeps its level within 0 to
// 3, answers only in its slots and marks only for its pages, and the file
// it saves when it goes is whole (5326 bytes and the name) and reads back
// as the record was.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "foundation/JxErrorHook.h"
#include "foundation/JxErrorReport.h"
#include "foundation/JxResourceLibraries.h"
#include "foundation/JxStartupSettings.h"
#include "fuzz_support.h"
#include "title/users/JxCUserRecord.h"

namespace {

using plat::testing::TempConfig;

bool& reported()
{
    static bool r = false;
    return r;
}

// The program folder with its INI file pointing the user folder at
// P:\Users, read once for the whole run.
bool setUp()
{
    TempConfig& folders = fuzz::Scratch();
    TempConfig::writeFile(folders.program() + "/kelbo32", "");
    TempConfig::writeFile(folders.program() + "/kelbo32.resources/strings.txt", "1\tkelbo32.ini\n");
    TempConfig::writeFile(folders.program() + "/kelbo32.ini", "[Directory]\nUser=P:\\Users\n");
    TempConfig::writeFile(folders.program() + "/Users/.keep", "");
    ResetResourceLibraries();
    ResetStartupSettings();
    ConnectErrorReporting();  // the string loader: the INI file's name is string 1
    ReadSettings();
    fuzz::Check(GetUserPath().View() == "P:\\Users\\");
    SetErrorReporter([](std::int32_t, std::span<const JxMessageArg>) {
        reported() = true;
        return 0;
    });
    return true;
}

struct Snapshot {
    std::string name;
    std::int32_t reserved = 0;
    std::int32_t level = 0;
    std::vector<std::int32_t> answers;
    std::vector<std::uint16_t> visited;
    bool operator==(const Snapshot&) const = default;
};

Snapshot snapshotOf(const JxCUserRecord& record)
{
    Snapshot s;
    s.name = std::string(record.GetName().View());
    s.reserved = record.GetReserved();
    s.level = record.GetLevel();
    for (int level = -1; level <= 3; ++level)
        for (int topic = -1; topic <= 22; ++topic)
            for (int question = -1; question <= 5; ++question)
                s.answers.push_back(record.GetAnswer(level, topic, question));
    for (int page = -1; page <= JxCUserRecord::kPages; ++page)
        s.visited.push_back(record.IsVisited(page));
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool ready = setUp();
    (void)ready;
    const std::string host = fuzz::Scratch().program() + "/Users/jx0.Gv3";
    TempConfig::writeFile(host, std::string(reinterpret_cast<const char*>(data), size));
    reported() = false;

    Snapshot before;
    {
        JxCUserRecord record;
        fuzz::Check(record.Load("jx0.Gv3") == 1);
        before = snapshotOf(record);
        fuzz::Check(before.level >= 0 && before.level <= 3);
        fuzz::Check(size < 2 || before.name.size() <= size - 2);
        fuzz::Check(before.visited.front() == 0 && before.visited.back() == 0);
        for (int level : {-1, 3})
            for (int topic = 0; topic < 22; ++topic)
                fuzz::Check(record.GetAnswer(level, topic, 0) == -1);
        fuzz::Check(record.CountAnswered(0) <= 110 && record.CountAnswered(3) == 110);
    }
    fuzz::Check(!reported());
    const std::string saved = TempConfig::readFile(host);
    fuzz::Check(saved.size() == JxCUserRecord::kFixedFileSize + before.name.size());

    JxCUserRecord again;
    fuzz::Check(again.Load("jx0.Gv3") == 1);
    fuzz::Check(snapshotOf(again) == before);
    return 0;
}
