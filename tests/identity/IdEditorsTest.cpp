// The camera ID and user ID editors, and the user ID rule the device information dialog shares.

#include <functional>

#include "IdentityFixture.h"
#include "identity/AboutDialog.h"
#include "identity/CameraIdDialog.h"
#include "identity/UserIdDialog.h"

using namespace vr;
using identity::CCameraIdDialog;
using identity::CUserIdDialog;
using Strings = std::vector<std::string>;
namespace cameraid = identity::cameraid;

namespace {

class IdEditorsTest : public test::IdentityTest {
protected:
    std::unique_ptr<CCameraIdDialog> OpenCameraId(bool factoryMode) {
        AddCameraIdControls();
        auto dialog = std::make_unique<CCameraIdDialog>(Services(), controls_, frame_, factoryMode);
        dialog->OnInitDialog();
        return dialog;
    }
    void TypeCameraId(const Strings& fields) {
        for (size_t i = 0; i < cameraid::kFields.size(); ++i)
            controls_.SetText(cameraid::kFields[i], i < fields.size() ? fields[i] : "");
    }
    Strings CameraIdShown() const {
        Strings fields;
        for (uint32_t id : cameraid::kFields) fields.push_back(controls_.GetText(id));
        return fields;
    }
    const test::RecordedBox& LastBox() {
        static const test::RecordedBox none{"<no box>", "", app::MsgIcon::None, app::MsgButtons::Ok};
        return Platform().boxes.empty() ? none : Platform().boxes.back();
    }
};

}  // namespace

TEST_F(IdEditorsTest, BothEditorsKeepTheUserIdRule) {
    StartCamera();
    // One way in per editor: the text goes into its edit and its save button is pressed.
    AddUserIdControls();
    CUserIdDialog userIdDialog(Services(), controls_, frame_);
    userIdDialog.OnInitDialog();
    AddAboutControls();
    identity::CAboutDialog about(Services(), controls_, frame_, {false, "", ""});
    about.OnInitDialog();
    about.OnEnableUserIdEdit();
    const struct {
        const char* name;
        std::function<void(const std::string&)> save;
    } editors[] = {
        {"user id editor",
         [&](const std::string& text) {
             controls_.SetText(identity::userid::kEdit, text);
             userIdDialog.OnSave();
         }},
        {"about dialog",
         [&](const std::string& text) {
             controls_.SetText(identity::about::kUserId, text);
             about.OnSaveUserId();
         }},
    };
    const std::string longest(64, 'u');
    const struct {
        std::string text;
        bool sent;
        const char* message;
    } cases[] = {
        {longest, true, nullptr},
        {longest + "u", false, "User ID string is too long !!"},
        {"", true, nullptr},
        {"line\r\nGA=100", false, "The user ID must not contain control characters."},
    };
    for (const auto& editor : editors) {
        for (const auto& c : cases) {
            Preset(protocol::cmd::UD, "before");
            editor.save(c.text);
            SCOPED_TRACE(std::string(editor.name) + ", " + std::to_string(c.text.size()) + " characters");
            EXPECT_EQ(LastBox().caption, "VR-8200 Control Tool");
            if (c.sent) {
                EXPECT_EQ(sent_, Strings{"UD=" + c.text});
                EXPECT_EQ(CameraText("UD"), c.text);
                EXPECT_EQ(LastBox().text, "Writing the User ID \"" + c.text + "\" has been completed.");
                EXPECT_EQ(LastBox().icon, app::MsgIcon::Information);
            } else {
                EXPECT_TRUE(sent_.empty());
                EXPECT_EQ(CameraText("UD"), "before");
                EXPECT_EQ(LastBox().text, c.message);
                EXPECT_EQ(LastBox().icon, app::MsgIcon::Error);
            }
        }
    }
}

TEST_F(IdEditorsTest, UserIdEditorShowsTheCameraTextOrSixteenMarks) {
    StartCamera();
    Preset(protocol::cmd::UD, "cell4");
    AddUserIdControls();
    {
        CUserIdDialog dialog(Services(), controls_, frame_);
        dialog.OnInitDialog();
        EXPECT_EQ(controls_.GetText(identity::userid::kEdit), "cell4");
        EXPECT_EQ(controls_.GetPicture(identity::userid::kStrip), protocol::kStripOnline);
    }
    TearDown();
    sim::SimOptions options;
    options.refuseQuery = {"UD"};
    StartCamera(options);
    CUserIdDialog dialog(Services(), controls_, frame_);
    dialog.OnInitDialog();
    EXPECT_EQ(controls_.GetText(identity::userid::kEdit), "????????????????");
}

TEST_F(IdEditorsTest, CameraIdFieldsHoldOneCharacterEachAndSaveOnlyInFactoryMode) {
    StartCamera();
    Preset(protocol::cmd::ID00, "ABC");
    auto dialog = OpenCameraId(false);
    EXPECT_EQ(CameraIdShown(), (Strings{"A", "B", "C", "", "", "", "", "", "", ""}));
    EXPECT_FALSE(controls_.IsShown(cameraid::kSave));
    sent_.clear();
    dialog->OnSave();
    EXPECT_TRUE(sent_.empty());

    dialog.reset();
    dialog = OpenCameraId(true);
    EXPECT_TRUE(controls_.IsShown(cameraid::kSave));
    sent_.clear();
    TypeCameraId({"XY", "Z", "", "9"});
    dialog->OnSave();
    EXPECT_EQ(sent_, (Strings{"ULCK=6182057", "ID00=XZ9"}));
    EXPECT_EQ(CameraText("ID"), "XZ9");
    EXPECT_EQ(LastBox().text, "Completed saving camera id: XZ9.");
    EXPECT_EQ(LastBox().icon, app::MsgIcon::Information);

    // A control character is refused before the camera is unlocked.
    sent_.clear();
    TypeCameraId({"A", "\n"});
    dialog->OnSave();
    EXPECT_TRUE(sent_.empty());
    EXPECT_EQ(LastBox().text, "The camera id must not contain control characters.");
    EXPECT_EQ(CameraText("ID"), "XZ9");
}

TEST_F(IdEditorsTest, ARefusedStepStopsTheCameraIdSave) {
    const struct {
        const char* refused;
        Strings sent;
        const char* message;
    } cases[] = {
        {"ULCK", {"ULCK=6182057"}, "Couldn't save camera id."},
        {"ID00", {"ULCK=6182057", "ID00=NEW"}, "Couldn't save the camera id."},
    };
    for (const auto& c : cases) {
        TearDown();
        sim::SimOptions options;
        options.refuse = {c.refused};
        StartCamera(options);
        auto dialog = OpenCameraId(true);
        sent_.clear();
        TypeCameraId({"N", "E", "W"});
        dialog->OnSave();
        EXPECT_EQ(sent_, c.sent) << c.refused;
        EXPECT_EQ(LastBox().text, c.message);
        EXPECT_EQ(LastBox().icon, app::MsgIcon::Error);
        EXPECT_EQ(CameraText("ID"), "2400012345");
        dialog.reset();
    }
}
