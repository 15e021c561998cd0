// The Settings menu's memory areas, the "Factory A" buttons and the comparison with a file, against
// the virtual camera over a pty.

#include "SettingsFixture.h"
#include "settings/ModelCommands.h"
#include "ui/main/ControlIds.h"
#include "ui/main/ParameterAreaSelectDialog.h"

using namespace vr;
using Strings = std::vector<std::string>;

namespace {

class AreasAndModelTest : public test::SettingsFixture {
protected:
    void Click(uint32_t id) { dlg->OnControlEvent(id, {ui::ControlEventType::Clicked}); }
};

TEST_F(AreasAndModelTest, UserModeNeverOffersOrStoresTheFactoryArea) {
    Start("KA");
    Connect();
    // The dialog the desktop tool shows for the question the feature asks.
    ui::ControlModel dialogControls{ui::ControlModel::Empty{}};
    dialogControls.AddControl(ui::kAreaCombo, ui::CtrlType::Combo);
    ui::CParameterAreaSelectDialog store(dialogControls, services->status, services->dialogs, ui::AreaDialogMode::Store,
                                         false);
    store.OnInitDialog();
    EXPECT_EQ(store.Items(), (Strings{"User 1", "User 2", "User 3"}));
    EXPECT_EQ(store.OnOK(), 1);

    // Even an answer of 0 is not sent outside factory mode.
    areaAnswer = 0;
    dlg->OnMenuCommand(settings::kMenuStoreSettings);
    ASSERT_EQ(areaAsked.size(), 1u);
    EXPECT_EQ(areaAsked[0].mode, ui::AreaDialogMode::Store);
    EXPECT_FALSE(areaAsked[0].factoryMode);
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(Texts(), Strings{"Selected invalid area !"});
    EXPECT_EQ(Platform().boxes[0].icon, app::MsgIcon::Error);

    // "User 2" stores area 2.
    Platform().boxes.clear();
    areaAnswer = 2;
    dlg->OnMenuCommand(settings::kMenuStoreSettings);
    EXPECT_EQ(sent, Strings{"SA=2"});
    EXPECT_EQ(Texts(), Strings{"Completed saving current setting data !"});
    EXPECT_EQ(dlg->CurrentArea(), 2u);
    EXPECT_EQ(server->Value("EA"), 2);

    // Cancel sends nothing.
    sent.clear();
    areaAnswer.reset();
    dlg->OnMenuCommand(settings::kMenuStoreSettings);
    EXPECT_TRUE(sent.empty());
}

TEST_F(AreasAndModelTest, FactoryModeStoresTheFactoryArea) {
    Start("KB", {}, 1);
    Connect();
    areaAnswer = 0;
    dlg->OnMenuCommand(settings::kMenuStoreSettings);
    EXPECT_TRUE(areaAsked.at(0).factoryMode);
    EXPECT_EQ(sent, Strings{"SA00=0"});
    EXPECT_EQ(Texts(), Strings{"Completed saving current setting data !"});
}

TEST_F(AreasAndModelTest, LoadingAnAreaReadsEverySettingAgain) {
    Start("KA");
    Connect();
    // Area 3 holds another gain than the working settings.
    ASSERT_EQ(services->engine.SendCommandInt(protocol::cmd::GA, 800, protocol::milliseconds(5000)), 1);
    ASSERT_EQ(services->engine.SendCommandInt(protocol::cmd::SA, 3, protocol::milliseconds(5000)), 1);
    ASSERT_EQ(services->engine.SendCommandInt(protocol::cmd::GA, 200, protocol::milliseconds(5000)), 1);
    sent.clear();
    areaAnswer = 3;
    dlg->OnMenuCommand(settings::kMenuLoadSettings);
    EXPECT_EQ(areaAsked.at(0).mode, ui::AreaDialogMode::Load);
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.front(), "LD=3");
    EXPECT_EQ(dlg->CurrentArea(), 3u);
    EXPECT_EQ(dlg->LastRead().size(), 146u);
    EXPECT_EQ(services->table.GetDataValue(1041), 800);
    EXPECT_EQ(controls->GetText(1041), "800");
}

TEST_F(AreasAndModelTest, ARefusedLoadReadsNothing) {
    sim::SimOptions options;
    options.refuse = {"LD"};
    Start("KA", options);
    Connect();
    areaAnswer = 1;
    dlg->OnMenuCommand(settings::kMenuLoadSettings);
    EXPECT_EQ(sent, Strings{"LD=1"});
    EXPECT_TRUE(dlg->LastRead().empty());
}

TEST_F(AreasAndModelTest, StoreAllAsksStoresEveryAreaAndReportsAFailureOnce) {
    struct Case {
        const char* refuse;
        const char* report;
    };
    // One refused "SA" fails the whole, though "SA00" succeeded afterwards.
    for (const Case& c :
         {Case{nullptr, "Completed to store current setting data!"},
          Case{"SA=2", "Couldn't store current setting data!"}, Case{"SA00", "Couldn't store current setting data!"}}) {
        sim::SimOptions options;
        options.areaMs = 10;
        if (c.refuse != nullptr) options.refuse = {c.refuse};
        Start("KA", options, 1);
        Connect();
        Platform().answers = {app::MsgResult::Yes};
        Click(ui::id::kStoreAll);
        EXPECT_EQ(sent, (Strings{"SA=1", "SA=2", "SA=3", "SA00=0"}));
        ASSERT_FALSE(Platform().boxes.empty());
        EXPECT_EQ(Platform().boxes.front().text, "Are you sure you want to overwrite into all EEPROM areas?");
        EXPECT_EQ(Platform().boxes.front().buttons, app::MsgButtons::YesNo);
        EXPECT_EQ(Texts().back(), c.report);
        // The engine's report of the refusal, then the one at the end.
        EXPECT_EQ(Platform().boxes.size(), c.refuse ? 3u : 2u);
    }
    // No: nothing is stored.
    Start("KA", {}, 1);
    Connect();
    Platform().answers = {app::MsgResult::No};
    Click(ui::id::kStoreAll);
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(Platform().boxes.size(), 1u);
}

