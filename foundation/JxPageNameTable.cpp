#include "foundation/JxPageNameTable.h"

#include <memory>
#include <vector>

#include "foundation/JxCInStrStream.h"
#include "foundation/JxCStringPtrArray.h"
#include "foundation/JxFileUtils.h"
#include "platform/fs/files.h"

namespace {

struct PageNames {
    JxCStringPtrArray names;
    JxCString fileName = "Pagename.str";
    bool loaded = false;
};

PageNames& table()
{
    static PageNames t;
    return t;
}

// The file's bytes, or false when it cannot be read whole.
bool readWhole(const JxCString& name, std::vector<char>& bytes)
{
    std::uint32_t error = 0;
    plat::HFILE file = OpenFileWithRetry(name.GetText(), plat::OF_READ, &error);
    if (file == plat::HFILE_ERROR)
        return false;
    const std::uint32_t size = GetOpenFileSize(file);
    bool whole = size != 0xFFFFFFFFu && size <= 0x7FFFFFFFu;
    if (whole) {
        bytes.assign(size, 0);
        whole = ReadFileHuge(file, bytes.data(), static_cast<std::int32_t>(size), &error) ==
                static_cast<std::int32_t>(size);
    }
    CloseFile(file);
    return whole;
}

bool ensureLoaded()
{
    PageNames& t = table();
    if (t.loaded)
        return true;
    if (!FileExists(t.fileName.GetText()))
        return false;
    t.names.SetOwnsElements();
    std::vector<char> bytes;
    if (!readWhole(t.fileName, bytes))
        return false;
    JxCInStrStream in(JxMemoryBlock{bytes.data(), static_cast<std::uint32_t>(bytes.size())});
    // A name cut short by the end of the file is not a name.
    while (in.Remaining() > 0) {
        auto name = std::make_unique<JxCString>();
        if (!in.ReadCountedString(*name) || t.names.Add(name.get()) < 0)
            break;
        name.release();
    }
    t.loaded = true;
    return true;
}

}  // namespace

JxCString GetPageNameByIndex(std::int32_t n)
{
    if (!ensureLoaded() || n < 0 || static_cast<std::uint32_t>(n) >= table().names.GetCount())
        return {};
    return *table().names.GetAt(static_cast<std::uint32_t>(n));
}

bool FindPageByName(const char* name, std::int32_t& n)
{
    if (!ensureLoaded())
        return false;
    std::int32_t found = table().names.Find(JxCTableString(name));
    if (found < 0)
        return false;
    n = found;
    return true;
}

void SetPageNameFile(const char* name)
{
    PageNames& t = table();
    if (t.fileName.EqualsNoCase(JxCTableString(name)))
        return;
    t.fileName = name;
    t.names.RemoveAll();
    t.loaded = false;
    ensureLoaded();
}

const JxCString& GetPageNameFile()
{
    return table().fileName;
}

void ResetPageNameTable()
{
    PageNames& t = table();
    t.names.RemoveAll();
    t.fileName = "Pagename.str";
    t.loaded = false;
}
