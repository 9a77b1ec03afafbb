#pragma once
// The words that every typed-answer matcher shares: the separator
// characters (string 195), the one word that '+' answers tolerate besides
// conjunctions (string 196), and the three word lists of "WordData.dat" in
// the program folder: the phrase categories, the second substitution list
// and the first substitution list.
//
// The first matcher makes them and the last one to go frees them. The
// strings are loaded while they are empty and the lists while they are not
// loaded, each time a matcher is given an answer list, so a file that could
// not be opened is tried again with the next question.
//
// "WordData.dat": three lists, each a 32-bit big-endian item count and that
// many counted strings (a signed 16-bit length and the bytes). An item is a
// key, a colon and entries separated by semicolons. No file means empty
// lists; a short or damaged file keeps what it holds whole, unreported.

#include <cstdint>
#include <memory>

#include "foundation/JxCObject.h"
#include "foundation/JxCString.h"
#include "foundation/JxCStringList.h"

class JxCQuizWords : public JxCObject {
public:
    static constexpr unsigned kSeparatorsId = 195;
    static constexpr unsigned kToleratedWordId = 196;
    static constexpr const char* kFileName = "WordData.dat";

    // The shared words for one more user; Release gives them back, and the
    // last release deletes them.
    static JxCQuizWords& Acquire();
    static void Release();
    // The shared words while they have a user, else null.
    static JxCQuizWords* Current();

    JxCQuizWords(const JxCQuizWords&) = delete;
    JxCQuizWords& operator=(const JxCQuizWords&) = delete;
    ~JxCQuizWords() override;

    // Loads the strings that are empty and the lists unless they are loaded.
    void Prepare();
    bool IsLoaded() const { return categories_ != nullptr; }

    bool IsSeparator(char c) const;
    const JxCString& GetSeparators() const { return separators_; }
    const JxCString& GetToleratedWord() const { return tolerated_; }
    // Empty lists until the file is loaded.
    const JxCStringList& GetCategories() const { return listOrEmpty(categories_); }
    const JxCStringList& GetSecondList() const { return listOrEmpty(secondList_); }
    const JxCStringList& GetFirstList() const { return listOrEmpty(firstList_); }

private:
    JxCQuizWords() = default;
    void loadLists();
    static const JxCStringList& listOrEmpty(const std::unique_ptr<JxCStringList>& list);

    JxCString separators_;
    JxCString tolerated_;
    std::unique_ptr<JxCStringList> categories_;
    std::unique_ptr<JxCStringList> secondList_;
    std::unique_ptr<JxCStringList> firstList_;
};