TEST_F(AreasAndModelTest, CameraResetClosesWithoutAskingEvenWhenTheCameraIsSilent) {
    sim::SimOptions options;
    options.resetMs = 50;
    Start("KA", options, 1);
    Connect();
    Click(ui::id::kCameraReset);
    EXPECT_EQ(sent, Strings{"CRS00=1"});
    EXPECT_EQ(dlg->closes, 1);
    EXPECT_TRUE(Platform().boxes.empty());
    EXPECT_EQ(server->CameraRate(), 9600u) << "the camera restarts at 9600";

    sim::SimOptions silent;
    silent.silent = true;
    Start("KA", silent, 1);
    dlg->PrepareWindow();
    Click(ui::id::kCameraReset);
    EXPECT_EQ(sent, Strings{"CRS00=1"});
    EXPECT_EQ(dlg->closes, 1);
    EXPECT_TRUE(Platform().boxes.empty()) << Texts().front();
}

TEST_F(AreasAndModelTest, SetWritesTheSelectedModelAndReadsItBack) {
    struct Case {
        int selection;
        const char* refuse;
        Strings sent;
        const char* report;
        const char* cameraModel;
    };
    const Case cases[] = {
        {1, nullptr, {"MD00=VR-8200-KA", "MD?"}, "Succeeded in writting camera model id.", "VR-8200-KA"},
        {-1, nullptr, {}, "Failed writting camera model id.", "VR-8200-KB"},
        {1, "MD00", {"MD00=VR-8200-KA"}, "Failed writting camera model id.", "VR-8200-KB"},
    };
    for (const Case& c : cases) {
        sim::SimOptions options;
        if (c.refuse != nullptr) options.refuse = {c.refuse};
        Start("KB", options, 1);
        Connect();
        controls->SetCurSel(ui::id::kModelDisplay, c.selection);
        Click(ui::id::kSetModelId);
        EXPECT_EQ(sent, c.sent) << c.selection;
        EXPECT_EQ(Texts().back(), c.report);
        EXPECT_EQ(Platform().boxes.back().icon,
                  c.cameraModel == std::string("VR-8200-KA") ? app::MsgIcon::Information : app::MsgIcon::Error);
        EXPECT_EQ(server->ModelName(), c.cameraModel);
        EXPECT_EQ(services->model.name, c.cameraModel) << "the record follows only a written name";
    }
}

TEST_F(AreasAndModelTest, CompareListsTheDifferencesAndLoadsTheFileOnRequest) {
    Start("KB", {}, 1);
    Connect();
    dlg->ReadAllSettings();
    const std::string golden = Path("golden.cam");
    ASSERT_TRUE(settings::SettingsFile(services->Get(), *dlg).Write(golden, settings::SettingsVariant::AllData));
    // The camera drifts from the file; the file loses its width and gains a command the model lacks.
    ASSERT_EQ(services->engine.SendCommandInt(protocol::cmd::GA, 900, protocol::milliseconds(5000)), 1);
    std::string text = test::ReadBytes(golden);
    text.erase(text.find("WTC=4096\r\n"), 10);
    services->dir.WriteFile("golden.cam", text + "PER=9000\r\n");
    Platform().files = {golden};
    dlg->OnMenuCommand(settings::kMenuCompareWithFile);
    using Kind = settings::SettingDifference::Kind;
    ASSERT_EQ(shownDifferences.size(), 3u);
    EXPECT_EQ(shownDifferences[0].kind, Kind::FileLacks);
    EXPECT_EQ(shownDifferences[0].name, "WTC");
    EXPECT_EQ(shownDifferences[0].cameraValue, "4096");
    EXPECT_EQ(shownDifferences[1].kind, Kind::Differs);
    EXPECT_EQ(shownDifferences[1].name, "GA");
    EXPECT_EQ(shownDifferences[1].caption, "Gain and Black / Gain All");
    EXPECT_EQ(shownDifferences[1].fileValue, "100");
    EXPECT_EQ(shownDifferences[1].cameraValue, "900");
    EXPECT_EQ(shownDifferences[2].kind, Kind::ModelLacks);
    EXPECT_EQ(shownDifferences[2].name, "PER");
    EXPECT_EQ(shownDifferences[2].cameraValue, std::nullopt);

    // Loading the file from the window puts the camera back.
    loadAfterCompare = true;
    Platform().files = {golden};
    dlg->OnMenuCommand(settings::kMenuCompareWithFile);
    EXPECT_EQ(CameraValue("GA"), 100);
    EXPECT_EQ(Texts(), Strings{}) << "nothing refused";

    // A camera that matches is told so, without the window.
    shownDifferences.clear();
    services->dir.WriteFile("golden.cam", text + "WTC=4096\r\n");
    Platform().files = {golden};
    dlg->OnMenuCommand(settings::kMenuCompareWithFile);
    EXPECT_TRUE(shownDifferences.empty());
    EXPECT_EQ(Texts(), Strings{"The camera holds every setting of " + golden + " as the file has it."});
}

}  // namespace
