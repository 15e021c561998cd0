// The device information dialog: what it shows of the tool and the camera, the device version, and
// how it registers with the status strip and the dialog registry.

#include "IdentityFixture.h"
#include "identity/AboutDialog.h"
#include "identity/DeviceVersion.h"
#include "protocol/OnlineStatus.h"
#include "settings/ModelCommands.h"

using namespace vr;
using namespace vr::identity::about;
using identity::CAboutDialog;
using Strings = std::vector<std::string>;

namespace {

class AboutDialogTest : public test::IdentityTest {
protected:
    std::unique_ptr<CAboutDialog> Open(bool factoryMode = false) {
        controls_ = ui::ControlModel(ui::ControlModel::Empty{});
        AddAboutControls();
        auto dialog = std::make_unique<CAboutDialog>(Services(), controls_, frame_,
                                                     identity::AboutSetup{factoryMode, dir_.Path(), ""});
        dialog->OnInitDialog();
        return dialog;
    }
    Strings DeviceVersionShown() const {
        Strings fields;
        for (uint32_t id : kDeviceVersion) fields.push_back(controls_.GetText(id));
        return fields;
    }

    test::TempDir dir_;
};

}  // namespace

TEST(DeviceVersionText, FieldsShowWholeButOnlyTheirFirstCharactersAreWritten) {
    using identity::DeviceVersionFields;
    EXPECT_EQ(identity::SplitDeviceVersion("10.2.3.40"), (DeviceVersionFields{"10", "2", "3", "40"}));
    EXPECT_EQ(identity::SplitDeviceVersion("..."), (DeviceVersionFields{"", "", "", ""}));
    EXPECT_EQ(identity::JoinDeviceVersion({"1", "", "3", ""}), "1..3.");
    // A character beyond ASCII is kept whole, never cut to its first byte.
    EXPECT_EQ(identity::JoinDeviceVersion({"\xC3\xA9x", "2", "3", "4"}), "\xC3\xA9.2.3.4");
}

TEST_F(AboutDialogTest, ShowsTheCameraAskedInOrder) {
    StartCamera();
    Identified(settings::kModelKA, settings::kModelNameKA);
    Preset(protocol::cmd::UD, "line3");
    auto dialog = Open();

    EXPECT_EQ(sent_, (Strings{"VN?", "ID?", "FPVN?", "UD?", "DV?"}));
    EXPECT_EQ(controls_.GetText(kFirmware), "3.1.0.2");
    EXPECT_EQ(controls_.GetText(kModelName), "VR-8200-KA");
    EXPECT_EQ(controls_.GetText(kCameraId), "2400012345");
    EXPECT_EQ(controls_.GetText(kFpga), "1.0.4.0");
    EXPECT_EQ(controls_.GetText(kUserId), "line3");
    EXPECT_EQ(DeviceVersionShown(), (Strings{"1", "0", "0", "0"}));
    EXPECT_TRUE(Platform().boxes.empty());

    // The user ID starts locked.
    EXPECT_FALSE(controls_.IsEnabled(kUserId) || controls_.IsEnabled(kSaveUserId));
    EXPECT_TRUE(controls_.GetCheck(kProtectUserId));

    // Outside factory mode the device version can be read, not written.
    for (uint32_t id : kDeviceVersion) EXPECT_FALSE(controls_.IsEnabled(id)) << id;
    EXPECT_FALSE(controls_.IsShown(kSaveDeviceVersion));
    dialog->OnSaveDeviceVersion();
    EXPECT_EQ(sent_.size(), 5u);

    // The strip follows the camera; long operations grey the dialog; both forget it when it goes.
    EXPECT_EQ(controls_.GetPicture(kStrip), protocol::kStripOnline);
    {
        protocol::ScopedDialogsDisabled greyed(services_->dialogs);
        EXPECT_FALSE(frame_.enabled);
    }
    EXPECT_TRUE(frame_.enabled);
    dialog.reset();
    services_->status.SetOffline();
    EXPECT_EQ(controls_.GetPicture(kStrip), protocol::kStripOnline);
    services_->dialogs.DisableAll();
    services_->dialogs.EnableAll();
}

