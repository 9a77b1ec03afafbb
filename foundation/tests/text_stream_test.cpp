#include "foundation/JxCInStream.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "stream_test_support.h"

namespace {

using streamtest::ReportLog;
using streamtest::TempDrive;

std::string str(const JxCTableString& s)
{
    return std::string(s.View());
}

TEST(TextStream, AMissingNumberIsReportedWithFileAndLine)
{
    TempDrive drive;
    std::string text;
    for (int line = 1; line <= 6; ++line)
        text += "skip\r\n";
    text += "width   \r\n42\r\n";
    drive.write("a.def", text);
    ReportLog log;
    JxCInStream in("a.def");
    ASSERT_TRUE(in.IsOpen());
    JxCString word;
    for (int line = 1; line <= 6; ++line) {
        in.ReadWord(word);
        EXPECT_EQ(str(word), "skip");
        in.SkipLineEnd();
    }
    in.ReadWord(word);
    std::int16_t value = 5;
    in.ReadShort(value);  // nothing follows on line 7
    EXPECT_EQ(value, 5);
    ASSERT_EQ(log.reports.size(), 1u);
    EXPECT_EQ(log.reports[0].id, 1116);
    EXPECT_EQ(log.reports[0].args, (std::vector<std::string>{"a.def", "7"}));
    EXPECT_EQ(in.GetLineNumber(), 8);
    in.ReadShort(value);
    EXPECT_EQ(value, 42);

    in.SetReportErrors(false);
    std::int32_t missing = 1;
    in.ReadLong(missing);
    EXPECT_EQ(log.reports.size(), 1u);
}

TEST(TextStream, StringsWithStarsQuotesAndTrailingBlanks)
{
    TempDrive drive;
    drive.write("s.def",
                "red*green  \r"
                "\"say \"\"hi\"\", \r* ok\" next\r"
                "plain*value  ,rest\r"
                "  \r"
                "word1 word2,x\r");
    ReportLog log;
    JxCInStream in("S.DEF");
    JxCString s;
    in.ReadString(s);
    EXPECT_EQ(str(s), "red,green");
    in.SkipLineEnd();
    in.ReadQuotedString(s);
    EXPECT_EQ(str(s), "say \"hi\", \r* ok");
    JxCString next;
    in.ReadWord(next);
    EXPECT_EQ(str(next), "next");
    in.SkipLineEnd();
    in.ReadQuotedString(s);
    EXPECT_EQ(str(s), "plain,value  ");  // unquoted: trailing blanks kept
    EXPECT_EQ(in.ReadComma(true), 1);
    in.ReadString(s);
    EXPECT_EQ(str(s), "rest");
    in.SkipLineEnd();
    in.ReadString(s);  // an empty line: missing
    EXPECT_EQ(str(s), " ");
    ASSERT_EQ(log.reports.size(), 1u);
    EXPECT_EQ(log.reports[0].id, 1119);
    in.ReadWord(s);
    EXPECT_EQ(str(s), "word1");
    in.ReadWordOnLine(s);
    EXPECT_EQ(str(s), "word2");
    EXPECT_EQ(in.ReadComma(false), 1);
    EXPECT_EQ(in.GetLineNumber(), 6);  // the carriage return inside the quotes counts
}

TEST(TextStream, TokensStopAt512Characters)
{
    TempDrive drive;
    drive.write("long.def", std::string(700, 'w') + "\r" + "\"" + std::string(600, 'q') + "\"\r");
    JxCInStream in("long.def");
    JxCString s;
    in.ReadString(s);
    EXPECT_EQ(s.GetLength(), 512u);
    in.ReadString(s);
    EXPECT_EQ(s.GetLength(), 188u);  // the rest of the value
    in.SkipLineEnd();
    in.ReadQuotedString(s);
    EXPECT_EQ(s.GetLength(), 512u);
    in.SkipRestOfLine();
    in.SkipLineEnd();
    EXPECT_TRUE(in.AtEndOrError());
}

TEST(TextStream, BracesRectanglesAndColours)
{
    TempDrive drive;
    drive.write("r.def",
                "\r\n\r\n  {  \r\n"
                "rect 1, 2 ,3,4  ; the rest of the line is passed over\r\n"
                "point -5,6\r\n"
                "size 7,8\r\n"
                "rgb 255, 256, 1\r\n"
                "rect\r\n"
                "\r\n}\r\n");
    ReportLog log;
    JxCInStream in("r.def");
    EXPECT_EQ(in.ReadOpenBrace(true), 1);
    EXPECT_EQ(in.GetLineNumber(), 4);  // two empty lines and the brace line
    JxCString key;
    JxCRect rect;
    in.ReadWord(key).ReadRect(rect);
    EXPECT_TRUE(rect == JxCRect(1, 2, 3, 4));
    in.SkipRestOfLine();
    in.SkipLineEnd();
    JxCPoint point;
    in.ReadWord(key).ReadPoint(point);
    EXPECT_TRUE(point == JxCPoint(-5, 6));
    in.SkipLineEnd();
    JxCSize size;
    in.ReadWord(key).ReadSize(size);
    EXPECT_EQ(size.cx, 7);
    EXPECT_EQ(size.cy, 8);
    in.SkipLineEnd();
    JxCRGB colour;
    in.ReadWord(key).ReadRGB(colour);
    EXPECT_TRUE(colour == JxCRGB(255, 0, 1));  // the low byte of each number
    in.SkipLineEnd();
    JxCRect unchanged(9, 9, 9, 9);
    in.ReadWord(key).ReadRect(unchanged);
    EXPECT_TRUE(unchanged == JxCRect(9, 9, 9, 9));
    ASSERT_EQ(log.reports.size(), 1u);
    EXPECT_EQ(log.reports[0].id, 1121);
    EXPECT_EQ(log.reports[0].args[1], "8");
    EXPECT_EQ(in.ReadCloseBrace(), 1);
    EXPECT_EQ(in.GetLineNumber(), 10);  // the empty line before the brace passed over
    EXPECT_EQ(in.ReadCloseBrace(), 0);
    EXPECT_EQ(log.reports.back().id, 1011);
    EXPECT_EQ(in.ReadComma(true), 0);
    EXPECT_EQ(log.reports.back().id, 1009);
}

TEST(TextStream, EndOfFileCharacterEndsTheInput)
{
    TempDrive drive;
    drive.write("eof.def", std::string("one\r\ntwo\x1Athree\r\n"));
    JxCInStream in("eof.def");
    JxCString s;
    in.ReadLine(s);
    EXPECT_EQ(str(s), "one");
    EXPECT_EQ(in.GetLineNumber(), 2);
    in.ReadLine(s);
    EXPECT_EQ(str(s), "two");
    EXPECT_TRUE(in.Failed());
    EXPECT_TRUE(in.AtEndOrError());
    in.ReadLine(s);
    EXPECT_TRUE(s.IsEmpty());
}

TEST(TextStream, NumbersLikeTheStandardExtraction)
{
    TempDrive drive;
    drive.write("n.def", "-32768 40000 65535 -1 4294967295 2.5e3 .5 x 7\r");
    JxCInStream in("n.def");
    std::int16_t s = 0;
    std::uint16_t u = 0;
    std::uint32_t ul = 0;
    double d = 0;
    in.ReadShort(s);
    EXPECT_EQ(s, -32768);
    in.ReadShort(s);  // too big: clamped, and the stream fails
    EXPECT_EQ(s, 32767);
    EXPECT_TRUE(in.Fail());
    EXPECT_TRUE(in.AtEndOrError());
    in.ReadUShort(u);
    EXPECT_EQ(u, 0);  // a failed stream leaves later targets alone

    drive.write("m.def", "65535 -1 4294967295 2.5e3 .5 1e x\r");
    JxCInStream m("m.def");
    m.ReadUShort(u);
    EXPECT_EQ(u, 65535);
    m.ReadULong(ul);
    EXPECT_EQ(ul, 4294967295u);
    m.ReadULong(ul);
    EXPECT_EQ(ul, 4294967295u);
    m.ReadDouble(d);
    EXPECT_EQ(d, 2500.0);
    m.ReadDouble(d);
    EXPECT_EQ(d, 0.5);
    m.ReadDouble(d);
    EXPECT_EQ(d, 1.0);
    EXPECT_FALSE(m.Fail());
    std::int32_t i = 3;
    m.ReadInt(i);  // "e x": not a number
    EXPECT_TRUE(m.Fail());
    EXPECT_EQ(i, 3);
}

TEST(TextStream, AFileThatCannotBeOpenedReadsNothing)
{
    TempDrive drive;
    ReportLog log;
    JxCInStream in("missing.def");
    EXPECT_FALSE(in.IsOpen());
    EXPECT_TRUE(in.AtEndOrError());
    ASSERT_EQ(log.reports.size(), 1u);
    EXPECT_EQ(log.reports[0].id, 1136);
    EXPECT_EQ(log.reports[0].args, (std::vector<std::string>{"missing.def"}));
    JxCString s;
    int guard = 0;
    while (!in.AtEndOrError() && ++guard < 10)
        in.ReadLine(s);
    EXPECT_EQ(guard, 0);
}

TEST(TextStream, ReadLineLoopsReachTheEnd)
{
    TempDrive drive;
    drive.write("lines.txt", "first\r\nsecond\nthird");
    JxCInStream in("lines.txt");
    std::vector<std::string> lines;
    JxCString s;
    while (!in.AtEndOrError() && lines.size() < 10) {
        in.ReadLine(s);
        lines.emplace_back(s.View());
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"first", "second", "third"}));
}

