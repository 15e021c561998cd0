// The help files of the working folder and the link to the tool's documentation.

#include <filesystem>

#include "IdentityFixture.h"
#include "identity/AboutDialog.h"
#include "identity/HelpFiles.h"

using namespace vr;
using namespace vr::identity::about;
using Strings = std::vector<std::string>;

namespace {

// A desktop without a viewer for the file: the open cannot start.
class NoViewer final : public test::FakePlatform {
public:
    bool ShellOpen(const std::string& path) override {
        opened.push_back(path);
        return false;
    }
};

class HelpFilesTest : public test::IdentityTest {
protected:
    std::unique_ptr<identity::CAboutDialog> Open(app::Services& services, const std::string& documentation = "") {
        AddAboutControls();
        auto dialog = std::make_unique<identity::CAboutDialog>(services, controls_, frame_,
                                                               identity::AboutSetup{false, dir_.Path(), documentation});
        dialog->OnInitDialog();
        return dialog;
    }

    test::TempDir dir_;
};

}  // namespace

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

TEST_F(HelpFilesTest, ViewHelpFileOpensTheSelectedFileOrSaysNoneWasSelected) {
    StartCamera();
    dir_.WriteFile("manual.pdf", "%PDF");
    dir_.WriteFile("install.pdf", "%PDF");
    auto dialog = Open(Services());
    ASSERT_EQ(controls_.GetCount(kHelpFiles), 2);
    EXPECT_EQ(controls_.GetText(kHelpFiles), "install.pdf");
    controls_.SetCurSel(kHelpFiles, 1);
    dialog->OnViewHelpFile();
    EXPECT_EQ(Platform().opened, Strings{dir_ / "manual.pdf"});
    EXPECT_TRUE(Platform().boxes.empty());

    dialog.reset();
    for (const char* name : {"manual.pdf", "install.pdf"}) std::filesystem::remove(dir_ / name);
    dialog = Open(Services());
    dialog->OnViewHelpFile();
    EXPECT_EQ(Platform().opened.size(), 1u);
    ASSERT_EQ(Platform().boxes.size(), 1u);
    EXPECT_EQ(Platform().boxes[0].text, "No file was selected !!");
    EXPECT_EQ(Platform().boxes[0].icon, app::MsgIcon::Error);
}

TEST_F(HelpFilesTest, AnOpenThatCannotStartIsReported) {
    StartCamera();
    test::TestServices& t = *services_;
    NoViewer noViewer;
    app::Services services{noViewer, t.registry, t.controlMode, t.traffic,    t.status, t.dialogs,
                           t.table,  t.engine,   t.link,        t.Get().line, t.model};
    const std::string readme = dir_ / "README.md";
    dir_.WriteFile("README.md", "# docs");
    dir_.WriteFile("manual.pdf", "%PDF");
    auto dialog = Open(services, readme);

    EXPECT_EQ(controls_.GetText(kLink), readme);
    dialog->OnLinkClicked();
    EXPECT_EQ(noViewer.opened, Strings{readme});
    ASSERT_EQ(noViewer.boxes.size(), 1u);
    EXPECT_EQ(noViewer.boxes[0].text, "Couldn't open \"" + readme + "\" with the desktop's viewer.");
    EXPECT_EQ(noViewer.boxes[0].icon, app::MsgIcon::Error);

    // A file gone since the list was made is reported without starting a viewer that cannot show it.
    std::filesystem::remove(dir_ / "manual.pdf");
    dialog->OnViewHelpFile();
    EXPECT_EQ(noViewer.opened.size(), 1u);
    ASSERT_EQ(noViewer.boxes.size(), 2u);
    EXPECT_EQ(noViewer.boxes[1].text, "Couldn't open \"" + (dir_ / "manual.pdf") + "\" with the desktop's viewer.");
}
