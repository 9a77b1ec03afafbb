#include <gtest/gtest.h>

#include <string>

#include "foundation/JxProductLink.h"
#include "foundation/tests/reporting_fixture.h"
#include "platform/config/profile.h"
#include "platform/fs/folders.h"

namespace {

using plat::testing::TempConfig;

class StartupSettingsTest : public ReportingTest {
protected:
    void SetUp() override
    {
        ReportingTest::SetUp();
        programStrings("1\tkelbo32.ini\n4\tKelbo\n3013\tmmapp\n1268\tUncompressedDibs\n");
    }
    static std::string str(const JxCString& s) { return std::string(s.View()); }
    const JxStartupSettings& read(const std::string& ini)
    {
        iniFile(ini);
        ReadSettings();
        return GetStartupSettings();
    }
    std::string drive() const { return programFolder().substr(0, 2); }
};

TEST_F(StartupSettingsTest, WithoutTheSectionEveryKeyHasItsDefault)
{
    const JxStartupSettings& s = read("[Other]\nDeveloper=1\n");
    EXPECT_TRUE(AreSettingsRead());
    EXPECT_EQ(s.developer, 0);
    EXPECT_EQ(s.network, 0);
    EXPECT_EQ(s.testSwitch, 0);
    EXPECT_EQ(s.blackWindow, 1);
    EXPECT_EQ(s.useOldCD, 1);
    EXPECT_EQ(str(s.country), "");
    EXPECT_EQ(s.logErrors, 0);
    EXPECT_EQ(str(s.logFile), "error.log");
    EXPECT_EQ(str(s.data), drive());
    EXPECT_EQ(str(s.mungeStore), "DATA.MNG");
    EXPECT_EQ(str(s.mungeCommon), "COMMON");
    EXPECT_EQ(str(s.pages), "");
    EXPECT_EQ(str(s.spfPath), programFolder() + "SPF");
    EXPECT_EQ(str(s.user), programFolder());
    EXPECT_EQ(s.canScrunge + s.checkRefs + s.coverage + s.canEdit + s.scrungeDebugOutput, 0);
    EXPECT_EQ(s.munge + s.mungedSprites + s.canMunge, 0);
    EXPECT_EQ(str(s.mungeListPath) + str(s.mungeListFile) + str(s.mungeOutputPath) + str(s.mungeFileSpec), "");
    EXPECT_EQ(s.displayHotspot + s.canShed + s.forceScreenPaint + s.displayPageName, 0);
    EXPECT_EQ(s.minimumKRam, 2500);
    EXPECT_EQ(s.top, -1);
    EXPECT_EQ(s.left, -1);
    EXPECT_EQ(str(s.volumeLabel), "");
}

TEST_F(StartupSettingsTest, EveryKeyIsReadFromSectionDirectory)
{
    const JxStartupSettings& s = read(
        "[Directory]\nDeveloper=1\nNetwork=1\nTestSwitch=1\nBlackWindow=0\nUseOldCD=0\nCountry=GR\n"
        "LogErrors=1\nLogFile=" + programFolder() + "run.log\nData=E:\\DATA\\\nMungeStore=STORE.MNG\\\n"
        "MungeCommon=SHARED\\\nPages=E:\\PAGES\\\nSPFPath=E:\\SPF\nUser=E:\\USERS\nCanScrunge=1\n"
        "CheckRefs=1\nCoverage=1\nCanEdit=1\nScrungeDebugOutput=7\nMunge=1\nMungedSprites=1\nCanMunge=1\n"
        "MungeListPath=E:\\LIST\nMungeListFile=list.txt\nMungeOutputPath=E:\\OUT\\\nMungeFileSpec=*.bmp|\n"
        "Display Hotspot=1\nCanShed=1\nForce Screen Paint=1\nMinimumkRAM=8000\nTop=10\nLeft=-20\n"
        "DisplayPageName=1\nVolumeLabel=KELBO\n");
    EXPECT_EQ(s.developer, 1);
    EXPECT_EQ(s.network, 1);
    EXPECT_EQ(s.testSwitch, 1);
    EXPECT_EQ(s.blackWindow, 0);
    EXPECT_EQ(s.useOldCD, 0);
    EXPECT_EQ(str(s.country), "GR");
    EXPECT_EQ(s.logErrors, 1);
    EXPECT_EQ(str(s.logFile), programFolder() + "run.log");
    EXPECT_TRUE(std::filesystem::exists(config.program() + "/run.log"));
    EXPECT_EQ(str(s.data), "E:\\DATA");
    EXPECT_EQ(str(s.mungeStore), "STORE.MNG");
    EXPECT_EQ(str(s.mungeCommon), "SHARED");
    EXPECT_EQ(str(s.pages), "E:\\PAGES");
    EXPECT_EQ(str(s.spfPath), "E:\\SPF");
    EXPECT_EQ(str(s.user), "E:\\USERS\\");
    EXPECT_EQ(s.canScrunge + s.checkRefs + s.coverage + s.canEdit, 4);
    EXPECT_EQ(s.scrungeDebugOutput, 1);
    EXPECT_EQ(s.munge + s.mungedSprites + s.canMunge, 3);
    EXPECT_EQ(str(s.mungeListPath), "E:\\LIST");
    EXPECT_EQ(str(s.mungeListFile), "list.txt");
    EXPECT_EQ(str(s.mungeOutputPath), "E:\\OUT");
    EXPECT_EQ(str(s.mungeFileSpec), "*.bmp|");
    EXPECT_EQ(s.displayHotspot + s.canShed + s.forceScreenPaint + s.displayPageName, 4);
    EXPECT_EQ(s.minimumKRam, 8000);
    EXPECT_EQ(s.top, 10);
    EXPECT_EQ(s.left, -20);
    EXPECT_EQ(str(s.volumeLabel), "KELBO");
    EXPECT_TRUE(IsTestingEnabled());
    EXPECT_TRUE(IsUsingMungeStore());
}

TEST_F(StartupSettingsTest, TheDataPathGetsTheProgramsDriveAndLosesOneBackslash)
{
    EXPECT_EQ(str(read("[Directory]\nData=\\Title\\Data\n").data), drive() + "\\Title\\Data");
    EXPECT_EQ(str(read("[Directory]\nData=E:\\\n").data), "E:");
    EXPECT_EQ(str(read("[Directory]\nData=\\\\server\\share\\\n").data), "\\\\server\\share");
    EXPECT_EQ(str(read("[Directory]\nData=\n").data), drive());
}

TEST_F(StartupSettingsTest, TheUserFolderEndsInExactlyOneBackslash)
{
    EXPECT_EQ(str(read("[Directory]\nUser=D:\\Users\n").user), "D:\\Users\\");
    EXPECT_EQ(str(read("[Directory]\nUser=D:\\Users\\\n").user), "D:\\Users\\");
}

TEST_F(StartupSettingsTest, TheMungeKeysAreReadOnlyWhenMungingIsAllowed)
{
    const std::string keys = "MungeListPath=L\nMungeListFile=F\nMungeFileSpec=S\nData=E:\\D\n";
    const JxStartupSettings& off = read("[Directory]\n" + keys);
    EXPECT_EQ(str(off.mungeListPath) + str(off.mungeListFile) + str(off.mungeFileSpec), "");
    ResetStartupSettings();
    const JxStartupSettings& on = read("[Directory]\nCanMunge=1\n" + keys);
    EXPECT_EQ(str(on.mungeListPath) + str(on.mungeListFile) + str(on.mungeFileSpec), "LFS");
    EXPECT_EQ(str(on.mungeOutputPath), "E:\\D");  // the data path by default
}

TEST_F(StartupSettingsTest, StartUpEmptiesTheLog)
{
    TempConfig::writeFile(config.program() + "/error.log", "old lines\r\n");
    read("[Directory]\nLogErrors=1\nLogFile=" + programFolder() + "error.log\n");
    EXPECT_EQ(hostFile("error.log"), "");
}

TEST_F(StartupSettingsTest, TheIniFileIsFoundThroughTheSharedMmappFile)
{
    // WIN.INI names mmapp.ini; that names the title's folder C:\TITLE.
    TempConfig::writeFile(plat::WindowsFolderHost() + "/WIN.INI", "[mmapp]\nPath=C:\\WINDOWS\\mmapp.ini\n");
    TempConfig::writeFile(plat::WindowsFolderHost() + "/mmapp.ini", "[Kelbo]\nPath=C:\\TITLE\n");
    TempConfig::writeFile(config.config() + "/TITLE/kelbo32.ini", "[Directory]\nTop=1\n");
    iniFile("[Directory]\nTop=2\n");
    JxCString path;
    ASSERT_TRUE(GetProfilePath(path));
    GetProductIniPath(path);
    EXPECT_EQ(str(path), "C:\\TITLE\\kelbo32.ini");
    ReadSettings();
    EXPECT_EQ(GetStartupSettings().top, 1);

    // A developer's copy beside the program wins.
    TempConfig::writeFile(plat::WindowsFolderHost() + "/mmapp.ini",
                          "[InstalledApp]\nDeveloper=1\n[Kelbo]\nPath=C:\\TITLE\n");
    GetProductIniPath(path);
    EXPECT_EQ(str(path), programFolder() + "kelbo32.ini");
}

TEST_F(StartupSettingsTest, WithoutAnyCopyTheBareNameMeansTheWindowsFolder)
{
    TempConfig::writeFile(plat::WindowsFolderHost() + "/kelbo32.ini", "[Directory]\nLeft=5\n");
    JxCString path;
    GetProductIniPath(path);
    EXPECT_EQ(str(path), "kelbo32.ini");
    ReadSettings();
    EXPECT_EQ(GetStartupSettings().left, 5);
}

TEST_F(StartupSettingsTest, TheMinimumMemoryDefaultsToString5)
{
    programStrings("1\tkelbo32.ini\n5\t4096\n");
    EXPECT_EQ(read("[Directory]\n").minimumKRam, 4096);
}

TEST_F(StartupSettingsTest, IntegerLookUpsByNameAndById)
{
    iniFile("[Directory]\nUncompressedDibs=1\nOther=42\n");
    EXPECT_EQ(GetSettingInt("Other", 0), 42);
    EXPECT_EQ(GetSettingIntById(1268, 0), 1);
    EXPECT_EQ(GetSettingIntById(4711, 9), 9);  // no key name
}

TEST_F(StartupSettingsTest, ANewDataPathIsStoredWrittenAndHandedToTheProduct)
{
    read("[Directory]\nData=E:\\OLD\n");
    JxCString handed;
    JxProductLink link;
    link.setDataPath = [&](const JxCString& p) { handed = p; };
    SetProductLink(link);
    WriteProductIniPaths("F:\\NEW\\");
    SetProductLink(std::nullopt);
    EXPECT_EQ(str(GetDataPathString()), "F:\\NEW");
    EXPECT_EQ(str(handed), "F:\\NEW");
    char value[64];
    plat::GetPrivateProfileStringA("Directory", "Data", "", value, sizeof value,
                                   (programFolder() + "kelbo32.ini").c_str());
    EXPECT_STREQ(value, "F:\\NEW");
}

TEST_F(StartupSettingsTest, BackslashHelpers)
{
    JxCString p("C:\\A\\");
    StripTrailingBackslash(p);
    EXPECT_EQ(str(p), "C:\\A");
    AddTrailingBackslash(p);
    AddTrailingBackslash(p);
    EXPECT_EQ(str(p), "C:\\A\\");
    JxCString drive("C:");
    AddTrailingBackslash(drive);
    EXPECT_EQ(str(drive), "C:");
    JxCString empty;
    AddTrailingBackslash(empty);
    StripTrailingBackslash(empty);
    EXPECT_TRUE(empty.IsEmpty());
}

}  // namespace
