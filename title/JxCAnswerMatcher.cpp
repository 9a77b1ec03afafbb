#include "title/JxCAnswerMatcher.h"

#include <array>
#include <bitset>
#include <string>

#include "foundation/JxCStringList.h"
#include "title/JxCQuizWords.h"

namespace {

// Typed on its own, this word is always right: the testers' way through.
constexpr const char* kShortCut = "vexor";

constexpr const char* kConjunction = "CONJ";
constexpr const char* kNegation = "NEG";
// Phrases of these categories carry nothing of the answer.
constexpr std::array<const char*, 5> kStrippedCategories = {"PREAMB", "REMOVE", "PRONOUN", "DET", "POSTAMB"};

// Typed words, answers and the word file's keys fold as users' names do,
// capitals of the code page included.
bool sameText(std::string_view a, std::string_view b)
{
    return JxCTableString::CompareTextNoCase(a, b) == 0;
}

bool isStripped(const JxCString& category)
{
    for (const char* name : kStrippedCategories)
        if (category == name)
            return true;
    return false;
}

// A space is kept only between two characters that are neither spaces nor
// the ',' and '+' that join alternatives and parts.
bool isJoin(char c)
{
    return c == ' ' || c == ',' || c == '+';
}

}  // namespace

JxCAnswerMatcher::JxCAnswerMatcher() : shared_(JxCQuizWords::Acquire())
{
    words_.reserve(kMaxWords);
}

JxCAnswerMatcher::~JxCAnswerMatcher()
{
    JxCQuizWords::Release();
}

void JxCAnswerMatcher::SetAnswerList(const JxCTableString& text)
{
    answers_ = text;
    shared_.Prepare();
    if (!answers_.IsEmpty())
        normaliseAnswers();
    words_.clear();
}

void JxCAnswerMatcher::normaliseAnswers()
{
    answers_.MakeLower();
    std::string mapped(answers_.View());
    for (char& c : mapped)
        if (c != ',' && c != ' ' && shared_.IsSeparator(c))
            c = ' ';
    std::string out;
    out.reserve(mapped.size());
    for (std::size_t i = 0; i < mapped.size(); ++i) {
        const char c = mapped[i];
        if (c == ' ' && (out.empty() || isJoin(out.back()) || i + 1 == mapped.size() || isJoin(mapped[i + 1])))
            continue;
        out += c;
    }
    answers_ = JxCString(std::string_view(out));
}

std::int16_t JxCAnswerMatcher::CheckAnswer(const JxCTableString& typed, std::int32_t& value)
{
    if (typed.IsEmpty())
        return kWrong;
    typed_ = typed;
    words_.clear();
    typed_.MakeLower();
    if (typed_ == kShortCut)
        return kRight;
    if (!splitWords() || !stripPhrases() || words_.empty())
        return kWrong;
    if (match(value))
        return kRight;
    substitute(shared_.GetFirstList());
    if (match(value))
        return kRight;
    substitute(shared_.GetSecondList());
    if (match(value))
        return kNearlyRight;
    substitute(shared_.GetFirstList());
    if (match(value))
        return kNearlyRight;
    return kWrong;
}

bool JxCAnswerMatcher::splitWords()
{
    const std::string_view text = typed_.View();
    std::size_t scan = 0;
    while (scan < text.size()) {
        while (scan < text.size() && shared_.IsSeparator(text[scan]))
            ++scan;
        const std::size_t start = scan;
        while (scan < text.size() && !shared_.IsSeparator(text[scan]))
            ++scan;
        if (scan == start)
            break;
        if (words_.size() == kMaxWords) {
            words_.clear();
            return false;
        }
        words_.emplace_back(text.substr(start, scan - start));
    }
    return true;
}

bool JxCAnswerMatcher::stripPhrases()
{
    const JxCStringList& categories = shared_.GetCategories();
    std::size_t at = 0;
    while (at < words_.size()) {
        // The longest run of words from here that the list holds as a phrase;
        // a single word it does not hold is plain data and is kept.
        std::size_t run = 1;
        JxCString category;
        for (std::size_t n = words_.size() - at; n > 0; --n) {
            category = categories.FindKeyForWord(joinWords(at, n).GetText());
            if (!category.IsEmpty()) {
                run = n;
                break;
            }
        }
        if (category == kNegation)
            return false;
        if (isStripped(category))
            words_.erase(words_.begin() + std::ptrdiff_t(at), words_.begin() + std::ptrdiff_t(at + run));
        else
            at += run;
    }
    return true;
}

void JxCAnswerMatcher::substitute(const JxCStringList& list)
{
    for (JxCString& word : words_) {
        JxCString key = list.FindKeyForWord(word.GetText());
        if (!key.IsEmpty())
            word = key;
    }
}

bool JxCAnswerMatcher::match(std::int32_t& value) const
{
    if (answers_.IsEmpty())
        return true;
    const JxCString joined = joinWords(0, words_.size());
    const std::string_view list = answers_.View();
    value = 0;
    std::size_t at = 0;
    for (;;) {
        // A comma ends an alternative even where it separates words too: an
        // empty alternative keeps its place, so the value still names the
        // answer part of the question's own list.
        while (at < list.size() && list[at] != ',' && shared_.IsSeparator(list[at]))
            ++at;
        if (at >= list.size())
            return false;
        std::size_t end = list.find(',', at);
        if (end == std::string_view::npos)
            end = list.size();
        if (alternativeMatches(list.substr(at, end - at), joined.View()))
            return true;
        ++value;
        at = end + 1;
    }
}

bool JxCAnswerMatcher::alternativeMatches(std::string_view alternative, std::string_view joined) const
{
    if (alternative.find('+') == std::string_view::npos)
        return sameText(alternative, joined);
    // Every part must be typed, a word may serve several parts, and every
    // part is checked however short.
    std::bitset<kMaxWords> used;
    for (;;) {
        const std::size_t plus = alternative.find('+');
        const std::string_view part = alternative.substr(0, plus);
        bool found = false;
        for (std::size_t i = 0; i < words_.size(); ++i)
            if (sameText(part, words_[i].View())) {
                used.set(i);
                found = true;
            }
        if (!found)
            return false;
        if (plus == std::string_view::npos)
            break;
        alternative.remove_prefix(plus + 1);
    }
    for (std::size_t i = 0; i < words_.size(); ++i)
        if (!used.test(i) && !isToleratedExtra(words_[i]))
            return false;
    return true;
}

bool JxCAnswerMatcher::isToleratedExtra(const JxCString& word) const
{
    return shared_.GetCategories().FindKeyForWord(word.GetText()) == kConjunction ||
           word == shared_.GetToleratedWord();
}

JxCString JxCAnswerMatcher::joinWords(std::size_t first, std::size_t count) const
{
    std::string joined;
    for (std::size_t i = first; i < first + count && i < words_.size(); ++i) {
        if (!joined.empty())
            joined += ' ';
        joined += words_[i].View();
    }
    return JxCString(std::string_view(joined));
}
