#pragma once
// An input field under a picture mask: on each change the text is checked
// character by character; a rejected character brings the previous text
// back with the caret where the rejected character was. An accepted text
// is upper-cased (case mode 'K'), lower-cased ('M') or kept as typed ('T').

#include <string>

#include "platform/core/types.h"

class InputField {
public:
    InputField(std::string picture, char caseMode, int limit);

    // Takes the text the field holds as its last accepted one (when the
    // page starts, so that a refused key brings back what was shown).
    void Adopt(plat::HWND edit);
    // Gives the field its limit (when it gets the focus).
    void Attach(plat::HWND edit) const;
    // Checks the field's text after a change; true when it was accepted.
    bool OnChange(plat::HWND edit);

    // The last accepted text as the field shows it.
    const std::string& previous() const { return previous_; }
    // The last accepted text in code page 737, zero-padded to the limit,
    // as the installer keeps a field's value.
    const std::string& value() const { return value_; }

private:
    void accept(const std::string& text);

    std::string picture_;
    char caseMode_;
    int limit_;
    std::string previous_;
    std::string value_;
    bool updating_ = false;  // our own SetWindowText raises a change too
};
