// The identity dialogs' logic on headless controls, against the virtual camera over a pty: the device information
// dialog, the camera ID and user ID editors.

#include <filesystem>
#include <functional>

#include "CameraOnPty.h"
#include "FakeDialogFrame.h"
#include "camera/ModelCommands.h"
#include "identity/AboutDialog.h"
#include "identity/CameraId.h"
#include "identity/CameraIdDialog.h"
#include "identity/DeviceVersion.h"
#include "identity/HelpFiles.h"
#include "identity/IdentityIds.h"
#include "identity/UserIdDialog.h"
#include "protocol/CommandIds.h"

using namespace vr;
using namespace vr::identity::about;
using identity::CAboutDialog;
using identity::CCameraIdDialog;
using identity::CUserIdDialog;
using test::kApp;
using test::Strings;
namespace cameraid = identity::cameraid;
namespace userid = identity::userid;

namespace {

// A desktop without a viewer for the file: the open cannot start.
class NoViewer final : public test::FakePlatform {
public:
    bool ShellOpen(const std::string& path) override {
        opened.push_back(path);
        return false;
    }
};

class IdentityTest : public test::CameraOnPty {
protected:
    // The controls of all three dialogs (their ids differ) afresh; to the model only a list's type matters.
    void StartCamera(sim::SimOptions options = {}) {
        controls_ = ui::ControlModel(ui::ControlModel::Empty{});
        for (uint32_t id : {kToolName, kToolVersion, kLink, kModelName, kFirmware, kCameraId, kFpga, kStrip, kUserId,
                            kSaveDeviceVersion, kSaveUserId, kProtectUserId, kEnableUserIdEdit, cameraid::kSave,
                            cameraid::kStrip, userid::kEdit, userid::kSave, userid::kStrip})
            controls_.AddControl(id, ui::CtrlType::Edit);
        for (uint32_t id : kDeviceVersion) controls_.AddControl(id, ui::CtrlType::Edit);
        for (uint32_t id : cameraid::kFields) controls_.AddControl(id, ui::CtrlType::Edit);
        controls_.AddControl(kHelpFiles, ui::CtrlType::Combo);
        CameraOnPty::StartCamera(options);
    }
    std::string CameraText(const char* name) const { return server->QueryValue(name).value_or("<none>"); }
    Strings Texts(const std::vector<uint32_t>& ids) const {
        Strings texts;
        for (uint32_t id : ids) texts.push_back(controls_.GetText(id));
        return texts;
    }
    Strings DeviceVersionShown() const { return Texts({kDeviceVersion.begin(), kDeviceVersion.end()}); }
    camera::Services& Services() { return services->Get(); }

    std::unique_ptr<CAboutDialog> Open(bool factoryMode = false, camera::Services* other = nullptr,
                                       const std::string& documentation = "") {
        auto dialog = std::make_unique<CAboutDialog>(other != nullptr ? *other : Services(), controls_, frame_,
                                                     identity::AboutSetup{factoryMode, dir_.Path(), documentation});
        dialog->OnInitDialog();
        return dialog;
    }
    // Forgets what the dialog asked as it opened.
    std::unique_ptr<CCameraIdDialog> OpenCameraId(bool factoryMode) {
        auto dialog = std::make_unique<CCameraIdDialog>(Services(), controls_, frame_, factoryMode);
        dialog->OnInitDialog();
        sent.clear();
        return dialog;
    }
    void TypeCameraId(const Strings& fields) {
        for (size_t i = 0; i < cameraid::kFields.size(); ++i)
            controls_.SetText(cameraid::kFields[i], i < fields.size() ? fields[i] : "");
    }

    ui::ControlModel controls_{ui::ControlModel::Empty{}};
    test::FakeDialogFrame frame_;
    test::TempDir dir_;
};
using AboutDialogTest = IdentityTest;
using IdEditorsTest = IdentityTest;

}  // namespace

TEST(DeviceVersionText, FieldsShowWholeButOnlyTheirFirstCharactersAreWritten) {
    using identity::DeviceVersionFields;
    EXPECT_EQ(identity::SplitDeviceVersion("10.2.3.40"), (DeviceVersionFields{"10", "2", "3", "40"}));
    EXPECT_EQ(identity::SplitDeviceVersion("..."), (DeviceVersionFields{"", "", "", ""}));
    EXPECT_EQ(identity::JoinDeviceVersion({"1", "", "3", ""}), "1..3.");
    // A character beyond ASCII is kept whole, never cut to its first byte.
    EXPECT_EQ(identity::JoinDeviceVersion({"\xC3\xA9x", "2", "3", "4"}), "\xC3\xA9.2.3.4");
}

