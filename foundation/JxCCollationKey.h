#pragma once
// A text to be ordered, with its sort text under the tokeniser last applied
// to it (a chain: the sort text is itself a key).

#include <memory>

#include "foundation/JxCString.h"
#include "foundation/JxCWiseObj.h"

class JxCCollationKey {
public:
    JxCCollationKey() = default;
    explicit JxCCollationKey(const JxCString& text) : text_(text) {}
    explicit JxCCollationKey(const char* text) : text_(text) {}
    // Copies the whole chain of sort texts and shares the pointers.
    JxCCollationKey(const JxCCollationKey& other);
    JxCCollationKey& operator=(const JxCCollationKey& other);
    ~JxCCollationKey() = default;

    // Makes the sort text with tokeniser, unless the pointer is empty or the
    // key already has it from the same tokeniser.
    void SetTokeniser(const JxCSharedPtr& tokeniser);

    const JxCString& GetText() const { return text_; }
    const JxCCollationKey* GetTokenised() const { return tokenised_.get(); }
    const JxCSharedPtr& GetTokeniser() const { return tokeniser_; }

private:
    JxCString text_;
    std::unique_ptr<JxCCollationKey> tokenised_;
    JxCSharedPtr tokeniser_;
    JxCSharedPtr parameters_;
};
