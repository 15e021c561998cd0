// The device information dialog: what it shows of the camera, the device version, the help files and
// the link, and how it registers with the status strip and the dialog registry.

#include <filesystem>

#include "IdentityFixture.h"
#include "identity/AboutDialog.h"
#include "identity/DeviceVersion.h"
#include "identity/HelpFiles.h"
#include "settings/ModelCommands.h"

using namespace vr;
using namespace vr::identity::about;
using identity::CAboutDialog;
using test::kApp;
using test::Strings;

namespace {

// A desktop without a viewer for the file: the open cannot start.
class NoViewer final : public test::FakePlatform {
public:
    bool ShellOpen(const std::string& path) override {
        opened.push_back(path);
        return false;
    }
};

class AboutDialogTest : public test::IdentityTest {
protected:
    std::unique_ptr<CAboutDialog> Open(bool factoryMode = false, app::Services* services = nullptr,
                                       const std::string& documentation = "") {
        auto dialog = std::make_unique<CAboutDialog>(services != nullptr ? *services : Services(), controls_, frame_,
                                                     identity::AboutSetup{factoryMode, dir_.Path(), documentation});
        dialog->OnInitDialog();
        return dialog;
    }
    Strings DeviceVersionShown() const { return Texts({kDeviceVersion.begin(), kDeviceVersion.end()}); }

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
    services->model = {settings::kModelKA, settings::kModelNameKA};
    Preset(protocol::cmd::UD, "line3");
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
        Preset(protocol::cmd::DV00, c.reply);
        auto dialog = Open();
        EXPECT_EQ(DeviceVersionShown(), c.shown) << c.reply;
        EXPECT_EQ(Texts({kCameraId, kModelName}), (Strings{"2400012345", "??????????"})) << "no probe, no name";
    }

    // Without the firmware version the camera is asked nothing else, and the model is not named.
    sim::SimOptions options;
    options.refuseQuery = {"VN"};
    StartCamera(options);
    services->model = {settings::kModelKA, settings::kModelNameKA};
    auto dialog = Open();
    EXPECT_EQ(sent, Strings{"VN?"});
    EXPECT_EQ(Boxes(), Strings{"Communication Error: ERROR:Refused for VN? [warning]"});
    EXPECT_EQ(Texts({kFirmware, kModelName, kCameraId, kUserId}),
              (Strings{"?.?.?.?", "??????????", "??????????", "????????????????"}));
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
    ASSERT_EQ(controls_.GetCount(kHelpFiles), 2);
    EXPECT_EQ(controls_.GetText(kHelpFiles), "install.pdf");
    controls_.SetCurSel(kHelpFiles, 1);
    dialog->OnViewHelpFile();
    EXPECT_EQ(Platform().opened, Strings{dir_ / "manual.pdf"});
    EXPECT_TRUE(Platform().boxes.empty());
    controls_.SetCurSel(kHelpFiles, -1);
    dialog->OnViewHelpFile();
    EXPECT_EQ(Platform().opened.size(), 1u);
    EXPECT_EQ(Boxes(), Strings{kApp + "No file was selected !! [error]"});
    dialog.reset();

    test::TestServices& t = *services;
    NoViewer noViewer;
    app::Services withoutViewer{noViewer, t.registry, t.controlMode, t.traffic,    t.status, t.dialogs,
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
    EXPECT_EQ(Boxes(noViewer),
              (Strings{kApp + "Couldn't open \"" + readme + "\" with the desktop's viewer. [error]",
                       kApp + "Couldn't open \"" + (dir_ / "install.pdf") + "\" with the desktop's viewer. [error]"}));
}
