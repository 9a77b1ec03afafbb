#pragma once
// The action "NavAct": the title's general-purpose navigation action. Its
// record is one u16 operation code:
//   1-5   go to the first page's own navigation target (codes 1 to 5 take
//         its stored targets 5, 2, 1, 4, 3), or without its own targets to
//         the title's navigation targets 1 to 5
//   6, 7  go to the code-6 or code-7 target       8  one page back
//   9, 11 open the code-9 or code-11 page afresh  10 show or hide the
//         options pop-up                          12 a random menu page
//   13-16 install the screen saver with selection 0 to 3
//   18    close the program                       20 change to the code-20
//         target                                  21 go to the code-21 target
//   22    go to the code-22 target, or from a special page to the special
//         code-22 target
//   23    close the options pop-up unless the mouse is over it
//   24    reset the user's quiz                   25 reset the bar's marks
// Any other code does nothing and is done.

#include <cstdint>

#include "events/JxCAction.h"

class JxCGv2GeneralPurposeAction : public JxCAction {
public:
    // Operation codes that name something other than a plain page.
    static constexpr std::int32_t kGoBack = 8;
    static constexpr std::int32_t kOptionsToggle = 10;
    static constexpr std::int32_t kCloseOptionsOutside = 23;
    // The options pop-up's opening parameters.
    static constexpr std::int32_t kOptionsTransition = 4;
    static constexpr std::int32_t kOptionsParameter = 8;

    JxCGv2GeneralPurposeAction();
    JxCGv2GeneralPurposeAction(const JxCGv2GeneralPurposeAction&) = default;
    ~JxCGv2GeneralPurposeAction() override = default;

    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* owner) override;
    // Non-zero when done.
    std::int16_t Execute() override;

    std::int32_t GetCode() const { return code_; }
    void SetCode(std::int32_t code) { code_ = code; }

    // The page codes 1 to 5 go to: the first page's own target when its
    // definition carries targets, else the title's.
    static std::int32_t NavigationTarget(std::int32_t code);

private:
    std::int32_t code_ = 0;
};
