#pragma once
// Writers of the login page's records: the two fields, the two buttons with
// the pages they ask, the list of users and its group, the name displays
// and the login panel with its confirmation page:
//
//   testkit::PanelRecord panel(1);
//   panel.add(testkit::LoginCollageRecord(1).id(1).rect(20, 20, 220, 140), file);
//   panel.add(testkit::LoginFieldRecord("FOC", "BOX", "", 1).id(2).rect(20, 150, 220, 176), file);
//   panel.add(testkit::LoginGroupCollageRecord(members).id(3).rect(...).z(5), file);
//   panel.add(testkit::LoginButtonRecord({"Up", "Down"}, 42).id(4).rect(...), file);
//   page.storedPanel("LoginPanel", testkit::LoginPanelBytes(panel, 45));

#include <cstdint>
#include <string>
#include <vector>

#include "testkit/collage_records.h"
#include "testkit/display_objects.h"

namespace testkit {

// "LoginField" and "NewUserField": edit-box records.
DisplayObjectRecord LoginFieldRecord(std::string focused, std::string normal, std::string disabled,
                                     std::int16_t styleId);
DisplayObjectRecord NewUserFieldRecord(std::string focused, std::string normal, std::string disabled,
                                       std::int16_t styleId);

// "LoginButton": the button's record and the failure page.
DisplayObjectRecord LoginButtonRecord(const ButtonPictures& pictures, std::uint32_t failurePage);
// "NewUserButton": the button's record, the name-taken and the no-name page.
DisplayObjectRecord NewUserButtonRecord(const ButtonPictures& pictures, std::uint32_t takenPage,
                                        std::uint32_t emptyPage);

// "LoginCollage" over the users ("LoginLBData", names in the character
// style) in the arrangement "Regular".
DisplayObjectRecord LoginCollageRecord(std::int16_t styleId, Rgb background = {255, 255, 255});
// "loginGroupCollage" naming its members.
DisplayObjectRecord LoginGroupCollageRecord(const GroupMembers& members);

// "Name" (or "CertificateNameDisplay"): a paragraph record whose text the
// program replaces.
DisplayObjectRecord NameDisplayRecord(const ParaText& para, std::string type = "Name");

// A "LoginPanel" record: the panel's, then the confirmation page.
std::vector<std::uint8_t> LoginPanelBytes(const PanelRecord& panel, std::uint32_t confirmationPage);

// A whole login panel of 400 by 300 (panel coordinates): a heading across
// the top, the list of users with the login field below it under their
// group, the login button beside the field, and the new-user field with its
// button below.
struct LoginPage {
    // The object ids.
    static constexpr std::int16_t kList = 1, kLoginField = 2, kGroup = 3, kLoginButton = 4, kNewUserField = 5,
                                  kNewUserButton = 6, kHeading = 7;
    // The rectangles (left, top, right, bottom).
    static constexpr std::int16_t kListRect[4] = {16, 60, 216, 180};
    static constexpr std::int16_t kLoginFieldRect[4] = {16, 188, 216, 214};
    static constexpr std::int16_t kLoginButtonRect[4] = {236, 188, 376, 214};
    static constexpr std::int16_t kNewUserFieldRect[4] = {16, 240, 216, 266};
    static constexpr std::int16_t kNewUserButtonRect[4] = {236, 240, 376, 266};

    std::int16_t listStyle = 1;   // the names in the list
    std::int16_t fieldStyle = 1;  // the fields' text
    std::int16_t paraStyle = 0;  // the heading's; none without one
    std::string heading;
    std::string fieldFocused, field;  // the fields' pictures (200 by 26)
    ButtonPictures login, newUser;    // 140 by 26
    std::uint32_t failurePage = 0, takenPage = 0, emptyPage = 0, confirmationPage = 0;
    // What a successful login's click runs.
    std::vector<ActionRecord> onLogin;
};
std::vector<std::uint8_t> LoginPanelBytes(ProductData& file, const LoginPage& page, std::uint16_t panelId = 1);

}  // namespace testkit
