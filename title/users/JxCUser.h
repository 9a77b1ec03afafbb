#pragma once
// The title's users: the list of registered users, read from the user files
// in the user folder, and the one logged in, whose record is current. The
// title's product data owns the one user object; deleting it saves the
// current record.
//
// The login page's widgets hand their texts in: the name picked in the
// login field, the name typed in the new-user field. While the login page
// is open its fields and buttons are known here (each enters itself as it
// makes its resources and leaves as it goes), so that each can reach the
// others.

#include <cstdint>
#include <memory>
#include <vector>

#include "foundation/JxCObject.h"
#include "foundation/JxCString.h"
#include "title/users/JxCLoginWidgets.h"
#include "title/users/JxCUserRecord.h"

// One registered user: the user's name and file name.
struct JxCUserEntry {
    JxCString userName;
    JxCString fileName;
};

class JxCUser : public JxCObject {
public:
    // The longest name a user file can hold.
    static constexpr std::uint32_t kMaxNameLength = 32767;
    // How far the new user's file numbers go ("jx999999.Gv3").
    static constexpr std::int32_t kMaxFileNumber = 999999;

    JxCUser();
    JxCUser(const JxCUser&) = delete;
    JxCUser& operator=(const JxCUser&) = delete;
    ~JxCUser() override;

    JxCUserRecord* GetRecord() const { return record_.get(); }
    JxCString GetCurrentName() const { return currentName_; }
    bool IsCurrentName(const JxCTableString& name) const { return name.EqualsTextNoCase(currentName_); }
    // Marks the page visited in the current record (pages 0 to 1999 only).
    void SetVisited(std::int32_t page);

    // Reads the list again from the user files: users whose file cannot be
    // opened for exclusive use (logged in in another running copy) or whose
    // name is empty are left out. Sorted by name. Returns the count.
    std::int32_t LoadList();
    // By name without regard to case; names equal so keep their order.
    void SortList();
    // The name at the start of the user file; empty when the file cannot be
    // opened for exclusive use. The current record answers for its own file.
    JxCString ReadUserName(const JxCString& fileName);
    // The first "jx" + n + ".Gv3" (n from 0) that no file in the user folder
    // has; empty when every number is taken.
    JxCString MakeFileName() const;
    // Clears the user folder of what saves ended by force (the program
    // killed half-way) left beside the users' files. For the start.
    static void RemoveAbandonedSaves();

    // Logs in the user of entry i, the row picked in the login list (never
    // found again by its name: two entries may differ only in case, or not
    // at all). The entry's file is loaded first; only then does its record
    // become the current one, and its name the current name, while the
    // previous record is saved as it goes. Logging in again as the current
    // user keeps the record. 0, with everything as it was, when there is no
    // such entry or its file cannot be loaded; a file that is there but
    // cannot be written is named in a box (8303).
    std::int16_t Login(std::int32_t entry);
    // Writes a new user's file under the first free file name (the next one
    // when another copy took it meanwhile). The file name, or empty when
    // the file could not be written (reported) or the name is empty or too
    // long. The list is not read again here.
    JxCString CreateUser(const JxCString& name);
    // Deletes the file of entry i, whether or not anyone is logged in, but
    // never the current user's. 0 when there is no such entry or the file
    // system refuses; the list is not read again.
    std::int16_t DeleteUser(std::int32_t entry);

    // Names compare without regard to case in the title's code page.
    // Whether a user of that name exists: listed, or with a file that
    // another running copy holds.
    bool IsNameTaken(const JxCTableString& name) const;
    // The entry of the logged-in user (its file is the current record's);
    // 0 when nobody is logged in.
    std::int32_t GetCurrentIndex() const;
    bool IsCurrentEntry(std::int32_t entry) const;
    // The entry of the name: the first of exactly that name, else the first
    // equal to it without regard to case; -1 when none.
    std::int32_t FindName(const JxCTableString& name) const;
    // The entry of the file (named without regard to case); -1 when none.
    std::int32_t FindFile(const JxCTableString& fileName) const;

    JxCLoginWidgets& GetLoginWidgets() { return widgets_; }

    std::int32_t GetEntryCount() const { return static_cast<std::int32_t>(entries_.size()); }
    // Entry i, or null.
    const JxCUserEntry* GetEntry(std::int32_t i) const;

private:
    JxCString currentName_;
    std::unique_ptr<JxCUserRecord> record_;
    std::vector<JxCUserEntry> entries_;
    JxCLoginWidgets widgets_;
};