// ReadLine takes its line end with it. Older callers follow it with
// SkipLineEnd (or AtLineEnd and SkipLineEnd), as when ReadLine left the line
// end in place: that must not eat the next, empty, line or the next line's
// leading blanks.
TEST(TextStream, SkipLineEndAfterReadLineKeepsEmptyLinesAndLeadingBlanks)
{
    TempDrive drive;
    const std::vector<std::string> expected{"first", "", "  indented", "\tlast"};
    drive.write("crlf.txt", "first\r\n\r\n  indented\r\n\tlast\r\n");
    drive.write("lf.txt", "first\n\n  indented\n\tlast\n");
    enum class Pattern { ReadLineAlone, ThenSkipLineEnd, ThenAtLineEndAndSkip };
    for (const char* file : {"crlf.txt", "lf.txt"}) {
        for (Pattern pattern : {Pattern::ReadLineAlone, Pattern::ThenSkipLineEnd,
                                Pattern::ThenAtLineEndAndSkip}) {
            SCOPED_TRACE(std::string(file) + " pattern " + std::to_string(int(pattern)));
            JxCInStream in(file);
            std::vector<std::string> lines;
            JxCString s;
            while (!in.AtEndOrError() && lines.size() < 10) {
                in.ReadLine(s);
                lines.emplace_back(s.View());
                if (pattern == Pattern::ThenSkipLineEnd) {
                    EXPECT_EQ(in.SkipLineEnd(), 1);
                }
                if (pattern == Pattern::ThenAtLineEndAndSkip && in.AtLineEnd())
                    in.SkipLineEnd();
            }
            EXPECT_EQ(lines, expected);
            if (file == std::string("crlf.txt")) {
                EXPECT_EQ(in.GetLineNumber(), 5);
            }
        }
    }
}

