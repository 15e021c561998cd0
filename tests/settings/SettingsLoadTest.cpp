// The settings file loader against the virtual camera over a pty: how lines are read, which are
// sent, what happens to refused lines, the model line, and the progress window.

#include <algorithm>

#include "SettingsFixture.h"
#include "protocol/ParameterTable.h"
#include "settings/ModelCommands.h"

using namespace vr;
using Strings = std::vector<std::string>;

namespace {

class SettingsLoadTest : public test::SettingsFixture {
protected:
    settings::SettingsLoad Load(const std::string& text) {
        services->dir.WriteFile("in.cam", text);
        return feature->LoadFile(Path("in.cam"));
    }
};

TEST_F(SettingsLoadTest, LinesAreReadAsTheEngineParsesThemAndUnknownOnesPassQuietly) {
    Start("KA");
    Connect();
    const std::string overlong = "TM=1" + std::string(251, ' ') + "WTC=1024";  // 263 characters
    const settings::SettingsLoad load = Load(
        "WTC = 2048\r\n"      // blanks go
        "wtc=1024\r\n"        // names match exactly
        "GA=&H190\r\n"        // hexadecimal: 400
        "OFC=64,more text\n"  // the value ends at a comma; a bare LF ends a line too
        "\r\n"                // blank
        "; a comment\r\n"     // no "="
        "FOO=1\r\n"           // not a command
        "EB=1\r\n"            // a command without a control
        "WB0R=120\r\n"        // a factory setting, outside factory mode
        "TPN=3\r\n"           // not carried by settings files
        "BL=\r\n"             // no number
        "=5\r\n"              // no name
        "GA?\r\n" +           // a query is no setting
        overlong +
        "\r\n"    // longer than the read buffer: skipped whole
        "BL=3");  // the last line needs no line end
    EXPECT_EQ(sent, (Strings{"WTC=2048", "GA=400", "OFC=64", "BL=3"}));
    EXPECT_EQ(load.lines, 15);
    EXPECT_EQ(load.done, 15);
    EXPECT_EQ(load.sent, 4);
    EXPECT_TRUE(load.refused.empty());
    EXPECT_TRUE(Platform().boxes.empty()) << Texts().front();
    EXPECT_EQ(CameraValue("WTC"), 2048);
    EXPECT_EQ(CameraValue("TM"), 0);
    // Committed and on screen.
    EXPECT_EQ(services->table.GetCommittedDataValue(1041), 400);
    EXPECT_EQ(controls->GetText(1225), "2048");
    EXPECT_EQ(Platform().progress.front(), "open:Now, reading camera setting file.");
    EXPECT_EQ(Platform().progress.back(), "finish");
}

TEST_F(SettingsLoadTest, AFileOfAnotherModelSendsOnlyWhatThisModelHas) {
    // Saved from a KA camera as it came from the factory, but with another gain.
    Start("KA");
    Connect();
    dlg->ReadAllSettings();
    services->table.SetDataValue(1041, 400);
    const std::string saved = Path("ka.cam");
    ASSERT_TRUE(settings::SettingsFile(services->Get(), *dlg).Write(saved, settings::SettingsVariant::ShippingData));
    const std::string ka = test::ReadBytes(saved);

    Start("KB");
    Connect();
    const settings::SettingsLoad load = Load(ka);
    EXPECT_TRUE(load.refused.empty()) << Texts().front();
    for (const char* lacked : {"PER", "PEG", "PEB", "EI", "ETM", "SCB", "STP"}) {
        EXPECT_NE(ka.find(std::string("\n") + lacked + "="), std::string::npos) << lacked;
        EXPECT_EQ(std::count_if(sent.begin(), sent.end(),
                                [&](const std::string& s) { return s.rfind(std::string(lacked) + "=", 0) == 0; }),
                  0)
            << lacked;
    }
    // Every other line went, in the file's order, "CACS" among them.
    Strings expected;
    for (const auto& line : settings::SettingsLines::Split(ka)) {
        const std::string name = line.text.substr(0, line.text.find('='));
        if (settings::IsCommandOnModel(static_cast<uint32_t>(protocol::FindCommand(name)), settings::kModelKB))
            expected.push_back(line.text);
    }
    EXPECT_EQ(sent, expected);
    EXPECT_NE(std::find(sent.begin(), sent.end(), "CACS=0"), sent.end());
    EXPECT_EQ(CameraValue("GA"), 400);
}

TEST_F(SettingsLoadTest, TheModelLineRenamesTheCameraAndTheRestFollowsTheNewModel) {
    Start("KA", {}, 1);
    Connect();
    Load("MD00=VR-8200-KB\r\nPER=9000\r\nLROP=1\r\n");
    EXPECT_EQ(sent, (Strings{"MD00=VR-8200-KB", "MD?", "LROP=1"}));
    EXPECT_EQ(server->ModelName(), "VR-8200-KB");
    EXPECT_EQ(services->model.kind, settings::kModelKB);
    EXPECT_EQ(controls->GetCurSel(1142), 0) << "the model display follows";

    // A control character in the name would break the line: never sent, listed as refused.
    Platform().boxes.clear();
    sent.clear();
    const settings::SettingsLoad load = Load("MD00=VR-8200\tKA\r\nLROP=0\r\n");
    EXPECT_EQ(sent, (Strings{"LROP=0"}));
    ASSERT_EQ(load.refused.size(), 1u);
    EXPECT_EQ(load.refused[0].why, settings::RefusedLine::Why::NotSendable);
    EXPECT_EQ(server->ModelName(), "VR-8200-KB");
    ASSERT_EQ(Platform().boxes.size(), 1u);
    EXPECT_NE(Platform().boxes[0].text.find("line 1: MD00=VR-8200?KA (not sent: control character)"), std::string::npos)
        << Platform().boxes[0].text;
}

TEST_F(SettingsLoadTest, TheChromaticModeLineEnablesTheEditors) {
    Start("KA");
    Connect();
    for (const auto& [mode, enabled] : {std::pair{"2", true}, std::pair{"0", false}, std::pair{"3", true}}) {
        Load(std::string("CACM=") + mode + "\r\nCACS=0\r\n");
        EXPECT_EQ(controls->IsEnabled(1696), enabled) << mode;
        EXPECT_EQ(controls->IsEnabled(1698), enabled) << mode;
        EXPECT_EQ(sent.back(), "CACS=0");
    }
}

TEST_F(SettingsLoadTest, AnEmptyFileSendsNothingAndCommitsTheTable) {
    Start("KA");
    Connect();
    services->table.SetDataValue(1041, 700);  // changed, not sent yet
    const settings::SettingsLoad load = Load("");
    EXPECT_TRUE(load.opened);
    EXPECT_EQ(load.lines, 0);
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(services->table.GetCommittedDataValue(1041), 700);
    EXPECT_EQ(Platform().progress.front(), "open:Now, reading camera setting file.");
    EXPECT_TRUE(Platform().boxes.empty());
}

TEST_F(SettingsLoadTest, ARefusedLineIsKeptAndReportedAndTheRestIsSent) {
    sim::SimOptions options;
    options.refuse = {"GA"};
    Start("KA", options);
    Connect();
    const settings::SettingsLoad load = Load("WTC=2048\r\nGA=500\r\nBL=4\r\n");
    EXPECT_EQ(sent, (Strings{"WTC=2048", "GA=500", "BL=4"}));
    ASSERT_EQ(load.refused.size(), 1u);
    EXPECT_EQ(load.refused[0].number, 2);
    EXPECT_EQ(load.refused[0].text, "GA=500");
    EXPECT_EQ(load.refused[0].why, settings::RefusedLine::Why::Refused);
    EXPECT_EQ(CameraValue("BL"), 4);
    // The table keeps the file's value; the camera kept its own.
    EXPECT_EQ(services->table.GetCommittedDataValue(1041), 500);
    EXPECT_EQ(CameraValue("GA"), 100);
    // The engine's report of the refusal, then the summary.
    EXPECT_EQ(Texts(), (Strings{"ERROR: Refused", "The camera did not take 1 line of " + Path("in.cam") +
                                                      ":\nline 2: GA=500\n"
                                                      "The pages show the file's values; Reload shows the camera's."}));
}

TEST_F(SettingsLoadTest, ALineTheCameraDoesNotAnswerIsListedAsSuch) {
    Start("KA");
    Connect();
    server->Stop();
    const settings::SettingsLoad load = Load("BL=4\r\n");
    ASSERT_EQ(load.refused.size(), 1u);
    EXPECT_EQ(load.refused[0].why, settings::RefusedLine::Why::NoAnswer);
    EXPECT_NE(Texts().back().find("line 1: BL=4 (no answer)"), std::string::npos);
}

TEST_F(SettingsLoadTest, TheOperatorMayStopBetweenLines) {
    sim::SimOptions options;
    // Each answer takes this long, so the progress window gets its turn after a few lines.
    options.slowMs = 20;
    Start("KA", options);
    Connect();
    Platform().stopAfterPolls = 0;
    std::string text;
    for (int i = 0; i < 40; ++i) text += "BL=" + std::to_string(i % 10) + "\r\n";
    const settings::SettingsLoad load = Load(text);
    EXPECT_TRUE(load.stopped);
    EXPECT_GT(load.done, 0);
    EXPECT_LT(load.done, 40);
    EXPECT_EQ(load.sent, load.done);
    EXPECT_EQ(static_cast<int>(sent.size()), load.done);
    EXPECT_EQ(Texts().back(), "Stopped after " + std::to_string(load.done) + " of 40 lines.");
    EXPECT_EQ(Platform().progress.back(), "finish");
}

TEST_F(SettingsLoadTest, AFileThatCannotBeReadSendsNothing) {
    Start("KA");
    Connect();
    feature->LoadFile(Path("missing.cam"));
    EXPECT_TRUE(sent.empty());
    ASSERT_EQ(Platform().boxes.size(), 1u);
    EXPECT_EQ(Platform().boxes[0].caption, "File Open Error");
    EXPECT_EQ(Platform().boxes[0].text,
              Path("missing.cam") + "\nCouldn't open this file\nopen: No such file or directory");
    EXPECT_TRUE(Platform().progress.empty());
}

}  // namespace
