#pragma once
// Sub-files of the packed data store: a window on one item of the store.
// A sub-file is created on an item name (the store's name-prefix rule is
// applied first); when the store knows the item the sub-file registers in
// the store's list of open sub-files under a process-wide id (the first is
// 1), else it keeps id 0 and reports that it is not open. JxCjxioSubFile
// reads the item's bytes through the store's one file handle, seeking it to
// its own position before every read, so sub-files may be read in turn.
//
// The store normally outlives its sub-files; when it goes first it makes
// them forget it, and they then read nothing and seek nowhere.

#include <cstdint>

#include "foundation/JxCBaseFile.h"
#include "foundation/JxCList.h"

class JxCMungeFile;
class JxCDataIndexEntry;

class JxCSubFile : public JxCBaseFile {
public:
    JxCSubFile(const char* name, JxCMungeFile* store);
    // Leaves the store's list of open sub-files.
    ~JxCSubFile() override;

    // The generic file operations: a plain sub-file reads nothing.
    std::int32_t Read(void* buffer, std::int32_t count) override;
    std::int32_t Seek(std::int32_t offset, int origin) override;
    // The store's file handle.
    plat::HFILE GetHandle() const override;

    std::uint32_t GetId() const { return id_; }
    const JxCDataIndexEntry* GetEntry() const { return entry_; }
    JxCMungeFile* GetStore() const { return store_; }
    // Called by a store that goes before its sub-files.
    void ForgetStore();

protected:
    // 1 on an existing item after construction; then the result of the last
    // read or seek (1 = the whole request was served).
    std::int16_t status_ = 0;
    std::uint32_t position_ = 0;

private:
    std::uint32_t id_ = 0;
    const JxCDataIndexEntry* entry_ = nullptr;
    JxCMungeFile* store_ = nullptr;
};

class JxCjxioSubFile : public JxCSubFile {
public:
    JxCjxioSubFile(JxCMungeFile* store, const char* name) : JxCSubFile(name, store) {}

    // The bytes read (cut at the item's end); 0 when nothing could be read.
    std::int32_t Read(void* buffer, std::int32_t count) override;
    // The new position within the item, or -1 for a position before its
    // first byte or past its end (the end itself is allowed). Origin 0
    // counts from the item's start, 1 from the current position, 2 from
    // the item's end.
    std::int32_t Seek(std::int32_t offset, int origin) override;

    std::uint32_t GetSize() const;
    std::int16_t IsOpen() const { return status_; }
    std::uint32_t GetPosition() const { return position_; }
};

// The store's list of open sub-files; it does not own them.
class JxCSubFileList : public JxCTypedList<JxCSubFile> {
public:
    JxCSubFileList() { SetOwnsItems(0); }
    using JxCTypedList<JxCSubFile>::Add;
    // Removes the sub-file of that id; 0 when none has it.
    std::int16_t Remove(std::uint32_t id);
    JxCSubFile* Find(std::uint32_t id);
};
