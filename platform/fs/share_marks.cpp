#include "platform/fs/share_marks.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace plat {

namespace {

// The marks lie at the top of the largest offset a file can have, where no
// data ever is; a lock there never stops a read or write of the data.
constexpr off_t kMarkBase = INT64_MAX - 16;

enum Mark : int { kReads = 0, kWrites = 1, kDeniesRead = 2, kDeniesWrite = 3 };

struct flock lockOn(Mark mark, short type)
{
    struct flock l {};
    l.l_type = type;
    l.l_whence = SEEK_SET;
    l.l_start = kMarkBase + mark;
    l.l_len = 1;
    l.l_pid = 0;  // open-file-description locks want 0 here
    return l;
}

bool set(int fd, Mark mark, short type)
{
    struct flock l = lockOn(mark, type);
    while (::fcntl(fd, F_OFD_SETLK, &l) != 0) {
        if (errno != EINTR)
            return false;
    }
    return true;
}

// Whether another open holds the mark: a write lock there would not be
// granted. An error counts as nobody.
bool heldByOther(int fd, Mark mark)
{
    struct flock l = lockOn(mark, F_WRLCK);
    if (::fcntl(fd, F_OFD_GETLK, &l) != 0)
        return false;
    return l.l_type != F_UNLCK;
}

}  // namespace

bool TakeShareMarks(int fd, const ShareWish& wish)
{
    const struct {
        bool wanted;
        Mark mark;
    } own[] = {{wish.reads, kReads},
               {wish.writes, kWrites},
               {wish.deniesRead, kDeniesRead},
               {wish.deniesWrite, kDeniesWrite}};
    for (const auto& o : own) {
        if (o.wanted && !set(fd, o.mark, F_RDLCK))
            return true;  // a file without locks: nothing to hold between processes
    }
    const bool conflict = (wish.reads && heldByOther(fd, kDeniesRead)) ||
                          (wish.writes && heldByOther(fd, kDeniesWrite)) ||
                          (wish.deniesRead && heldByOther(fd, kReads)) ||
                          (wish.deniesWrite && heldByOther(fd, kWrites));
    if (conflict) {
        for (const auto& o : own)
            if (o.wanted)
                set(fd, o.mark, F_UNLCK);
    }
    return !conflict;
}

bool IsOpenElsewhere(int fd)
{
    return heldByOther(fd, kReads) || heldByOther(fd, kWrites) || heldByOther(fd, kDeniesRead) ||
           heldByOther(fd, kDeniesWrite);
}

}  // namespace plat
