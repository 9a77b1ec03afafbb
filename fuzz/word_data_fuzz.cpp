// The answer matcher over any word file, separator set, answer list and
// typed text (four files separated by "%%" lines: "WordData.dat" beside the
// program, string 195, the answer list, the typed text). Counts and lengths
// in the word file must be bounded by its bytes, the word store must never
// grow past its sixteen words, and the shared words must go with the last
// matcher.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/JxCString.h"
#include "foundation/JxStringLoader.h"
#include "fuzz_support.h"
#include "title/quiz/JxCAnswerMatcher.h"
#include "title/quiz/JxCQuizWords.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::string> files = fuzz::SplitInput(data, size, 4);
    plat::testing::TempConfig& folders = fuzz::Scratch();
    plat::testing::TempConfig::writeFile(folders.program() + "/kelbo32", "");
    plat::testing::TempConfig::writeFile(folders.program() + "/WordData.dat", files[0]);
    SetStringLoader([&](unsigned id, std::string& text) {
        if (id == JxCQuizWords::kSeparatorsId)
            text = files[1];
        else if (id == JxCQuizWords::kToleratedWordId)
            text = "and";
        else
            return false;
        return true;
    });
    {
        JxCAnswerMatcher matcher;
        matcher.SetAnswerList(JxCString(std::string_view(files[2])));
        for (int pass = 0; pass < 2; ++pass) {
            std::int32_t value = 0;
            const std::int16_t result = matcher.CheckAnswer(JxCString(std::string_view(files[3])), value);
            fuzz::Check(result >= 0 && result <= 2);
            fuzz::Check(value >= 0);
            fuzz::Check(matcher.GetWords().size() <= JxCAnswerMatcher::kMaxWords);
        }
        fuzz::Check(JxCQuizWords::Current() && JxCQuizWords::Current()->IsLoaded());
    }
    fuzz::Check(JxCQuizWords::Current() == nullptr);
    SetStringLoader({});
    return 0;
}
