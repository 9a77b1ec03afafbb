#pragma once
// Orders two collation keys: below zero when the first sorts first. A
// comparator may carry a tokeniser (keys are compared by their sort texts),
// a sub-comparator asked first, and the comparison parameters that decide
// the rest. The comparators the engine builds have only parameters, so a
// comparison is the compare function applied to the two texts; one without
// parameters compares byte by byte.

#include "foundation/JxCCompParams.h"
#include "foundation/JxCWiseObj.h"

class JxCCollationKey;

class JxCComparator : public JxCWiseObj {
public:
    JxCComparator() = default;
    // Parameters made from the compare function (no table).
    explicit JxCComparator(JxCompareFunction compare);
    // Any of the three may be empty; parameters may also be given as an
    // object to share.
    JxCComparator(const JxCSharedPtr& tokeniser, const JxCSharedPtr& subComparator,
                  const JxCSharedPtr& parameters);
    JxCComparator(const JxCComparator& other) = default;
    JxCComparator& operator=(const JxCComparator& other);

    JxCComparator* AsComparator() override { return this; }
    JxCWiseObj* MakeUnique() override { return UniqueCopy(this); }

    void Set(const JxCSharedPtr& tokeniser, const JxCSharedPtr& subComparator, const JxCSharedPtr& parameters);
    // Tokenises both keys (which is why they change) and compares them.
    int Compare(JxCCollationKey& a, JxCCollationKey& b) const;

    const JxCSharedPtr& GetTokeniser() const { return tokeniser_; }
    const JxCSharedPtr& GetParameters() const { return parameters_; }
    const JxCSharedPtr& GetSubComparator() const { return subComparator_; }

private:
    JxCSharedPtr tokeniser_;
    JxCSharedPtr parameters_;
    JxCSharedPtr subComparator_;
};
