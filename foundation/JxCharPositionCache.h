#pragma once
// The process-wide cache that turns character indexes of double-byte text into
// byte offsets (and back) without rescanning from the start each time. It
// keeps at most five texts, most recently used first; each text has the result
// of its last conversion (pair 0) and up to three remembered positions
// (pairs 1 to 3) to start later walks from.
//
// An entry is known by the text's address together with the serial number of
// the buffer that the owning string allocated, so a buffer that is freed and
// another that later gets the same address never share positions. The owners
// forget an entry when they free its buffer.

#include <array>
#include <cstdint>

struct JxTextKey {
    const char* text = nullptr;
    std::uint64_t serial = 0;
    bool operator==(const JxTextKey&) const = default;
};

class JxCharPositionCache {
public:
    static constexpr int kEntries = 5;

    static JxCharPositionCache& Instance();

    // The byte offset of character charIndex (-1: the text's length) of a
    // text of length bytes; stops at the end of the text.
    std::uint32_t CharToByte(JxTextKey key, const char* text, std::uint32_t length,
                             std::int32_t charIndex);
    // The index of the character that starts at or contains byteOffset.
    std::int32_t ByteToChar(JxTextKey key, const char* text, std::uint32_t length,
                            std::uint32_t byteOffset);
    // Copies the last conversion of the text into the next remembered pair.
    void Remember(JxTextKey key);
    // The text changed from character charPos on: clear later positions.
    void InvalidateBeyond(JxTextKey key, std::int32_t charPos);
    // The text moved to a new buffer whose first charPos characters are the
    // same: keep the positions up to there under the new key.
    void Rekey(JxTextKey from, JxTextKey to, std::int32_t charPos);
    void Forget(JxTextKey key);
    void Clear();

    // For tests: whether the cache holds an entry for the key.
    bool Holds(JxTextKey key) const;

private:
    struct Pair {
        std::uint32_t byte = 0;
        std::int32_t chr = 0;
        bool empty() const { return byte == 0 && chr == 0; }
    };
    struct Entry {
        JxTextKey key;
        std::array<Pair, 4> pairs{};
        int nextTurn = 0;  // pair the next Remember overwrites: 0, then 1, 2, 3, 1 ...
        bool used = false;
        std::uint64_t lastUse = 0;
    };

    Entry* find(JxTextKey key);
    Entry& findOrCreate(JxTextKey key);
    void touch(Entry& e) { e.lastUse = ++clock_; }

    std::array<Entry, kEntries> entries_{};
    std::uint64_t clock_ = 0;
};
