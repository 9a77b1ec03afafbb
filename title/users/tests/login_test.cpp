// The login page over a page with name displays, driven with the keyboard
// and the mouse as a user would: a new user's file written and picked, the
// login showing the name beneath (golden picture), the user listed again
// after a restart, names refused as empty or taken in another case, the
// failure page, the login button only on the frontmost page, deletions only
// of users other than the logged-in one and only by the Delete key, the
// list's names, and the widgets forgotten when the page goes.

#include <filesystem>

#include "platform/tests/golden.h"
#include "runtime/JxCCollArrangementManager.h"
#include "runtime/JxCCollDataManager.h"
#include "testkit/login_records.h"
#include "testkit/text_styles.h"
#include "testkit/title_panels.h"
#include "title/users/JxCLoginListDMan.h"
#include "title/users/JxCLoginPanel.h"
#include "title/panels/JxDialogPages.h"
#include "title/users/JxLoginWidgets.h"
#include "title/tests/title_data_fixture.h"

namespace title_test {
namespace {

using Ids = testkit::LoginPage;

constexpr std::uint16_t kLoginTemplate = 40;
constexpr std::int32_t kLoginPage = 40;
constexpr std::int32_t kFailurePage = 41, kTakenPage = 42, kEmptyPage = 43, kConfirmPage = 44;
constexpr std::int16_t kLoginLeft = 120, kLoginTop = 90;  // where the popup stands in the main window

testkit::BmpPicture framed(int w, int h, std::uint8_t frame, std::uint8_t field)
{
    testkit::BmpPicture p{w, h, std::vector<std::uint8_t>(std::size_t(w * h), frame), testkit::DistinctColours()};
    for (int y = 2; y < h - 2; ++y)
        for (int x = 2; x < w - 2; ++x)
            p.pixels[std::size_t(y * w + x)] = field;
    return p;
}

class LoginTest : public TitleDataTest {
protected:
    void SetUp() override
    {
        TitleDataTest::SetUp();
        for (const auto& [name, picture] : {std::pair{"FOC", framed(200, 26, 20, 250)}, {"BOX", framed(200, 26, 90, 250)},
                                            {"LUP", framed(140, 26, 40, 60)}, {"LDN", framed(140, 26, 60, 40)},
                                            {"NUP", framed(140, 26, 40, 120)}, {"NDN", framed(140, 26, 120, 40)}}) {
            const std::vector<std::uint8_t> b = testkit::EncodeBmp(picture);
            plat::testing::TempConfig::writeFile(config.program() + "/Data/" + name + ".dib",
                                                 std::string(b.begin(), b.end()));
        }
        testkit::CharStyleRecord names;
        names.id = 1;
        names.faceName = plat::kBuiltinFaceName;
        names.highlightBackground = {0, 0, 128};
        names.highlightText = {255, 255, 255};
        testkit::CharStyleRecord greetingFont;
        greetingFont.id = 3;
        greetingFont.faceName = plat::kBuiltinFaceName;
        greetingFont.text = {255, 255, 255};
        testkit::ParaStyleRecord para;
        para.id = 2;
        para.charStyleId = 3;
        title.styles.characters = {names, greetingFont};
        title.styles.paragraphs = {para};

        testkit::ParaText greeting;
        greeting.styleId = 2;
        testkit::PanelRecord below(1);
        below.add(testkit::NameDisplayRecord(greeting).id(1).rect(20, 20, 300, 50), file);
        below.add(testkit::NameDisplayRecord(greeting, "CertificateNameDisplay").id(2).rect(20, 400, 300, 430), file);
        file.page(1, 1).storedPanel("Display", testkit::TitlePanelBytes(below));

        testkit::TemplateBuilder& t = file.templateDef(kLoginTemplate, "POPUP_PAGE").size(400, 300).offset(kLoginLeft, kLoginTop);
        t.panel(1, "LoginPanel").at(0, 0).size(400, 300).colour(200, 200, 200);
        file.page(kLoginPage, kLoginTemplate).storedPanel("LoginPanel", testkit::LoginPanelBytes(file, loginPage()));
        previousRunner = SetDialogPageRunner([this](std::int32_t page, std::int32_t) {
            asked.push_back(page);
            return answer;
        });
    }
    void TearDown() override
    {
        SetDialogPageRunner(previousRunner);
        TitleDataTest::TearDown();
    }
    virtual testkit::LoginPage loginPage() const
    {
        testkit::LoginPage page;
        page.fieldFocused = "FOC";
        page.field = "BOX";
        page.login = {"LUP", "LDN", ""};
        page.newUser = {"NUP", "NDN", ""};
        page.failurePage = kFailurePage;
        page.takenPage = kTakenPage;
        page.emptyPage = kEmptyPage;
        page.confirmationPage = kConfirmPage;
        return page;
    }

