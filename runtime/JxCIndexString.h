#pragma once
// Index texts with their sort keys. A key is a working copy of the text,
// folded by the rules of the title's language (case, accents, ligatures,
// punctuation, the Czech "ch") and compared character by character through
// the current language's sort weights. German texts compare on two levels
// (JxCGermanIndexString).
//
// Every comparison answers < 0 when this text sorts first, > 0 when the
// other does and 0 when they are equal; the magnitude is the 1-based
// position at which the decision fell. A bound of 0 means no bound; a
// bound that runs out before the texts part makes them equal, apart from
// what an earlier tie-break recorded.

#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/JxCString.h"

class JxCIndexString : public JxCString {
public:
    // The key starts as a plain copy of the text.
    explicit JxCIndexString(const char* text);

    virtual std::int32_t CompareText(const char* text, std::int32_t bound);
    virtual std::int32_t CompareWith(JxCIndexString& other, std::int32_t bound);
    // Builds the key by the rules of a language id.
    virtual void MakeKey(std::uint16_t languageId);
    virtual std::int32_t CompareKey(const JxCIndexString& other, std::int32_t bound) const;
    virtual std::int32_t CompareStrict(JxCIndexString& other, std::int32_t bound);
    virtual std::int32_t CompareLoose(JxCIndexString& other, std::int32_t bound);

    const std::string& GetKey() const { return key_; }

    // --- Key editing: each acts on the key, never on the text ----------------
    void ResetKey();
    // Pairs of characters (from, to), read two at a time; an odd last
    // character is ignored. Null: the default accent folding.
    void ReplaceCharPairs(const char* pairs);
    void ReplaceCharPairs(std::string_view pairs);
    void RemoveChars(std::string_view set);
    void ReplaceCharByText(char c, std::string_view text);
    void ReplaceTextByChar(char c, std::string_view text);
    void LowerKey();

private:
    std::string key_;
};

class JxCGermanIndexString : public JxCIndexString {
public:
    using JxCIndexString::JxCIndexString;

    std::int32_t CompareKey(const JxCIndexString& other, std::int32_t bound) const override;
    // Level 1, then the strict level 2, then the lengths of the texts.
    std::int32_t CompareStrict(JxCIndexString& other, std::int32_t bound) override;
    // Level 1, then the loose level 2.
    std::int32_t CompareLoose(JxCIndexString& other, std::int32_t bound) override;

    void MakeLevel1Key();
    void MakeStrictLevel2Key();
    void MakeLooseLevel2Key();
};

// The accent-folding pair tables (code page 1252) of the index keys.
namespace JxIndexPairs {
const std::string& Default();
const std::string& Spanish();
const std::string& Nordic();  // Finnish and Swedish
const std::string& Norwegian();
const std::string& Danish();
const std::string& Turkish();
}  // namespace JxIndexPairs

// The title's comparison of two texts by their index keys in the language
// of the program's version information; CompareNoCase and CompareNoCaseN
// come here once it is installed (InstallIndexKeyComparison).
std::int32_t CompareIndexKeys(const char* a, const char* b, std::int32_t bound);
// The same for a given language id.
std::int32_t CompareIndexKeysIn(std::uint16_t languageId, const char* a, const char* b, std::int32_t bound);
void InstallIndexKeyComparison();
