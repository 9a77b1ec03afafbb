#include "foundation/JxCStringList.h"

#include <cstring>
#include <string_view>

#include "foundation/JxCInStrStream.h"
#include "foundation/JxCOutStream.h"
#include "foundation/JxCharTables.h"

namespace {

constexpr int kGrowthStep = 16;

std::size_t charLength(std::string_view text, std::size_t at)
{
    return IsLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
}

}  // namespace

JxCStringList::JxCStringList() : JxCStringPtrArray(0, kGrowthStep)
{
    SetOwnsElements();
}

JxCStringList::JxCStringList(const char* fileName) : JxCStringList()
{
    LoadFromFile(fileName);
}

JxCStringList::JxCStringList(JxCInStrStream& in) : JxCStringList()
{
    readFrom(in);
    FreeExtra();
}

JxCStringList::~JxCStringList()
{
    RemoveAll();
}

void JxCStringList::readFrom(JxCInStrStream& in)
{
    // Read stops at the first string the stream does not hold whole.
    JxCStringPtrArray::Read(in);
}

bool JxCStringList::LoadFromFile(const char* fileName)
{
    JxCInStrStream in(fileName, 0);
    if (!in.IsOpen())
        return false;
    readFrom(in);
    in.CloseFile();
    return true;
}

bool JxCStringList::Write(JxCOutStream& out) const
{
    JxCStringPtrArray::Write(out);
    return true;
}

JxCString JxCStringList::KeyOf(std::int32_t i) const
{
    if (i < 0 || i >= GetCount())
        return {};
    std::string_view item = GetAt(static_cast<std::uint32_t>(i))->View();
    std::size_t colon = item.find(':');
    return colon == std::string_view::npos ? JxCString() : JxCString(item.substr(0, colon));
}

bool JxCStringList::ItemHasWord(std::int32_t i, const char* word) const
{
    if (i < 0 || i >= GetCount() || !word || !*word)
        return false;
    const JxCString& item = *GetAt(static_cast<std::uint32_t>(i));
    std::string_view text = item.View();
    const std::size_t wordLength = std::strlen(word);
    // The search compares whole characters, so a trail byte of a double-byte
    // character is never taken for a letter of another case.
    std::int32_t from = 0;
    std::size_t scanned = 0;
    while (const char* hit = item.FindString(word, false, from)) {
        const auto at = static_cast<std::size_t>(hit - item.GetText());
        for (; scanned < at; scanned += charLength(text, scanned))
            ++from;
        char before = at == 0 ? ';' : text[at - 1];
        char after = at + wordLength >= text.size() ? ';' : text[at + wordLength];
        if ((before == ';' || before == ':') && after == ';')
            return true;
        // Again from the character after the start of this occurrence.
        scanned += charLength(text, scanned);
        ++from;
    }
    return false;
}

JxCString JxCStringList::FindKeyForWord(const char* word) const
{
    for (std::int32_t i = 0; i < GetCount(); ++i)
        if (ItemHasWord(i, word))
            return KeyOf(i);
    return {};
}
