#pragma once
// Tokenisers turn a key's text into its sort text. The plain tokeniser
// applies a function (by default a copy of the key); the weight tokenisers
// keep 256 weights, one per byte value, and build the sort text from the
// low bytes of the weights of the text's bytes, leaving out zero weights
// and the double-byte characters of the character map.

#include <cstdint>
#include <memory>

#include "foundation/JxCWiseObj.h"

class JxCCollationKey;
class JxCCharMap;

using JxTokeniseFunction = std::unique_ptr<JxCCollationKey> (*)(const JxCCollationKey& key);

class JxCTokeniser : public JxCWiseObj {
public:
    JxCTokeniser();
    explicit JxCTokeniser(JxTokeniseFunction tokenise, const JxCSharedPtr& charMap = JxCSharedPtr());

    JxCTokeniser* AsTokeniser() override { return this; }
    JxCWiseObj* MakeUnique() override { return UniqueCopy(this); }

    virtual std::unique_ptr<JxCCollationKey> Tokenise(const JxCCollationKey& key) const;
    // Two tokenisers are the same when they make the same sort texts.
    virtual bool IsSameAs(const JxCTokeniser& other) const;

    JxCCharMap* GetCharMap() const;

protected:
    JxCSharedPtr charMap_;
    JxTokeniseFunction tokenise_;
};

class JxCUnicodeTokeniser : public JxCTokeniser {
public:
    using Mapping = std::uint16_t (*)(std::uint16_t code);
    // The weight of byte c is mapping(the map's code of c) taken back to a
    // byte through the map, stored at the map's index of c.
    JxCUnicodeTokeniser(const JxCSharedPtr& charMap, Mapping mapping);

    JxCWiseObj* MakeUnique() override { return UniqueCopy(this); }
    std::unique_ptr<JxCCollationKey> Tokenise(const JxCCollationKey& key) const override;
    bool IsSameAs(const JxCTokeniser& other) const override;

    std::uint16_t GetWeight(std::uint8_t c) const { return weights_[c]; }

protected:
    explicit JxCUnicodeTokeniser(const JxCSharedPtr& charMap);

    std::uint16_t weights_[256] = {};
};

// Weights taken from the character map: each byte weighs the map's code of
// it. (The table named at construction adds no entries of its own.)
class JxCTableTokeniser : public JxCUnicodeTokeniser {
public:
    JxCTableTokeniser(const JxCSharedPtr& charMap, const char* tableName);

    JxCWiseObj* MakeUnique() override { return UniqueCopy(this); }
};
