// The save-as hotspot and its action: the dialog offers the source's name;
// the copy goes in blocks of 512 bytes into a file that takes the chosen
// name only once it is whole; the source itself is refused as the target
// and the dialog comes back; a failed read or write leaves the old target
// and reports the failed save; the action needs a save-as hotspot.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "events/JxCActionProcessor.h"
#include "events/JxProperties.h"
#include "foundation/JxCInStrStream.h"
#include "objects/actions/JxCFileSaveAsAction.h"
#include "objects/tests/panel_fixture.h"
#include "objects/widgets/JxCSaveAsHotspot.h"
#include "platform/backend/harness.h"
#include "platform/fs/atomic_file.h"
#include "platform/fs/files.h"
#include "platform/ui/common_dialogs.h"
#include "platform/ui/dialog.h"
#include "platform/window/window.h"
#include "runtime/JxClassFactories.h"
#include "runtime/JxKeywordTables.h"
#include "testkit/small_records.h"

namespace {

using namespace panel_test;

class SaveAsTest : public PanelTest {
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        RegisterDisplayObjectType(JxCTableString("SaveAsHotspot"),
                                  [] { return static_cast<JxCDisplayObject*>(new JxCSaveAsHotspot); }, key_);
        ReleaseTypeRegistries();
        RegisterTypeIds();
        RegisterActionClass(JxActionKeyword::FileSaveAs, MakeInstance<JxCAction, JxCFileSaveAsAction>,
                            CopyInstance<JxCAction, JxCFileSaveAsAction>);
        ASSERT_TRUE(RegisterWindowClasses(JxCStartupInfo{}));
        main = openProductWindow(320, 240, plat::WS_POPUP);
        GetProduct()->SetActionProcessor(std::make_unique<JxCActionProcessor>());
        panelDef();
        source.assign(1300, '\0');
        for (std::size_t i = 0; i < source.size(); ++i)
            source[i] = char(i * 7 + i / 256);
        plat::testing::TempConfig::writeFile(config.program() + "/data.txt", source);
    }
    void TearDown() override
    {
        plat::SetWriteFaultHook({});
        plat::SetReadFaultHook({});
        panel.reset();
        page.reset();
        GetProduct()->SetActionProcessor(nullptr);
        GetProduct()->ForgetProductWindow();
        plat::DestroyWindow(main);
        UnregisterFactoryClasses();
        UnregisterDisplayObjectType(JxCTableString("saveashotspot"));
        PanelTest::TearDown();
    }

    JxCSaveAsHotspot* open(testkit::SaveAsFields fields, std::vector<testkit::ActionRecord> onClick = {})
    {
        testkit::PanelRecord record(2);
        auto hotspot = testkit::SaveAsHotspotRecord(fields).rect(10, 10, 40, 30);
        if (!onClick.empty())
            hotspot.on("on_click", std::move(onClick));
        record.add(hotspot, file);
        panel.reset();
        page.reset();
        readDefinitions();
        page = std::make_unique<SlatePage>(200, 100);
        panel = readPanel(record.Bytes(), *page);
        return dynamic_cast<JxCSaveAsHotspot*>(panel->GetDisplayObjects().GetFirst());
    }
    static testkit::SaveAsFields fields()
    {
        testkit::SaveAsFields f;
        f.source = "data.txt";
        f.dialogTitle = "Save a copy";
        return f;
    }
    // The dialogs pick these names in turn (relative to the program
    // folder; empty: Cancel); any other box is answered with its first
    // button, a replace question with Yes, a missing file with Ignore.
    void pick(std::vector<std::string> names)
    {
        auto left = std::make_shared<std::vector<std::string>>(std::move(names));
        plat::SetResponder([this, left](const plat::UiRequest& r) -> std::optional<int> {
            boxes.push_back(r);
            if (r.kind == "GetSaveFileName") {
                char offered[260] = {};
                plat::GetDlgItemTextA(r.window, plat::kFileNameEdit, offered, sizeof offered);
                this->offered.push_back(offered);
                if (left->empty() || left->front().empty())
                    return plat::IDCANCEL;
                const std::string chosen = programFolder() + left->front();
                left->erase(left->begin());
                plat::SetDlgItemTextA(r.window, plat::kFileNameEdit, chosen.c_str());
                return plat::IDOK;
            }
            if (r.kind == "MessageBox" && r.buttons.size() == 2)
                return plat::IDYES;
            if (r.kind == "MessageBox" && r.buttons.size() == 3)
                return plat::IDIGNORE;
            return r.buttons.empty() ? plat::IDOK : r.buttons.front();
        });
    }
    int dialogs() const
    {
        int n = 0;
        for (const auto& box : boxes)
            n += box.kind == "GetSaveFileName";
        return n;
    }
    int boxesOf(unsigned id) const
    {
        int n = 0;
        for (const auto& box : boxes)
            n += box.text.find("(id = " + std::to_string(id) + ")") != std::string::npos;
        return n;
    }
    std::string programFile(const std::string& name) const
    {
        return plat::testing::TempConfig::readFile(config.program() + "/" + name);
    }

