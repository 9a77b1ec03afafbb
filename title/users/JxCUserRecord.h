#pragma once
// One user's data and its file in the user folder ("jx" + number + ".Gv3"):
// the user's name, the quiz level reached, an answer slot per quiz question
// and a visited mark per page of the product's index.
//
// The file, every integer big-endian:
//   u16 name length L, L bytes of the name (nothing when L is below 1),
//   i16 reserved word, i16 quiz level,
//   330 pairs of u16 answered flag and i16 answer value, in slot order,
//   2000 u16 visited marks, page 0 first;
// 5326 + L bytes in all. The record's 32-bit values are stored as their low
// 16 bits and read back sign-extended.
//
// While a record is loaded its file stays open, readable and writable here
// and only readable elsewhere (so another running copy does not list the
// user, nor log the user in there). A loaded record is saved whenever its
// progress changes (an answer, the level, a newly visited page), so that a
// session ended by force keeps what it did, and once more when it goes.
// Each save writes the whole file to a new file that takes the old one's
// place only once complete, and the old file stays held until then, so a
// failed save keeps what the file held before and another copy never gets
// in between.
//
// A failed save is shown with Retry and Cancel (messages 8300 and 8301;
// 8302 for a new user's file, which holds nothing yet). After a Cancel the
// record keeps its progress in memory and tries again at each change,
// quietly, until a save succeeds; the save as it goes asks again, since the
// progress is given up when that one fails too. A save that fails quietly
// is written to the program's standard error, and to the error log while
// errors are logged.

#include <array>
#include <cstdint>

#include "foundation/JxCInStrStream.h"
#include "foundation/JxCObject.h"
#include "foundation/JxCString.h"

class JxCOutStream;

class JxCUserRecord : public JxCObject {
public:
    static constexpr std::int32_t kTopics = 22;
    static constexpr std::int32_t kLevels = 3;  // levels with answer slots; level 3 is "all done"
    static constexpr std::int32_t kTopLevel = 3;
    static constexpr std::int32_t kQuestions = 5;
    static constexpr std::int32_t kSlots = kTopics * kLevels * kQuestions;  // 330
    static constexpr std::int32_t kPages = 2000;
    static constexpr std::uint32_t kFixedFileSize = 5326;  // the file's size without the name

    // Messages of the record's own (the texts are the resource library's).
    static constexpr std::int32_t kFolderNotWritableId = 8300;
    static constexpr std::int32_t kSaveFailedId = 8301;
    static constexpr std::int32_t kNewFileFailedId = 8302;
    // A user whose file cannot be opened for writing cannot log in.
    static constexpr std::int32_t kCannotLogInId = 8303;

    // What Create did.
    enum class Creation { kWritten, kNameTaken, kFailed };

    // A new record: nothing answered, level 0, no page visited.
    JxCUserRecord();
    JxCUserRecord(const JxCUserRecord&) = delete;
    JxCUserRecord& operator=(const JxCUserRecord&) = delete;
    // Saves a loaded record (see above) and lets go of its file.
    ~JxCUserRecord() override;

    // Opens the file (user folder + file name) and reads it; a file that
    // ends early leaves the fields past its end as a new record has them.
    // 0 when the file cannot be opened (also when another copy holds it);
    // GetLoadError tells why.
    std::int16_t Load(const JxCString& fileName);
    // The platform's error code of the last Load that failed; 0 after one
    // that succeeded.
    std::uint32_t GetLoadError() const { return loadError_; }
    // Whether that error means the file is there but cannot be written
    // (read-only, on a medium that is, or held by another running copy).
    bool IsUnwritable() const;
    // Writes a new user's file (the file name set before) with this name,
    // making the user folder when it is missing. The file is put in place
    // only where no file of its name exists (kNameTaken, nothing written,
    // when another copy took it). A folder that cannot be made or written,
    // or a full disc, is shown with Retry (8300, 8302); kFailed after Cancel.
    Creation Create(const JxCString& userName);
    // Reads the name at the start of a user file into name (empty for a
    // length below 1); false, with name untouched, when the stream ends
    // first or the length runs past what the stream holds.
    static bool ReadName(JxCInStrStream& in, JxCString& name);

