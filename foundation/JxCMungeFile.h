#pragma once
// The packed data store ("DATA.MNG"): one file holding the title's pictures
// and animations, with an index of named items at its end
// (foundation/JxCDataIndexList.h). The store is opened once when the
// product starts and keeps its file open for the whole run; its items are
// read as sub-files (foundation/JxCSubFile.h), either made by name by their
// users or opened, read, sought and closed here by id.
//
// A store that cannot be opened has been reported by the file opener; a
// damaged one is reported here. Either way the store is not open and every
// look-up fails.

#include <cstdint>
#include <memory>
#include <vector>

#include "foundation/JxCDataIndexList.h"
#include "foundation/JxCString.h"
#include "foundation/JxCSubFile.h"
#include "platform/core/types.h"

class JxCMungeFile {
public:
    // Message ids of a damaged store: one that cannot be used at all, and
    // one whose index is damaged but still names what it can.
    static constexpr unsigned kDamagedStoreId = 1180;
    static constexpr unsigned kPartlyDamagedStoreId = 1181;

    // Opens the store at its full path and reads its index.
    explicit JxCMungeFile(const char* name);
    JxCMungeFile(const JxCMungeFile&) = delete;
    JxCMungeFile& operator=(const JxCMungeFile&) = delete;
    // Closes the file, deletes the sub-files opened by id and makes every
    // other open sub-file forget the store.
    virtual ~JxCMungeFile();

    // A new sub-file on the item; its id, or 0 when the store has no such
    // item (nothing is kept then).
    virtual std::uint32_t OpenSubFile(const char* name);
    // Reads from the open sub-file of that id; 0 for an unknown id.
    virtual std::int32_t ReadSubFile(std::uint32_t id, void* buffer, std::int32_t count);
    // Seeks the open sub-file of that id; -1 for an unknown id.
    virtual std::int32_t SeekSubFile(std::uint32_t id, std::int32_t offset, int origin);
    // Any open sub-file of that id, or null.
    virtual JxCSubFile* FindSubFile(std::uint32_t id);
    // Deletes a sub-file that OpenSubFile made; false for any other id (a
    // second close included).
    virtual bool CloseSubFile(std::uint32_t id);

    bool IsOpen() const { return open_ != 0; }
    const JxCString& GetName() const { return name_; }
    plat::HFILE GetFileHandle() const { return file_; }
    std::uint32_t GetLastError() const { return error_; }
    JxCDataIndexList& GetIndex() { return index_; }

    // The entry of an item name as given (the name-prefix rule is the
    // sub-file's), or null.
    const JxCDataIndexEntry* FindEntry(const JxCTableString& name);
    // The name under which the index knows a name given with the data path
    // (or the "MungeListPath" setting) in front: the rest after that prefix
    // and one backslash; any other name as it is.
    static JxCString ApplyNamePrefix(const JxCTableString& name);

    // The sub-files' registration, by their constructors and destructors.
    void AddOpenSubFile(JxCSubFile* subFile);
    void RemoveOpenSubFile(std::uint32_t id);

private:
    JxCString name_;
    plat::HFILE file_ = plat::HFILE_ERROR;
    std::uint32_t error_ = 0;
    JxCDataIndexList index_;
    JxCSubFileList openSubFiles_;
    std::vector<std::unique_ptr<JxCjxioSubFile>> openedById_;
    std::int16_t open_ = 0;
};

// The next sub-file id of the process (1, 2, ...; 0 is never given).
std::uint32_t NextSubFileId();
