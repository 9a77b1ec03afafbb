#pragma once
// The dialog panel (panel type "DialogPanel"): the panel of a page shown as
// a modal dialog, whose buttons answer a question. The answer is the index
// (0 to 6) of the button pressed, with the mouse or, for the default
// button, with Enter; a page closed in any other way answers 1. The page
// closes itself once a button has answered.
//
// RunDialogPageModally opens such a page on top of the open pages and
// waits, handling messages, until it answers; the title installs it as the
// dialog-page runner (title/panels/JxDialogPages.h) while it runs.
//
// Record after the panel's own (big-endian): u16 not used, seven u16 button
// ids, u16 default-button id.

#include <array>
#include <cstdint>

#include "runtime/JxCPanelObject.h"

class JxCNotify;

class JxCDialogPanel : public JxCPanelObject {
public:
    static constexpr std::int32_t kButtonCount = 7;
    // The shared answer while no button has answered.
    static constexpr std::int32_t kNoAnswer = 7;
    // The answer of a page closed without a button.
    static constexpr std::int32_t kClosedAnswer = 1;

    JxCDialogPanel() = default;
    // Removes its registrations; a dialog still waiting answers 1.
    ~JxCDialogPanel() override;

    std::int16_t Read(JxCInStrStream& in, JxCPageDef* pageDef) override;
    // Finds the buttons and listens for the page's close.
    std::int16_t CreateResources() override;
    // A release over one of the buttons makes it the one whose click
    // answers.
    std::int16_t MouseUp(const JxCPoint& point) override;
    // Enter presses the default button when it is one of the seven; every
    // key is taken.
    std::int16_t HandleKey(JxCKeyParams& key) override;
    std::int16_t Start() override;
    void Notify(JxCNotify* registration, JxCObject* sender) override;

    std::int32_t GetButtonId(std::int32_t index) const { return buttonIds_.at(std::size_t(index)); }
    std::int32_t GetDefaultButtonId() const { return defaultId_; }
    // The index of the button, -1 when it is none of the seven.
    std::int32_t IndexOfButton(const JxCDisplayObject* object) const;

private:
    void removeRegistrations();
    void answer(std::int32_t index);

    std::array<JxCDisplayObject*, kButtonCount> buttons_{};
    std::array<std::int32_t, kButtonCount> buttonIds_{};
    std::int32_t defaultId_ = 0;
    std::int32_t clicked_ = 0;
    JxCNotify* clickRegistration_ = nullptr;
    JxCNotify* closeRegistration_ = nullptr;
    JxCDisplayObject* pressed_ = nullptr;
};

// The answer shared by every dialog panel; kNoAnswer while none has come.
std::int32_t& DialogResult();

// Opens page pageId (its window transition is `parameter`) over the open
// pages with an append-page action and handles messages, blocking between
// them, until the page answers. The answer is 1 at once when the page
// cannot be opened (no such page, every page kept open, nothing to post
// the action to), and 1 when the program is asked to quit or its main
// window to close meanwhile (the quit or the close is posted again for the
// main loop).
std::int32_t RunDialogPageModally(std::int32_t pageId, std::int32_t parameter);
