#include "foundation/JxCCollationKey.h"

#include "foundation/JxCTokeniser.h"

JxCCollationKey::JxCCollationKey(const JxCCollationKey& other)
    : text_(other.text_),
      tokenised_(other.tokenised_ ? std::make_unique<JxCCollationKey>(*other.tokenised_) : nullptr),
      tokeniser_(other.tokeniser_),
      parameters_(other.parameters_)
{
}

JxCCollationKey& JxCCollationKey::operator=(const JxCCollationKey& other)
{
    if (this != &other) {
        JxCCollationKey copy(other);
        text_ = copy.text_;
        tokenised_ = std::move(copy.tokenised_);
        tokeniser_ = copy.tokeniser_;
        parameters_ = copy.parameters_;
    }
    return *this;
}

void JxCCollationKey::SetTokeniser(const JxCSharedPtr& tokeniser)
{
    JxCTokeniser* next = tokeniser.IsValid() ? tokeniser.Get()->AsTokeniser() : nullptr;
    if (!next)
        return;
    JxCTokeniser* current = tokeniser_.IsValid() ? tokeniser_.Get()->AsTokeniser() : nullptr;
    if (current && current->IsSameAs(*next))
        return;
    tokenised_.reset();
    tokeniser_ = tokeniser;
    tokenised_ = next->Tokenise(*this);
}
