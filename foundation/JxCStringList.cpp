#include "foundation/JxCStringList.h"

#include <cstring>
#include <string_view>

#include "foundation/JxCInStrStream.h"
#include "foundation/JxCOutStream.h"
#include "foundation/JxCharTables.h"

namespace {

constexpr int kGrowthStep = 16;

// Whether the bytes at text equal word without regard to case.
bool equalsNoCaseAt(std::string_view text, std::size_t at, std::string_view word)
{
    if (at + word.size() > text.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (TextCharToLower(static_cast<unsigned char>(text[at + i])) !=
            TextCharToLower(static_cast<unsigned char>(word[i])))
            return false;
    return true;
}

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
    std::string_view item = GetAt(static_cast<std::uint32_t>(i))->View();
    std::string_view w(word);
    for (std::size_t at = 0; at < item.size(); at += charLength(item, at)) {
        if (!equalsNoCaseAt(item, at, w))
            continue;
        char before = at == 0 ? ';' : item[at - 1];
        char after = at + w.size() == item.size() ? ';' : item[at + w.size()];
        if ((before == ';' || before == ':') && after == ';')
            return true;
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
