#pragma once
// A list of points that copies and compares by value.

#include "foundation/JxCList.h"
#include "foundation/JxCPoint.h"

class JxCPointList : public JxCTypedList<JxCPoint> {
public:
    JxCPointList() = default;
    // Appends a copy of each point of other, in order; stops at the first copy
    // that cannot be made.
    JxCPointList(const JxCPointList& other);
    // Removes every point (deleted when this list owns them), then appends a
    // copy of each point of other. Nothing happens for self-assignment.
    JxCPointList& operator=(const JxCPointList& other);
    // Same count and pairwise equal points, in order.
    bool operator==(const JxCPointList& other) const;

private:
    void AppendCopies(const JxCPointList& other);
};
