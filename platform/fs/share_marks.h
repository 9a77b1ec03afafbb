#pragma once
// Share modes that hold between running copies of the program. Each open
// of a host file leaves advisory marks on it, one per thing it does or
// forbids (reads, writes, denies reading, denies writing), as shared locks
// on bytes far past any real data, so other processes see them while the
// open lasts and lose them when it closes or its process ends. A new open
// first leaves its own marks, then looks for a mark of another open that
// it conflicts with; two opens racing each other thus never both succeed.
//
// The marks need a descriptor open for reading; the caller gives one (its
// own, or a second one opened just for the marks).

namespace plat {

struct ShareWish {
    bool reads = false;
    bool writes = false;
    bool deniesRead = false;
    bool deniesWrite = false;
};

// Leaves the marks of the wish on fd's file and checks them against the
// marks of other opens; false when they conflict (the marks are then taken
// back). An fd whose file cannot carry marks counts as no conflict.
bool TakeShareMarks(int fd, const ShareWish& wish);
// Whether an open other than fd's (in any process) has the file open.
bool IsOpenElsewhere(int fd);

}  // namespace plat
