// The big-endian binary stream and the array forms read through it: any
// bytes, read by any sequence of readers, stay inside what the stream holds,
// and a sub-file of an open file reads exactly as the same bytes in memory
// do. The readers and the bytes come as a fuzz::ReaderInput.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <type_traits>

#include "foundation/JxArrayStreamForms.h"
#include "foundation/JxCInStrStream.h"
#include "foundation/JxCPointerArray.h"
#include "foundation/JxCStringList.h"
#include "foundation/JxCStringPtrArray.h"
#include "fuzz_support.h"
#include "platform/fs/files.h"

namespace {

// What the readers saw, to compare the two forms of the stream.
struct Trace {
    std::string text;
    template <class T>
        requires std::is_arithmetic_v<T>
    void value(const T& v)
    {
        text.append(reinterpret_cast<const char*>(&v), sizeof v);
    }
    // The fields, not the objects' bytes (they hold a vtable pointer and padding).
    void value(const JxCRect& r) { values(r.left, r.top, r.right, r.bottom); }
    void value(const JxCPoint& p) { values(p.x, p.y); }
    void value(const JxCSize& s) { values(s.cx, s.cy); }
    void value(const JxCRGB& c) { values(c.red, c.green, c.blue); }
    template <class... T>
    void values(const T&... v)
    {
        (value(v), ...);
    }
    void string(const JxCTableString& s) { text.append(s.View()); }
};

template <class T>
void readArray(JxCInStrStream& in, Trace& trace)
{
    JxCArray<T> array;
    trace.value(ReadArray(in, array));
    for (std::int32_t i = 0; i < array.GetSize(); ++i)
        trace.value(array.GetAt(i));
}

template <class Array>
void readPlain(JxCInStrStream& in, Trace& trace)
{
    Array array;
    trace.value(array.Read(in));
    for (std::uint32_t i = 0; i < array.GetCount(); ++i)
        trace.value(*array.GetAt(i));
}

void readOne(JxCInStrStream& in, std::uint8_t op, std::uint32_t size, Trace& trace)
{
    switch (op % 24) {
    case 0: { std::uint8_t v = 0; in.ReadByte(v); trace.value(v); break; }
    case 1: { std::int16_t v = 0; in.ReadBigEndian16(v); trace.value(v); break; }
    case 2: { std::uint16_t v = 0; in.ReadBigEndian16(v); trace.value(v); break; }
    case 3: { std::int32_t v = 0; in.ReadBigEndian16To32(v); trace.value(v); break; }
    case 4: { std::uint32_t v = 0; in.ReadBigEndian32(v); trace.value(v); break; }
    case 5: { std::uint64_t v = 0; in.ReadBigEndian64(v); trace.value(v); break; }
    case 6: { JxCString s; in.ReadCountedString(s); trace.string(s); break; }
    case 7: { JxCRect r; in.ReadBigEndianRect(r); trace.value(r); break; }
    case 8: { JxCPoint p; in.ReadBigEndianPoint(p); trace.value(p); break; }
    case 9: { JxCSize s; in.ReadBigEndian16Pair(s); trace.value(s); break; }
    case 10: { JxCRGB c; in.ReadRGB(c); trace.value(c); break; }
    case 11: { JxCEventId id; in.ReadEventId(id); trace.value(static_cast<short>(id)); break; }
    case 12: {
        char block[64] = {};
        in.ReadBlock(block, op % 64);
        trace.text.append(block, sizeof block);
        break;
    }
    case 13: in.Seek(static_cast<std::uint32_t>(op) * 7 % (size + 8)); break;
    case 14: readArray<std::int16_t>(in, trace); break;
    case 15: readArray<std::int32_t>(in, trace); break;
    case 16: readArray<JxCPoint>(in, trace); break;
    case 17: readArray<JxCRect>(in, trace); break;
    case 18: readArray<double>(in, trace); break;
    case 19: readPlain<JxCPointerArray>(in, trace); break;
    case 20: readPlain<JxCPointerArray16>(in, trace); break;
    case 21: {
        JxCStringPtrArray strings;
        trace.value(strings.Read(in));
        for (std::uint32_t i = 0; i < strings.GetCount(); ++i)
            trace.string(*strings.GetAt(i));
        break;
    }
    case 22: {
        JxCStringList list(in);
        for (std::int32_t i = 0; i < list.GetCount(); ++i)
            trace.string(list.KeyOf(i));
        break;
    }
    default: in.ClearState(); break;
    }
    trace.value(in.Fail());
    trace.value(in.Tell());
    trace.value(in.Remaining());
}

Trace readAll(JxCInStrStream& in, std::span<const std::uint8_t> ops, std::uint32_t size)
{
    Trace trace;
    for (std::size_t step = 0; step < 4 * ops.size(); ++step) {
        readOne(in, ops[step % ops.size()], size, trace);
        fuzz::Check(in.Remaining() <= size);
    }
    return trace;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::optional<fuzz::ReaderInput> input = fuzz::SplitReaderInput(data, size);
    if (!input)
        return 0;
    const std::span<const std::uint8_t> ops = input->readers;
    const std::string& bytes = input->bytes;
    const auto length = static_cast<std::uint32_t>(bytes.size());

    JxCInStrStream memory(JxMemoryBlock{bytes.data(), length});
    const Trace fromMemory = readAll(memory, ops, length);

    // The same bytes as a sub-file between other bytes of a file.
    plat::testing::TempConfig& folders = fuzz::Scratch();
    plat::testing::TempConfig::writeFile(folders.program() + "/store.bin", "HEAD" + bytes + "TAIL");
    plat::OFSTRUCT info;
    const plat::HFILE file = plat::OpenFile("P:\\STORE.BIN", &info, plat::OF_READ);
    fuzz::Check(file != plat::HFILE_ERROR);
    {
        JxCInStrStream sub(file, 4, 4 + length);
        const Trace fromFile = readAll(sub, ops, length);
        fuzz::Check(fromFile.text == fromMemory.text);
    }
    plat::_lclose(file);
    return 0;
}