    void SetFileName(const JxCString& fileName) { fileName_ = fileName; }
    const JxCString& GetFileName() const { return fileName_; }
    bool IsFileName(const JxCTableString& name) const { return fileName_.EqualsNoCase(name); }
    JxCString GetName() const { return userName_; }
    bool IsLoaded() const { return loaded_; }
    std::int32_t GetReserved() const { return reserved_; }
    // Whether the record holds progress that its file does not.
    bool HasUnsavedProgress() const { return unsaved_; }
    // Saves a loaded record now without asking anything, for a program
    // that is being ended and can show nothing: a failure is only logged
    // (see above). False when it failed or nothing is loaded.
    bool SaveQuietly();

    // The quiz. Slots exist for levels 0 to 2, topics 0 to 21 and questions
    // 0 to 4; anything else has no answer and takes none.
    std::int32_t GetLevel() const { return level_; }
    void AdvanceLevel();
    void SetAnswer(std::int32_t level, std::int32_t topic, std::int32_t question, std::int32_t value);
    // The value stored with the answer, -1 when the question is unanswered.
    // A stored value may be negative too: IsAnswered tells.
    std::int32_t GetAnswer(std::int32_t level, std::int32_t topic, std::int32_t question) const;
    bool IsAnswered(std::int32_t level, std::int32_t topic, std::int32_t question) const;
    // Answered questions 0 to 4 of one topic at a level.
    std::int32_t CountAnsweredOfTopic(std::int32_t level, std::int32_t topic) const;
    // Answered questions of the level over all topics (110 for the top level).
    std::int32_t CountAnswered(std::int32_t level) const;
    bool IsTopicDone(std::int32_t level, std::int32_t topic) const;
    // The first topic after `after` that is not done, going round past the
    // last topic to 0 and stopping before `after`; -1 when there is none.
    std::int32_t FindNextTopic(std::int32_t level, std::int32_t after) const;
    bool IsLevelDone(std::int32_t level) const;
    bool HasStartedQuiz() const;
    // Every answer cleared and the level back to 0 (ResetQuizProgress
    // also clears what the quiz's pages keep).
    void ResetQuiz();

    // Visited marks; pages outside 0 to 1999 are never visited.
    std::uint16_t IsVisited(std::int32_t page) const;
    void SetVisited(std::int32_t page);

private:
    struct Answer {
        std::uint16_t answered = 0;
        std::int32_t value = -1;
    };

    // The slot of a question, -1 when there is none.
    static std::int32_t slotOf(std::int32_t level, std::int32_t topic, std::int32_t question);
    enum class Asking { kAsk, kQuiet };

    void read(JxCInStrStream& in);
    bool write(JxCOutStream& out) const;
    void closeFile();
    // Progress changed: saved at once while loaded.
    void changed();
    // Writes the whole record in place of its file (see above); a failure
    // is shown with Retry and Cancel, or only logged. False when the
    // record is not loaded or the save failed in the end.
    bool save(Asking asking);

    JxCString fileName_;
    JxCString userName_;
    std::int32_t reserved_ = 0;
    std::int32_t level_ = 0;
    JxCExclStream file_;
    bool loaded_ = false;
    std::uint32_t loadError_ = 0;
    bool unsaved_ = false;   // progress the file does not hold yet
    bool declined_ = false;  // Cancel to a failed save, and none has succeeded since
    std::array<Answer, kSlots> answers_{};
    std::array<std::uint16_t, kPages> visited_{};
};

// The user folder with its trailing backslash ("User" of the INI file, else
// the program folder).
const JxCString& GetUserFolder();
// The same without the backslash, as messages name it.
JxCString GetUserFolderName();
// The path of a user file of the user folder.
JxCString UserFilePath(const JxCString& fileName);
