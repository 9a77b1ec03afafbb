// The token reader of the definition text: any text, read by any sequence of
// readers (fuzz::ReaderInput), ends cleanly. Tokens stay within their limits, every report names the file
// and a line the reader has reached, and the line counter never runs ahead
// of the carriage returns in the file.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "foundation/JxCInStream.h"
#include "foundation/JxErrorHook.h"
#include "fuzz_support.h"

namespace {

void readOne(JxCInStream& in, std::uint8_t op)
{
    JxCString text;
    std::int16_t s = 0;
    std::uint16_t us = 0;
    std::int32_t i = 0;
    std::uint32_t u = 0;
    double d = 0;
    JxCRect rect;
    JxCPoint point;
    JxCSize size;
    JxCRGB colour;
    switch (op % 24) {
    case 0: in.ReadShort(s); break;
    case 1: in.ReadUShort(us); break;
    case 2: in.ReadInt(i); break;
    case 3: in.ReadLong(i); break;
    case 4: in.ReadULong(u); break;
    case 5: in.ReadDouble(d); break;
    case 6: in.ReadComma(true); break;
    case 7: in.ReadComma(false); break;
    case 8: in.ReadOpenBrace(true); break;
    case 9: in.ReadOpenBrace(false); break;
    case 10: in.ReadCloseBrace(); break;
    case 11: in.ReadString(text); break;
    case 12: in.ReadQuotedString(text); break;
    case 13: in.ReadWord(text); break;
    case 14: in.ReadWordOnLine(text); break;
    case 15: in.ReadLine(text); break;
    case 16: in.ReadRect(rect); break;
    case 17: in.ReadPoint(point); break;
    case 18: in.ReadSize(size); break;
    case 19: in.ReadRGB(colour); break;
    case 20: in.SkipWhite(); break;
    case 21: in.SkipLineEnd(); break;
    case 22: in.SkipRestOfLine(); break;
    default: in.AtLineEnd(); in.GetChar(); break;
    }
    fuzz::Check(text.GetLength() <= (op % 24 == 15 ? JxCInStream::kMaxLine : JxCInStream::kMaxToken));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::optional<fuzz::ReaderInput> input = fuzz::SplitReaderInput(data, size);
    if (!input)
        return 0;
    const std::span<const std::uint8_t> ops = input->readers;
    const std::string& text = input->bytes;
    const std::int32_t lines = 1 + static_cast<std::int32_t>(std::count(text.begin(), text.end(), '\r'));

    plat::testing::TempConfig& folders = fuzz::Scratch();
    plat::testing::TempConfig::writeFile(folders.program() + "/in.def", text);
    std::int32_t lastLine = 1;
    JxErrorReporter previous = SetErrorReporter([&](std::int32_t, std::span<const JxMessageArg> args) {
        fuzz::Check(args.size() == 2 && args[0].Text().View() == "P:\\IN.DEF");
        lastLine = std::stoi(std::string(args[1].Text().View()));
        fuzz::Check(lastLine >= 1 && lastLine <= lines);
        return 0;
    });
    {
        JxCInStream in("P:\\IN.DEF");
        fuzz::Check(in.IsOpen());
        // Each reader takes at least one character or gives way to the next
        // one; a few rounds per character are plenty.
        const std::size_t limit = 4 * ops.size() * (text.size() + 4);
        for (std::size_t step = 0; step < limit && !in.AtEndOrError(); ++step) {
            readOne(in, ops[step % ops.size()]);
            fuzz::Check(in.GetLineNumber() >= 1 && in.GetLineNumber() <= lines);
        }
    }
    SetErrorReporter(previous);
    return 0;
}