// Typing or pasting into a camera ID field: one character a field from there on, whole UTF-8
// characters, nothing past the tenth; the cursor goes to the field after the last one filled.
TEST(CameraIdFields, APastedIdSpreadsOverTheFieldsFromWhereItLands) {
    using identity::CameraId;
    CameraId::Fields fields = CameraId::ToFields("AAAAAAAAAA");
    EXPECT_EQ(CameraId::Spread(fields, 0, "2400012346"), 9u);
    EXPECT_EQ(CameraId::FromFields(fields), "2400012346");
    EXPECT_EQ(CameraId::Spread(fields, 7, "XYZ\xC3\xA9"), 9u);
    EXPECT_EQ(CameraId::FromFields(fields), "2400012XYZ");
    EXPECT_EQ(CameraId::Spread(fields, 2, "\xC3\xA9Q"), 4u);
    EXPECT_EQ(fields[2], "\xC3\xA9");
    EXPECT_EQ(fields[3], "Q");
    EXPECT_EQ(CameraId::Spread(fields, 5, ""), 5u);
    EXPECT_EQ(CameraId::FromFields(fields), "24\xC3\xA9Q012XYZ");
}

TEST(HelpFileList, OrdinaryPdfFilesOfTheFolderSortedByName) {
    namespace fs = std::filesystem;
    test::TempDir dir;
    for (const char* name : {"b.pdf", "a.pdf", "C.PDF", "notes.txt", "manual.pdf.txt"}) dir.WriteFile(name, "%PDF");
    fs::create_directory(dir / "folder.pdf");
    fs::create_symlink(dir / "a.pdf", dir / "link.pdf");
    fs::create_symlink(dir / "gone", dir / "dangling.pdf");
    EXPECT_EQ(identity::ListHelpFiles(dir.Path()), (Strings{"C.PDF", "a.pdf", "b.pdf", "link.pdf"}));
    EXPECT_TRUE(identity::ListHelpFiles(dir / "missing").empty());

    EXPECT_EQ(identity::ChooseDocumentation({dir / "none.md", dir / "notes.txt", dir / "b.pdf"}), dir / "notes.txt");
    EXPECT_EQ(identity::ChooseDocumentation({dir / "none.md", dir / "folder.pdf"}), dir / "none.md");
}

TEST_F(AboutDialogTest, ShowsTheCameraAskedInOrder) {
    StartCamera();
    services->model = {camera::kModelKA, camera::kModelNameKA};
    Set(protocol::cmd::UD, "line3");
    auto dialog = Open();

    EXPECT_EQ(sent, (Strings{"VN?", "ID?", "FPVN?", "UD?", "DV?"}));
    EXPECT_EQ(Texts({kFirmware, kModelName, kCameraId, kFpga, kUserId}),
              (Strings{"3.1.0.2", "VR-8200-KA", "2400012345", "1.0.4.0", "line3"}));
    EXPECT_EQ(DeviceVersionShown(), (Strings{"1", "0", "0", "0"}));
    EXPECT_TRUE(Platform().boxes.empty());
    EXPECT_FALSE(controls_.IsEnabled(kUserId) || controls_.IsEnabled(kSaveUserId)) << "the user ID starts locked";
    EXPECT_TRUE(controls_.GetCheck(kProtectUserId));
    // Outside factory mode the window hides the button (test_gui); a stray save writes nothing.
    dialog->OnSaveDeviceVersion();
    EXPECT_EQ(sent.size(), 5u);

    // The strip follows the camera; long operations grey the dialog; both forget it when it goes.
    EXPECT_EQ(controls_.GetPicture(kStrip), protocol::kStripOnline);
    {
        protocol::ScopedDialogsDisabled greyed(services->dialogs);
        EXPECT_FALSE(frame_.enabled);
    }
    EXPECT_TRUE(frame_.enabled);
    dialog.reset();
    services->status.SetOffline();
    EXPECT_EQ(controls_.GetPicture(kStrip), protocol::kStripOnline);
    services->dialogs.DisableAll();
    services->dialogs.EnableAll();
}

