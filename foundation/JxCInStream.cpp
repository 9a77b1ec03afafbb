#include "foundation/JxCInStream.h"

#include <cstdlib>
#include <limits>
#include <string>

#include "foundation/JxErrorHook.h"

namespace {

constexpr int kEnd = -1;
constexpr int kCR = 13;
constexpr int kLF = 10;
constexpr int kEndOfFile = 26;

bool isBlank(int c)
{
    return c == ' ' || c == '\t';
}

bool isDigit(int c)
{
    return c >= '0' && c <= '9';
}

}  // namespace

JxCInStream::JxCInStream(const char* fileName) : fileName_(fileName)
{
    if (!source_.OpenFile(fileName, 0)) {
        failed_ = true;
        report(kUnableToOpenFile);
    }
}

JxCInStream::~JxCInStream() = default;

void JxCInStream::CloseFile()
{
    source_.Close();
    pushedBack_.reset();
    lineEndTaken_ = false;
}

void JxCInStream::report(std::int32_t id)
{
    if (id == kUnableToOpenFile)
        ReportError(id, fileName_);
    else
        ReportError(id, fileName_, line_);
}

int JxCInStream::get()
{
    lineEndTaken_ = false;
    if (failed_ || extractFailed_)
        return kEnd;
    if (pushedBack_) {
        const int c = *pushedBack_;
        pushedBack_.reset();
        return c;
    }
    if (atEnd_)
        return kEnd;
    const int c = source_.Get();
    if (c == kEnd) {
        atEnd_ = true;
        return kEnd;
    }
    if (c == kEndOfFile) {
        failed_ = true;
        return kEnd;
    }
    return c;
}

int JxCInStream::peek()
{
    const bool taken = lineEndTaken_;
    const int c = get();
    putBack(c);
    lineEndTaken_ = taken;
    return c;
}

void JxCInStream::putBack(int c)
{
    if (c != kEnd)
        pushedBack_ = c;
}

int JxCInStream::GetChar()
{
    return get();
}

bool JxCInStream::AtEndOrError()
{
    return peek() == kEnd;
}

void JxCInStream::SkipWhite()
{
    for (;;) {
        const int c = get();
        if (!isBlank(c)) {
            putBack(c);
            return;
        }
    }
}

bool JxCInStream::AtLineEnd()
{
    return lineEndTaken_ || peek() == kCR;
}

std::int16_t JxCInStream::SkipLineEnd()
{
    if (lineEndTaken_) {
        // ReadLine has taken this line end already (and counted it).
        lineEndTaken_ = false;
        return 1;
    }
    for (;;) {
        const int c = get();
        if (isBlank(c))
            continue;
        if (c == kCR) {
            ++line_;
            const int next = get();
            if (next != kLF)
                putBack(next);
            return 1;
        }
        putBack(c);
        return 0;
    }
}

void JxCInStream::SkipRestOfLine()
{
    for (;;) {
        const int c = get();
        if (c == kEnd)
            return;
        if (c == kCR) {
            putBack(c);
            return;
        }
    }
}

bool JxCInStream::missingAtLineEnd(std::int32_t id)
{
    if (!AtLineEnd())
        return false;
    if (reportErrors_)
        report(id);
    SkipLineEnd();
    return true;
}

template <class T>
JxCInStream& JxCInStream::readInteger(T& value, std::int32_t id)
{
    SkipWhite();
    if (missingAtLineEnd(id))
        return *this;
    if (extractFailed_)
        return *this;
    // The standard extraction: white space, an optional sign, digits.
    int c = get();
    while (c == kLF || c == '\v' || c == '\f' || isBlank(c))
        c = get();
    bool negative = false;
    if (c == '+' || c == '-') {
        negative = c == '-';
        c = get();
    }
    if (!isDigit(c)) {
        putBack(c);
        extractFailed_ = true;
        return *this;
    }
    constexpr unsigned long long kCap = 1ULL << 63;
    unsigned long long magnitude = 0;
    bool overflow = false;
    for (; isDigit(c); c = get()) {
        if (magnitude > (kCap - 9) / 10)
            overflow = true;
        else
            magnitude = magnitude * 10 + static_cast<unsigned>(c - '0');
    }
    putBack(c);

    using Limits = std::numeric_limits<T>;
    if constexpr (Limits::is_signed) {
        const long long v = negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude);
        if (overflow || v > Limits::max()) {
            value = Limits::max();
            extractFailed_ = true;
        } else if (v < Limits::min()) {
            value = Limits::min();
            extractFailed_ = true;
        } else {
            value = static_cast<T>(v);
        }
    } else {
        // As the standard library does, "-n" gives the unsigned value of -n.
        if (overflow || magnitude > Limits::max()) {
            value = Limits::max();
            extractFailed_ = true;
        } else {
            value = negative ? static_cast<T>(-static_cast<T>(magnitude)) : static_cast<T>(magnitude);
        }
    }
    return *this;
}

