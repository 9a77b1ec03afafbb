#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "foundation/tests/reporting_fixture.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxDataDiscDialog.h"
#include "runtime/JxDataPathCheck.h"
#include "runtime/JxVersionInfo.h"

namespace {

using plat::testing::TempConfig;

class DataPathTest : public ReportingTest {
protected:
    void SetUp() override
    {
        ReportingTest::SetUp();
        ResetRelocation();
        const std::string resources = std::string(KELBO_SOURCE_DIR) + "/resources/kelbo32.resources/";
        programStrings(TempConfig::readFile(resources + "strings.txt"));
        for (const char* dialog : {"1106.dlg", "1107.dlg", "1010.dlg"})
            TempConfig::writeFile(config.program() + "/kelbo32.resources/dialog/" + dialog,
                                  TempConfig::readFile(resources + "dialog/" + dialog));
    }
    void TearDown() override
    {
        ReportingTest::TearDown();
        ResetRelocation();
    }
    // D: a CD-ROM drive (no disc until something is in its folder), E: a
    // fixed drive with a DATA folder.
    void drives(const std::string& cdLabel = "KELBO")
    {
        config.writeDriveTable("[Drive D]\nPath=" + cdFolder() + "\nType=cdrom\nLabel=" + cdLabel +
                               "\n\n[Drive E]\nPath=" + config.root() + "/hd\nType=fixed\nLabel=WORK\n");
        TempConfig::writeFile(config.root() + "/hd/DATA/x.txt", "x");
    }
    std::string cdFolder() const { return config.root() + "/cd"; }
    void insertDisc() const { TempConfig::writeFile(cdFolder() + "/DATA/x.txt", "x"); }
    void settings(const std::string& directory)
    {
        iniFile("[Directory]\n" + directory);
        ReadSettings();
    }
    static std::string str(const JxCString& s) { return std::string(s.View()); }
    std::string shown() const
    {
        std::string ids;
        for (const plat::UiRequest& b : boxes)
            ids += (b.kind == "Dialog" ? "dialog " + std::to_string(b.templateId)
                                       : b.text.substr(0, b.text.find(':'))) + " ";
        return ids;
    }
};

TEST_F(DataPathTest, WithoutTheOldDiscCheckTheVolumeIsNeverLookedAt)
{
    drives("OTHER");
    insertDisc();
    settings("UseOldCD=0\nData=D:\\DATA\nVolumeLabel=KELBO\n");
    EXPECT_EQ(VerifyDataDiscVolume(), 1);
    EXPECT_EQ(CheckDataVersionsAlt(), 1);
    EXPECT_EQ(shown(), "");
}

TEST_F(DataPathTest, LabelsCompareOnTheirFirstEightCharacters)
{
    drives("KELBODISC1");
    insertDisc();
    settings("Data=D:\\DATA\nVolumeLabel=kelbodis\n");
    EXPECT_EQ(IsDataDiscInDrive(), 1);
    settings("Data=D:\\DATA\nVolumeLabel=KELBODISC1\n");
    EXPECT_EQ(IsDataDiscInDrive(), 0);  // more than eight never matches
    settings("Data=D:\\DATA\n");
    EXPECT_EQ(IsDataDiscInDrive(), 1);  // nothing to compare with
    EXPECT_EQ(shown(), "");
}

TEST_F(DataPathTest, AWrongDiscShowsTheDataDiscDialogWithTheDataDescription)
{
    drives("OTHER");
    insertDisc();
    static const char kRecord[] = "\0\x05KELBO\0\x02" "31\0\0\0\0\0\x02GR\0\x05Kelbo\0\x06" "Disc 1";
    const std::string record(kRecord, sizeof kRecord - 1);
    TempConfig::writeFile(cdFolder() + "/DATA/JxMMDAT.VER", record);
    settings("Data=D:\\DATA\nVolumeLabel=KELBO\n");
    std::string text;
    plat::SetResponder([&](const plat::UiRequest& r) -> std::optional<int> {
        boxes.push_back(r);
        text = r.text;
        if (const char* shot = std::getenv("KELBO_SCREENSHOT"))
            harness.writeScreenPng(shot);
        return kDataDiscQuit;
    });
    EXPECT_EQ(VerifyDataDiscVolume(), 0);
    EXPECT_EQ(shown(), "dialog 1106 ");
    EXPECT_NE(text.find("Drive D:\\DATA on Volume OTHER\nKelbo\nDisc 1"), std::string::npos) << text;
}

TEST_F(DataPathTest, ADataDiscDialogThatCannotBeShownEndsTheCheck)
{
    std::filesystem::remove(config.program() + "/kelbo32.resources/dialog/1106.dlg");
    drives("OTHER");
    insertDisc();
    settings("Data=D:\\DATA\nVolumeLabel=KELBO\n");
    EXPECT_EQ(VerifyDataDiscVolume(), 0);
    EXPECT_EQ(shown(), "");
}

TEST_F(DataPathTest, NoConfiguredLabelIsReported)
{
    drives();
    insertDisc();
    settings("Data=D:\\DATA\n");
    answers = {kAnswerOk};
    EXPECT_EQ(VerifyDataDiscVolume(), 0);
    EXPECT_EQ(shown(), "[1272] ");
}

TEST_F(DataPathTest, ADiscInsertedBetweenTwoTriesIsFound)
{
    drives("KELBO");
    settings("Data=D:\\DATA\nVolumeLabel=KELBO\n");
    plat::SetResponder([&](const plat::UiRequest& r) -> std::optional<int> {
        boxes.push_back(r);
        insertDisc();
        return kAnswerRetry;
    });
    EXPECT_EQ(CheckDataVersionsAlt(), 1);
    EXPECT_EQ(shown(), "[1075] ");  // no disc: Retry
}

TEST_F(DataPathTest, WithoutADataPathTheUserIsAskedForTheDisc)
{
    drives();
    settings("UseOldCD=0\n");  // the program's drive: neither CD-ROM nor network
    answers = {kAnswerNo};
    EXPECT_EQ(FindDataDisc(), 0);
    EXPECT_EQ(shown(), "[1069] ");
}

TEST_F(DataPathTest, ADriveModeThatNoDriveFitsIsReported)
{
    drives();
    answers = {kAnswerOk};
    EXPECT_EQ(PromptForDataDisc(3), 0);  // no labelled network drive
    EXPECT_EQ(shown(), "[1084] ");
    char first = 0;
    EXPECT_EQ(CountDataDrives(1, first), 1);
    EXPECT_EQ(first, 'D');
    EXPECT_EQ(CountDataDrives(9, first), 0);
}

TEST_F(DataPathTest, DeveloperModeChecksThatTheDataPathLists)
{
    drives();
    settings("Developer=1\nData=E:\\DATA\n");
    EXPECT_EQ(CheckStartupDataPaths(), 1);
    EXPECT_EQ(CheckDataPath(JxCString("Q:\\DATA")), 0);  // no such drive
    EXPECT_EQ(CheckDataPath(JxCString("E:\\NONE")), 0);
    EXPECT_EQ(CheckDataPath(JxCString()), 0);
    // A CD-ROM without a disc: Retry after the disc is in.
    plat::SetResponder([&](const plat::UiRequest& r) -> std::optional<int> {
        boxes.push_back(r);
        insertDisc();
        return kAnswerRetry;
    });
    EXPECT_EQ(CheckDataPath(JxCString("D:\\DATA")), 1);
    EXPECT_EQ(shown(), "[1075] ");
}

TEST_F(DataPathTest, RelocationAsksOncePerRun)
{
    drives();
    settings("Data=E:\\DATA\n");
    answers = {kAnswerNo};
    EXPECT_EQ(RelocateDataPathFor(JxCString("E:\\DATA\\PAGE1\\A.BMP"), JxCString()), 0);
    EXPECT_EQ(RelocateDataPath(JxCString("E:\\DATA\\PAGE1\\A.BMP")), 0);
    EXPECT_EQ(shown(), "[1081] ");
}

TEST_F(DataPathTest, RelocationOffersThePathBeforeThePagesName)
{
    drives();
    settings("Data=E:\\OLD\n");
    answers = {kAnswerYes};
    EXPECT_EQ(RelocateDataPathFor(JxCString("E:\\DATA\\PAGE1\\A.BMP"), JxCString("page1")), 1);
    EXPECT_EQ(shown(), "[1113] ");
    EXPECT_EQ(str(GetDataPathString()), "E:\\DATA");
}

TEST_F(DataPathTest, RelocationCutsTheFailedPathBeforeTheCurrentPagesName)
{
    drives();
    settings("Data=E:\\OLD\n");
    SetProduct(std::make_unique<JxCBaseProduct>());
    auto* def = new JxCPageDef;
    def->SetName(JxCTableString("Page1"));
    auto* page = new JxCPageObject;
    page->Init(def);
    GetProduct()->GetPageList().Add(page);
    GetProduct()->SetCurrentPage(page);
    GetProduct()->SetProductDef(std::make_unique<JxCProductDef>());
    answers = {kAnswerYes};
    EXPECT_EQ(RelocateDataPath(JxCString("E:\\DATA\\PAGE1\\A.BMP")), 1);
    EXPECT_EQ(shown(), "[1113] ");
    EXPECT_EQ(str(GetDataPathString()), "E:\\DATA");
    // The pages' files are read from there from now on.
    EXPECT_EQ(str(GetProduct()->GetProductDef()->GetSecondText()), "E:\\DATA");
    DeleteProduct();
}

TEST_F(DataPathTest, ARefusedOfferGoesOnToTheDataLocationDialog)
{
    drives();
    settings("Data=E:\\OLD\n");
    answers = {kAnswerNo, kAnswerYes, kAnswerCancel, kAnswerNo};
    EXPECT_EQ(RelocateDataPathFor(JxCString("E:\\DATA\\PAGE1\\A.BMP"), JxCString("PAGE1")), 0);
    EXPECT_EQ(shown(), "[1113] [1081] dialog 1010 [1081] ");
    EXPECT_EQ(str(GetDataPathString()), "E:\\OLD");
}

TEST_F(DataPathTest, TheDataDiscTextNamesDriveLabelAndData)
{
    EXPECT_EQ(str(MakeDataDiscText(JxCString("D:"), JxCString("KELBO"), JxCString("A\nB"))),
              "Drive D: on Volume KELBO\nA\nB");
}

}  // namespace