TEST(TextStream, SkipLineEndAfterReadLineSkipsOnlyThatLineEnd)
{
    TempDrive drive;
    drive.write("tail.txt", "one\r\n  two, 3\r\nlast");
    JxCInStream in("tail.txt");
    JxCString s;
    in.ReadLine(s);
    EXPECT_EQ(in.SkipLineEnd(), 1);
    EXPECT_EQ(in.SkipLineEnd(), 0);  // the next line holds text
    in.ReadWord(s);
    EXPECT_EQ(str(s), "two");
    in.ReadLine(s);
    EXPECT_EQ(str(s), ", 3");
    in.ReadLine(s);
    EXPECT_EQ(str(s), "last");
    EXPECT_EQ(in.SkipLineEnd(), 0);  // ReadLine met the end, not a line end
    EXPECT_TRUE(in.AtEndOrError());
}

}  // namespace

namespace {

TEST(TextStream, TruncatedInputsEndCleanly)
{
    TempDrive drive;
    ReportLog log;
    drive.write("cut1.def", "{\r\n  name \"unterminated");
    JxCInStream a("cut1.def");
    JxCString s;
    EXPECT_EQ(a.ReadOpenBrace(true), 1);
    a.ReadWord(s);
    EXPECT_EQ(str(s), "name");
    a.ReadQuotedString(s);
    EXPECT_EQ(str(s), "unterminated");
    EXPECT_TRUE(a.AtEndOrError());
    EXPECT_EQ(a.ReadCloseBrace(), 0);

    drive.write("cut2.def", "rect 1,2");
    JxCInStream b("cut2.def");
    JxCRect r(9, 9, 9, 9);
    b.ReadWord(s).ReadRect(r);
    EXPECT_EQ(r.left, 1);
    EXPECT_EQ(r.top, 2);
    EXPECT_EQ(r.right, 9);
    EXPECT_EQ(r.bottom, 9);
    EXPECT_TRUE(b.AtEndOrError());

    // Every reader at the very end of the input returns without hanging.
    drive.write("empty.def", "");
    JxCInStream c("empty.def");
    std::int16_t v = 3;
    double d = 1;
    JxCPoint p(1, 1);
    JxCRGB colour(1, 2, 3);
    c.ReadWord(s);
    EXPECT_TRUE(s.IsEmpty());
    c.ReadWordOnLine(s).ReadString(s).ReadLine(s).ReadShort(v).ReadDouble(d).ReadPoint(p).ReadRGB(colour);
    c.SkipRestOfLine();
    EXPECT_EQ(c.SkipLineEnd(), 0);
    EXPECT_EQ(c.ReadOpenBrace(false), 0);
    EXPECT_EQ(v, 3);
    EXPECT_TRUE(p == JxCPoint(1, 1));
    EXPECT_TRUE(colour == JxCRGB(1, 2, 3));
    EXPECT_TRUE(c.AtEndOrError());
}

}  // namespace