    // The base page 1 with the login page over it, started.
    void openLogin()
    {
        readTitle();
        product().GetProductDef()->SetDataPath("P:\\Data");
        openAgain();
    }
    void openAgain()
    {
        changeTo(1);
        harness.runUntilIdle();
        ASSERT_EQ(product().OpenPage(kLoginPage, 0, 0, 0), 1);
        harness.runUntilIdle();
        ASSERT_EQ(product().GetPageList().GetLast()->GetPageId(), kLoginPage);
    }
    // A restart: the login page goes, the product data (and with it the
    // user, who is saved) is made anew, and the pages open again.
    void restart()
    {
        product().GetPageList().ClosePage(product().GetPageList().GetLast());
        auto fresh = std::make_unique<JxCProductData>();
        fresh->Initialise();
        const std::vector<std::uint8_t> record = title.Bytes(file);
        JxCInStrStream in(JxMemoryBlock{record.data(), std::uint32_t(record.size())});
        fresh->Load(in);
        product().SetProductData(std::move(fresh));
        openAgain();
    }

    JxCPanelObject& loginPanel() { return *product().GetPageList().GetLast()->FindPanelById(1); }
    template <class T>
    T& object(std::int16_t id)
    {
        auto* found = dynamic_cast<T*>(loginPanel().FindObjectById(id));
        if (!found)
            throw std::logic_error("no such object");
        return *found;
    }
    JxCLoginCollage& list() { return object<JxCLoginCollage>(Ids::kList); }
    std::string loginText() { return std::string(object<JxCLoginField>(Ids::kLoginField).GetText().View()); }
    std::string nameShown(std::int32_t id = 1)
    {
        JxCPanelObject* below = product().GetPageList().GetFirst()->FindPanelById(1);
        auto* display = dynamic_cast<JxCParaText*>(below->FindObjectById(id));
        return display && display->GetTextBuffer() ? display->GetTextBuffer() : "<none>";
    }
    JxCUser& users() { return *data().GetUser(); }

    // The screen point of a point of the login panel.
    plat::POINT onLogin(std::int16_t x, std::int16_t y)
    {
        plat::POINT p{x, y};
        plat::ClientToScreen(product().GetPageList().GetLast()->GetWindow(), &p);
        return p;
    }
    void clickRow(int row)
    {
        harness.click(onLogin(std::int16_t(Ids::kListRect[0] + 10), std::int16_t(Ids::kListRect[1] + 4 + row * rowHeight())));
        harness.runUntilIdle();
    }
    void clickLoginButton()
    {
        harness.click(onLogin(Ids::kLoginButtonRect[0] + 10, Ids::kLoginButtonRect[1] + 10));
        harness.runUntilIdle();
    }
    int rowHeight() { return list().GetArrangementManager()->GetItemSize(); }
    void type(const std::string& text)
    {
        harness.typeText(text);
        harness.runUntilIdle();
    }
    void press(int vk)
    {
        harness.tap(vk);
        harness.runUntilIdle();
    }
    bool userFile(const std::string& name) { return std::filesystem::exists(userHost(name)); }

