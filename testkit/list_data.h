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
#include <memory>
#include <string>
#include <vector>

#include "runtime/JxCCollArrangementManager.h"
#include "runtime/JxCCollDataManager.h"
#include "runtime/JxCCollageBase.h"

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

// A collage stand-in for tests of the managers alone: it owns a data
// manager and a "Regular" arrangement, shows `visible` positions from
// `first`, has the selection the test gives it, and notes where it was
// asked to scroll.
class ListView : public JxCCollageBase {
public:
    ListView(std::unique_ptr<JxCCollDataManager> data, const JxCRect& rect);

    JxCCollDataManager* GetDataManager() const override { return data_.get(); }
    JxCCollArrangementManager* GetArrangementManager() const override { return arrangement_.get(); }
    std::int32_t GetFirstVisible() const override { return first; }
    std::int32_t GetVisibleCount() const override { return visible; }
    std::int32_t GetSelectedIndex() const override { return selected; }
    void ScrollTo(std::int32_t position, std::int16_t redraw) override;

    JxCCollArrangementManager& arrangement() { return *arrangement_; }

    std::int32_t first = 0;
    std::int32_t visible = 4;
    std::int32_t selected = -1;
    std::vector<std::int32_t> scrolls;

private:
    std::unique_ptr<JxCCollDataManager> data_;
    std::unique_ptr<JxCCollArrangementManager> arrangement_;
};

// Registers the list (and "Regular") once more; lists made through the
// registry start with the texts.
void RegisterTextListData(std::vector<std::string> texts);
// Takes back one registration of each.
void UnregisterTextListData();

}  // namespace testkit
