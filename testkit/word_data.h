#pragma once
// Writer of the answer matcher's word file "WordData.dat": three lists, each
// a 32-bit big-endian item count and that many counted strings.
//
//   testkit::WordData words;
//   words.categories = {"CONJ:and;or", "DET:the;a", "NEG:not"};
//   words.firstList = {"wheel:wheels"};
//   testkit::WriteHostFile(program + "/WordData.dat", words.Bytes());
//
// Each item is a key, a colon and entries separated by semicolons; an entry
// may be a phrase of words separated by single spaces.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace testkit {

struct WordData {
    // List 1: phrase categories ("CONJ", "PREAMB", "REMOVE", "PRONOUN",
    // "DET", "POSTAMB", "NEG").
    std::vector<std::string> categories;
    // List 2: replacements tried after list 3's, whose matches count less.
    std::vector<std::string> secondList;
    // List 3: replacements tried first.
    std::vector<std::string> firstList;
    // Written as the first list's item count when set, to make damaged files.
    std::optional<std::uint32_t> claimedCategoryCount;

    std::vector<std::uint8_t> Bytes() const;
};

// A small word file of every kind of entry: conjunctions, lead-in and
// closing phrases of several words, words to ignore, determiners,
// negations, and substitutions in both lists ("cog" becomes "gear" through
// the first list, "gear" becomes "wheel" through the second).
WordData SampleWordData();

}  // namespace testkit
