#pragma once
// The login page's widgets and the displays of the logged-in user's name.
//
// The login page shows the registered users in a list (the login collage,
// over the login list's data manager), the name picked in a field that
// takes no typing (the login field, whose text follows the list through the
// login group collage), a login button, and a field with a button for a new
// user's name. Enter in either field presses its button. The fields and
// buttons enter themselves in the user object while they have their
// resources, so that each reaches the others.
//
// Logging in loads the file of the row picked (names may differ only in
// case), only then lets the previous user's record go (saved), and shows
// the new name on the page beneath the login page; a file that cannot be
// loaded shows the failure page instead, and the previous user stays. A new user's name is refused
// when it is empty or already listed (in any case), each with its page;
// otherwise the user's file is written and the list read again with the
// new name picked. The pages are asked through RunDialogPage.
//
// The name displays are paragraphs whose text is the current name, framed
// by the program's strings 191 and 190 in the page's display, alone on the
// certificate; they work it out when they make their resources.

#include <cstdint>

#include "foundation/JxCString.h"
#include "objects/widgets/JxCButton.h"
#include "objects/widgets/JxCCollage.h"
#include "objects/widgets/JxCEditBox.h"
#include "objects/widgets/JxCParaText.h"

class JxCUser;

// Object type "LoginField": the name picked in the list. Disabled from its
// start (it takes no clicks) but holds the focus; Enter presses the login
// button and every other key is taken and ignored. Each new text is drawn
// at once: the field has no caret or selection whose moves would draw it.
class JxCLoginField : public JxCEditBox {
public:
    JxCLoginField() = default;
    ~JxCLoginField() override;

    std::int16_t CreateResources() override;
    std::int16_t Start() override;
    std::int16_t HandleKey(JxCKeyParams& key) override;
    std::int16_t SetText(const char* text, std::int16_t redraw, std::int16_t reset) override;
};

// Object type "NewUserField": where a new user's name is typed; Enter
// presses the new-user button.
class JxCNewUserField : public JxCEditBox {
public:
    JxCNewUserField() = default;
    ~JxCNewUserField() override;

    std::int16_t CreateResources() override;
    std::int16_t Start() override;
    std::int16_t HandleKey(JxCKeyParams& key) override;
};

// Object type "LoginButton". Record: the button's, then the page shown when
// the login fails (u32).
class JxCLoginButton : public JxCButton {
public:
    JxCLoginButton() = default;
    ~JxCLoginButton() override;

    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type) override;
    std::int16_t CreateResources() override;
    // Only on the frontmost page (0 elsewhere): logs the login field's user
    // in, then raises "on_click"; the failure page when that fails.
    std::int16_t MouseUp(const JxCPoint& point, std::int16_t flag) override;

    std::int32_t GetFailurePage() const { return failurePage_; }

private:
    // The "Name" displays of the page beneath the button's make their text
    // again; the navigation bar forgets its marks.
    void showNewName();

    std::int32_t failurePage_ = 0;
};

// Object type "NewUserButton". Record: the button's, then the page shown
// when the name is taken and the one shown when no name was typed (u32
// each).
class JxCNewUserButton : public JxCButton {
public:
    JxCNewUserButton() = default;
    ~JxCNewUserButton() override;

    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type) override;
    std::int16_t CreateResources() override;
    std::int16_t MouseUp(const JxCPoint& point, std::int16_t flag) override;

    std::int32_t GetTakenPage() const { return takenPage_; }
    std::int32_t GetEmptyPage() const { return emptyPage_; }

private:
    // Shows the page, then gives the new-user field the focus again.
    void refuse(JxCNewUserField& field, std::int32_t page);

    std::int32_t takenPage_ = 0;
    std::int32_t emptyPage_ = 0;
};

// Object type "LoginCollage": the list of registered users.
class JxCLoginCollage : public JxCCollage {
public:
    JxCLoginCollage() = default;
    ~JxCLoginCollage() override = default;

    // Reads the users again and picks the user of the file (none when it
    // is not listed, or for an empty name), drawn again.
    void Reload(const JxCString& fileName);
};

// Object type "loginGroupCollage": picks the logged-in user's row (the
// first with nobody logged in) as it starts.
class JxCLoginGroupCollage : public JxCGroupCollage {
public:
    JxCLoginGroupCollage() = default;
    ~JxCLoginGroupCollage() override = default;

    std::int16_t Start() override;
};

// Object type "Name": string 191, the current name, string 190.
class JxCNameDisplay : public JxCParaText {
public:
    std::int16_t CreateResources() override;
};

// Object type "CertificateNameDisplay": the current name alone.
class JxCCertificateNameDisplay : public JxCParaText {
public:
    std::int16_t CreateResources() override;
};

// The title's user object, or null without the title's product data.
JxCUser* TitleUser();
// The login collage of the panel the object lies on, or null.
JxCLoginCollage* FindLoginCollage(const JxCDisplayObject& object);
// The entry of the user picked in the login field: the list's picked row
// while it shows the field's name, else the entry of that name; -1 when
// none is.
std::int32_t PickedUser(const JxCLoginField& field);
