#include "title/quiz/JxCQuizWords.h"

#include "foundation/JxCInStrStream.h"
#include "foundation/JxFileUtils.h"
#include "foundation/JxResourceLibraries.h"

namespace {

struct SharedWords {
    std::unique_ptr<JxCQuizWords> words;
    std::int32_t users = 0;
};

SharedWords& shared()
{
    static SharedWords s;
    return s;
}

}  // namespace

JxCQuizWords& JxCQuizWords::Acquire()
{
    SharedWords& s = shared();
    if (!s.words)
        s.words.reset(new JxCQuizWords);
    ++s.users;
    return *s.words;
}

void JxCQuizWords::Release()
{
    SharedWords& s = shared();
    if (s.users > 0 && --s.users == 0)
        s.words.reset();
}

JxCQuizWords* JxCQuizWords::Current()
{
    return shared().words.get();
}

JxCQuizWords::~JxCQuizWords() = default;

void JxCQuizWords::Prepare()
{
    if (separators_.IsEmpty())
        separators_.LoadString(kSeparatorsId);
    if (tolerated_.IsEmpty())
        tolerated_.LoadString(kToleratedWordId);
    if (!IsLoaded())
        loadLists();
}

bool JxCQuizWords::IsSeparator(char c) const
{
    // The terminator is no separator: the set is searched as bytes.
    return c != '\0' && separators_.View().find(c) != std::string_view::npos;
}

void JxCQuizWords::loadLists()
{
    JxCString path = GetProgramFolderString();
    path += kFileName;
    if (!FileExists(path.GetText())) {
        // Without the file every word is plain data and nothing is replaced.
        categories_ = std::make_unique<JxCStringList>();
        secondList_ = std::make_unique<JxCStringList>();
        firstList_ = std::make_unique<JxCStringList>();
        return;
    }
    JxCInStrStream in(path.GetText());
    if (!in.IsOpen())
        return;
    // A list cut short keeps the items it holds whole; the lists after it
    // find the stream failed and stay empty.
    categories_ = std::make_unique<JxCStringList>(in);
    secondList_ = std::make_unique<JxCStringList>(in);
    firstList_ = std::make_unique<JxCStringList>(in);
}

const JxCStringList& JxCQuizWords::listOrEmpty(const std::unique_ptr<JxCStringList>& list)
{
    static const JxCStringList empty;
    return list ? *list : empty;
}
