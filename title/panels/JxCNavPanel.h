#pragma once
// The navigation panel (panel type "NavPanel"): the title's navigation bar.
// Nine bitmaps show which navigation target the page on screen is, a
// marker shows that the quiz waits minimised, and the bar holds the quiz's
// micon while the quiz page is open.
//
// Marking an object shows it on top (visible, "Z Order" 100); unmarking
// hides it underneath (hidden, "Z Order" -100). The panel marks again each
// time an open-page action stops, and each time a change-page action that
// changed the first page's window stops, and then redraws itself.
//
// Record after the panel's own (big-endian): eleven s16 values: one not
// used, the marker's id, then the ids of navigation bitmaps 1 to 9. An id
// that names no bitmap of the panel is skipped wherever it is used.

#include <array>
#include <cstdint>
#include <memory>

#include "runtime/JxCPanelObject.h"

class JxCNotify;
class JxCPageObject;

class JxCNavPanel : public JxCPanelObject {
public:
    static constexpr std::int32_t kBitmapCount = 9;
    static constexpr std::int32_t kMarkedZ = 100;
    static constexpr std::int32_t kUnmarkedZ = -100;

    JxCNavPanel() = default;
    // Deletes a micon it holds and removes its registrations.
    ~JxCNavPanel() override;

    std::int16_t Read(JxCInStrStream& in, JxCPageDef* pageDef) override;
    // The base creation, the look-up of the marker and the nine bitmaps,
    // the micon taken out, and the registrations for stopped page actions.
    std::int16_t CreateResources() override;
    void Notify(JxCNotify* registration, JxCObject* sender) override;

    // The navigation panel of the first page: the first panel of the
    // "NavPanel" type in its definition; null when there is none.
    static JxCNavPanel* FindCurrentPageEntry();
    // Marks what shows page `pageId` (see the table in the source); 1 when
    // a navigation target matched. Nothing is redrawn.
    std::int16_t MarkPage(std::int32_t pageId);
    // Unmarks the marker and bitmaps 1 to 7 and 9; bitmap 8 stays.
    void ResetButtons();
    // Unmarks bitmap 9 and redraws.
    void UnmarkOptionsButton();
    // 1 when the page's template is one of the title's three special
    // templates.
    static std::int16_t IsSpecialPage(const JxCPageObject* page);

    // The first micon of the display list; null when there is none.
    JxCDisplayObject* FindMicon();
    // The held micon, else the one in the list.
    JxCDisplayObject* GetMicon();
    // Takes the micon out of the list and holds it, its animation stopped;
    // 1.
    std::int16_t TakeOutMicon();
    // Puts a held micon back on top of the list and starts it; 1.
    std::int16_t PutBackMicon();
    bool HoldsMicon() const { return heldMicon_ != nullptr; }

    std::int32_t GetMarkerId() const { return values_[1]; }
    // Bitmap n (1 to 9)'s id.
    std::int32_t GetBitmapId(std::int32_t n) const { return values_.at(std::size_t(n + 1)); }
    JxCDisplayObject* GetMarker() const { return marker_; }
    JxCDisplayObject* GetBitmap(std::int32_t n) const { return bitmaps_.at(std::size_t(n - 1)); }

private:
    void lookUpObjects();
    void redraw() { Draw(nullptr, nullptr, 1); }
    bool firstPageIsQuizHome() const;

    JxCNotify* changeRegistration_ = nullptr;
    JxCNotify* openRegistration_ = nullptr;
    std::unique_ptr<JxCDisplayObject> heldMicon_;
    std::array<std::int32_t, 11> values_{};
    JxCDisplayObject* marker_ = nullptr;
    std::array<JxCDisplayObject*, kBitmapCount> bitmaps_{};
};
