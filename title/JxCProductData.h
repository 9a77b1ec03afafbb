#pragma once
// The title's product data: its index, visit data, quiz state, user object
// and styles, attached to the product at start-up.

#include <memory>

#include "graphics/JxCStyleDef.h"
#include "runtime/JxCBaseProductData.h"
#include "title/JxCUser.h"

class JxCProductData : public JxCBaseProductData {
public:
    JxCProductData() = default;
    // Deleting the user saves the logged-in user's record. The styles stop
    // being the product's.
    ~JxCProductData() override;

    // Makes the user object. The index, visit data and quiz come with the
    // title's other features.
    std::int16_t Initialise() override
    {
        user_ = std::make_unique<JxCUser>();
        return 1;
    }
    // The title's record: its style definitions first, which become the
    // styles the display objects find. The rest of the record comes with
    // the title's other features.
    void Load(JxCInStrStream& in) override;

    // The user object, null before Initialise.
    JxCUser* GetUser() const { return user_.get(); }
    // The style definitions, null before Load.
    JxCStyleDef* GetStyleDef() const { return styles_.get(); }

private:
    std::unique_ptr<JxCUser> user_;
    std::unique_ptr<JxCStyleDef> styles_;
    bool stylesInstalled_ = false;
};
