#pragma once
// The login page's panel (panel type "LoginPanel"): a transparent panel on
// which the Delete key asks to delete the user picked in the login field.
// The logged-in user cannot be deleted; for anyone else the confirmation
// page is asked (through RunDialogPage) and its first button deletes the
// file of the row picked, after which the list is read again with the
// current user picked. Every other key, a typed "." among them, goes on as usual.
//
// Record: the panel's, then the confirmation page's id (u32).

#include <cstdint>

#include "objects/panels/JxCTransparentPanel.h"

class JxCLoginPanel : public JxCTransparentPanel {
public:
    // The confirmation page's answer that deletes.
    static constexpr std::int32_t kDeleteAnswer = 0;

    JxCLoginPanel() = default;
    ~JxCLoginPanel() override = default;

    std::int16_t Read(JxCInStrStream& in, JxCPageDef* pageDef) override;
    std::int16_t HandleKey(JxCKeyParams& key) override;

    std::int32_t GetConfirmationPage() const { return confirmationPage_; }

private:
    void deletePickedUser();

    std::int32_t confirmationPage_ = 0;
};
