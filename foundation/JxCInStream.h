#pragma once
// The text input stream of the definition syntax, with its token reader.
//
// A definition text is a sequence of lines ending in a carriage return (13),
// optionally followed by a line feed (10). Blanks are space and tab; tokens
// are separated by blanks and commas; the character 26 ends the input
// wherever it stands. Missing values are reported through the error hook
// with the file name and the line ("Integer expected in file '%s', line %d"
// ...) and the reader goes on from the next line, leaving its target as it
// was, so a record reader sees default or unchanged values.
//
// A number that is not one (or does not fit its target) puts the stream in
// its failed state, as the standard extraction does; the stream then answers
// AtEndOrError, so loops that read until AtEndOrError end.

#include <cstdint>
#include <optional>

#include "foundation/JxCObject.h"
#include "foundation/JxCPoint.h"
#include "foundation/JxCRGB.h"
#include "foundation/JxCRect.h"
#include "foundation/JxCSize.h"
#include "foundation/JxCString.h"
#include "foundation/JxStreamSource.h"

class JxCInStream : public JxCObject {
public:
    // Message ids of the token reader.
    enum : std::int32_t {
        kCommaExpected = 1009,
        kOpenBraceExpected = 1010,
        kCloseBraceExpected = 1011,
        kIntegerExpected = 1116,
        kLongExpected = 1118,
        kStringExpected = 1119,
        kRectExpected = 1121,
        kPointExpected = 1122,
        kSizeExpected = 1123,
        kRGBExpected = 1124,
        kUnableToOpenFile = 1136,
        kDoubleExpected = 1158,
    };
    static constexpr std::uint32_t kMaxToken = 512;
    static constexpr std::uint32_t kMaxLine = 15999;

    // Opens an existing file; reports 1136 when it cannot.
    explicit JxCInStream(const char* fileName);
    JxCInStream(const JxCInStream&) = delete;
    JxCInStream& operator=(const JxCInStream&) = delete;
    ~JxCInStream() override;

    bool IsOpen() const { return source_.IsOpen(); }
    void CloseFile();
    void SetReportErrors(bool on) { reportErrors_ = on; }
    bool GetReportErrors() const { return reportErrors_; }
    const JxCString& GetFileName() const { return fileName_; }
    std::int32_t GetLineNumber() const { return line_; }
    void IncrementLine() { ++line_; }
    // The file could not be opened, or the character 26 was read.
    bool Failed() const { return failed_; }
    // A number could not be read.
    bool Fail() const { return extractFailed_; }
    // True when no character is left to read, after 26, or after a failure.
    bool AtEndOrError();

    JxCInStream& ReadShort(std::int16_t& value);
    JxCInStream& ReadUShort(std::uint16_t& value);
    JxCInStream& ReadInt(std::int32_t& value);
    JxCInStream& ReadLong(std::int32_t& value);
    JxCInStream& ReadULong(std::uint32_t& value);
    JxCInStream& ReadDouble(double& value);

    std::int16_t ReadComma(bool required);
    std::int16_t ReadOpenBrace(bool required);
    std::int16_t ReadCloseBrace();
    // An unquoted value up to a comma or the line end; "*" stands for ",".
    JxCInStream& ReadString(JxCBaseString& text);
    // A value in double quotes (a doubled quote stands for one) or unquoted.
    JxCInStream& ReadQuotedString(JxCBaseString& text);
    // A keyword or name, on this line or a later one.
    JxCInStream& ReadWord(JxCBaseString& text);
    // A keyword or name on this line.
    JxCInStream& ReadWordOnLine(JxCBaseString& text);
    // The rest of the line, which is then consumed with its line end. Until
    // the next read, AtLineEnd answers true and SkipLineEnd takes nothing,
    // as callers written for a ReadLine that left the line end expect.
    JxCInStream& ReadLine(JxCBaseString& text);
    JxCInStream& ReadRect(JxCRect& rect);
    JxCInStream& ReadPoint(JxCPoint& point);
    JxCInStream& ReadSize(JxCSize& size);
    JxCInStream& ReadRGB(JxCRGB& colour);

    void SkipWhite();
    bool AtLineEnd();
    std::int16_t SkipLineEnd();
    void SkipRestOfLine();
    // The next character as it stands (-1 at the end).
    int GetChar();

private:
    int get();
    int peek();
    void putBack(int c);
    void report(std::int32_t id);
    // The missing-value rule of the value readers: true (reported, line end
    // skipped) when the line ends here.
    bool missingAtLineEnd(std::int32_t id);
    template <class T>
    JxCInStream& readInteger(T& value, std::int32_t id);
    void readToken(JxCString& out, bool stopAtComma, bool starIsComma);

    JxStreamSource source_;
    JxCString fileName_;
    std::int32_t line_ = 1;
    bool reportErrors_ = true;
    bool failed_ = false;
    bool extractFailed_ = false;
    bool atEnd_ = false;
    std::optional<int> pushedBack_;
    // ReadLine took a line end that no read has passed yet.
    bool lineEndTaken_ = false;
};
