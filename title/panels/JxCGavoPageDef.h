#pragma once
// The title's page definition, which every page the product opens uses:
// the engine's page definition with the title's own fields, which follow the
// handlers in the page's record (every integer big-endian):
//   u16 targets-present; when non-zero, five u32 navigation targets;
//   the random animations and the random sounds, each a u32 count and that
//   many counted strings (i16 length, then the bytes);
//   u16 visit index: the page's place among a user's visited marks.

#include <array>
#include <cstdint>
#include <vector>

#include "foundation/JxCString.h"
#include "runtime/JxCPageDef.h"

class JxCGavoPageDef : public JxCPageDef {
public:
    static constexpr std::int32_t kTargetCount = 5;

    JxCGavoPageDef() = default;
    ~JxCGavoPageDef() override = default;

    // 0 when the record ends inside the fields, or a list claims more
    // names than the bytes left could hold.
    std::int16_t ReadOwnFields(JxCInStrStream& in) override;

    std::int16_t HasTargets() const { return targetsPresent_; }
    // Target i (0 to 4, as stored); 0 outside that or without targets.
    std::int32_t GetTarget(std::int32_t i) const;
    const std::vector<JxCString>& GetRandomAnimations() const { return animations_; }
    const std::vector<JxCString>& GetRandomSounds() const { return sounds_; }
    // As stored; the visited marks take 0 to 1999 only.
    std::int32_t GetVisitIndex() const { return visitIndex_; }

private:
    std::int16_t targetsPresent_ = 0;
    std::array<std::int32_t, kTargetCount> targets_{};
    std::vector<JxCString> animations_;
    std::vector<JxCString> sounds_;
    std::int32_t visitIndex_ = -1;
};

// Reads a u32 count and that many counted strings; false (the list as it
// was) when the stream ends first. The count is bounded by the bytes left.
bool ReadNameList(JxCInStrStream& in, std::vector<JxCString>& names);
