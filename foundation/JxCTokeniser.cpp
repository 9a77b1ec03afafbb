#include "foundation/JxCTokeniser.h"

#include <algorithm>
#include <string>
#include <typeinfo>

#include "foundation/JxCCharMap.h"
#include "foundation/JxCCollationKey.h"

namespace {

std::unique_ptr<JxCCollationKey> CopyKey(const JxCCollationKey& key)
{
    return std::make_unique<JxCCollationKey>(key.GetText());
}

// Marks the weight tokenisers, whose sort texts come from their weights.
std::unique_ptr<JxCCollationKey> ByWeights(const JxCCollationKey& key)
{
    return CopyKey(key);
}

}  // namespace

JxCTokeniser::JxCTokeniser() : tokenise_(CopyKey) {}

JxCTokeniser::JxCTokeniser(JxTokeniseFunction tokenise, const JxCSharedPtr& charMap)
    : charMap_(charMap), tokenise_(tokenise ? tokenise : CopyKey)
{
}

std::unique_ptr<JxCCollationKey> JxCTokeniser::Tokenise(const JxCCollationKey& key) const
{
    return tokenise_(key);
}

bool JxCTokeniser::IsSameAs(const JxCTokeniser& other) const
{
    return typeid(*this) == typeid(other) && tokenise_ == other.tokenise_;
}

JxCCharMap* JxCTokeniser::GetCharMap() const
{
    return charMap_.IsValid() ? charMap_.Get()->AsCharMap() : nullptr;
}

JxCUnicodeTokeniser::JxCUnicodeTokeniser(const JxCSharedPtr& charMap) : JxCTokeniser(ByWeights, charMap) {}

JxCUnicodeTokeniser::JxCUnicodeTokeniser(const JxCSharedPtr& charMap, Mapping mapping)
    : JxCUnicodeTokeniser(charMap)
{
    JxCCharMap* map = GetCharMap();
    for (int c = 0; c < 256; ++c) {
        std::uint8_t byte = static_cast<std::uint8_t>(c);
        std::uint16_t code = map ? map->ToCode(byte) : byte;
        std::uint16_t mapped = mapping ? mapping(code) : code;
        std::uint16_t weight = map ? map->FromCode(mapped) : mapped;
        weights_[map ? map->IndexOf(byte) : byte] = weight;
    }
}

std::unique_ptr<JxCCollationKey> JxCUnicodeTokeniser::Tokenise(const JxCCollationKey& key) const
{
    JxCCharMap* map = GetCharMap();
    std::string sortText;
    const std::string_view text = key.GetText().View();
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint8_t byte = static_cast<std::uint8_t>(text[i]);
        if (map && map->IsLeadByte(byte)) {
            ++i;  // a double-byte character has no weight
            continue;
        }
        if (std::uint8_t weight = static_cast<std::uint8_t>(weights_[byte]))
            sortText += static_cast<char>(weight);
    }
    return std::make_unique<JxCCollationKey>(sortText.c_str());
}

bool JxCUnicodeTokeniser::IsSameAs(const JxCTokeniser& other) const
{
    if (!JxCTokeniser::IsSameAs(other))
        return false;
    const auto& o = static_cast<const JxCUnicodeTokeniser&>(other);
    return std::equal(std::begin(weights_), std::end(weights_), std::begin(o.weights_));
}

JxCTableTokeniser::JxCTableTokeniser(const JxCSharedPtr& charMap, const char* /*tableName*/)
    : JxCUnicodeTokeniser(charMap)
{
    JxCCharMap* map = GetCharMap();
    for (int c = 0; c < 256; ++c)
        weights_[c] = map ? map->ToCode(static_cast<std::uint8_t>(c)) : static_cast<std::uint16_t>(c);
}
