#include "testkit/sample_login.h"

#include <algorithm>
#include <array>
#include <map>

#include "testkit/big_endian.h"
#include "testkit/login_records.h"
#include "testkit/sample_title.h"
#include "testkit/title_panels.h"

namespace testkit {

namespace {

constexpr std::uint16_t kGreetingTemplate = 40;
constexpr std::uint16_t kLoginTemplate = 41;
constexpr std::uint16_t kDialogTemplate = 42;
// The sample's paragraph style (navy serif) and the edit box's character
// style, which the title record carries.
constexpr std::int16_t kParaStyle = 2;
constexpr std::int16_t kBoxStyle = 1;

// Capital letters of 5 by 7 dots, a row of five bits each (top row first),
// for the buttons' labels.
const std::map<char, std::array<std::uint8_t, 7>>& letters()
{
    static const std::map<char, std::array<std::uint8_t, 7>> glyphs = {
        {'D', {0x1E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x1E}}, {'E', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F}},
        {'G', {0x0E, 0x11, 0x10, 0x17, 0x11, 0x11, 0x0F}}, {'I', {0x0E, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E}},
        {'K', {0x11, 0x12, 0x14, 0x18, 0x14, 0x12, 0x11}}, {'L', {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F}},
        {'N', {0x11, 0x19, 0x15, 0x13, 0x11, 0x11, 0x11}}, {'O', {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},
        {'P', {0x1E, 0x11, 0x11, 0x1E, 0x10, 0x10, 0x10}}, {'R', {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11}},
        {'S', {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E}}, {'T', {0x1F, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04}},
        {'U', {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}}, {'W', {0x11, 0x11, 0x11, 0x15, 0x15, 0x15, 0x0A}},
    };
    return glyphs;
}

BmpPicture plain(std::int32_t width, std::int32_t height, std::uint8_t colour)
{
    return BmpPicture{width, height, std::vector<std::uint8_t>(std::size_t(width * height), colour), SamplePalette()};
}

void fill(BmpPicture& p, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::uint8_t colour)
{
    for (std::int32_t row = y; row < y + h; ++row)
        for (std::int32_t col = x; col < x + w; ++col)
            p.pixels[std::size_t(row * p.width + col)] = colour;
}

// A button of 140 by 26: a frame, a field and the label in doubled dots,
// centred; pressed, the field and the label trade colours.
BmpPicture labelled(const std::string& label, std::uint8_t field, std::uint8_t ink)
{
    constexpr std::int32_t kWidth = 140, kHeight = 26, kScale = 2, kAdvance = 6 * kScale;
    BmpPicture p = plain(kWidth, kHeight, kSampleNavy);
    fill(p, 2, 2, kWidth - 4, kHeight - 4, field);
    std::int32_t x = (kWidth - std::int32_t(label.size()) * kAdvance + kScale) / 2;
    const std::int32_t top = (kHeight - 7 * kScale) / 2;
    for (char c : label) {
        if (auto glyph = letters().find(c); glyph != letters().end())
            for (std::int32_t row = 0; row < 7; ++row)
                for (std::int32_t col = 0; col < 5; ++col)
                    if (glyph->second[std::size_t(row)] & (0x10 >> col))
                        fill(p, x + col * kScale, top + row * kScale, kScale, kScale, ink);
        x += kAdvance;
    }
    return p;
}

// The button's two pictures, "loginNAMEup" and "loginNAMEdn"; its record's
// picture names.
ButtonPictures button(TitleFolder& title, const std::string& name, const std::string& label)
{
    title.files["login" + name + "up.dib"] = EncodeBmp(labelled(label, kSampleSand, kSampleNavy));
    title.files["login" + name + "dn.dib"] = EncodeBmp(labelled(label, kSampleNavy, kSampleSand));
    return {"login" + name + "up", "login" + name + "dn", ""};
}

ParaText paragraph(std::string text)
{
    ParaText para;
    para.styleId = kParaStyle;
    para.text = std::move(text);
    return para;
}

// A dialog page: a message above its buttons, one per answer (the first
// answers 0), Enter pressing the last.
void addDialog(TitleFolder& title, std::uint32_t page, const std::string& name, const std::string& message,
               const std::vector<std::pair<std::string, std::string>>& buttons)
{
    ProductData& data = title.data;
    PanelRecord panel(1);
    panel.add(ParaTextRecord(paragraph(message)).id(1).rect(16, 12, 304, 92), data);
    std::vector<std::uint8_t> ids(7 * 2, 0xFF);  // no button
    std::int16_t left = std::int16_t(320 - 16 - 140 * std::int16_t(buttons.size()) - 8 * std::int16_t(buttons.size() - 1));
    // A single button answers 1, as closing the page does.
    std::size_t answer = buttons.size() == 1 ? 1 : 0;
    std::int16_t id = 2;
    for (const auto& [file, label] : buttons) {
        panel.add(ButtonRecord(button(title, file, label)).id(id).rect(left, 104, left + 140, 130), data);
        ids[answer * 2] = 0;
        ids[answer * 2 + 1] = std::uint8_t(id);
        ++answer;
        ++id;
        left = std::int16_t(left + 148);
    }
    std::vector<std::uint8_t> bytes = panel.Bytes();
    PutBigEndian16(bytes, 0);
    bytes.insert(bytes.end(), ids.begin(), ids.end());
    PutBigEndian16(bytes, std::uint16_t(id - 1));
    data.page(page, kDialogTemplate).name(name).storedPanel("DialogPanel", bytes);
}

}  // namespace

void AddSampleLogin(TitleFolder& title)
{
    ProductData& data = title.data;
    data.templateDef(kGreetingTemplate, "BASE_PAGE").panel(1, "Display").at(0, 0).size(640, 480).colour(232, 216, 176);
    TemplateBuilder& login = data.templateDef(kLoginTemplate, "POPUP_PAGE").size(400, 300);
    login.centring = 1;
    // Linked to the greeting: a click beside it does not close it, which
    // would leave nobody a way to log in.
    login.pageWords[1] = 1;
    login.panel(1, "LoginPanel").at(0, 0).size(400, 300).colour(255, 255, 255);
    TemplateBuilder& dialog = data.templateDef(kDialogTemplate, "POPUP_PAGE").size(320, 142);
    dialog.centring = 1;
    dialog.panel(1, "DialogPanel").at(0, 0).size(320, 142).colour(232, 216, 176);

    // The greeting, over which the login opens. Nobody has logged in yet
    // while it shows, so it names nobody: the title's name display would
    // read "Hello, ." here.
    PanelRecord greeting(1);
    greeting.add(ParaTextRecord(paragraph("Welcome to the Kelbo sample title.")).id(1).rect(40, 40, 600, 100), data);
    data.page(kSampleGreetingPage, kGreetingTemplate)
        .name("Greeting")
        .storedPanel("Display", TitlePanelBytes(greeting))
        .on("on_open", {OpenPageAction(kSampleLoginPage)});

    title.files["loginfoc.dib"] = EncodeBmp(SampleEditBoxPicture(200, 26, kSampleNavy));
    title.files["loginbox.dib"] = EncodeBmp(SampleEditBoxPicture(200, 26, kSampleTeal));
    LoginPage page;
    page.listStyle = kBoxStyle;
    page.fieldStyle = kBoxStyle;
    page.paraStyle = kParaStyle;
    page.heading = "Pick your name and log in, or type a new name and add it.";
    page.fieldFocused = "loginfoc";
    page.field = "loginbox";
    page.login = button(title, "login", "LOG IN");
    page.newUser = button(title, "add", "NEW USER");
    page.failurePage = kSampleLoginFailedPage;
    page.takenPage = kSampleNameTakenPage;
    page.emptyPage = kSampleNoNamePage;
    page.confirmationPage = kSampleConfirmDeletePage;
    page.onLogin = {ClosePageAction(kSampleLoginPage), ChangePageAction(1, kSampleWipeLeft)};
    data.page(kSampleLoginPage, kLoginTemplate).name("Login").storedPanel("LoginPanel", LoginPanelBytes(data, page));

    addDialog(title, kSampleLoginFailedPage, "Login failed", "That user's file cannot be read.", {{"ok", "OK"}});
    addDialog(title, kSampleNameTakenPage, "Name taken", "That name is taken: type another.", {{"ok", "OK"}});
    addDialog(title, kSampleNoNamePage, "No name", "Type a name first.", {{"ok", "OK"}});
    addDialog(title, kSampleConfirmDeletePage, "Delete user", "Delete this user and all their progress?",
              {{"delete", "DELETE"}, {"keep", "KEEP"}});
    data.product().pages.push_back(kSampleGreetingPage);
}

void OpenSampleOnLogin(TitleFolder& title)
{
    std::vector<std::uint32_t>& pages = title.data.product().pages;
    const auto greeting = std::find(pages.begin(), pages.end(), kSampleGreetingPage);
    if (greeting != pages.end())
        std::rotate(pages.begin(), greeting, greeting + 1);
}

}  // namespace testkit
