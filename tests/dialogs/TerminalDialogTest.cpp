// The terminal dialog's logic on a headless window: sending, the history, the list and saving it.

#include <gtest/gtest.h>

#include <filesystem>

#include "FakeFrame.h"
#include "MemoryLink.h"
#include "TempDir.h"
#include "TestServices.h"
#include "dialogs/TerminalDialog.h"
#include "protocol/Command.h"
#include "protocol/OnlineStatus.h"

using namespace vr;
using namespace vr::dialogs::terminal;
using namespace std::chrono;
using app::MsgIcon;

namespace {

system_clock::time_point Utc(int h, int m, int s, int ms) {
    return system_clock::time_point(days(20000) + hours(h) + minutes(m) + seconds(s) + milliseconds(ms));
}

class TerminalDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        wire.traffic = &services.traffic;
        services.engine.SetLink(&wire);
        services.status.SetOffline();
        dialogs::LogFolderStore folder{[this] { return dir.Path(); },
                                       [this](const std::string& f) { storedFolder = f; }};
        dialog =
            std::make_unique<dialogs::CTerminalDialog>(services.Get(), window, frame, folder, [this] { return now; });
        dialog->Init();
    }
    void TearDown() override { dialog.reset(); }

    test::TestServices services;
    test::FakePlatform& platform = services.platform;
    test::MemoryLink wire;
    ui::ControlModel window = test::DialogControls({{ui::CtrlType::Edit, {kEdit}},
                                                    {ui::CtrlType::Combo, {kList}},
                                                    {ui::CtrlType::Static, {kStrip}},
                                                    {ui::CtrlType::Button, {kSend, kClear, kClose, kSave}}});
    test::FakeFrame frame;
    system_clock::time_point now = Utc(10, 5, 7, 42);
    std::unique_ptr<dialogs::CTerminalDialog> dialog;
    test::TempDir dir;
    std::string storedFolder;
};

}  // namespace

TEST(TerminalTimeStamp, MinuteSecondMillisecondWithoutTheHour) {
    EXPECT_EQ(dialogs::CTerminalDialog::TimeStamp(Utc(23, 59, 59, 999)), "59:59:999  ");
    EXPECT_EQ(dialogs::CTerminalDialog::TimeStamp(Utc(0, 0, 0, 0)), "00:00:000  ");
}

TEST_F(TerminalDialogTest, SendWritesTheLineListsItAndKeepsTheText) {
    EXPECT_EQ(window.GetPicture(kStrip), protocol::kStripOffline);
    window.SetText(kEdit, "GA?");
    dialog->OnSend();
    window.SetText(kEdit, "");
    dialog->OnSend();
    EXPECT_EQ(wire.Written(), (std::vector<std::string>{"GA?\r\n", "\r\n"}));
    EXPECT_EQ(test::Items(window, kList), (std::vector<std::string>{"05:07:042  Tx: GA?", "05:07:042  Tx: "}));
    EXPECT_EQ(window.GetText(kEdit), "");

    dialog->OnClose();
    EXPECT_FALSE(frame.visible);
    wire.Feed("COMPLETE\r\n");
    services.engine.OnTimer();
    EXPECT_EQ(test::Items(window, kList).back(), "05:07:042  Rx: COMPLETE") << "listed while hidden";
}

TEST_F(TerminalDialogTest, UpAndDownRecallTheCommandsSentBefore) {
    for (const char* text : {"GA?", "GA=400", "GA=400", "MD?"}) {
        window.SetText(kEdit, text);
        dialog->OnSend();
    }
    // Up from the newest back to the oldest and no further; the repeated command is there once.
    std::vector<std::string> seen;
    for (int i = 0; i < 4; ++i) {
        dialog->OnHistory(-1);
        seen.push_back(window.GetText(kEdit));
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"MD?", "GA=400", "GA?", "GA?"}));
    dialog->OnHistory(1);
    EXPECT_EQ(window.GetText(kEdit), "GA=400");
    dialog->OnHistory(1);
    dialog->OnHistory(1);
    EXPECT_EQ(window.GetText(kEdit), "") << "past the newest: a new command";
    window.SetText(kEdit, "typed");
    dialog->OnHistory(1);
    EXPECT_EQ(window.GetText(kEdit), "typed") << "Down at the end leaves the edit alone";
}

TEST_F(TerminalDialogTest, ListKeepsItsFirst32786LinesAndFormatsShortMessages) {
    for (int i = 0; i < kMaxLines + 2; ++i) dialog->AddLine("x");
    EXPECT_EQ(window.GetCount(kList), 32786);
    dialog->OnClear();
    EXPECT_EQ(window.GetCount(kList), 0);
    dialog->AddLineF("%s", std::string(300, 'a').c_str());
    EXPECT_EQ(window.GetItemText(kList, 0), "05:07:042  " + std::string(256, 'a'));
}

TEST_F(TerminalDialogTest, SaveWritesTheLinesInOrder) {
    dialog->AddLine("Tx: MD?");
    now += milliseconds(5);
    dialog->AddLine("Rx: MD=VR-8200-KA");
    platform.files = {dir / "trace"};
    dialog->OnSave();
    EXPECT_EQ(dir.ReadFile("trace.csv"), "05:07:042  Tx: MD?\n05:07:047  Rx: MD=VR-8200-KA\n");
    EXPECT_EQ(test::Items(window, kList).back(), "05:07:047  Writing file has been done !");
    EXPECT_EQ(storedFolder, dir.Path());
    EXPECT_TRUE(platform.boxes.empty());

    dialog->OnClear();
    platform.files = {dir / "trace.csv"};
    platform.answers = {app::MsgResult::Yes};
    dialog->OnSave();
    EXPECT_EQ(dir.ReadFile("trace.csv"), "") << "after Clear the file is empty";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1) << "no temporary file is left";

    platform.boxes.clear();
    platform.files = {dir / "missing/trace.csv"};
    dialog->OnSave();
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].text, "File open error !");
    EXPECT_EQ(platform.boxes[0].icon, MsgIcon::Error);
    platform.files.clear();
    dialog->OnSave();  // cancelled: nothing happens
    EXPECT_EQ(platform.boxes.size(), 1u);
}

TEST_F(TerminalDialogTest, RegistryGreysTheWindow) {
    services.dialogs.DisableAll();
    EXPECT_FALSE(frame.windowEnabled);
    services.dialogs.EnableAll();
    EXPECT_TRUE(frame.windowEnabled);
}
