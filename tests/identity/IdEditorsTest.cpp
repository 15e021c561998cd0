// The camera ID and user ID editors, and the user ID rule the device information dialog shares.

#include <functional>

#include "IdentityFixture.h"
#include "identity/AboutDialog.h"
#include "identity/CameraIdDialog.h"
#include "identity/UserIdDialog.h"

using namespace vr;
using identity::CCameraIdDialog;
using identity::CUserIdDialog;
using test::kApp;
using test::Strings;
namespace cameraid = identity::cameraid;

namespace {

class IdEditorsTest : public test::IdentityTest {
protected:
    std::unique_ptr<CCameraIdDialog> OpenCameraId(bool factoryMode) {
        auto dialog = std::make_unique<CCameraIdDialog>(Services(), controls_, frame_, factoryMode);
        dialog->OnInitDialog();
        return dialog;
    }
    void TypeCameraId(const Strings& fields) {
        for (size_t i = 0; i < cameraid::kFields.size(); ++i)
            controls_.SetText(cameraid::kFields[i], i < fields.size() ? fields[i] : "");
    }
};

}  // namespace

// vr8200ctl checks the rule before it saves; the editors rely on the save's own check, so each is
// run through every verdict.
TEST_F(IdEditorsTest, BothEditorsKeepTheUserIdRule) {
    StartCamera();
    Preset(protocol::cmd::UD, "cell4");
    CUserIdDialog userIdDialog(Services(), controls_, frame_);
    userIdDialog.OnInitDialog();
    EXPECT_EQ(controls_.GetText(identity::userid::kEdit), "cell4");
    EXPECT_EQ(controls_.GetPicture(identity::userid::kStrip), protocol::kStripOnline);
    identity::CAboutDialog about(Services(), controls_, frame_, {false, "", ""});
    about.OnInitDialog();
    about.OnEnableUserIdEdit();
    const struct {
        const char* name;
        uint32_t edit;
        std::function<void()> save;
    } editors[] = {
        {"user id editor", identity::userid::kEdit, [&] { userIdDialog.OnSave(); }},
        {"about dialog", identity::about::kUserId, [&] { about.OnSaveUserId(); }},
    };
    const std::string longest(64, 'u');
    const struct {
        std::string text;
        const char* refusal;  // none when sent
    } cases[] = {
        {longest, nullptr},
        {longest + "u", "User ID string is too long !!"},
        {"line\r\nGA=100", "The user ID must not contain control characters."},
    };
    for (const auto& editor : editors) {
        for (const auto& [text, refusal] : cases) {
            SCOPED_TRACE(std::string(editor.name) + ", " + std::to_string(text.size()) + " characters");
            Preset(protocol::cmd::UD, "before");
            controls_.SetText(editor.edit, text);
            editor.save();
            EXPECT_EQ(sent, refusal != nullptr ? Strings{} : Strings{"UD=" + text});
            EXPECT_EQ(CameraText("UD"), refusal != nullptr ? "before" : text);
            EXPECT_EQ(LastBox(),
                      kApp + (refusal != nullptr ? refusal + std::string(" [error]")
                                                 : "Writing the User ID \"" + text + "\" has been completed. [info]"));
        }
    }
}

TEST_F(IdEditorsTest, UnansweredUserIdShowsSixteenMarks) {
    sim::SimOptions options;
    options.refuseQuery = {"UD"};
    StartCamera(options);
    CUserIdDialog dialog(Services(), controls_, frame_);
    dialog.OnInitDialog();
    EXPECT_EQ(controls_.GetText(identity::userid::kEdit), "????????????????");
}

// That the button shows only in factory mode is run in the window by test_gui.
TEST_F(IdEditorsTest, CameraIdSavesTheFirstCharacterOfEachFieldOnlyInFactoryMode) {
    StartCamera();
    auto dialog = OpenCameraId(false);
    sent.clear();
    TypeCameraId({"X"});
    dialog->OnSave();
    EXPECT_TRUE(sent.empty()) << "a stray save outside factory mode";

    dialog = OpenCameraId(true);
    sent.clear();
    TypeCameraId({"XY", "Z", "", "9"});
    dialog->OnSave();
    EXPECT_EQ(sent, (Strings{"ULCK=6182057", "ID00=XZ9"}));
    EXPECT_EQ(CameraText("ID"), "XZ9");
    EXPECT_EQ(LastBox(), kApp + "Completed saving camera id: XZ9. [info]");

    // A control character is refused before the camera is unlocked (vr8200ctl refuses it before it
    // saves, so only this run reaches the save's own check).
    sent.clear();
    TypeCameraId({"A", "\n"});
    dialog->OnSave();
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(LastBox(), kApp + "The camera id must not contain control characters. [error]");
    // Opened again, the camera's short id fills the first fields.
    dialog = OpenCameraId(true);
    EXPECT_EQ(Texts({cameraid::kFields.begin(), cameraid::kFields.end()}),
              (Strings{"X", "Z", "9", "", "", "", "", "", "", ""}));
}

// A refused unlock is run by vr8200ctl's set-camera-id (test_cli); a refused write stops here.
TEST_F(IdEditorsTest, ARefusedWriteStopsTheCameraIdSave) {
    sim::SimOptions options;
    options.refuse = {"ID00"};
    StartCamera(options);
    auto dialog = OpenCameraId(true);
    sent.clear();
    TypeCameraId({"N", "E", "W"});
    dialog->OnSave();
    EXPECT_EQ(sent, (Strings{"ULCK=6182057", "ID00=NEW"}));
    EXPECT_EQ(LastBox(), kApp + "Couldn't save the camera id. [error]");
    EXPECT_EQ(CameraText("ID"), "2400012345");
}
