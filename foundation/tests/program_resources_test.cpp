#include <gtest/gtest.h>

#include <string>

#include "foundation/tests/reporting_fixture.h"
#include "platform/fs/folders.h"

namespace {

// The program's own resources as shipped in resources/.
class ProgramResourcesTest : public ReportingTest {
protected:
    void SetUp() override
    {
        ReportingTest::SetUp();
        plat::SetProgramFileHost(std::string(KELBO_SOURCE_DIR) + "/resources/kelbo32");
    }
    static std::string text(unsigned id) { return LoadStringFromLibraries(id).value_or("<none>"); }
};

TEST_F(ProgramResourcesTest, EveryMessageTheEngineReportsHasAText)
{
    for (unsigned id : {1001u, 1002u, 1003u, 1009u, 1010u, 1011u, 1012u, 1013u, 1014u, 1016u, 1018u, 1019u,
                        1025u, 1030u, 1037u, 1039u, 1045u, 1047u, 1048u, 1058u, 1060u, 1062u, 1063u, 1064u,
                        1066u, 1067u, 1068u, 1069u, 1075u, 1076u, 1077u, 1078u, 1081u, 1084u, 1086u, 1087u,
                        1088u, 1089u, 1090u, 1092u, 1093u, 1094u, 1098u, 1113u, 1116u, 1117u, 1118u, 1119u,
                        1120u, 1121u, 1122u, 1123u, 1124u, 1125u, 1126u, 1134u, 1135u, 1136u, 1156u, 1158u,
                        1161u, 1166u, 1167u, 1168u, 1172u, 1176u, 1177u, 1178u, 1251u, 1253u, 1266u, 1267u,
                        1180u, 1181u, 1182u, 1272u, 2804u, 8106u})
        EXPECT_NE(text(id), "<none>") << id;
}

TEST_F(ProgramResourcesTest, TheFixedTextsAreExact)
{
    EXPECT_EQ(text(1), "kelbo32.ini");
    EXPECT_EQ(text(3013), "mmapp");
    EXPECT_EQ(text(1027), "Directory");
    EXPECT_EQ(text(1064), "Are you sure you want to quit?");
    EXPECT_EQ(text(1045), "Cannot find  resource id %d");
    EXPECT_EQ(text(1176),
              "Your system does not have a mouse.\n\nIt is essential to have a mouse or equivalent pointing "
              "device installed in Windows to be able to explore and enjoy this multimedia title.");
    EXPECT_EQ(text(1322), "Name");
}

TEST_F(ProgramResourcesTest, FormattedReportsFillEveryMarker)
{
    answers = {5};
    ReportErrorAbortRetryIgnore(1093, 1024, 2500);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text.find("%"), std::string::npos);
    EXPECT_NE(boxes[0].text.find("1024 KB"), std::string::npos);
    EXPECT_EQ(boxes[0].caption, "Kelbo");
}

}  // namespace
