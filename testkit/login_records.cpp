#include "testkit/login_records.h"

#include "testkit/big_endian.h"

namespace testkit {

namespace {

DisplayObjectRecord retyped(DisplayObjectRecord record, std::string type)
{
    record.type = std::move(type);
    return record;
}

}  // namespace

DisplayObjectRecord LoginFieldRecord(std::string focused, std::string normal, std::string disabled,
                                     std::int16_t styleId)
{
    return retyped(EditBoxRecord(std::move(focused), std::move(normal), std::move(disabled), styleId), "LoginField");
}

DisplayObjectRecord NewUserFieldRecord(std::string focused, std::string normal, std::string disabled,
                                       std::int16_t styleId)
{
    return retyped(EditBoxRecord(std::move(focused), std::move(normal), std::move(disabled), styleId), "NewUserField");
}

DisplayObjectRecord LoginButtonRecord(const ButtonPictures& pictures, std::uint32_t failurePage)
{
    DisplayObjectRecord record = ButtonRecord(pictures, "LoginButton");
    PutBigEndian32(record.extra, failurePage);
    return record;
}

DisplayObjectRecord NewUserButtonRecord(const ButtonPictures& pictures, std::uint32_t takenPage,
                                        std::uint32_t emptyPage)
{
    DisplayObjectRecord record = ButtonRecord(pictures, "NewUserButton");
    PutBigEndian32(record.extra, takenPage);
    PutBigEndian32(record.extra, emptyPage);
    return record;
}

DisplayObjectRecord LoginCollageRecord(std::int16_t styleId, Rgb background)
{
    std::vector<std::uint8_t> style;
    PutBigEndian16(style, std::uint16_t(styleId));
    return retyped(CollageRecord("LoginLBData", background, style), "LoginCollage");
}

DisplayObjectRecord LoginGroupCollageRecord(const GroupMembers& members)
{
    return retyped(GroupCollageRecord(members), "loginGroupCollage");
}

DisplayObjectRecord NameDisplayRecord(const ParaText& para, std::string type)
{
    return retyped(ParaTextRecord(para), std::move(type));
}

std::vector<std::uint8_t> LoginPanelBytes(const PanelRecord& panel, std::uint32_t confirmationPage)
{
    std::vector<std::uint8_t> bytes = panel.Bytes();
    PutBigEndian32(bytes, confirmationPage);
    return bytes;
}

std::vector<std::uint8_t> LoginPanelBytes(ProductData& file, const LoginPage& page, std::uint16_t panelId)
{
    using P = LoginPage;
    auto in = [](DisplayObjectRecord record, const std::int16_t (&r)[4]) { return record.rect(r[0], r[1], r[2], r[3]); };
    PanelRecord panel(panelId);
    if (page.paraStyle) {
        ParaText heading;
        heading.styleId = page.paraStyle;
        heading.text = page.heading;
        panel.add(ParaTextRecord(heading).id(P::kHeading).rect(16, 8, 384, 56), file);
    }
    panel.add(in(LoginCollageRecord(page.listStyle).id(P::kList), P::kListRect), file);
    panel.add(in(LoginFieldRecord(page.fieldFocused, page.field, "", page.fieldStyle).id(P::kLoginField),
                 P::kLoginFieldRect),
              file);
    const std::int16_t* list = P::kListRect;
    const std::int16_t* field = P::kLoginFieldRect;
    GroupMembers members;
    members.collage = P::kList;
    members.editBox = P::kLoginField;
    panel.add(LoginGroupCollageRecord(members)
                  .id(P::kGroup)
                  .rect(list[0], list[1], field[2], field[3])
                  .z(5),
              file);
    DisplayObjectRecord login = in(LoginButtonRecord(page.login, page.failurePage).id(P::kLoginButton), P::kLoginButtonRect);
    if (!page.onLogin.empty())
        login.on("on_click", page.onLogin);
    panel.add(login, file);
    panel.add(in(NewUserFieldRecord(page.fieldFocused, page.field, "", page.fieldStyle).id(P::kNewUserField),
                 P::kNewUserFieldRect)
                  .z(6),
              file);
    panel.add(in(NewUserButtonRecord(page.newUser, page.takenPage, page.emptyPage).id(P::kNewUserButton),
                 P::kNewUserButtonRect),
              file);
    return LoginPanelBytes(panel, page.confirmationPage);
}

}  // namespace testkit
