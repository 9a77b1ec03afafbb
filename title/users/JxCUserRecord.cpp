#include "title/users/JxCUserRecord.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>

#include "foundation/JxCOutStream.h"
#include "foundation/JxErrorHook.h"
#include "foundation/JxErrorReport.h"
#include "foundation/JxFileUtils.h"
#include "foundation/JxMessageText.h"
#include "foundation/JxStartupSettings.h"
#include "platform/fs/errors.h"
#include "platform/fs/files.h"

const JxCString& GetUserFolder()
{
    return GetUserPath();
}

JxCString GetUserFolderName()
{
    JxCString folder = GetUserFolder();
    StripTrailingBackslash(folder);
    return folder;
}

JxCString UserFilePath(const JxCString& fileName)
{
    return GetUserFolder() + fileName;
}

namespace {

// The user folder exists, or was made now.
bool ensureUserFolder()
{
    const JxCString folder = GetUserFolderName();
    if (folder.IsEmpty() || DirectoryExists(GetUserFolder().GetText()))
        return true;
    return plat::CreateDirectoryA(folder.GetText(), nullptr) || plat::GetLastError() == plat::ERROR_ALREADY_EXISTS;
}

// A failed write of a user file: the folder that takes no new file at all
// (8300, with the folder's name), else the file that could not be written
// (a full disc; fileId names it).
struct WriteFailure {
    std::int32_t id;
    JxCString name;
};

WriteFailure failureOf(std::uint32_t error, const JxCString& fileName, std::int32_t fileId)
{
    const bool folder = error == plat::ERROR_ACCESS_DENIED || error == plat::ERROR_PATH_NOT_FOUND ||
                        error == plat::ERROR_WRITE_PROTECTED;
    if (folder)
        return {JxCUserRecord::kFolderNotWritableId, GetUserFolderName()};
    return {fileId, UserFilePath(fileName)};
}

// Shows the failure; true for Retry.
bool askRetry(const WriteFailure& failure)
{
    return ReportErrorRetryCancel(unsigned(failure.id), failure.name) == kAnswerRetry;
}

// A failure nobody is asked about is never lost: it goes to the program's
// standard error (one line), and to the error log while errors are logged.
void logQuietly(const WriteFailure& failure)
{
    ReportError(failure.id, failure.name);
    JxCString text;
    if (!text.LoadString(unsigned(failure.id)))
        text = "%s";
    std::string line(FormatMessageArgs(text.GetText(), failure.name).Text().View());
    std::replace(line.begin(), line.end(), '\n', ' ');
    std::fprintf(stderr, "kelbo32: %s\n", line.c_str());
}

}  // namespace

JxCUserRecord::JxCUserRecord() = default;

JxCUserRecord::~JxCUserRecord()
{
    if (!loaded_)
        return;
    // The whole file is written again; a failure is worth a question only
    // when progress would be lost with it.
    save(unsaved_ ? Asking::kAsk : Asking::kQuiet);
    closeFile();
}

std::int32_t JxCUserRecord::slotOf(std::int32_t level, std::int32_t topic, std::int32_t question)
{
    if (level < 0 || level >= kLevels || topic < 0 || topic >= kTopics || question < 0 ||
        question >= kQuestions)
        return -1;
    return (topic * kLevels + level) * kQuestions + question;
}

std::int16_t JxCUserRecord::Load(const JxCString& fileName)
{
    fileName_ = fileName;
    closeFile();
    if (!file_.Open(UserFilePath(fileName).GetText(), plat::OF_READWRITE, plat::OF_SHARE_DENY_WRITE)) {
        loadError_ = plat::GetLastError();
        return 0;
    }
    loadError_ = 0;
    loaded_ = true;
    unsaved_ = false;
    declined_ = false;
    read(file_);
    return 1;
}

bool JxCUserRecord::IsUnwritable() const
{
    return loadError_ == plat::ERROR_ACCESS_DENIED || loadError_ == plat::ERROR_WRITE_PROTECTED ||
           loadError_ == plat::ERROR_SHARING;
}

bool JxCUserRecord::ReadName(JxCInStrStream& in, JxCString& name)
{
    std::int16_t length = 0;
    if (!in.ReadBigEndian16(length) || (length > 0 && std::uint32_t(length) > in.Remaining()))
        return false;
    std::string bytes(std::size_t(std::max<std::int16_t>(length, 0)), '\0');
    if (!bytes.empty() && !in.ReadBlock(bytes.data(), std::uint32_t(bytes.size())))
        return false;
    name = JxCString(std::string_view(bytes));
    return true;
}

void JxCUserRecord::read(JxCInStrStream& in)
{
    // Each field is read into a copy, which takes the new-record value back
    // when the file ends before it.
    // A name longer than what the file holds after it is damage: nothing
    // past it can be found either.
    if (!ReadName(in, userName_))
        return;
    std::int32_t value = 0;
    if (in.ReadBigEndian16To32(value))
        reserved_ = value;
    if (in.ReadBigEndian16To32(value))
        level_ = std::clamp(value, 0, kTopLevel);
    for (Answer& answer : answers_) {
        std::uint16_t answered = 0;
        if (!in.ReadBigEndian16(answered) || !in.ReadBigEndian16To32(value))
            return;
        answer.answered = answered;
        answer.value = value;
    }
    for (std::uint16_t& mark : visited_) {
        std::uint16_t v = 0;
        if (!in.ReadBigEndian16(v))
            return;
        mark = v;
    }
}