JxCInStream& JxCInStream::ReadShort(std::int16_t& value)
{
    return readInteger(value, kIntegerExpected);
}

JxCInStream& JxCInStream::ReadUShort(std::uint16_t& value)
{
    return readInteger(value, kIntegerExpected);
}

JxCInStream& JxCInStream::ReadInt(std::int32_t& value)
{
    return readInteger(value, kIntegerExpected);
}

JxCInStream& JxCInStream::ReadLong(std::int32_t& value)
{
    return readInteger(value, kLongExpected);
}

JxCInStream& JxCInStream::ReadULong(std::uint32_t& value)
{
    return readInteger(value, kLongExpected);
}

JxCInStream& JxCInStream::ReadDouble(double& value)
{
    SkipWhite();
    if (missingAtLineEnd(kDoubleExpected) || extractFailed_)
        return *this;
    std::string text;
    int c = get();
    while (c == kLF || c == '\v' || c == '\f' || isBlank(c))
        c = get();
    if (c == '+' || c == '-') {
        text.push_back(static_cast<char>(c));
        c = get();
    }
    bool digits = false;
    for (; isDigit(c); c = get(), digits = true)
        text.push_back(static_cast<char>(c));
    if (c == '.') {
        text.push_back('.');
        for (c = get(); isDigit(c); c = get(), digits = true)
            text.push_back(static_cast<char>(c));
    }
    if (digits && (c == 'e' || c == 'E')) {
        std::string exponent(1, 'e');
        int d = get();
        if (d == '+' || d == '-') {
            exponent.push_back(static_cast<char>(d));
            d = get();
        }
        if (isDigit(d)) {
            for (; isDigit(d); d = get())
                exponent.push_back(static_cast<char>(d));
            text += exponent;
        }
        c = d;  // an incomplete exponent ends the number at the letter
    }
    putBack(c);
    if (!digits) {
        extractFailed_ = true;
        return *this;
    }
    value = std::strtod(text.c_str(), nullptr);
    return *this;
}

std::int16_t JxCInStream::ReadComma(bool required)
{
    SkipWhite();
    const int c = get();
    if (c == ',')
        return 1;
    putBack(c);
    if (required && reportErrors_)
        report(kCommaExpected);
    if (AtLineEnd())
        SkipLineEnd();
    return 0;
}

std::int16_t JxCInStream::ReadOpenBrace(bool required)
{
    SkipWhite();
    while (AtLineEnd()) {
        SkipLineEnd();
        SkipWhite();
    }
    const int c = get();
    if (c == '{') {
        SkipWhite();
        if (AtLineEnd())
            SkipLineEnd();
        return 1;
    }
    putBack(c);
    if (required && reportErrors_)
        report(kOpenBraceExpected);
    if (AtLineEnd())
        SkipLineEnd();
    return 0;
}

std::int16_t JxCInStream::ReadCloseBrace()
{
    SkipWhite();
    while (AtLineEnd()) {
        SkipLineEnd();
        SkipWhite();
    }
    const int c = get();
    if (c == '}') {
        SkipWhite();
        return 1;
    }
    putBack(c);
    if (reportErrors_)
        report(kCloseBraceExpected);
    if (AtLineEnd())
        SkipLineEnd();
    return 0;
}

void JxCInStream::readToken(JxCString& out, bool stopAtComma, bool starIsComma)
{
    std::string text;
    while (text.size() < kMaxToken) {
        const int c = get();
        if (c == kEnd)
            break;
        if (c == kCR || (stopAtComma && c == ',')) {
            putBack(c);
            break;
        }
        text.push_back(starIsComma && c == '*' ? ',' : static_cast<char>(c));
    }
    out = JxCString(std::string_view(text));
}

JxCInStream& JxCInStream::ReadString(JxCBaseString& text)
{
    SkipWhite();
    if (missingAtLineEnd(kStringExpected)) {
        text = " ";
        return *this;
    }
    JxCString value;
    readToken(value, true, true);
    std::string_view v = value.View();
    while (!v.empty() && isBlank(static_cast<unsigned char>(v.back())))
        v.remove_suffix(1);
    if (v.empty()) {
        if (reportErrors_)
            report(kStringExpected);
        text = " ";
        return *this;
    }
    text = JxCBaseString(v);
    return *this;
}

