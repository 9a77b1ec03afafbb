#pragma once
// Message texts: numbers turned into strings, and the one formatter of the
// system, which replaces the markers of a text by string arguments.
//
// Markers: "%1" to "%9" take the argument of that number; "%" followed by a
// conversion letter (E G X c d e f g i n o p s u x) takes the next argument in
// sequence, whatever the letter; "%%" is a percent sign. Flags, widths and
// precisions between the "%" and the letter are skipped and never pad, so
// "%05d" and "%-10s" behave as "%d" and "%s"; a digit right after the "%" is
// a position, so "%5d" is argument 5 followed by the letter d. A "%" at the
// end of the text stays; a "%" before any other character stays and that
// character is dropped. Missing arguments are empty.

#include <cstdint>
#include <span>

#include "foundation/JxCString.h"

// Number and character to string.
JxCString MakeString(std::uint16_t n);       // "%u"
JxCString MakeString(std::int16_t n);        // "%d"
JxCString MakeString(unsigned long n);       // "%lu"
JxCString MakeString(long n);                // "%ld"
JxCString MakeString(unsigned int n);        // "%u"
JxCString MakeString(int n);                 // "%d"
JxCString MakeString(float x);               // "%G" of the value as a double
JxCString MakeString(double x);              // "%G"
JxCString MakeString(char c);                // the one-character text
JxCString MakeString(unsigned char c);       // the one-character text

// One argument of a message: a string. Numbers and characters are turned
// into their text by MakeString; a byte given as unsigned or signed char and
// a bool must be converted by the caller, so that neither is guessed.
class JxMessageArg {
public:
    JxMessageArg() = default;
    JxMessageArg(const JxCString& s) : text_(s) {}      // NOLINT
    JxMessageArg(JxCString&& s) : text_(std::move(s)) {}  // NOLINT
    JxMessageArg(const JxCTableString& s) : text_(s) {} // NOLINT
    JxMessageArg(const char* s) : text_(s) {}           // NOLINT
    JxMessageArg(char c) : text_(MakeString(c)) {}      // NOLINT
    JxMessageArg(std::int16_t n) : text_(MakeString(n)) {}   // NOLINT
    JxMessageArg(std::uint16_t n) : text_(MakeString(n)) {}  // NOLINT
    JxMessageArg(int n) : text_(MakeString(n)) {}            // NOLINT
    JxMessageArg(unsigned int n) : text_(MakeString(n)) {}   // NOLINT
    JxMessageArg(long n) : text_(MakeString(n)) {}           // NOLINT
    JxMessageArg(unsigned long n) : text_(MakeString(n)) {}  // NOLINT
    JxMessageArg(float x) : text_(MakeString(x)) {}          // NOLINT
    JxMessageArg(double x) : text_(MakeString(x)) {}         // NOLINT
    JxMessageArg(bool) = delete;
    JxMessageArg(signed char) = delete;
    JxMessageArg(unsigned char) = delete;

    const JxCString& Text() const { return text_; }

private:
    JxCString text_;
};

// The result of a formatting operation.
class JxMessageString {
public:
    JxMessageString() = default;
    explicit JxMessageString(JxCString s) : text_(std::move(s)) {}
    JxCString ToString() const { return text_; }
    const JxCString& Text() const { return text_; }

private:
    JxCString text_;
};

constexpr int kMaxMessageArgs = 9;

// The formatter over any number of arguments (those past the ninth are not
// reachable by any marker but count for nothing).
JxMessageString FormatMessageArgList(const char* text, std::span<const JxMessageArg> args);

JxMessageString FormatMessageArgs(const char* text, const JxMessageArg& a1 = {},
                                  const JxMessageArg& a2 = {}, const JxMessageArg& a3 = {},
                                  const JxMessageArg& a4 = {}, const JxMessageArg& a5 = {},
                                  const JxMessageArg& a6 = {}, const JxMessageArg& a7 = {},
                                  const JxMessageArg& a8 = {}, const JxMessageArg& a9 = {});

// FormatMessageArgs with up to four arguments.
JxMessageString FormatText(const char* text, const JxMessageArg& a1 = {},
                           const JxMessageArg& a2 = {}, const JxMessageArg& a3 = {},
                           const JxMessageArg& a4 = {});

// The message text of string id, formatted. An id without text gives text
// 8106 formatted with the id, or, when that is missing too, "An unknown error
// (%d) has occured, or the correct error text cannot be displayed." with it.
JxMessageString FormatResourceMessageList(unsigned id, std::span<const JxMessageArg> args);
JxMessageString FormatResourceMessage(unsigned id, const JxMessageArg& a1 = {},
                                      const JxMessageArg& a2 = {}, const JxMessageArg& a3 = {},
                                      const JxMessageArg& a4 = {}, const JxMessageArg& a5 = {},
                                      const JxMessageArg& a6 = {}, const JxMessageArg& a7 = {},
                                      const JxMessageArg& a8 = {}, const JxMessageArg& a9 = {});
JxMessageString FormatResource(unsigned id, const JxMessageArg& a1 = {},
                               const JxMessageArg& a2 = {}, const JxMessageArg& a3 = {},
                               const JxMessageArg& a4 = {});

// The text id of the fallback message for ids without text.
constexpr unsigned kUnknownErrorTextId = 8106;