bool JxCUserRecord::write(JxCOutStream& out) const
{
    out.WriteCountedString(userName_);
    out.WriteBigEndian16(static_cast<std::int16_t>(reserved_));
    out.WriteBigEndian16(static_cast<std::int16_t>(level_));
    for (const Answer& answer : answers_) {
        out.WriteBigEndian16(answer.answered);
        out.WriteBigEndian16(static_cast<std::int16_t>(answer.value));
    }
    for (std::uint16_t mark : visited_)
        out.WriteBigEndian16(mark);
    return out.Close();
}

void JxCUserRecord::closeFile()
{
    file_.CloseFile();
    loaded_ = false;
}

void JxCUserRecord::changed()
{
    unsaved_ = true;
    if (loaded_)
        save(declined_ ? Asking::kQuiet : Asking::kAsk);
}

bool JxCUserRecord::save(Asking asking)
{
    if (!loaded_)
        return false;
    for (;;) {
        // The stream writes the new file for the one held open, which stays
        // held until the new one has taken its place.
        JxCOutStream out(file_.FileHandle());
        if (write(out)) {
            unsaved_ = false;
            declined_ = false;
            return true;
        }
        const WriteFailure failure = failureOf(out.GetError(), fileName_, kSaveFailedId);
        if (asking == Asking::kQuiet) {
            logQuietly(failure);
            return false;
        }
        if (!askRetry(failure)) {
            declined_ = true;
            return false;
        }
    }
}

bool JxCUserRecord::SaveQuietly()
{
    return save(Asking::kQuiet);
}

JxCUserRecord::Creation JxCUserRecord::Create(const JxCString& userName)
{
    userName_ = userName;
    for (;;) {
        std::uint32_t error = plat::ERROR_PATH_NOT_FOUND;
        if (ensureUserFolder()) {
            JxCOutStream out(UserFilePath(fileName_).GetText(), JxCOutStream::kNewFileOnly);
            if (write(out))
                return Creation::kWritten;
            if (out.GetError() == plat::ERROR_FILE_EXISTS)
                return Creation::kNameTaken;
            error = out.GetError();
        }
        if (!askRetry(failureOf(error, fileName_, kNewFileFailedId)))
            return Creation::kFailed;
    }
}

void JxCUserRecord::AdvanceLevel()
{
    if (level_ >= kTopLevel)
        return;
    ++level_;
    changed();
}

void JxCUserRecord::SetAnswer(std::int32_t level, std::int32_t topic, std::int32_t question,
                              std::int32_t value)
{
    const std::int32_t slot = slotOf(level, topic, question);
    if (slot < 0)
        return;
    Answer& answer = answers_[std::size_t(slot)];
    if (answer.answered == 1 && answer.value == value)
        return;
    answer.answered = 1;
    answer.value = value;
    changed();
}

bool JxCUserRecord::IsAnswered(std::int32_t level, std::int32_t topic, std::int32_t question) const
{
    const std::int32_t slot = slotOf(level, topic, question);
    return slot >= 0 && answers_[std::size_t(slot)].answered == 1;
}

std::int32_t JxCUserRecord::GetAnswer(std::int32_t level, std::int32_t topic, std::int32_t question) const
{
    if (!IsAnswered(level, topic, question))
        return -1;
    return answers_[std::size_t(slotOf(level, topic, question))].value;
}

std::int32_t JxCUserRecord::CountAnsweredOfTopic(std::int32_t level, std::int32_t topic) const
{
    std::int32_t count = 0;
    for (std::int32_t question = 0; question < kQuestions; ++question)
        count += IsAnswered(level, topic, question) ? 1 : 0;
    return count;
}

std::int32_t JxCUserRecord::CountAnswered(std::int32_t level) const
{
    if (level >= kTopLevel)
        return kTopics * kQuestions;
    std::int32_t count = 0;
    for (std::int32_t topic = 0; topic < kTopics; ++topic)
        count += CountAnsweredOfTopic(level, topic);
    return count;
}

bool JxCUserRecord::IsTopicDone(std::int32_t level, std::int32_t topic) const
{
    if (level >= kTopLevel)
        return true;
    return CountAnsweredOfTopic(level, topic) == kQuestions;
}

std::int32_t JxCUserRecord::FindNextTopic(std::int32_t level, std::int32_t after) const
{
    for (std::int32_t step = 1; step <= kTopics; ++step) {
        const std::int32_t topic = ((after + step) % kTopics + kTopics) % kTopics;
        if (topic == after)
            break;
        if (!IsTopicDone(level, topic))
            return topic;
    }
    return -1;
}

bool JxCUserRecord::IsLevelDone(std::int32_t level) const
{
    for (std::int32_t topic = 0; topic < kTopics; ++topic)
        if (!IsTopicDone(level, topic))
            return false;
    return true;
}

bool JxCUserRecord::HasStartedQuiz() const
{
    return level_ > 0 || CountAnswered(0) > 0;
}

void JxCUserRecord::ResetQuiz()
{
    answers_.fill(Answer{});
    level_ = 0;
    changed();
}

std::uint16_t JxCUserRecord::IsVisited(std::int32_t page) const
{
    return page >= 0 && page < kPages ? visited_[std::size_t(page)] : 0;
}

void JxCUserRecord::SetVisited(std::int32_t page)
{
    if (page < 0 || page >= kPages || visited_[std::size_t(page)] == 1)
        return;
    visited_[std::size_t(page)] = 1;
    changed();
}
