// The product data file: its version record, the product string table, the
// definitions block, the record table and the data stream over the page
// data. Every block, count, offset and text is checked against what the file
// holds before it is used, so a damaged file fails the start cleanly.

#include <cstring>

#include "foundation/JxErrorReport.h"
#include "foundation/JxFileUtils.h"
#include "foundation/JxResourceLibraries.h"
#include "foundation/JxStartupSettings.h"
#include "platform/fs/files.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxProductDataVersion.h"

namespace {

// A table string over text that the product's string block owns.
class BlockText : public JxCTableString {
public:
    BlockText(char* text, std::uint32_t length) { SetRaw(text, length); }
};

std::uint16_t bigEndian16(const char* p)
{
    return std::uint16_t((std::uint8_t(p[0]) << 8) | std::uint8_t(p[1]));
}

// Reads n bytes at the stream's position into a new block; empty (and
// false) on a short read.
bool readBlock(JxCInStrStream& in, std::uint32_t n, std::vector<char>& block)
{
    block.assign(n, 0);
    return n == 0 || bool(in.ReadBlock(block.data(), n));
}

}  // namespace

std::int16_t ReadTableString(JxCInStrStream& in, JxCTableString& target)
{
    std::uint16_t index = 0;
    if (!in.ReadBigEndian16(index))
        return 0;
    if (index == 0) {
        target = JxCTableString();
        return 1;
    }
    JxCBaseProduct* product = GetProduct();
    if (!product || index > product->GetTableStringCount())
        return 0;
    target = product->GetTableString(index - 1);
    return 1;
}

JxCTableString JxCBaseProduct::GetTableString(std::int32_t index) const
{
    if (index < 0 || std::size_t(index) >= tableStrings_.size())
        return JxCTableString();
    return tableStrings_[std::size_t(index)];
}

JxCTableString JxCBaseProduct::InternString(const char* text)
{
    const std::string_view wanted(text ? text : "");
    for (const JxCTableString& entry : tableStrings_)
        if (entry.View() == wanted)
            return entry;
    if (compiledData_) {
        OhNoItsAnError(kTemporaryErrorId, "JxCTableString::add");
        return JxCTableString();
    }
    auto copy = std::make_unique<char[]>(wanted.size() + 1);
    std::memcpy(copy.get(), wanted.data(), wanted.size());
    copy[wanted.size()] = '\0';
    tableStrings_.push_back(BlockText(copy.get(), std::uint32_t(wanted.size())));
    internedTexts_.push_back(std::move(copy));
    return tableStrings_.back();
}

JxCInStrStream* JxCBaseProduct::GetPageRecordStream(std::int32_t index)
{
    const std::uint32_t offset = GetRecordOffset(index);
    if (!dataStream_ || offset == kNoRecord)
        return nullptr;
    return &dataStream_->Seek(offset);
}

std::int16_t JxCBaseProduct::LoadProductData()
{
    JxCString path(GetProgramFolderString());
    path += LoadStringFromLibraries(kProductDataNameId).value_or("").c_str();
    std::uint32_t error = 0;
    const plat::HFILE file = OpenFileWithRetry(path, plat::OF_READ, &error);
    if (file == plat::HFILE_ERROR) {
        const std::string title = LoadStringFromLibraries(kTitleTextId).value_or("");
        ReportErrorOk(kCannotOpenProductDataId, path.GetText(), title.c_str());
        return 0;
    }
    const std::uint32_t size = GetOpenFileSize(file);
    std::int16_t read = 0;
    {
        JxCInStrStream in(file, 0, size);
        read = ReadProductData(in, size);
    }
    CloseFile(file);
    if (!read) {
        if (dataRefused_)
            return 0;  // the version question has said why
        // A damaged file: the start fails naming it, never with zeros.
        const std::string title = LoadStringFromLibraries(kTitleTextId).value_or("");
        ReportErrorOk(kCannotOpenProductDataId, path.GetText(), title.c_str());
        return 0;
    }
    auto stream = std::make_unique<JxCInStrStream>(path.GetText(), pageDataOffset_);
    if (!stream->Good())
        return 0;
    dataStream_ = std::move(stream);
    return 1;
}

std::int16_t JxCBaseProduct::ReadProductData(JxCInStrStream& in, std::uint32_t fileSize)
{
    dataRefused_ = !CheckProductDataVersion(in);
    if (dataRefused_)
        return 0;
    std::uint32_t pageData = 0, strings = 0, definitionsEnd = 0;
    if (!in.ReadBigEndian32(pageData).ReadBigEndian32(strings).ReadBigEndian32(definitionsEnd))
        return 0;
    // The blocks follow one another: A >= E >= P + S, and A lies in the
    // file (P + S computed without overflow).
    const std::uint64_t stringsEnd = std::uint64_t(in.Tell()) + strings;
    if (stringsEnd > definitionsEnd || definitionsEnd > pageData || pageData > fileSize)
        return 0;
    if (!readStringTable(in, strings))
        return 0;
    if (!readDefinitions(in, definitionsEnd - std::uint32_t(stringsEnd)))
        return 0;
    if (!readRecordTable(in.Seek(definitionsEnd), pageData - definitionsEnd))
        return 0;
    pageDataOffset_ = pageData;
    return 1;
}

std::int16_t JxCBaseProduct::readStringTable(JxCInStrStream& in, std::uint32_t size)
{
    std::vector<char> block;
    if (!readBlock(in, size, block) || size < 2)
        return 0;
    block.push_back('\0');
    const std::int16_t count = std::int16_t(bigEndian16(block.data()));
    if (count < 0)
        return 0;
    std::vector<JxCTableString> table;
    table.reserve(std::size_t(count));
    std::uint32_t at = 2;
    for (std::int16_t i = 0; i < count; ++i) {
        if (size - at < 2)
            return 0;
        const std::int16_t length = std::int16_t(bigEndian16(block.data() + at));
        at += 2;
        if (length < 0 || std::uint32_t(length) > size - at)
            return 0;
        table.push_back(BlockText(block.data() + at, std::uint32_t(length)));
        at += std::uint32_t(length);
    }
    // The vector's buffer moves with it, so the texts stay where they are.
    stringBlock_ = std::move(block);
    tableStrings_ = std::move(table);
    internedTexts_.clear();
    return 1;
}

std::int16_t JxCBaseProduct::readDefinitions(JxCInStrStream& in, std::uint32_t size)
{
    std::vector<char> block;
    if (!readBlock(in, size, block))
        return 0;
    JxCInStrStream definitions(JxMemoryBlock{block.data(), size});
    auto def = std::make_unique<JxCProductDef>();
    if (!def->Load(definitions))
        return 0;
    productDef_ = std::move(def);
    if (productData_)
        productData_->Load(definitions);
    return 1;
}

std::int16_t JxCBaseProduct::readRecordTable(JxCInStrStream& in, std::uint32_t size)
{
    std::vector<char> block;
    if (size < 4 || !readBlock(in, size, block))
        return 0;
    JxCInStrStream table(JxMemoryBlock{block.data(), size});
    std::uint32_t count = 0;
    if (!table.ReadBigEndian32(count) || count > table.Remaining() / 4)
        return 0;
    std::vector<std::uint32_t> offsets(count);
    for (std::uint32_t& offset : offsets)
        if (!table.ReadBigEndian32(offset))
            return 0;
    recordTable_ = std::move(offsets);
    return 1;
}