JxCInStream& JxCInStream::ReadQuotedString(JxCBaseString& text)
{
    SkipWhite();
    if (missingAtLineEnd(kStringExpected)) {
        text = " ";
        return *this;
    }
    int c = get();
    if (c != '"') {
        putBack(c);
        JxCString value;
        readToken(value, true, true);
        if (value.IsEmpty()) {
            if (reportErrors_)
                report(kStringExpected);
            text = " ";
            return *this;
        }
        text = value;
        return *this;
    }
    std::string value;
    while (value.size() < kMaxToken) {
        c = get();
        if (c == kEnd)
            break;
        if (c == '"') {
            const int next = get();
            if (next != '"') {
                putBack(next);
                break;
            }
        } else if (c == kCR) {
            ++line_;  // the line counter counts every carriage return consumed
        }
        value.push_back(static_cast<char>(c));
    }
    text = JxCBaseString(std::string_view(value));
    return *this;
}

namespace {

bool endsWord(int c)
{
    return c == ',' || c == kCR || c == kLF;
}

}  // namespace

JxCInStream& JxCInStream::ReadWord(JxCBaseString& text)
{
    SkipWhite();
    while (AtLineEnd()) {
        SkipLineEnd();
        SkipWhite();
    }
    std::string value;
    while (value.size() < kMaxToken) {
        const int c = get();
        if (c == kEnd || isBlank(c))
            break;  // a blank ends the word and is consumed
        if (endsWord(c)) {
            putBack(c);
            break;
        }
        value.push_back(static_cast<char>(c));
    }
    text = JxCBaseString(std::string_view(value));
    return *this;
}

JxCInStream& JxCInStream::ReadWordOnLine(JxCBaseString& text)
{
    SkipWhite();
    if (missingAtLineEnd(kStringExpected)) {
        text = " ";
        return *this;
    }
    std::string value;
    while (value.size() < kMaxToken) {
        const int c = get();
        if (c == kEnd || isBlank(c))
            break;
        if (endsWord(c)) {
            putBack(c);
            break;
        }
        value.push_back(static_cast<char>(c));
    }
    text = JxCBaseString(std::string_view(value));
    return *this;
}

JxCInStream& JxCInStream::ReadLine(JxCBaseString& text)
{
    std::string value;
    int c = get();
    while (c != kEnd && c != kCR && c != kLF && value.size() < kMaxLine) {
        value.push_back(static_cast<char>(c));
        c = get();
    }
    // The line end goes with the line, so that the next read starts on the
    // next line instead of finding the same line end again.
    if (c == kCR) {
        ++line_;
        const int next = get();
        if (next != kLF)
            putBack(next);
    } else if (c != kLF) {
        putBack(c);
    }
    lineEndTaken_ = c == kCR || c == kLF;
    text = JxCBaseString(std::string_view(value));
    return *this;
}

JxCInStream& JxCInStream::ReadRect(JxCRect& rect)
{
    SkipWhite();
    if (missingAtLineEnd(kRectExpected))
        return *this;
    ReadShort(rect.left);
    ReadComma(true);
    ReadShort(rect.top);
    ReadComma(true);
    ReadShort(rect.right);
    ReadComma(true);
    ReadShort(rect.bottom);
    return *this;
}

JxCInStream& JxCInStream::ReadPoint(JxCPoint& point)
{
    SkipWhite();
    if (missingAtLineEnd(kPointExpected))
        return *this;
    ReadShort(point.x);
    ReadComma(true);
    ReadShort(point.y);
    return *this;
}

JxCInStream& JxCInStream::ReadSize(JxCSize& size)
{
    SkipWhite();
    if (missingAtLineEnd(kSizeExpected))
        return *this;
    ReadShort(size.cx);
    ReadComma(true);
    ReadShort(size.cy);
    return *this;
}

JxCInStream& JxCInStream::ReadRGB(JxCRGB& colour)
{
    SkipWhite();
    if (missingAtLineEnd(kRGBExpected))
        return *this;
    std::int32_t red = colour.red, green = colour.green, blue = colour.blue;
    ReadInt(red);
    ReadComma(true);
    ReadInt(green);
    ReadComma(true);
    ReadInt(blue);
    colour.red = static_cast<std::uint8_t>(red & 0xFF);
    colour.green = static_cast<std::uint8_t>(green & 0xFF);
    colour.blue = static_cast<std::uint8_t>(blue & 0xFF);
    return *this;
}
