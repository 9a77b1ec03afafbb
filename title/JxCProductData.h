#pragma once
// The title's product data: its index, visit data, quiz state, user object
// and styles, attached to the product at start-up.

#include <memory>

#include "runtime/JxCBaseProductData.h"
#include "title/JxCUser.h"

class JxCProductData : public JxCBaseProductData {
public:
    JxCProductData() = default;
    // Deleting the user saves the logged-in user's record.
    ~JxCProductData() override = default;

    // Makes the user object. The index, visit data and quiz come with the
    // title's other features.
    std::int16_t Initialise() override
    {
        user_ = std::make_unique<JxCUser>();
        return 1;
    }

    // The user object, null before Initialise.
    JxCUser* GetUser() const { return user_.get(); }

private:
    std::unique_ptr<JxCUser> user_;
};
