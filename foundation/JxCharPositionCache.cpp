#include "foundation/JxCharPositionCache.h"

#include "foundation/JxCharTables.h"

JxCharPositionCache& JxCharPositionCache::Instance()
{
    static JxCharPositionCache cache;
    return cache;
}

JxCharPositionCache::Entry* JxCharPositionCache::find(JxTextKey key)
{
    for (Entry& e : entries_)
        if (e.used && e.key == key)
            return &e;
    return nullptr;
}

bool JxCharPositionCache::Holds(JxTextKey key) const
{
    for (const Entry& e : entries_)
        if (e.used && e.key == key)
            return true;
    return false;
}

JxCharPositionCache::Entry& JxCharPositionCache::findOrCreate(JxTextKey key)
{
    if (Entry* e = find(key)) {
        touch(*e);
        return *e;
    }
    // A free slot, else the least recently used entry is taken over.
    Entry* victim = &entries_[0];
    for (Entry& e : entries_) {
        if (!e.used) {
            victim = &e;
            break;
        }
        if (e.lastUse < victim->lastUse)
            victim = &e;
    }
    *victim = Entry{};
    victim->key = key;
    victim->used = true;
    touch(*victim);
    return *victim;
}

std::uint32_t JxCharPositionCache::CharToByte(JxTextKey key, const char* text,
                                              std::uint32_t length, std::int32_t charIndex)
{
    if (charIndex < 0)
        return length;
    if (charIndex == 0 || !text)
        return 0;
    Entry& e = findOrCreate(key);
    Pair start{};
    bool found = false;
    for (int i = 1; i <= 3 && !e.pairs[i].empty(); ++i) {
        const Pair& p = e.pairs[i];
        if (p.chr <= charIndex && (!found || p.chr > start.chr)) {
            start = p;
            found = true;
        }
    }
    if (!found && !e.pairs[0].empty() && e.pairs[0].chr <= charIndex)
        start = e.pairs[0];

    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    std::uint32_t b = start.byte;
    std::int32_t c = start.chr;
    while (c < charIndex && b < length) {
        b += (IsLeadByte(bytes[b]) && b + 1 < length) ? 2 : 1;
        ++c;
    }
    e.pairs[0] = {b, c};
    return b;
}

std::int32_t JxCharPositionCache::ByteToChar(JxTextKey key, const char* text,
                                             std::uint32_t length, std::uint32_t byteOffset)
{
    if (byteOffset == 0 || !text)
        return 0;
    if (byteOffset > length)
        byteOffset = length;
    Entry& e = findOrCreate(key);
    Pair start{};
    bool found = false;
    for (int i = 1; i <= 3 && !e.pairs[i].empty(); ++i) {
        const Pair& p = e.pairs[i];
        if (p.byte <= byteOffset && (!found || p.byte > start.byte)) {
            start = p;
            found = true;
        }
    }
    if (!found && !e.pairs[0].empty() && e.pairs[0].byte <= byteOffset)
        start = e.pairs[0];

    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    std::uint32_t b = start.byte;
    std::int32_t c = start.chr;
    for (;;) {
        std::uint32_t step = (b < length && IsLeadByte(bytes[b]) && b + 1 < length) ? 2 : 1;
        if (b + step > byteOffset || b >= length)
            break;
        b += step;
        ++c;
    }
    e.pairs[0] = {b, c};
    return c;
}

void JxCharPositionCache::Remember(JxTextKey key)
{
    Entry* e = find(key);
    if (!e || e->pairs[0].empty())
        return;
    if (e->nextTurn != 0)
        e->pairs[e->nextTurn] = e->pairs[0];
    e->nextTurn = e->nextTurn >= 3 ? 1 : e->nextTurn + 1;
}

void JxCharPositionCache::InvalidateBeyond(JxTextKey key, std::int32_t charPos)
{
    Entry* e = find(key);
    if (!e)
        return;
    for (Pair& p : e->pairs)
        if (p.chr > charPos)
            p = Pair{};
}

void JxCharPositionCache::Rekey(JxTextKey from, JxTextKey to, std::int32_t charPos)
{
    Forget(to);
    Entry* e = find(from);
    if (!e)
        return;
    e->key = to;
    InvalidateBeyond(to, charPos);
}

void JxCharPositionCache::Forget(JxTextKey key)
{
    if (Entry* e = find(key))
        *e = Entry{};
}

void JxCharPositionCache::Clear()
{
    entries_.fill(Entry{});
}
