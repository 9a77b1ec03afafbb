#pragma once
// The files that match a file pattern (a path whose last component
// may hold wildcards), walked one entry at a time.

#include <cstdint>

#include "foundation/JxCObject.h"
#include "foundation/JxCString.h"
#include "platform/fs/find.h"

class JxCDirectoryList : public JxCObject {
public:
    explicit JxCDirectoryList(const char* fileSpec);
    ~JxCDirectoryList() override;
    JxCDirectoryList(const JxCDirectoryList&) = delete;
    JxCDirectoryList& operator=(const JxCDirectoryList&) = delete;

    // Closes an open search and starts again; true when an entry was found.
    bool FindFirst();
    // True when another entry was found.
    bool FindNext();

    // The current entry; each starts the search when none is open. Empty
    // or 0 when there is no entry.
    JxCString GetName();
    std::uint32_t GetSize();
    std::uint32_t GetAttributes();
    plat::FILETIME GetTime();

    // All matches, counted once and kept.
    std::int32_t GetCount();

    const JxCString& GetFileSpec() const { return fileSpec_; }

private:
    void close();
    bool ensureSearch();

    JxCString fileSpec_;
    plat::HANDLE_FIND search_ = plat::INVALID_FIND_HANDLE;
    bool haveEntry_ = false;
    plat::WIN32_FIND_DATAA data_{};
    std::int32_t count_ = 0;
    bool counted_ = false;
};
