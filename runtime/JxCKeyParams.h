#pragma once
// One key or character message as pages, panels and display objects
// receive it: built by the main window procedure on its stack and read by
// the receivers while the message is handled, never kept.
//
// And the one input-method request the title sends for Korean text entry,
// through an input-method library loaded only for that request.

#include <cstdint>

#include "foundation/JxCObject.h"
#include "platform/core/types.h"

class JxCKeyParams : public JxCObject {
public:
    // A character message that some keyboards send for composed input.
    static constexpr std::uint32_t kCompositeCharMessage = 268;

    JxCKeyParams() = default;
    // The function-key number starts at 0; the key-down flag is set for
    // WM_KEYDOWN, WM_SYSKEYDOWN and message 268.
    JxCKeyParams(std::uint32_t message, std::uint16_t keyCode, std::int32_t lParam);

    // A virtual-key code for key-down messages, a character code for
    // character messages; 0 when the main window keeps the key from the
    // page's own key handling.
    std::uint16_t GetKeyCode() const { return keyCode_; }
    void SetKeyCode(std::uint16_t code) { keyCode_ = code; }
    std::int32_t GetLParam() const { return lParam_; }
    std::uint32_t GetMessage() const { return message_; }
    // 1 to 24 for F1 to F24; 0 for every other key.
    std::int32_t GetFunctionKey() const { return functionKey_; }
    void SetFunctionKey(std::int32_t number) { functionKey_ = number; }
    // Tells a key press from a character.
    std::int16_t IsKeyDown() const { return keyDown_; }

private:
    std::uint16_t keyCode_ = 0;
    std::int32_t lParam_ = 0;
    std::uint32_t message_ = 0;
    std::int32_t functionKey_ = 0;
    std::int16_t reserved_ = 0;
    std::int16_t keyDown_ = 0;
};

// Asks the input method to take Korean input in the window. Without the
// input-method library (there is none on this platform) or its entry point
// nothing is sent, and nothing is reported.
void SendImeControl(plat::HWND window);
