// The settings file loader against the virtual camera over a pty: which lines are sent, the model
// line, refused lines, the progress window.

#include <set>

#include "SettingsFixture.h"
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

TEST_F(SettingsLoadTest, LinesAreReadAsTheEngineParsesThemAndOthersPassQuietly) {
    Start("KA");
    // 263 characters: a reader that split it at 255 would send "TM=1" and "WTC=1024".
    const std::string overlong = "TM=1" + std::string(251, ' ') + "WTC=1024";
    const settings::SettingsLoad load = Load(
        "WTC = 2048\r\n"          // blanks go
        "wtc=1024\r\n"            // names match exactly
        "GA=&H190\r\n"            // hexadecimal: 400
        "OFC=64,more\n"           // the value ends at a comma; a bare LF ends a line too
        "\r\n; comment\r\n"       // blank, no "="
        "FOO=1\r\nEB=1\r\n"       // not a command; a command without a control
        "WB0R=120\r\n"            // a factory setting, outside factory mode
        "TPN=3\r\n"               // not carried by settings files
        "BL=\r\n=5\r\nGA?\r\n" +  // no number, no name, a query
        overlong +
        "\r\n"
        "BL=3");  // the last line needs no line end
    EXPECT_EQ(sent, (Strings{"WTC=2048", "GA=400", "OFC=64", "BL=3"}));
    EXPECT_EQ(load.lines, 15);
    EXPECT_TRUE(load.refused.empty());
    EXPECT_TRUE(Platform().boxes.empty());
    EXPECT_EQ(CameraValue("TM"), 0);
    EXPECT_EQ(services->table.GetCommittedDataValue(1041), 400);
    EXPECT_EQ(controls->GetText(1225), "2048");
    EXPECT_EQ(Platform().progress.front(), "open:Now, reading camera setting file.");
    EXPECT_EQ(Platform().progress.back(), "finish");

    // An empty file sends nothing, and still commits what the pages hold.
    sent.clear();
    services->table.SetDataValue(1041, 700);
    EXPECT_EQ(Load("").lines, 0);
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(services->table.GetCommittedDataValue(1041), 700);
}

TEST_F(SettingsLoadTest, AFileOfAnotherModelSendsOnlyWhatThisModelHas) {
    Start("KA");
    dlg->ReadAllSettings();  // the camera's values: the tool's defaults are not all in its range
    ASSERT_TRUE(
        settings::SettingsFile(services->Get(), *dlg).Write(Path("ka.cam"), settings::SettingsVariant::AllData));
    const std::string ka = Read("ka.cam");
    Start("KB");
    EXPECT_TRUE(Load(ka).refused.empty()) << Texts().front();
    // Every line in the file's order but those of the user commands the KB lacks.
    const std::set<std::string> lacking = {"EI",  "ETM", "PER", "PEG", "PEB",   "SCB",
                                           "SGG", "SGR", "SGB", "STP", "SPISR", "SPISB"};
    Strings expected;
    for (const auto& line : settings::SettingsLines::Split(ka))
        if (lacking.count(line.text.substr(0, line.text.find('='))) == 0) expected.push_back(line.text);
    EXPECT_EQ(sent, expected);
    EXPECT_EQ(sent.size() + lacking.size(), settings::SettingsLines::Split(ka).size());
}

TEST_F(SettingsLoadTest, TheModelLineRenamesTheCameraAndChromaticModeSetsTheEditors) {
    Start("KA", {}, 1);
    Load("MD00=VR-8200-KB\r\nPER=9000\r\nLROP=1\r\nCACM=2\r\n");
    // The lines after it go to the model the camera now is: the KB has no "PER".
    EXPECT_EQ(sent, (Strings{"MD00=VR-8200-KB", "MD?", "LROP=1", "CACM=2"}));
    EXPECT_EQ(services->model.kind, settings::kModelKB);
    EXPECT_TRUE(controls->IsEnabled(1696));

    // A control character in the name is never sent; the line is listed as not taken.
    sent.clear();
    const settings::SettingsLoad load = Load("MD00=VR-8200\tKA\r\nCACM=0\r\n");
    EXPECT_EQ(sent, Strings{"CACM=0"});
    EXPECT_FALSE(controls->IsEnabled(1696));
    ASSERT_EQ(load.refused.size(), 1u);
    EXPECT_EQ(server->ModelName(), "VR-8200-KB");
    EXPECT_NE(Texts().back().find("line 1: MD00=VR-8200?KA (not sent: control character)"), std::string::npos);
}

TEST_F(SettingsLoadTest, ARefusedLineIsKeptAndReportedAndTheRestIsSent) {
    Start("KA", test::With([](sim::SimOptions& o) { o.refuse = {"GA"}; }));
    const settings::SettingsLoad load = Load("WTC=2048\r\nGA=500\r\nBL=4\r\n");
    EXPECT_EQ(sent, (Strings{"WTC=2048", "GA=500", "BL=4"}));
    EXPECT_EQ(CameraValue("BL"), 4);
    // The table keeps the file's value; the camera kept its own.
    EXPECT_EQ(services->table.GetCommittedDataValue(1041), 500);
    EXPECT_EQ(CameraValue("GA"), 100);
    ASSERT_EQ(load.refused.size(), 1u);
    EXPECT_EQ(load.refused[0].why, settings::RefusedLine::Why::Refused);
    EXPECT_EQ(Texts(),
              (Strings{"ERROR: Refused\nGA=500", "The camera did not take 1 line of " + Path("in.cam") +
                                                     ":\nline 2: GA=500 (ERROR: Refused)\n"
                                                     "The pages show the file's values; Reload shows the camera's."}));
}

TEST_F(SettingsLoadTest, ALostLineEndsTheLoadAtOnce) {
    Start("KA");
    server->Stop();
    const settings::SettingsLoad load = Load("BL=1\r\nBL=2\r\nBL=3\r\n");
    EXPECT_TRUE(load.lost);
    EXPECT_EQ(load.done, 1);
    ASSERT_EQ(load.refused.size(), 1u);
    EXPECT_EQ(load.refused[0].why, settings::RefusedLine::Why::NoAnswer);
    EXPECT_EQ(Texts().back().rfind("The line to the camera went away; 1 of 3 lines were handled.\nThe camera did not "
                                   "take 1 line of " +
                                       Path("in.cam") + ":\nline 1: BL=1 (no answer)",
                                   0),
              0u)
        << Texts().back();
}

TEST_F(SettingsLoadTest, TheOperatorMayStopBetweenLines) {
    // Slow, so that the progress window gets its turn after a few lines.
    Start("KA", test::With([](sim::SimOptions& o) { o.slowMs = 20; }));
    Platform().stopAfterPolls = 0;
    std::string text;
    for (int i = 0; i < 40; ++i) text += "BL=" + std::to_string(i % 10) + "\r\n";
    const settings::SettingsLoad load = Load(text);
    EXPECT_TRUE(load.stopped);
    EXPECT_GT(load.done, 0);
    EXPECT_LT(load.done, 40);
    EXPECT_EQ(static_cast<int>(sent.size()), load.done);
    EXPECT_EQ(Texts().back(), "Stopped after " + std::to_string(load.done) + " of 40 lines.");
}

}  // namespace