    plat::Harness harness;
    plat::HWND main = nullptr;
    std::unique_ptr<SlatePage> page;
    std::unique_ptr<JxCPanelObject> panel;
    std::string source;
    std::vector<std::string> offered;

private:
    JxCTypeKey key_;
};

TEST_F(SaveAsTest, TheRecordGivesTheSevenTextsAndTheTwoProperties)
{
    testkit::SaveAsFields f = fields();
    f.spare = "spare";
    f.initialFolder = "C:\\";
    JxCSaveAsHotspot* hotspot = open(f);
    ASSERT_NE(hotspot, nullptr);
    EXPECT_STREQ(hotspot->GetSourceFile().GetText(), "data.txt");
    EXPECT_STREQ(hotspot->GetDefaultExtension().GetText(), "txt");
    EXPECT_STREQ(hotspot->GetInitialFolder().GetText(), "C:\\");
    EXPECT_STREQ(hotspot->GetFilter().GetText(), "Text (*.txt)^*.txt^All files^*.*^");

    JxCString text;
    EXPECT_EQ(hotspot->GetStringProperty(kPropDialogTitle, &text), kPropertyOk);
    EXPECT_STREQ(text.GetText(), "Save a copy");
    EXPECT_EQ(hotspot->SetStringProperty(kPropSourceFile, JxCString("other.txt")), kPropertyOk);
    EXPECT_STREQ(hotspot->GetSourceFile().GetText(), "other.txt");
    std::int32_t nameId = 0;
    EXPECT_EQ(hotspot->GetPropertyInfo(kPropSourceFile, &nameId), JxPropertyKind::String);
    EXPECT_EQ(nameId, 1330);
    EXPECT_EQ(hotspot->GetPropertyInfo(kPropDialogTitle, &nameId), JxPropertyKind::String);
    EXPECT_EQ(nameId, 1331);
    EXPECT_EQ(hotspot->SetNumberProperty(kPropSourceFile, 3), kPropertyOtherKind);
    JxCSaveAsHotspot made;
    EXPECT_STREQ(made.GetDialogTitle().GetText(), "Save As");
}

TEST_F(SaveAsTest, TheSourceIsCopiedIn512ByteBlocksUnderTheNameChosen)
{
    JxCSaveAsHotspot* hotspot = open(fields());
    std::vector<std::size_t> writes, reads;
    plat::SetWriteFaultHook([&](const std::string& path, std::size_t at) {
        if (path.ends_with("copy.bin"))
            writes.push_back(at);
        return 0;
    });
    plat::SetReadFaultHook([&](const std::string& path, std::size_t at) {
        if (path.ends_with("data.txt"))
            reads.push_back(at);
        return 0;
    });
    pick({"copy.bin"});
    EXPECT_EQ(hotspot->SaveAs(), 1);
    EXPECT_EQ(offered, std::vector<std::string>{"data.txt"}) << "the source's name is offered";
    EXPECT_EQ(programFile("copy.bin"), source);
    EXPECT_EQ(writes, (std::vector<std::size_t>{0, 512, 1024}));
    EXPECT_EQ(reads, (std::vector<std::size_t>{0, 512, 1024, 1300})) << "a last read of nothing ends the copy";
    EXPECT_EQ(GetProduct()->GetBusyBits(), 0);

    // A new source through the property; an empty one copies as empty.
    plat::testing::TempConfig::writeFile(config.program() + "/empty.txt", "");
    hotspot->SetStringProperty(kPropSourceFile, JxCString("empty.txt"));
    pick({"copy.bin"});
    EXPECT_EQ(hotspot->SaveAs(), 1);
    EXPECT_EQ(programFile("copy.bin"), "");
}