TEST_F(AboutDialogTest, UnansweredQueriesAndOddDeviceVersionsLeaveThePlaceholders) {
    StartCamera();
    const struct {
        const char* reply;
        Strings shown;
    } shapes[] = {
        {"1.2.3", {"?", "?", "?", "?"}},
        {"1.2.3.4.5", {"?", "?", "?", "?"}},
        {"1.2.3.", {"1", "2", "3", ""}},
    };
    for (const auto& c : shapes) {
        Set(protocol::cmd::DV00, c.reply);
        auto dialog = Open();
        EXPECT_EQ(DeviceVersionShown(), c.shown) << c.reply;
        EXPECT_EQ(Texts({kCameraId, kModelName}), (Strings{"2400012345", "??????????"})) << "no probe, no name";
    }

    // Without the firmware version the camera is asked nothing else, and the model is not named.
    StartCamera(test::With([](sim::SimOptions& o) { o.refuseQuery = {"VN", "UD"}; }));
    services->model = {camera::kModelKA, camera::kModelNameKA};
    auto dialog = Open();
    EXPECT_EQ(sent, Strings{"VN?"});
    EXPECT_EQ(Boxes(), Strings{"Communication Error: ERROR:Refused for VN? [warning]"});
    EXPECT_EQ(Texts({kFirmware, kModelName, kCameraId, kUserId}),
              (Strings{"?.?.?.?", "??????????", "??????????", "????????????????"}));
    // The user ID editor on its own, its query unanswered.
    CUserIdDialog userId(Services(), controls_, frame_);
    userId.OnInitDialog();
    EXPECT_EQ(controls_.GetText(userid::kEdit), "????????????????");
}

TEST_F(AboutDialogTest, FactoryModeWritesTheFirstCharacterOfEachField) {
    StartCamera();
    auto dialog = Open(true);
    sent.clear();
    const Strings typed = {"12", "3", "4", "5"};
    for (size_t i = 0; i < typed.size(); ++i) controls_.SetText(kDeviceVersion[i], typed[i]);
    dialog->OnSaveDeviceVersion();
    EXPECT_EQ(sent, Strings{"DV00=1.3.4.5"});
    EXPECT_EQ(CameraText("DV"), "1.3.4.5");
    EXPECT_EQ(Boxes(), Strings{kApp + "Writing the Device Version has been completed. [info]"});

    // A control character would end the command line early: nothing goes out.
    controls_.SetText(kDeviceVersion[3], "\r");
    dialog->OnSaveDeviceVersion();
    EXPECT_EQ(sent.size(), 1u);
    EXPECT_EQ(LastBox(), kApp + "The device version must not contain control characters. [error]");
    EXPECT_EQ(CameraText("DV"), "1.3.4.5");
}

TEST_F(AboutDialogTest, HelpFilesAndTheLinkOpenInTheViewerOrSayWhyNot) {
    StartCamera();
    dir_.WriteFile("manual.pdf", "%PDF");
    dir_.WriteFile("install.pdf", "%PDF");
    auto dialog = Open();
    ASSERT_EQ(controls_.ItemCount(kHelpFiles), 2);
    EXPECT_EQ(controls_.GetText(kHelpFiles), "install.pdf");
    controls_.SetSelection(kHelpFiles, 1);
    dialog->OnViewHelpFile();
    EXPECT_EQ(Platform().opened, Strings{dir_ / "manual.pdf"});
    EXPECT_TRUE(Platform().boxes.empty());
    controls_.SetSelection(kHelpFiles, -1);
    dialog->OnViewHelpFile();
    EXPECT_EQ(Platform().opened.size(), 1u);
    EXPECT_EQ(Boxes(), Strings{kApp + "No file was selected !! [error]"});
    dialog.reset();

    test::TestServices& t = *services;
    NoViewer noViewer;
    camera::Services withoutViewer{noViewer, t.registry, t.controlMode, t.traffic,    t.status, t.dialogs,
                                   t.table,  t.engine,   t.link,        t.Get().line, t.model};
    const std::string readme = dir_ / "README.md";
    dir_.WriteFile("README.md", "# docs");
    dialog = Open(false, &withoutViewer, readme);
    EXPECT_EQ(controls_.GetText(kLink), readme);
    dialog->OnLinkClicked();
    EXPECT_EQ(noViewer.opened, Strings{readme});

    // A file gone since the list was made is reported without starting a viewer that cannot show it.
    std::filesystem::remove(dir_ / "install.pdf");
    dialog->OnViewHelpFile();
    EXPECT_EQ(noViewer.opened.size(), 1u);
    EXPECT_EQ(Boxes(&noViewer),
              (Strings{kApp + "Couldn't open \"" + readme + "\" with the desktop's viewer. [error]",
                       kApp + "Couldn't open \"" + (dir_ / "install.pdf") + "\" with the desktop's viewer. [error]"}));
}

