// The Settings menu's memory areas, the "Factory A" buttons and the comparison with a file, against
// the virtual camera over a pty.

#include "SettingsFixture.h"
#include "settings/ModelCommands.h"
#include "ui/main/ControlIds.h"

using namespace vr;
using Strings = std::vector<std::string>;

namespace {

using AreasAndModelTest = test::SettingsFixture;

TEST_F(AreasAndModelTest, AreasAreStoredAndLoadedTheFactoryAreaOnlyInFactoryMode) {
    const auto options = test::With([](sim::SimOptions& o) { o.areaMs = 10; });
    Start("KA", options);
    areaAnswer = 0;  // even if the dialog gave it
    dlg->OnMenuCommand(settings::kMenuStoreSettings);
    EXPECT_EQ(areaAsked.at(0), std::pair(ui::AreaDialogMode::Store, false));
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(Texts(), Strings{"Selected invalid area !"});
    Set(protocol::cmd::GA, 800);
    areaAnswer = 2;
    dlg->OnMenuCommand(settings::kMenuStoreSettings);
    EXPECT_EQ(sent, Strings{"SA=2"});
    EXPECT_EQ(Texts().back(), "Completed saving current setting data !");
    EXPECT_EQ(dlg->CurrentArea(), 2u);
    // Loading an area reads every setting again.
    Set(protocol::cmd::GA, 200);
    dlg->OnMenuCommand(settings::kMenuLoadSettings);
    EXPECT_EQ(areaAsked.at(2).first, ui::AreaDialogMode::Load);
    EXPECT_EQ(sent.at(0), "LD=2");
    EXPECT_EQ(dlg->LastRead().size(), 146u);
    EXPECT_EQ(controls->GetText(1041), "800");

    Start("KA", options, 1);
    areaAnswer = 0;
    dlg->OnMenuCommand(settings::kMenuStoreSettings);
    EXPECT_EQ(areaAsked.at(0), std::pair(ui::AreaDialogMode::Store, true));
    EXPECT_EQ(sent, Strings{"SA00=0"});
}

TEST_F(AreasAndModelTest, StoreAllAsksStoresEveryAreaAndReportsAFailureOnce) {
    // A refused user area failing the whole is run by vr8200ctl's store-all (test_cli).
    for (const auto& [refuse, report] : {std::pair{"", "Completed to store current setting data!"},
                                         std::pair{"SA00", "Couldn't store current setting data!"}}) {
        sim::SimOptions options;
        options.areaMs = 10;
        if (*refuse != '\0') options.refuse = {refuse};
        Start("KA", options, 1);
        Platform().answers = {app::MsgResult::Yes};
        Click(ui::id::kStoreAll);
        EXPECT_EQ(sent, (Strings{"SA=1", "SA=2", "SA=3", "SA00=0"}));
        EXPECT_EQ(Texts().front(), "Are you sure you want to overwrite into all EEPROM areas?");
        EXPECT_EQ(Texts().back(), report);
        EXPECT_EQ(Texts().size(), *refuse != '\0' ? 3u : 2u) << "the engine's report, then one at the end";
    }
    Start("KA", {}, 1);
    Click(ui::id::kStoreAll);  // answered No
    EXPECT_TRUE(sent.empty());
}

// The reset of a camera that answers is run by vr8200ctl's reset (test_cli).
TEST_F(AreasAndModelTest, CameraResetClosesWithoutAskingEvenWhenTheCameraIsSilent) {
    Start("KA", test::With([](sim::SimOptions& o) { o.silent = true; }), 1, false);
    dlg->PrepareWindow();
    Click(ui::id::kCameraReset);
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
        Start("KB", test::With([&](sim::SimOptions& o) { o.refuse = c.refuse; }), 1);
        controls->SetCurSel(ui::id::kModelDisplay, c.selection);
        Click(ui::id::kSetModelId);
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
    ASSERT_TRUE(settings::SettingsFile(services->Get(), *dlg).Write(golden, settings::SettingsVariant::AllData));
    // The camera drifts; the file loses its width and gains a command the model lacks.
    Set(protocol::cmd::GA, 900);
    std::string text = Read("golden.cam");
    text.erase(text.find("WTC=4096\r\n"), 10);
    services->dir.WriteFile("golden.cam", text + "PER=9000\r\n");
    loadAfterCompare = true;
    Platform().files = {golden};
    dlg->OnMenuCommand(settings::kMenuCompareWithFile);
    Strings shown;
    for (const auto& d : shownDifferences)
        shown.push_back(std::to_string(static_cast<int>(d.kind)) + " " + d.name + " " + d.caption + " " +
                        d.fileValue.value_or("-") + " " + d.cameraValue.value_or("-"));
    // Kinds: 0 differs, 1 the file lacks it, 2 the model lacks it.
    EXPECT_EQ(shown, (Strings{"1 WTC Image format / Width - 4096", "0 GA Gain and Black / Gain All 100 900",
                              "2 PER Exposure / Exposure Time R 9000 -"}));
    // Loaded from the window: the camera is back at the file's gain.
    EXPECT_EQ(CameraValue("GA"), 100);
    EXPECT_TRUE(Platform().boxes.empty());

    shownDifferences.clear();
    services->dir.WriteFile("golden.cam", text + "WTC=4096\r\n");
    Platform().files = {golden};
    dlg->OnMenuCommand(settings::kMenuCompareWithFile);
    EXPECT_TRUE(shownDifferences.empty());
    EXPECT_EQ(Texts(), Strings{"The camera holds every setting of " + golden + " as the file has it."});
}

}  // namespace
