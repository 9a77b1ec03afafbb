#pragma once
// Writer of a user's file ("jx" + number + ".Gv3"): the name, the reserved
// word, the quiz level, 330 answer slots and 2000 visited marks, every
// integer big-endian.
//
//   testkit::UserFile ann;
//   ann.name = "Ann";
//   ann.answer(0, 3, 4, 17);   // level 0, topic 3, question 4
//   ann.visited[12] = 1;
//   std::vector<std::uint8_t> bytes = ann.Bytes();   // 5326 + 3 bytes
//
// The defaults are those of a new user. Damaged files come from changing
// the fields (nameLength) or cutting Bytes().

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace testkit {

struct UserAnswer {
    std::uint16_t answered = 0;
    std::int16_t value = -1;
};

struct UserFile {
    static constexpr int kSlots = 330;
    static constexpr int kPages = 2000;

    std::string name;
    // The length written before the name, when not the name's own.
    std::optional<std::int16_t> nameLength;
    std::int16_t reserved = 0;
    std::int16_t level = 0;
    std::array<UserAnswer, kSlots> answers{};
    std::array<std::uint16_t, kPages> visited{};

    // Answered, with the value, at slot (topic x 3 + level) x 5 + question.
    UserFile& answer(int level, int topic, int question, std::int16_t value);
    std::vector<std::uint8_t> Bytes() const;
    // Writes Bytes() to a host file; false when it cannot.
    bool WriteTo(const std::string& hostPath) const;
};

}  // namespace testkit
