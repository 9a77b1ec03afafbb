#pragma once
// Decides whether a typed answer matches one of a question's accepted
// answers. The answer list holds alternatives separated by commas; an
// alternative whose words are joined by '+' is a set of words that must all
// be typed, in any order, with nothing else but conjunctions and the
// tolerated word among them. Before matching, the typed words lose their
// lead-in and closing phrases, pronouns, determiners and words to ignore,
// and on later passes words are replaced through the substitution lists
// (JxCQuizWords).
//
// CheckAnswer gives 0 (wrong), 1 (right) or 2 (right after the looser
// second substitution list), and on success the index of the alternative
// that matched, which the user's record keeps.

#include <cstdint>
#include <string_view>
#include <vector>

#include "foundation/JxCObject.h"
#include "foundation/JxCString.h"

class JxCQuizWords;
class JxCStringList;

class JxCAnswerMatcher : public JxCObject {
public:
    // The most words a typed answer may have; a longer one is wrong.
    static constexpr std::size_t kMaxWords = 16;
    static constexpr std::int16_t kWrong = 0;
    static constexpr std::int16_t kRight = 1;
    static constexpr std::int16_t kNearlyRight = 2;

    JxCAnswerMatcher();
    JxCAnswerMatcher(const JxCAnswerMatcher&) = delete;
    JxCAnswerMatcher& operator=(const JxCAnswerMatcher&) = delete;
    ~JxCAnswerMatcher() override;

    // Stores the list, lower-cased, with every separator but ',' and ' '
    // turned into a space and no space at either end of an alternative or a
    // '+' part or beside another space; loads the shared words that are not
    // loaded yet.
    void SetAnswerList(const JxCTableString& text);
    const JxCString& GetAnswerList() const { return answers_; }

    // value is set to the matching alternative's index on success; the
    // caller sets it to 0 first. An empty answer list accepts any answer.
    std::int16_t CheckAnswer(const JxCTableString& typed, std::int32_t& value);

    // The words of the last check after its phrases were stripped and its
    // substitutions made.
    const std::vector<JxCString>& GetWords() const { return words_; }

private:
    void normaliseAnswers();
    // False when the text has more words than the store holds.
    bool splitWords();
    // False when a negation stands among the words.
    bool stripPhrases();
    void substitute(const JxCStringList& list);
    bool match(std::int32_t& value) const;
    bool alternativeMatches(std::string_view alternative, std::string_view joined) const;
    bool isToleratedExtra(const JxCString& word) const;
    JxCString joinWords(std::size_t first, std::size_t count) const;

    JxCQuizWords& shared_;
    JxCString answers_;
    JxCString typed_;
    std::vector<JxCString> words_;
};