    JxDialogPageRunner previousRunner;
    std::vector<std::int32_t> asked;
    std::int32_t answer = 1;
};

TEST_F(LoginTest, ANewUserIsWrittenPickedLoggedInShownBeneathAndListedAfterARestart)
{
    openLogin();
    EXPECT_EQ(list().GetDataManager() ? static_cast<JxCLoginListDMan*>(list().GetDataManager())->GetItemCount() : -1, 0);
    type("Ann");
    press(plat::VK_RETURN);
    // The file of a new user, picked in the list and shown in the login field.
    testkit::UserFile ann;
    ann.name = "Ann";
    ASSERT_TRUE(userFile("jx0.Gv3"));
    EXPECT_EQ(bytesOf("jx0.Gv3"), ann.Bytes());
    EXPECT_EQ(list().GetSelectedIndex(), 0);
    EXPECT_EQ(loginText(), "Ann");
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(data().GetUserRecord(), nullptr);

    // Enter in the login field, which holds the focus now, logs her in.
    press(plat::VK_RETURN);
    ASSERT_NE(data().GetUserRecord(), nullptr);
    EXPECT_EQ(std::string(data().GetUserRecord()->GetName().View()), "Ann");
    EXPECT_EQ(nameShown(), "Hello, Ann.");
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(plat::testing::CompareWithGolden(nullptr, "login_name_beneath", "title/tests/golden"), "");

    data().GetUserRecord()->SetVisited(7);
    restart();
    // Listed from her file, which the exit saved; nobody is logged in, so
    // the first row is picked.
    EXPECT_EQ(users().GetEntryCount(), 1);
    EXPECT_EQ(loginText(), "Ann");
    EXPECT_EQ(nameShown(), "Hello, .");
    ann.visited[7] = 1;
    EXPECT_EQ(bytesOf("jx0.Gv3"), ann.Bytes());
}

TEST_F(LoginTest, EmptyAndTakenNamesAreRefusedWithTheirPagesAndTheFieldKeepsTheFocus)
{
    writeUser("jx0.Gv3", "Ann");
    openLogin();
    press(plat::VK_RETURN);
    EXPECT_EQ(asked, (std::vector<std::int32_t>{kEmptyPage}));
    type("ANN");
    press(plat::VK_RETURN);
    EXPECT_EQ(asked, (std::vector<std::int32_t>{kEmptyPage, kTakenPage}));
    EXPECT_FALSE(userFile("jx1.Gv3"));
    // The field still takes the typing.
    type("a");
    EXPECT_EQ(std::string(object<JxCNewUserField>(Ids::kNewUserField).GetText().View()), "ANNa");
    EXPECT_EQ(users().GetEntryCount(), 1);
}

TEST_F(LoginTest, ANewUserTakesTheFirstFreeNumberAndTheListKeepsNamesInOrder)
{
    writeUser("jx0.Gv3", "Cat");
    writeUser("jx2.Gv3", "bee");
    openLogin();
    type("Ann");
    press(plat::VK_RETURN);
    EXPECT_TRUE(userFile("jx1.Gv3"));
    ASSERT_EQ(users().GetEntryCount(), 3);
    EXPECT_EQ(std::string(users().GetEntry(0)->userName.View()), "Ann");
    EXPECT_EQ(std::string(users().GetEntry(1)->userName.View()), "bee");
    EXPECT_EQ(list().GetSelectedIndex(), 0);
    // A click on a row picks its name for the login field.
    clickRow(2);
    EXPECT_EQ(loginText(), "Cat");
}

TEST_F(LoginTest, AUserWhoseFileWentFailsToLogInWithTheFailurePage)
{
    writeUser("jx0.Gv3", "Ann");
    writeUser("jx1.Gv3", "Bob");
    openLogin();
    clickRow(1);
    ASSERT_EQ(loginText(), "Bob");
    std::filesystem::remove(userHost("jx1.Gv3"));
    press(plat::VK_RETURN);
    EXPECT_EQ(asked, (std::vector<std::int32_t>{kFailurePage}));
    EXPECT_EQ(data().GetUserRecord(), nullptr);
    EXPECT_EQ(nameShown(), "Hello, .");
}

TEST_F(LoginTest, OnlyTheDeleteKeyDeletesAndNeverTheLoggedInUser)
{
    writeUser("jx0.Gv3", "Ann");
    writeUser("jx1.Gv3", "Bob");
    openLogin();
    clickLoginButton();  // Ann, the first row
    ASSERT_NE(data().GetUserRecord(), nullptr);

    // Delete on the logged-in name asks nothing and deletes nothing.
    press(plat::VK_DELETE);
    EXPECT_TRUE(asked.empty());
    EXPECT_TRUE(userFile("jx0.Gv3"));

    // A typed "." is text of the new-user field.
    harness.click(onLogin(Ids::kNewUserFieldRect[0] + 20, Ids::kNewUserFieldRect[1] + 10));
    harness.runUntilIdle();
    type(".");
    EXPECT_EQ(std::string(object<JxCNewUserField>(Ids::kNewUserField).GetText().View()), ".");
    EXPECT_TRUE(asked.empty());

    // Bob, kept by the confirmation page's second button, deleted by its first.
    clickRow(1);
    ASSERT_EQ(loginText(), "Bob");
    press(plat::VK_DELETE);
    EXPECT_EQ(asked, (std::vector<std::int32_t>{kConfirmPage}));
    EXPECT_TRUE(userFile("jx1.Gv3"));
    answer = JxCLoginPanel::kDeleteAnswer;
    press(plat::VK_DELETE);
    EXPECT_FALSE(userFile("jx1.Gv3"));
    EXPECT_EQ(users().GetEntryCount(), 1);
    EXPECT_EQ(list().GetSelectedIndex(), 0);
    EXPECT_EQ(loginText(), "Ann");
    EXPECT_TRUE(userFile("jx0.Gv3"));
}

TEST_F(LoginTest, APickedUserIsDeletedBeforeAnyoneHasLoggedIn)
{
    writeUser("jx0.Gv3", "Ann");
    writeUser("jx1.Gv3", "Bob");
    openLogin();
    ASSERT_EQ(data().GetUserRecord(), nullptr);
    clickRow(1);
    ASSERT_EQ(loginText(), "Bob");
    answer = JxCLoginPanel::kDeleteAnswer;
    press(plat::VK_DELETE);
    EXPECT_EQ(asked, (std::vector<std::int32_t>{kConfirmPage}));
    EXPECT_FALSE(userFile("jx1.Gv3"));
    EXPECT_EQ(users().GetEntryCount(), 1);
    EXPECT_EQ(loginText(), "");  // nobody is picked now
}

TEST_F(LoginTest, TheListNamesItsRowsFindsNamesInAnyCaseAndPicksUsersByFile)
{
    writeUser("jx0.Gv3", "Ann");
    writeUser("jx1.Gv3", "Bob");
    openLogin();
    JxCCollDataManager& data = *list().GetDataManager();
    EXPECT_EQ(data.FindItemByText(JxCString("bOB")), 1);
    EXPECT_EQ(data.FindItemByText(JxCString("Bo")), -1);
    {
        JxCCollItemRef past(data, 2, &list());
        EXPECT_TRUE(data.GetItemText(past).IsEmpty());
        JxCCollItemRef before(data, -1, &list());
        EXPECT_TRUE(data.GetItemText(before).IsEmpty());
        JxCCollItemRef bob(data, 1, &list());
        EXPECT_EQ(std::string(data.GetItemText(bob).View()), "Bob");
    }
    // A file that appears meanwhile is listed at the next reading.
    writeUser("jx2.Gv3", "Al");
    list().Reload(JxCString("JX1.gv3"));
    EXPECT_EQ(users().GetEntryCount(), 3);
    EXPECT_EQ(list().GetSelectedIndex(), 2);
    EXPECT_EQ(loginText(), "Bob");
}

TEST_F(LoginTest, AUserFileThatCannotBeWrittenIsNamedAndThePreviousUserStays)
{
    writeUser("jx0.Gv3", "Ann");
    writeUser("jx1.Gv3", "Bob");
    openLogin();
    clickLoginButton();  // Ann
    ASSERT_NE(data().GetUserRecord(), nullptr);
    std::filesystem::permissions(userHost("jx1.Gv3"), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    std::vector<std::string> boxes;
    const plat::Responder previous = plat::SetResponder([&](const plat::UiRequest& r) -> std::optional<int> {
        boxes.push_back(r.text);
        return kAnswerOk;
    });
    clickRow(1);
    press(plat::VK_RETURN);
    plat::SetResponder(previous);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("8303"), std::string::npos) << boxes[0];
    EXPECT_NE(boxes[0].find("P:\\Users\\jx1.Gv3"), std::string::npos) << boxes[0];
    EXPECT_EQ(asked, (std::vector<std::int32_t>{kFailurePage}));
    ASSERT_NE(data().GetUserRecord(), nullptr);
    EXPECT_EQ(std::string(data().GetUserRecord()->GetName().View()), "Ann");
    EXPECT_EQ(nameShown(), "Hello, Ann.");
}

// Two listed users whose names differ only in case (files merged from two
// machines): each is logged into, and deleted, by picking its own row, and
// only that row's file changes.
struct CaseTwins {
    const char* first;   // in jx0.Gv3
    const char* second;  // in jx1.Gv3
    int picked;          // the file of the row picked: 0 or 1
};

void PrintTo(const CaseTwins& t, std::ostream* out)
{
    *out << t.first << "/" << t.second << ", row of jx" << t.picked;
}

class CaseTwinsLoginTest : public LoginTest, public ::testing::WithParamInterface<CaseTwins> {
protected:
    int rowOf(int file) { return users().FindFile(JxCString(fileName(file).c_str())); }
    std::string fileName(int file) const { return "jx" + std::to_string(file) + ".Gv3"; }
};

TEST_P(CaseTwinsLoginTest, EachIsLoggedIntoAndDeletedByItsOwnRow)
{
    ResetLanguage();  // code page 1252, where 0xEB and 0xCB are one letter's two cases
    const CaseTwins twins = GetParam();
    writeUser("jx0.Gv3", twins.first);
    writeUser("jx1.Gv3", twins.second);
    const int picked = twins.picked, other = 1 - picked;
    openLogin();
    const auto otherBytes = bytesOf(fileName(other));

    clickRow(rowOf(picked));
    clickLoginButton();
    ASSERT_NE(data().GetUserRecord(), nullptr);
    EXPECT_TRUE(data().GetUserRecord()->IsFileName(JxCString(fileName(picked).c_str())));
    data().GetUserRecord()->SetVisited(9);
    testkit::UserFile expected;
    expected.name = picked == 0 ? twins.first : twins.second;
    expected.visited[9] = 1;
    EXPECT_EQ(bytesOf(fileName(picked)), expected.Bytes());
    EXPECT_EQ(bytesOf(fileName(other)), otherBytes);

    // Logged in as the other, the picked one is deleted by its row.
    clickRow(rowOf(other));
    clickLoginButton();
    ASSERT_TRUE(data().GetUserRecord()->IsFileName(JxCString(fileName(other).c_str())));
    clickRow(rowOf(picked));
    answer = JxCLoginPanel::kDeleteAnswer;
    press(plat::VK_DELETE);
    EXPECT_FALSE(userFile(fileName(picked)));
    EXPECT_EQ(bytesOf(fileName(other)), otherBytes);
    EXPECT_EQ(list().GetSelectedIndex(), rowOf(other));
}

INSTANTIATE_TEST_SUITE_P(Names, CaseTwinsLoginTest,
                         ::testing::Values(CaseTwins{"Zo\xEB", "ZO\xCB", 0}, CaseTwins{"Zo\xEB", "ZO\xCB", 1},
                                           CaseTwins{"Ann", "ANN", 0}, CaseTwins{"Ann", "ANN", 1}));

TEST_F(LoginTest, TheLoginButtonActsOnlyOnTheFrontmostPage)
{
    writeUser("jx0.Gv3", "Ann");
    file.templateDef(45, "POPUP_PAGE").size(100, 40).offset(0, 0).panel(1, "Display").at(0, 0).size(100, 40);
    file.page(45, 45);
    openLogin();
    JxCLoginButton& button = object<JxCLoginButton>(Ids::kLoginButton);
    ASSERT_EQ(product().OpenPage(45, 0, 0, 0), 1);
    harness.runUntilIdle();
    EXPECT_EQ(button.MouseUp(JxCPoint(button.GetRect().left, button.GetRect().top), 0), 0);
    EXPECT_EQ(data().GetUserRecord(), nullptr);
    product().GetPageList().ClosePage(product().GetPageList().GetLast());
    EXPECT_EQ(button.MouseUp(JxCPoint(button.GetRect().left, button.GetRect().top), 0), 1);
    EXPECT_NE(data().GetUserRecord(), nullptr);
}

TEST_F(LoginTest, ThePagesOpenedAfterALoginShowTheNameInTheirDisplays)
{
    readTitle();
    product().GetProductDef()->SetDataPath("P:\\Data");
    testkit::UserFile ann;
    ann.name = "Ann";
    logIn("Ann", ann);
    changeTo(1);
    EXPECT_EQ(nameShown(1), "Hello, Ann.");
    EXPECT_EQ(nameShown(2), "Ann");
}

TEST_F(LoginTest, TheWidgetsAreForgottenWhenTheLoginPageCloses)
{
    openLogin();
    const JxCLoginWidgets& widgets = users().GetLoginWidgets();
    EXPECT_NE(widgets.loginField, nullptr);
    EXPECT_NE(widgets.newUserField, nullptr);
    EXPECT_NE(widgets.loginButton, nullptr);
    EXPECT_NE(widgets.newUserButton, nullptr);
    product().GetPageList().ClosePage(product().GetPageList().GetLast());
    EXPECT_EQ(widgets.loginField, nullptr);
    EXPECT_EQ(widgets.newUserField, nullptr);
    EXPECT_EQ(widgets.loginButton, nullptr);
    EXPECT_EQ(widgets.newUserButton, nullptr);
}

// The list's names in a character style the product does not have.
class LoginWithoutStyleTest : public LoginTest {
protected:
    testkit::LoginPage loginPage() const override
    {
        testkit::LoginPage page = LoginTest::loginPage();
        page.listStyle = 9;
        return page;
    }
};

TEST_F(LoginWithoutStyleTest, AMissingStyleIsReportedAndTheListStillFills)
{
    writeUser("jx0.Gv3", "Ann");
    std::vector<std::string> boxes;
    const plat::Responder previous = plat::SetResponder([&](const plat::UiRequest& r) -> std::optional<int> {
        boxes.push_back(r.text);
        return kAnswerOk;
    });
    openLogin();
    plat::SetResponder(previous);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("1068"), std::string::npos) << boxes[0];
    EXPECT_EQ(users().GetEntryCount(), 1);
    EXPECT_EQ(loginText(), "Ann");
}

}  // namespace
}  // namespace title_test
