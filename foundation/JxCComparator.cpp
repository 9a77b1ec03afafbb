#include "foundation/JxCComparator.h"

#include "foundation/JxCCollationKey.h"

JxCComparator::JxCComparator(JxCompareFunction compare)
{
    JxCCompParams params(compare);
    parameters_ = JxCSharedPtr(params);
}

JxCComparator::JxCComparator(const JxCSharedPtr& tokeniser, const JxCSharedPtr& subComparator,
                             const JxCSharedPtr& parameters)
{
    Set(tokeniser, subComparator, parameters);
}

JxCComparator& JxCComparator::operator=(const JxCComparator& other)
{
    if (this != &other)
        Set(other.tokeniser_, other.subComparator_, other.parameters_);
    return *this;
}

void JxCComparator::Set(const JxCSharedPtr& tokeniser, const JxCSharedPtr& subComparator,
                        const JxCSharedPtr& parameters)
{
    subComparator_ = subComparator;
    tokeniser_ = tokeniser;
    parameters_ = parameters;
}

int JxCComparator::Compare(JxCCollationKey& a, JxCCollationKey& b) const
{
    a.SetTokeniser(tokeniser_);
    b.SetTokeniser(tokeniser_);
    const JxCCollationKey* ta = a.GetTokenised();
    const JxCCollationKey* tb = b.GetTokenised();
    int result = 0;
    JxCComparator* sub = subComparator_.IsValid() ? subComparator_.Get()->AsComparator() : nullptr;
    if (sub && ta && tb) {
        JxCCollationKey subA(*ta), subB(*tb);
        result = sub->Compare(subA, subB);
    } else if (sub) {
        // Without sort texts the sub-comparator orders the keys themselves.
        result = sub->Compare(a, b);
    }
    if (result != 0)
        return result;
    const JxCCollationKey& left = ta && tb ? *ta : a;
    const JxCCollationKey& right = ta && tb ? *tb : b;
    JxCCompParams* params = parameters_.IsValid() ? parameters_.Get()->AsCompParams() : nullptr;
    if (params)
        return params->Compare(left, right);
    return JxCCompParams().Compare(left, right);
}
