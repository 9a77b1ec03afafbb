#pragma once
// A list of given texts as a collage's data manager, as the title's simple
// list is: it reads one character style id from the collage's record,
// finds the style and sets the arrangement's item size to a text line of it
// as the collage makes its resources, draws each text in the style (the
// selected one in the highlight colours), and finds a typed text by the
// sorted search, ignoring case. It notes what it was asked to choose.
//
//   testkit::RegisterTextListData({"Ant", "Bee", "Cat"});
//   // ... a collage record naming testkit::kTextListDataName
//   testkit::UnregisterTextListData();

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/JxCCollDataManager.h"

class JxCCharStyleObject;

namespace testkit {

// The name the list is registered under, with the arrangement "Regular".
inline constexpr char kTextListDataName[] = "TestTextList";

class TextListData : public JxCCollLinearDataManager {
public:
    explicit TextListData(std::vector<std::string> texts = {});

    // The 16-bit character style id.
    std::int16_t Load(JxCInStrStream& in, JxCCollageBase* collage) override;
    // Finds the style (1068 when there is none; the list goes on without
    // one), sets the item size and the item count.
    std::int16_t SetUp(JxCCollageBase* collage) override;
    // The item count follows the texts.
    void Refresh() override;

    void SetTexts(std::vector<std::string> texts) { texts_ = std::move(texts); }
    const std::vector<std::string>& GetTexts() const { return texts_; }
    std::int32_t GetStyleId() const { return styleId_; }
    JxCCharStyleObject* GetStyle() const { return style_; }
    // The items chosen, in order, with the value each was chosen with.
    std::vector<std::pair<std::int32_t, std::int32_t>> activations;

private:
    std::vector<std::string> texts_;
    std::int32_t styleId_ = 0;
    JxCCharStyleObject* style_ = nullptr;
};

// Registers the list (and "Regular") once more; lists made through the
// registry start with the texts.
void RegisterTextListData(std::vector<std::string> texts);
// Takes back one registration of each.
void UnregisterTextListData();

}  // namespace testkit