// vr8200ctl checks the rule before it saves; the editors rely on the save's own check: each meets every verdict.
TEST_F(IdEditorsTest, BothEditorsKeepTheUserIdRule) {
    StartCamera();
    Set(protocol::cmd::UD, "cell4");
    CUserIdDialog userIdDialog(Services(), controls_, frame_);
    userIdDialog.OnInitDialog();
    EXPECT_EQ(controls_.GetText(userid::kEdit), "cell4");
    EXPECT_EQ(controls_.GetPicture(userid::kStrip), protocol::kStripOnline);
    identity::CAboutDialog about(Services(), controls_, frame_, {false, "", ""});
    about.OnInitDialog();
    about.OnEnableUserIdEdit();
    const struct {
        const char* name;
        uint32_t edit;
        std::function<void()> save;
    } editors[] = {
        {"user id editor", userid::kEdit, [&] { userIdDialog.OnSave(); }},
        {"about dialog", kUserId, [&] { about.OnSaveUserId(); }},
    };
    const std::string longest(64, 'u');
    const struct {
        std::string text;
        const char* refusal;  // none when sent
    } cases[] = {
        {longest, nullptr},
        {longest + "u",
         "User ID string is too long !!\nAt most 64 bytes; a character outside ASCII takes two or more."},
        {"line\r\nGA=100", "The user ID must not contain control characters."},
        {"line 3, left", "The user ID must not contain a comma: the camera's answer would end the ID there."},
    };
    for (const auto& editor : editors) {
        for (const auto& [text, refusal] : cases) {
            SCOPED_TRACE(std::string(editor.name) + ", " + std::to_string(text.size()) + " characters");
            Set(protocol::cmd::UD, "before");
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

// That the button shows only in factory mode is run in the window by test_gui.
TEST_F(IdEditorsTest, CameraIdSavesTheFirstCharacterOfEachFieldOnlyInFactoryModeAndReportsARefusal) {
    StartCamera();
    auto dialog = OpenCameraId(false);
    TypeCameraId({"X"});
    dialog->OnSave();
    EXPECT_TRUE(sent.empty()) << "a stray save outside factory mode";

    dialog = OpenCameraId(true);
    TypeCameraId({"XY", "Z", "", "9"});
    dialog->OnSave();
    EXPECT_EQ(sent, (Strings{"ULCK=6182057", "ID00=XZ9"}));
    EXPECT_EQ(CameraText("ID"), "XZ9");
    EXPECT_EQ(LastBox(), kApp + "Completed saving camera id: XZ9. [info]");

    // A control character is refused before the camera is unlocked (vr8200ctl refuses it before it
    // saves, so only this run reaches the save's own check).
    sent.clear();
    for (const auto& [second, refusal] : {std::pair{"\n", "control characters."},
                                          std::pair{",", "a comma: the camera's answer would end the id there."}}) {
        TypeCameraId({"A", second});
        dialog->OnSave();
        EXPECT_TRUE(sent.empty());
        EXPECT_EQ(LastBox(), kApp + "The camera id must not contain " + refusal + " [error]");
    }
    // Opened again, the camera's short id fills the first fields.
    dialog = OpenCameraId(true);
    EXPECT_EQ(Texts({cameraid::kFields.begin(), cameraid::kFields.end()}),
              (Strings{"X", "Z", "9", "", "", "", "", "", "", ""}));

    // A refused unlock is run by vr8200ctl's set-camera-id (test_cli_pty); a refused write stops here.
    dialog.reset();
    StartCamera(test::With([](sim::SimOptions& o) { o.refuse = {"ID00"}; }));
    dialog = OpenCameraId(true);
    TypeCameraId({"N", "E", "W"});
    dialog->OnSave();
    EXPECT_EQ(sent, (Strings{"ULCK=6182057", "ID00=NEW"}));
    EXPECT_EQ(LastBox(), kApp + "Couldn't save the camera id. [error]");
    EXPECT_EQ(CameraText("ID"), "2400012345");
}