TEST_F(SaveAsTest, TheSourceIsRefusedAsTargetAndTheDialogComesBack)
{
    JxCSaveAsHotspot* hotspot = open(fields());
    pick({"DATA.TXT", "copy.bin"});
    EXPECT_EQ(hotspot->SaveAs(), 1);
    EXPECT_EQ(dialogs(), 2);
    EXPECT_EQ(programFile("data.txt"), source);
    EXPECT_EQ(programFile("copy.bin"), source);

    // Refused, then Cancel: nothing saved.
    boxes.clear();
    pick({"data.txt", ""});
    EXPECT_EQ(hotspot->SaveAs(), 0);
    EXPECT_EQ(dialogs(), 2);
    EXPECT_EQ(programFile("data.txt"), source);
}

TEST_F(SaveAsTest, AFailedReadOrWriteKeepsTheOldTargetAndReportsTheSave)
{
    plat::testing::TempConfig::writeFile(config.program() + "/copy.bin", "old");
    JxCSaveAsHotspot* hotspot = open(fields());
    plat::SetReadFaultHook([](const std::string& path, std::size_t at) {
        return path.ends_with("data.txt") && at == 512 ? EIO : 0;
    });
    pick({"copy.bin"});
    EXPECT_EQ(hotspot->SaveAs(), 0);
    EXPECT_EQ(programFile("copy.bin"), "old");
    EXPECT_EQ(boxesOf(JxCSaveAsHotspot::kSaveFailedId), 1);
    EXPECT_EQ(boxesOf(JxCSaveAsHotspot::kWriteFailedId), 0);
    EXPECT_EQ(GetProduct()->GetBusyBits(), 0);
    EXPECT_TRUE(plat::TemporaryPathFor(config.program() + "/copy.bin").empty() ||
                !std::filesystem::exists(plat::TemporaryPathFor(config.program() + "/copy.bin")));

    plat::SetReadFaultHook({});
    plat::SetWriteFaultHook([](const std::string& path, std::size_t at) {
        return path.ends_with("copy.bin") && at == 1024 ? ENOSPC : 0;
    });
    boxes.clear();
    pick({"copy.bin"});
    EXPECT_EQ(hotspot->SaveAs(), 0);
    EXPECT_EQ(programFile("copy.bin"), "old");
    EXPECT_EQ(boxesOf(JxCSaveAsHotspot::kWriteFailedId), 1);
    EXPECT_EQ(boxesOf(JxCSaveAsHotspot::kSaveFailedId), 1);
}

TEST_F(SaveAsTest, WithoutItsParametersOrItsSourceNothingIsAsked)
{
    testkit::SaveAsFields f = fields();
    f.defaultExtension = "";
    JxCSaveAsHotspot* hotspot = open(f);
    pick({"copy.bin"});
    EXPECT_EQ(hotspot->SaveAs(), 0);
    EXPECT_EQ(dialogs(), 0);
    EXPECT_NE(errorLog().find("Invalid Action parameters in JxCFileSaveAsAction::Create"), std::string::npos);

    hotspot = open(fields());
    hotspot->SetStringProperty(kPropSourceFile, JxCString("missing.txt"));
    pick({"copy.bin"});
    EXPECT_EQ(hotspot->SaveAs(), 0);
    EXPECT_EQ(dialogs(), 0);
    EXPECT_FALSE(std::filesystem::exists(config.program() + "/copy.bin"));
}

TEST_F(SaveAsTest, TheActionSavesThroughItsHotspotAndNeedsOne)
{
    JxCSaveAsHotspot* hotspot = open(fields(), {testkit::FileSaveAsAction()});
    ASSERT_NE(hotspot, nullptr);
    ASSERT_EQ(hotspot->GetEventHandlers().GetCount(), 1);

    // Read for another owner, the action is not kept.
    const std::vector<std::uint8_t> bytes = testkit::ActionListBytes({testkit::FileSaveAsAction()});
    JxCInStrStream in(JxMemoryBlock{bytes.data(), std::uint32_t(bytes.size())});
    JxCActionList list;
    JxCDisplayObject plain;
    EXPECT_EQ(list.ReadBinary(in, &plain), 0);
    EXPECT_EQ(list.GetCount(), 0);

    // A click posts it; the processor's copy saves.
    pick({"clicked.bin"});
    panel->MouseDown(JxCPoint(25, 35));
    panel->MouseUp(JxCPoint(25, 35));
    harness.runUntilIdle();
    EXPECT_EQ(programFile("clicked.bin"), source);
}

}  // namespace
