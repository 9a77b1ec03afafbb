#pragma once
// The login page's fields and buttons while the page is open, as the user
// object knows them so that each can reach the others (the widgets
// themselves are in JxLoginWidgets.h); null where there is none.

class JxCLoginButton;
class JxCLoginField;
class JxCNewUserButton;
class JxCNewUserField;

struct JxCLoginWidgets {
    JxCLoginField* loginField = nullptr;
    JxCNewUserField* newUserField = nullptr;
    JxCLoginButton* loginButton = nullptr;
    JxCNewUserButton* newUserButton = nullptr;
};
