#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "foundation/JxCInStrStream.h"
#include "foundation/JxCSettings.h"
#include "foundation/JxLanguage.h"
#include "foundation/tests/reporting_fixture.h"
#include "platform/core/codepage.h"
#include "runtime/JxCVersion.h"
#include "runtime/JxMainWindowState.h"
#include "runtime/JxVersionInfo.h"

namespace {

using plat::testing::TempConfig;

// A version record as it is stored: seven counted strings.
std::string record(std::initializer_list<std::string> fields)
{
    std::string bytes;
    for (const std::string& f : fields) {
        bytes += char(f.size() >> 8);
        bytes += char(f.size() & 0xFF);
        bytes += f;
    }
    return bytes;
}

class VersionTest : public ReportingTest {
protected:
    void SetUp() override
    {
        ReportingTest::SetUp();
        ResetLanguage();
        // The program's own texts, so that the messages read as they do.
        programStrings(TempConfig::readFile(std::string(KELBO_SOURCE_DIR) +
                                            "/resources/kelbo32.resources/strings.txt"));
    }
    void TearDown() override
    {
        ResetLanguage();
        plat::SetACP(1252);
        ReportingTest::TearDown();
        ResetVersionInfo();
    }
    // The main library "kelbores" with a version block, loaded.
    void library(const std::string& version, const std::string& strings = "")
    {
        TempConfig::writeFile(config.program() + "/kelbores.resources/module.ini", "[Version]\n" + version);
        libraryStrings("kelbores", strings);
        ResetResourceLibraries();
        LoadMainResourceLibrary();
        ResetVersionInfo();
    }
    void settings(const std::string& directory)
    {
        iniFile("[Directory]\n" + directory);
        ReadSettings();
    }
    static std::string str(const JxCString& s) { return std::string(s.View()); }
    std::string boxIds() const
    {
        std::string ids;
        for (const plat::UiRequest& b : boxes)
            ids += b.text.substr(0, b.text.find(':')) + " ";
        return ids;
    }
};

TEST_F(VersionTest, TheAboutTextBreaksTheCopyrightBeforeItsAmpersand)
{
    library("ProductName=Kelbo\nFileVersion=3.1.0.5\nLegalCopyright=(c) 1996 Jx & Friends\nTranslation=0409 04E4\n");
    EXPECT_EQ(str(GetProductNameText()), "Kelbo");  // no country company: the library's name
    EXPECT_EQ(str(MakeAboutText()), "Kelbo  3.1.0.5\n\n(c) 1996 Jx \n& Friends");
}

TEST_F(VersionTest, TheAboutBoxShowsTheProductsNameVersionAndCopyright)
{
    const std::string about = "/kelbo32.resources/dialog/3011.dlg";
    TempConfig::writeFile(config.program() + about,
                          TempConfig::readFile(std::string(KELBO_SOURCE_DIR) + "/resources" + about));
    library("ProductName=Kelbo\nFileVersion=3.1.0.5\nLegalCopyright=(c) 1996 Jx & Friends\n");
    plat::SetResponder([&](const plat::UiRequest& r) -> std::optional<int> {
        boxes.push_back(r);
        if (const char* shot = std::getenv("KELBO_SCREENSHOT"))
            harness.writeScreenPng(shot);
        return 1;  // OK
    });
    ShowAboutBox(nullptr);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Kelbo");
    EXPECT_NE(boxes[0].text.find("Kelbo  3.1.0.5\n\n(c) 1996 Jx \n& Friends"), std::string::npos) << boxes[0].text;
}

TEST_F(VersionTest, InDeveloperModeTheAboutTextTellsWhenItWasBuilt)
{
    settings("Developer=1\n");
    library("ProductName=Kelbo\nFileVersion=3.1\n");
    const std::string text = str(MakeAboutText());
    EXPECT_EQ(text.rfind("Kelbo  3.1 (32 bit)\n\nCompiled on: ", 0), 0u) << text;
    EXPECT_NE(text.find(" at "), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 2), "\n\n");  // no copyright
}

TEST_F(VersionTest, WithoutATranslationTableTheValuesComeFromTheUsEnglishBlock)
{
    library("ProductName=Kelbo\nCompanyName=Jx Multimedia\nFileVersion=3.1.0.5\n");
    EXPECT_EQ(str(GetLibraryProductName()), "Kelbo");
    EXPECT_EQ(str(GetLibraryCompanyName()), "Jx Multimedia");
}

TEST_F(VersionTest, TheVersionCodeReadsOnlyCharactersTheVersionHas)
{
    library("FileVersion=3.1.0.5\n");
    EXPECT_EQ(str(GetVersionCode()), "31");
    library("FileVersion=4\n");
    EXPECT_EQ(str(GetVersionCode()), "4");
    library("ProductName=Kelbo\n");  // no version: the code read before
    EXPECT_EQ(str(GetVersionCode()), "4");
}

TEST_F(VersionTest, TheLibrarysLanguageSelectsTheLanguageAndTheSettingsKey)
{
    library("CompanyName=Jx Multimedia\nProductName=Kelbo\nTranslation=0407 04E4\n");
    SelectLanguage(GetVersionLanguageId());
    EXPECT_EQ(GetCurrentLanguage(), 1031);
    EXPECT_EQ(str(JxCSettings().GetKeyPath()), "Software\\Jx Multimedia\\Kelbo\\GE");
    library("CompanyName=Jx Multimedia\nProductName=Kelbo\nTranslation=0409 04E4\n");
    SelectLanguage(GetVersionLanguageId());
    EXPECT_EQ(str(JxCSettings().GetKeyPath()), "Software\\Jx Multimedia\\Kelbo");
}