TEST_F(AboutDialogTest, ADeviceVersionOfAnotherShapeLeavesAllFourMarks) {
    StartCamera();
    const struct {
        const char* reply;
        Strings shown;
    } cases[] = {
        {"1.2.3.4", {"1", "2", "3", "4"}},
        {"1.2.3", {"?", "?", "?", "?"}},
        {"1.2.3.4.5", {"?", "?", "?", "?"}},
        {"1.2.3.", {"1", "2", "3", ""}},
    };
    for (const auto& c : cases) {
        Preset(protocol::cmd::DV00, c.reply);
        auto dialog = Open();
        EXPECT_EQ(DeviceVersionShown(), c.shown) << c.reply;
    }
}

TEST_F(AboutDialogTest, UnansweredQueriesLeaveTheirPlaceholders) {
    sim::SimOptions options;
    options.refuseQuery = {"FPVN", "DV"};
    StartCamera(options);
    auto dialog = Open();
    EXPECT_EQ(controls_.GetText(kFpga), "?.?.?.?");
    EXPECT_EQ(DeviceVersionShown(), (Strings{"?", "?", "?", "?"}));
    EXPECT_EQ(controls_.GetText(kCameraId), "2400012345");
    // The probe has not recognised the camera here: no name.
    EXPECT_EQ(controls_.GetText(kModelName), "??????????");

    // Without the firmware version the camera is asked nothing else, and the model is not named.
    dialog.reset();
    TearDown();
    options.refuseQuery = {"VN"};
    StartCamera(options);
    Identified(settings::kModelKA, settings::kModelNameKA);
    Platform().boxes.clear();
    dialog = Open();
    EXPECT_EQ(sent_, Strings{"VN?"});
    ASSERT_EQ(Platform().boxes.size(), 1u);
    EXPECT_EQ(Platform().boxes[0].caption, "Communication Error");
    EXPECT_EQ(controls_.GetText(kFirmware), "?.?.?.?");
    EXPECT_EQ(controls_.GetText(kModelName), "??????????");
    EXPECT_EQ(controls_.GetText(kCameraId), "??????????");
    EXPECT_EQ(controls_.GetText(kUserId), "????????????????");
}

TEST_F(AboutDialogTest, FactoryModeWritesTheFirstCharacterOfEachField) {
    StartCamera();
    auto dialog = Open(true);
    for (uint32_t id : kDeviceVersion) EXPECT_TRUE(controls_.IsEnabled(id)) << id;
    EXPECT_TRUE(controls_.IsShown(kSaveDeviceVersion));

    sent_.clear();
    const Strings typed = {"12", "3", "4", "5"};
    for (size_t i = 0; i < typed.size(); ++i) controls_.SetText(kDeviceVersion[i], typed[i]);
    dialog->OnSaveDeviceVersion();
    EXPECT_EQ(sent_, Strings{"DV00=1.3.4.5"});
    EXPECT_EQ(CameraText("DV"), "1.3.4.5");
    ASSERT_EQ(Platform().boxes.size(), 1u);
    EXPECT_EQ(Platform().boxes[0].text, "Writing the Device Version has been completed.");
    EXPECT_EQ(Platform().boxes[0].icon, app::MsgIcon::Information);
    EXPECT_EQ(Platform().boxes[0].caption, "VR-8200 Control Tool");

    // A control character would end the command line early: nothing goes out.
    controls_.SetText(kDeviceVersion[3], "\r");
    dialog->OnSaveDeviceVersion();
    EXPECT_EQ(sent_.size(), 1u);
    EXPECT_EQ(Platform().boxes.back().icon, app::MsgIcon::Error);
    EXPECT_EQ(CameraText("DV"), "1.3.4.5");
}
