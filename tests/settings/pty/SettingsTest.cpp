// The settings feature of the main window against the virtual camera over a pty: the settings file loader and writer,
// reading all settings from a camera that stops answering, the memory areas, the "Factory A" buttons and the
// comparison with a file.

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>

#include "AsNobody.h"
#include "CameraOnPty.h"
#include "FullDisk.h"
#include "camera/ModelCommands.h"
#include "camera/ReadAllSettings.h"
#include "platform/Registry.h"
#include "protocol/CommandTable.h"
#include "protocol/ControlIds.h"
#include "protocol/ParameterTable.h"
#include "ui/fronts/SettingsFeature.h"

using namespace vr;
using settings::SettingsVariant;
using test::Strings;
using test::With;

namespace {

// The hand-derived expected files beside this header.
inline std::string ExpectedFile(const std::string& name) {
    std::ifstream in(std::filesystem::path(VR_TEST_DIR) / "expected" / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Each difference as "KIND NAME [CAPTION ]FILE CAMERA", a missing value "-". Kinds: 0 differs, 1 the file lacks it,
// 2 the model lacks it, 3 no answer.
Strings Shown(const std::vector<settings::SettingDifference>& differences, bool withCaption) {
    Strings shown;
    for (const auto& d : differences)
        shown.push_back(std::to_string(static_cast<int>(d.kind)) + " " + d.name + " " +
                        (withCaption ? d.caption + " " : "") + d.fileValue.value_or("-") + " " +
                        d.cameraValue.value_or("-"));
    return shown;
}

class SettingsFixture : public test::CameraOnPty {
protected:
    // A camera of the model and the window's logic on it; with `connect` the start-up without the read has run.
    void Start(const std::string& model, sim::SimOptions options = {}, uint32_t controlMode = 0, bool connect = true) {
        areaAsked.clear();
        shownDifferences.clear();
        options.model = model;
        StartWindow(options, controlMode);
        ui::SettingsFront front;
        front.chooseArea = [this](ui::AreaDialogMode mode, bool factoryMode) {
            areaAsked.push_back({mode, factoryMode});
            return areaAnswer;
        };
        front.showDifferences = [this](const std::string&, const std::vector<settings::SettingDifference>& d) {
            shownDifferences = d;
            return loadAfterCompare;
        };
        feature = std::make_unique<ui::SettingsFeature>(*dlg, std::move(front));
        feature->Register(dlg->Router());
        if (connect) Connect();
    }
    void Shutdown() override {
        feature.reset();
        CameraOnPty::Shutdown();
    }

    settings::SettingsLoad Load(const std::string& text) {
        services->dir.WriteFile("in.cam", text);
        return feature->LoadFile(Path("in.cam"));
    }
    bool Write(const std::string& name, settings::SettingsVariant variant) {
        return settings::SettingsFile(dlg->Session(), dlg.get()).Write(Path(name), variant);
    }
    Strings Texts() const { return services->platform.Texts(); }
    std::string Path(const std::string& name) const { return services->dir / name; }
    std::string Read(const std::string& name) const { return services->dir.ReadFile(name); }

    std::unique_ptr<ui::SettingsFeature> feature;
    std::optional<int> areaAnswer;
    std::vector<std::pair<ui::AreaDialogMode, bool>> areaAsked;  // mode, factory mode
    std::vector<settings::SettingDifference> shownDifferences;
    bool loadAfterCompare = false;
};

using SettingsLoadTest = SettingsFixture;
using ReadAllStopTest = SettingsFixture;
using SettingsWriteTest = SettingsFixture;
using AreasAndModelTest = SettingsFixture;

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

    // A file with no setting at all (empty, or binary) is no settings file: it is reported and
    // nothing is sent or committed.
    sent.clear();
    services->table.SetDataValue(1041, 700);
    EXPECT_FALSE(Load("").opened);
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(LastBox(), "File Open Error: " + Path("in.cam") +
                             "\nThis file holds no camera setting (NAME=VALUE lines); nothing was sent. [warning]");
    EXPECT_EQ(services->table.GetCommittedDataValue(1041), 400);
}

TEST_F(SettingsLoadTest, AFileOfAnotherModelSendsOnlyWhatThisModelHas) {
    Start("KA");
    dlg->ReadAllSettings();  // the camera's values: the tool's defaults are not all in its range
    ASSERT_TRUE(Write("ka.cam", SettingsVariant::AllData));
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
    EXPECT_EQ(services->model.kind, camera::kModelKB);
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

// Refused lines are listed in one report at the end, with no box of their own, and the report offers
// to read the camera's values back.
TEST_F(SettingsLoadTest, RefusedLinesAreKeptAndReportedOnceAndTheRestIsSent) {
    Start("KA", With([](sim::SimOptions& o) { o.refuse = {"GA", "BL"}; }));
    const std::string file = "WTC=2048\r\nGA=500\r\nBL=4\r\nOFC=64\r\n";
    const settings::SettingsLoad load = Load(file);
    EXPECT_EQ(sent, (Strings{"WTC=2048", "GA=500", "BL=4", "OFC=64"}));
    EXPECT_EQ(CameraValue("OFC"), 64);
    // The table keeps the file's value; the camera kept its own.
    EXPECT_EQ(services->table.GetCommittedDataValue(1041), 500);
    EXPECT_EQ(CameraValue("GA"), 100);
    ASSERT_EQ(load.refused.size(), 2u);
    EXPECT_EQ(load.refused[0].why, settings::RefusedLine::Why::Refused);
    const std::string report = "The camera did not take 2 lines of " + Path("in.cam") +
                               ":\nline 2: GA=500 (ERROR: Refused)\nline 3: BL=4 (ERROR: Refused)\n"
                               "The pages show the file's values.\nReload the camera's values now?";
    EXPECT_EQ(Texts(), Strings{report});
    EXPECT_EQ(Platform().boxes[0].buttons, platform::MsgButtons::YesNo);

    // Yes reads the camera's own values back onto the pages.
    Platform().boxes.clear();
    Platform().answers = {platform::MsgResult::Yes};
    Load(file);
    EXPECT_EQ(Texts(), Strings{report});
    EXPECT_EQ(services->table.GetCommittedDataValue(1041), 100);
    EXPECT_EQ(controls->GetText(1041), "100");
}

TEST_F(SettingsLoadTest, ALostLineEndsTheLoadAtOnceAndTheOperatorMayStopBetweenLines) {
    Start("KA");
    server->Stop();
    settings::SettingsLoad load = Load("BL=1\r\nBL=2\r\nBL=3\r\n");
    EXPECT_TRUE(load.lost);
    EXPECT_EQ(load.done, 1);
    ASSERT_EQ(load.refused.size(), 1u);
    EXPECT_EQ(load.refused[0].why, settings::RefusedLine::Why::NoAnswer);
    const std::string report =
        "The line to the camera went away; 1 of 3 lines were handled.\n"
        "The camera did not take 1 line of " +
        Path("in.cam") + ":\nline 1: BL=1 (no answer)";
    EXPECT_EQ(Texts().back().rfind(report, 0), 0u) << Texts().back();

    // Slow, so that the progress window gets its turn after a few lines.
    Start("KA", With([](sim::SimOptions& o) { o.slowMs = 20; }));
    Platform().stopAfterPolls = 0;
    std::string text;
    for (int i = 0; i < 40; ++i) text += "BL=" + std::to_string(i % 10) + "\r\n";
    load = Load(text);
    EXPECT_TRUE(load.stopped);
    EXPECT_GT(load.done, 0);
    EXPECT_LT(load.done, 40);
    EXPECT_EQ(static_cast<int>(sent.size()), load.done);
    EXPECT_EQ(Texts().back(), "Stopped after " + std::to_string(load.done) + " of 40 lines.");
}

// Reading all settings: exactly five time-outs in a row end the read, refusals never do (a camera
// that answers is there). A line that goes away mid-read is run end to end by test_faults.
TEST_F(ReadAllStopTest, FiveTimeOutsInARowEndTheReadButRefusedRowsDoNotCount) {
    Start("KA", With([](sim::SimOptions& o) { o.silentAfter = 12; }), 0, false);
    camera::RowsRead read = camera::ReadParameterRows(services->Get(), camera::kModelKA, false, kShortTimeout);
    EXPECT_TRUE(read.silent);
    EXPECT_FALSE(read.lost);
    ASSERT_EQ(read.rows.size(), 12u + 5u);
    for (size_t i = 0; i < read.rows.size(); ++i) EXPECT_EQ(read.rows[i].answered, i < 12) << i;
    EXPECT_LT(read.rows.size(), read.planned);

    sim::SimOptions options;
    for (size_t i = 0; i < camera::kMaxTimeoutsInARow + 2; ++i) {
        const size_t row = camera::RowsToRead(camera::kModelKA, false).at(i);
        options.refuseQuery.push_back(protocol::GetCommandName(protocol::ParameterDefs()[row].cmdId));
    }
    Start("KA", options, 0, false);
    read = camera::ReadParameterRows(services->Get(), camera::kModelKA, false, kShortTimeout);
    EXPECT_FALSE(read.Ended());
    ASSERT_EQ(read.rows.size(), read.planned);
    for (size_t i = 0; i < read.rows.size(); ++i)
        EXPECT_EQ(read.rows[i].answered, i >= options.refuseQuery.size()) << i;
}

TEST_F(SettingsWriteTest, EveryVariantIsWrittenByteForByte) {
    // Outside factory mode "All Data" is the shipping data; "Shipping Data" never has factory rows.
    const struct {
        const char* model;
        uint32_t mode;
        SettingsVariant variant;
        const char* expected;
    } cases[] = {
        {"KA", 1, SettingsVariant::AllData, "ka-factory-all.cam"},
        {"KA", 1, SettingsVariant::ShippingData, "ka-shipping.cam"},
        {"KA", 0, SettingsVariant::AllData, "ka-shipping.cam"},
        {"KB", 1, SettingsVariant::AllData, "kb-factory-all.cam"},
        {"KB", 1, SettingsVariant::ShippingData, "kb-shipping.cam"},
        {"KB", 0, SettingsVariant::AllData, "kb-shipping.cam"},
    };
    for (const auto& c : cases) {
        Start(c.model, {}, c.mode, false);
        ASSERT_EQ(dlg->ModelProbe(), 1);
        // Not the rows' defaults: "GA", the factory "GAORJ" (negative) and "NRL" (the largest).
        services->table.SetDataValue(1041, 400);
        services->table.SetDataValue(1600, -12);
        services->table.SetDataValue(1674, 16777215);
        ASSERT_TRUE(Write("out.cam", c.variant));
        EXPECT_EQ(Read("out.cam"), ExpectedFile(c.expected)) << c.model << c.mode;
        // Nothing is asked but the model, once more for the model line.
        EXPECT_EQ(sent.size(), c.mode == 1 && c.variant == SettingsVariant::AllData ? 2u : 1u);
    }
}

TEST_F(SettingsWriteTest, SaveAsksBeforeReplacingAndRemembersTheFolder) {
    Start("KB", {}, 0, false);
    services->dir.WriteFile("line3.cam", "GA=1\r\n");
    Platform().files = {Path("line3.cam")};
    dlg->OnMenuCommand(ui::kMenuSaveShippingData);  // answered No
    EXPECT_EQ(Texts(), Strings{Path("line3.cam") + "\nThis file already exists.\nReplace existing file?"});
    EXPECT_EQ(Platform().boxes[0].buttons, platform::MsgButtons::YesNo);
    EXPECT_EQ(Read("line3.cam"), "GA=1\r\n");

    // Yes replaces it; a name without extension gets ".cam"; the folder is remembered.
    std::filesystem::create_directory(Path("sub"));
    Platform().files = {Path("line3.cam"), Path("sub/line4")};
    Platform().answers = {platform::MsgResult::Yes};
    dlg->OnMenuCommand(ui::kMenuSaveShippingData);
    dlg->OnMenuCommand(ui::kMenuSaveAllData);
    EXPECT_EQ(Read("line3.cam").rfind("TM=0\r\n", 0), 0u);
    EXPECT_EQ(Read("sub/line4.cam"), Read("line3.cam"));
    // Each save says in the status bar what went where.
    const std::string saved = Read("sub/line4.cam");
    ASSERT_FALSE(dlg->statusTexts.empty());
    EXPECT_EQ(dlg->statusTexts.back(), "Saved All Data (" +
                                           std::to_string(std::count(saved.begin(), saved.end(), '\n')) +
                                           " settings) to " + Path("sub/line4.cam"));
    std::string folder;
    services->registry.ReadString(platform::kRegCameraFilePath, folder);
    EXPECT_EQ(folder, Path("sub"));
}

// A file that cannot be opened is run by vr8200ctl's save (test_cli_pty).
TEST_F(SettingsWriteTest, AFailedWriteNamesFileAndReasonAndLeavesTheGoodFile) {
    Start("KA", {}, 0, false);
    const std::string good = ExpectedFile("ka-shipping.cam");
    services->dir.WriteFile("golden.cam", good);
    const bool written = [&] {
        const test::FullDisk full;
        return Write("golden.cam", SettingsVariant::AllData);
    }();
    EXPECT_FALSE(written);
    EXPECT_EQ(Texts(), Strings{Path("golden.cam") + "\nCouldn't open this file\nwrite: File too large"});
    EXPECT_EQ(Platform().boxes[0].caption, "File Open Error");
    EXPECT_EQ(Read("golden.cam"), good);
    for (const auto& entry : std::filesystem::directory_iterator(services->dir.Path()))
        EXPECT_NE(entry.path().filename().string().rfind(".golden.cam.", 0), 0u) << "temporary file left behind";
}

// Renaming over a file would replace one the operator made read-only. Root may write anything, so
// the write runs as nobody then, in a child: with no camera and no link there is no other thread.
TEST(SettingsWriteNoCamera, AReadOnlyFileIsNotReplaced) {
    test::TestServices services;
    ui::ControlModel controls;
    test::RecordingMainWindow dlg(services.Get(), controls);
    ::chmod(services.dir.Path().c_str(), 0777);
    const std::string path = services.dir / "golden.cam";
    services.dir.WriteFile("golden.cam", "GA=1\r\n");
    ::chmod(path.c_str(), 0444);
    auto attempt = [&] {
        return !settings::SettingsFile(dlg.Session(), &dlg).Write(path, SettingsVariant::ShippingData) &&
               services.platform.Texts() == Strings{path + "\nCouldn't open this file\nPermission denied"};
    };
    EXPECT_TRUE(test::AsNobody(attempt));
    EXPECT_EQ(services.dir.ReadFile("golden.cam"), "GA=1\r\n");
}

TEST_F(AreasAndModelTest, AreasAreStoredAndLoadedTheFactoryAreaOnlyInFactoryMode) {
    const auto options = With([](sim::SimOptions& o) { o.areaMs = 10; });
    Start("KA", options);
    areaAnswer = 0;  // even if the dialog gave it
    dlg->OnMenuCommand(ui::kMenuStoreSettings);
    EXPECT_EQ(areaAsked.at(0), std::pair(ui::AreaDialogMode::Store, false));
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(Texts(), Strings{"Selected invalid area !"});
    Set(protocol::cmd::GA, 800);
    areaAnswer = 2;
    dlg->OnMenuCommand(ui::kMenuStoreSettings);
    EXPECT_EQ(sent, Strings{"SA=2"});
    EXPECT_EQ(Texts().back(), "Completed saving current setting data !");
    EXPECT_EQ(dlg->CurrentArea(), 2u);
    // Loading an area reads every setting again.
    Set(protocol::cmd::GA, 200);
    dlg->OnMenuCommand(ui::kMenuLoadSettings);
    EXPECT_EQ(areaAsked.at(2).first, ui::AreaDialogMode::Load);
    EXPECT_EQ(sent.at(0), "LD=2");
    EXPECT_EQ(dlg->LastRead().size(), 146u);
    EXPECT_EQ(controls->GetText(1041), "800");

    Start("KA", options, 1);
    areaAnswer = 0;
    dlg->OnMenuCommand(ui::kMenuStoreSettings);
    EXPECT_EQ(areaAsked.at(0), std::pair(ui::AreaDialogMode::Store, true));
    EXPECT_EQ(sent, Strings{"SA00=0"});
}

TEST_F(AreasAndModelTest, StoreAllAsksStoresEveryAreaAndReportsAFailureOnce) {
    // A refused user area failing the whole is run by vr8200ctl's store-all (test_cli_pty).
    for (const auto& [refuse, report] : {std::pair{"", "Completed to store current setting data!"},
                                         std::pair{"SA00", "Couldn't store current setting data!"}}) {
        sim::SimOptions options;
        options.areaMs = 10;
        if (*refuse != '\0') options.refuse = {refuse};
        Start("KA", options, 1);
        Platform().answers = {platform::MsgResult::Yes};
        Click(protocol::id::kStoreAll);
        EXPECT_EQ(sent, (Strings{"SA=1", "SA=2", "SA=3", "SA00=0"}));
        EXPECT_EQ(Texts().front(), "Are you sure you want to overwrite into all EEPROM areas?");
        EXPECT_EQ(Texts().back(), report);
        EXPECT_EQ(Texts().size(), *refuse != '\0' ? 3u : 2u) << "the engine's report, then one at the end";
    }
    Start("KA", {}, 1);
    Click(protocol::id::kStoreAll);  // answered No
    EXPECT_TRUE(sent.empty());
}

// The reset of a camera that answers is run by vr8200ctl's reset (test_cli_pty).
TEST_F(AreasAndModelTest, CameraResetClosesWithoutAskingEvenWhenTheCameraIsSilent) {
    Start("KA", With([](sim::SimOptions& o) { o.silent = true; }), 1, false);
    dlg->PrepareWindow();
    Click(protocol::id::kCameraReset);
    EXPECT_EQ(sent.back(), "CRS00=1");
    EXPECT_EQ(dlg->closes, 1);
    EXPECT_TRUE(Platform().boxes.empty());
}

TEST_F(AreasAndModelTest, SetWritesTheSelectedModelAndReadsItBack) {
    const struct {
        int selection;
        Strings refuse;
        Strings sent;
        const char* report;
        const char* model;
    } cases[] = {
        {1, {}, {"MD00=VR-8200-KA", "MD?"}, "Succeeded in writting camera model id.", "VR-8200-KA"},
        {-1, {}, {}, "Failed writting camera model id.", "VR-8200-KB"},
        {1, {"MD00"}, {"MD00=VR-8200-KA"}, "Failed writting camera model id.", "VR-8200-KB"},
    };
    for (const auto& c : cases) {
        Start("KB", With([&](sim::SimOptions& o) { o.refuse = c.refuse; }), 1);
        controls->SetSelection(protocol::id::kModelDisplay, c.selection);
        Click(protocol::id::kSetModelId);
        EXPECT_EQ(sent, c.sent);
        EXPECT_EQ(Texts().back(), c.report);
        EXPECT_EQ(server->ModelName(), c.model);
        EXPECT_EQ(services->model.name, c.model);
    }
}

TEST_F(AreasAndModelTest, CompareListsTheDifferencesAndLoadsTheFileOnRequest) {
    Start("KB", {}, 1);
    dlg->ReadAllSettings();
    const std::string golden = Path("golden.cam");
    ASSERT_TRUE(Write("golden.cam", SettingsVariant::AllData));
    // The camera drifts (also in the chromatic aberration mode, which reading all settings leaves out); the
    // file loses its width and gains a command the model lacks.
    Set(protocol::cmd::GA, 900);
    Set(protocol::cmd::CACM, 3);
    std::string text = Read("golden.cam");
    text.erase(text.find("WTC=4096\r\n"), 10);
    services->dir.WriteFile("golden.cam", text + "PER=9000\r\n");
    loadAfterCompare = true;
    Platform().files = {golden};
    dlg->OnMenuCommand(ui::kMenuCompareWithFile);
    EXPECT_EQ(
        Shown(shownDifferences, true),
        (Strings{"1 WTC Image format / Width - 4096", "0 GA Gain and Black / Gain All 100 900",
                 "0 CACM Chromatic Aberration Correction / Mode 0 3", "2 PER Exposure / Exposure Time R 9000 -"}));
    // Loaded from the window: the camera is back at the file's gain.
    EXPECT_EQ(CameraValue("GA"), 100);
    EXPECT_TRUE(Platform().boxes.empty());

    shownDifferences.clear();
    services->dir.WriteFile("golden.cam", text + "WTC=4096\r\n");
    Platform().files = {golden};
    dlg->OnMenuCommand(ui::kMenuCompareWithFile);
    EXPECT_TRUE(shownDifferences.empty());
    EXPECT_EQ(Texts(), Strings{"The camera holds every setting of " + golden + " as the file has it."});
}

}  // namespace

// Each kind of value the comparison with a file looks at, alone: integer rows that agree, differ, are
// missing from the file or went unanswered, a setting only the file brought up (the chromatic
// aberration mode, asked besides the read, answered or not), a line the model lacks, and the model name.
TEST(CompareSettings, EachKindOfValueIsComparedOnItsOwn) {
    test::FakePlatform platform;
    protocol::ParameterTable table{platform};
    table.ResetToDefaults();
    const settings::SettingsLines reader;
    std::vector<camera::RowReadResult> read;
    const std::pair<const char*, bool> rows[] = {{"GA", true}, {"WTC", true}, {"BL", true}, {"GAR", false}};
    for (const auto& [name, answered] : rows) {
        const uint32_t ctrlId =
            static_cast<uint32_t>(table.ToCtrlId(static_cast<uint32_t>(protocol::FindCommand(name))));
        read.push_back({static_cast<size_t>(table.CtrlId2TblIndex(ctrlId)), answered});
    }
    table.SetDataValue(1041, 400);  // GA
    const std::vector<settings::UnreadSetting> answered = {{protocol::cmd::CACM, 1560, true, 3}};
    const camera::CameraModel model{camera::kModelKB, camera::kModelNameKB};
    const auto compare = [&](const std::string& file, const std::vector<settings::UnreadSetting>& unread) {
        return Shown(
            settings::CompareSettings(settings::SettingsLines::Split(file), reader, table, read, unread, model, true),
            false);
    };
    const std::string agreeing = "GA=400\r\nWTC=4096\r\nBL=0\r\nGAR=100\r\nCACM=3\r\n";
    EXPECT_EQ(compare("MD00=VR-8200-KB\r\n" + agreeing, answered), Strings{"3 GAR 100 -"});
    EXPECT_EQ(compare("MD00=VR-8200-KA\r\n" + agreeing + "GA=401\r\nCACM=1\r\nPER=9\r\n", answered),
              (Strings{"0 MD00 VR-8200-KA VR-8200-KB", "0 GA 401 400", "3 GAR 100 -", "0 CACM 1 3", "2 PER 9 -"}));
    EXPECT_EQ(compare("GA=400\r\nBL=-1\r\n", answered), (Strings{"1 WTC - 4096", "0 BL -1 0", "3 GAR - -"}));
    // A setting asked besides the read that went unanswered is reported, not taken as agreeing.
    EXPECT_EQ(compare(agreeing, {{protocol::cmd::CACM, 1560, false, 0}}), (Strings{"3 GAR 100 -", "3 CACM 3 -"}));
}