TEST_F(VersionTest, RecordsReadWholeOrNotAtAll)
{
    const std::string path = config.program() + "/JxMMDAT.VER";
    TempConfig::writeFile(path, record({"KELBO", "31", "x", "y", "GR", "Kelbo", "Disc 1"}));
    const std::string windowsPath = programFolder() + "JxMMDAT.VER";
    JxCFileVersion whole(windowsPath.c_str());
    ASSERT_TRUE(whole.IsValid());
    EXPECT_EQ(str(whole.GetProductCode()), "KELBO");
    EXPECT_EQ(str(whole.GetSoftwareVersion()), "31");
    EXPECT_EQ(str(whole.GetCountryCode()), "GR");
    EXPECT_EQ(str(whole.GetDescription()), "Kelbo\nDisc 1");

    std::string cut = record({"KELBO", "31", "x", "y", "GR", "Kelbo", "Disc 1"});
    TempConfig::writeFile(path, cut.substr(0, cut.size() - 3));
    EXPECT_FALSE(JxCFileVersion(windowsPath.c_str()).IsValid());
    EXPECT_FALSE(JxCFileVersion((programFolder() + "NONE.VER").c_str()).IsValid());

    // The five strings of a record leave the stream after the country code.
    TempConfig::writeFile(path, record({"KELBO", "31", "x", "y", "US"}) + "\x01\x02");
    JxCInStrStream in(windowsPath.c_str());
    JxCVersion version("OLD");
    ASSERT_TRUE(ReadVersion(in, version));
    EXPECT_EQ(str(version.GetCountryCode()), "US");
    EXPECT_EQ(in.Tell(), 21u);
    EXPECT_FALSE(ReadVersion(in, version));  // damaged: the record stays
    EXPECT_EQ(str(version.GetProductCode()), "KELBO");
}

TEST_F(VersionTest, AVolumeLabelRecordKeepsEightCharacters)
{
    EXPECT_EQ(str(JxCVersion("KELBODISC1").GetProductCode()), "KELBODIS");
    EXPECT_EQ(str(JxCVersion("KEL").GetProductCode()), "KEL");
}

TEST_F(VersionTest, TheProductCheckGivesItsReason)
{
    std::int16_t reason = -1;
    settings("UseOldCD=0\n");
    EXPECT_EQ(JxCVersion("ANY").CheckProduct(reason), 1);
    EXPECT_EQ(reason, 0);
    settings("UseOldCD=1\n");
    EXPECT_EQ(JxCVersion("ANY").CheckProduct(reason), 0);
    EXPECT_EQ(reason, 2);  // no label configured
    settings("UseOldCD=1\nVolumeLabel=Kelbo\n");
    EXPECT_EQ(JxCVersion("KELBO").CheckProduct(reason), 1);
    EXPECT_EQ(reason, 0);
    EXPECT_EQ(JxCVersion("OTHER").CheckProduct(reason), 0);
    EXPECT_EQ(reason, 1);
    EXPECT_EQ(JxCVersion("").CheckProduct(reason), 0);
    EXPECT_EQ(reason, 0);
}

TEST_F(VersionTest, AWrongCountryIsReportedBeforeAWrongVersion)
{
    library("FileVersion=3.1.0.5\n");
    SelectLanguage(1032);
    JxCInStrStream none;
    TempConfig::writeFile(config.program() + "/rec", record({"K", "20", "", "", "US"}));
    JxCVersion both;
    JxCInStrStream in((programFolder() + "rec").c_str());
    ASSERT_TRUE(ReadVersion(in, both));
    answers = {kAnswerRetry, kAnswerCancel};
    EXPECT_EQ(CheckVersionRecord(both), 0);
    EXPECT_EQ(boxIds(), "[1251] [1251] ");

    boxes.clear();
    TempConfig::writeFile(config.program() + "/rec", record({"K", "20", "", "", "gr"}));
    JxCInStrStream in2((programFolder() + "rec").c_str());
    JxCVersion version;
    ASSERT_TRUE(ReadVersion(in2, version));
    answers = {kAnswerCancel};
    EXPECT_EQ(CheckVersionRecord(version), 0);
    EXPECT_EQ(boxIds(), "[1266] ");
    EXPECT_NE(boxes[0].text.find("2.0, not 3.1"), std::string::npos) << boxes[0].text;
}

TEST_F(VersionTest, InDeveloperModeAMismatchCanBeIgnored)
{
    settings("Developer=1\n");
    library("FileVersion=3.1.0.5\n");
    SelectLanguage(1033);
    TempConfig::writeFile(config.program() + "/rec", record({"K", "31", "", "", "GR"}));
    JxCInStrStream in((programFolder() + "rec").c_str());
    JxCVersion version;
    ASSERT_TRUE(ReadVersion(in, version));
    answers = {kAnswerIgnore};
    EXPECT_EQ(CheckVersionRecord(version), 1);
    EXPECT_EQ(boxIds(), "[1253] ");

    boxes.clear();
    TempConfig::writeFile(config.program() + "/rec", record({"K", "31", "", "", "US"}));
    JxCInStrStream matching((programFolder() + "rec").c_str());
    ASSERT_TRUE(ReadVersion(matching, version));
    EXPECT_EQ(CheckVersionRecord(version), 1);
    EXPECT_TRUE(boxes.empty());
}

}  // namespace
