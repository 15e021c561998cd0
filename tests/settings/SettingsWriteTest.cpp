// The settings file writer: the bytes of every variant for both models and modes, the file dialogs'
// replace question and remembered folder, and writes that fail without harming the file in place.

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "SettingsFixture.h"
#include "app/Registry.h"
#include "protocol/ParameterTable.h"
#include "settings/ModelCommands.h"

using namespace vr;
using settings::SettingsVariant;

namespace {

class SettingsWriteTest : public test::SettingsFixture {
protected:
    // Values that are not the rows' defaults, so the file shows the table's values: "GA", the factory
    // "GAORJ" (negative) and "NRL" (the largest).
    void SetValues() {
        services->table.SetDataValue(1041, 400);
        services->table.SetDataValue(1600, -12);
        services->table.SetDataValue(1674, 16777215);
    }
    bool Write(const std::string& name, SettingsVariant variant) {
        return settings::SettingsFile(services->Get(), *dlg).Write(Path(name), variant);
    }
    void ExpectOpenError(const std::string& path, const std::string& reason) {
        ASSERT_EQ(Platform().boxes.size(), 1u);
        EXPECT_EQ(Platform().boxes[0].caption, "File Open Error");
        EXPECT_EQ(Platform().boxes[0].icon, app::MsgIcon::Exclamation);
        EXPECT_EQ(Platform().boxes[0].text.rfind(path + "\nCouldn't open this file\n", 0), 0u)
            << Platform().boxes[0].text;
        EXPECT_NE(Platform().boxes[0].text.find(reason), std::string::npos) << Platform().boxes[0].text;
    }
};

TEST_F(SettingsWriteTest, EveryVariantIsWrittenByteForByte) {
    struct Case {
        const char* model;
        uint32_t mode;
        SettingsVariant variant;
        const char* expected;
    };
    // Outside factory mode "All Data" is the shipping data; "Shipping Data" never has factory rows.
    const Case cases[] = {
        {"KA", 1, SettingsVariant::AllData, "ka-factory-all.cam"},
        {"KA", 1, SettingsVariant::ShippingData, "ka-shipping.cam"},
        {"KA", 0, SettingsVariant::AllData, "ka-shipping.cam"},
        {"KA", 0, SettingsVariant::ShippingData, "ka-shipping.cam"},
        {"KB", 1, SettingsVariant::AllData, "kb-factory-all.cam"},
        {"KB", 1, SettingsVariant::ShippingData, "kb-shipping.cam"},
        {"KB", 0, SettingsVariant::AllData, "kb-shipping.cam"},
        {"KB", 0, SettingsVariant::ShippingData, "kb-shipping.cam"},
    };
    for (const Case& c : cases) {
        Start(c.model, {}, c.mode);
        ASSERT_EQ(dlg->ModelProbe(), 1);
        SetValues();
        ASSERT_TRUE(Write("out.cam", c.variant)) << c.expected;
        const std::string expected = test::ExpectedFile(c.expected);
        ASSERT_FALSE(expected.empty()) << c.expected;
        EXPECT_EQ(test::ReadBytes(Path("out.cam")), expected) << c.model << " mode " << c.mode << " " << c.expected;
        EXPECT_TRUE(Platform().boxes.empty());
        // Only the factory "All Data" asks the camera anything: its model, once more.
        EXPECT_EQ(sent, (c.mode == 1 && c.variant == SettingsVariant::AllData ? std::vector<std::string>{"MD?", "MD?"}
                                                                              : std::vector<std::string>{"MD?"}));
    }
}

TEST_F(SettingsWriteTest, AnUnidentifiedCameraGetsNoModelLine) {
    sim::SimOptions silent;
    silent.silent = true;
    Start("KA", silent, 1);
    ASSERT_TRUE(Write("out.cam", SettingsVariant::AllData));
    const std::string text = test::ReadBytes(Path("out.cam"));
    EXPECT_EQ(text.rfind("TM=0\r\n", 0), 0u);
    // Both models' commands: an unknown model is not known to lack any.
    EXPECT_NE(text.find("\r\nPER=0\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nLROP=0\r\n"), std::string::npos);
}

TEST_F(SettingsWriteTest, SaveDialogAsksBeforeReplacingAndRemembersTheFolder) {
    Start("KB");
    const std::string old = "GA=1\r\n";
    services->dir.WriteFile("line3.cam", old);
    // No to the replace question: the file is untouched.
    Platform().files = {Path("line3.cam")};
    Platform().answers = {app::MsgResult::No};
    dlg->OnMenuCommand(settings::kMenuSaveShippingData);
    ASSERT_EQ(Platform().boxes.size(), 1u);
    EXPECT_EQ(Platform().boxes[0].text, Path("line3.cam") + "\nThis file already exists.\nReplace existing file?");
    EXPECT_EQ(Platform().boxes[0].buttons, app::MsgButtons::YesNo);
    EXPECT_EQ(Platform().boxes[0].icon, app::MsgIcon::Question);
    EXPECT_EQ(test::ReadBytes(Path("line3.cam")), old);

    // Yes replaces it; a name without extension gets ".cam"; the folder is remembered.
    ASSERT_EQ(dlg->ModelProbe(), 1);
    SetValues();
    std::filesystem::create_directory(Path("sub"));
    Platform().files = {Path("line3.cam"), Path("sub/line4")};
    Platform().answers = {app::MsgResult::Yes};
    dlg->OnMenuCommand(settings::kMenuSaveShippingData);
    dlg->OnMenuCommand(settings::kMenuSaveAllData);
    EXPECT_EQ(Platform().boxes.size(), 2u);
    EXPECT_EQ(test::ReadBytes(Path("line3.cam")), test::ExpectedFile("kb-shipping.cam"));
    EXPECT_EQ(test::ReadBytes(Path("sub/line4.cam")), test::ExpectedFile("kb-shipping.cam"));
    std::string folder;
    services->registry.ReadString(app::kRegCameraFilePath, folder);
    EXPECT_EQ(folder, Path("sub"));
    // Cancel does nothing at all.
    Platform().boxes.clear();
    dlg->OnMenuCommand(settings::kMenuSaveAllData);
    EXPECT_TRUE(Platform().boxes.empty());
}

TEST_F(SettingsWriteTest, AFolderThatIsNoFolderIsReportedWithTheReason) {
    Start("KA");
    services->dir.WriteFile("plain", "x");
    EXPECT_FALSE(Write("plain/out.cam", SettingsVariant::ShippingData));
    ExpectOpenError(Path("plain/out.cam"), "Not a directory");
    EXPECT_EQ(test::ReadBytes(Path("plain")), "x");
}

// A full disk: the file size limit makes every write past it fail as a full disk would.
TEST_F(SettingsWriteTest, AFailedWriteLeavesTheGoodFileInPlace) {
    Start("KA");
    const std::string good = test::ExpectedFile("ka-shipping.cam");
    services->dir.WriteFile("golden.cam", good);
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    struct rlimit small = saved;
    small.rlim_cur = 64;
    auto* previous = ::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = Write("golden.cam", SettingsVariant::AllData);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::signal(SIGXFSZ, previous);
    EXPECT_FALSE(written);
    ExpectOpenError(Path("golden.cam"), "File too large");
    EXPECT_EQ(test::ReadBytes(Path("golden.cam")), good);
    for (const auto& entry : std::filesystem::directory_iterator(services->dir.Path()))
        EXPECT_NE(entry.path().filename().string().rfind(".golden.cam.", 0), 0u) << "temporary file left behind";
}

// Renaming over a file would replace one the operator made read-only; it is refused as opening it
// for writing would be. Root may write anything, so the write runs as nobody then, in a child
// process: with no camera and no link there is no other thread to fork away from.
TEST(SettingsWriteNoCamera, AReadOnlyFileIsNotReplaced) {
    test::TestServices services;
    ui::ControlModel controls;
    test::RecordingMainWindow dlg(services.Get(), controls);
    ::chmod(services.dir.Path().c_str(), 0777);
    services.dir.WriteFile("golden.cam", "GA=1\r\n");
    const std::string path = services.dir / "golden.cam";
    ::chmod(path.c_str(), 0444);
    auto attempt = [&] {
        return !settings::SettingsFile(services.Get(), dlg).Write(path, SettingsVariant::ShippingData) &&
               services.platform.boxes.size() == 1 &&
               services.platform.boxes[0].text.find("Permission denied") != std::string::npos;
    };
    if (::geteuid() != 0) {
        EXPECT_TRUE(attempt());
    } else {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) _exit(::setgid(65534) == 0 && ::setuid(65534) == 0 && attempt() ? 0 : 1);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_EQ(test::ReadBytes(path), "GA=1\r\n");
}

}  // namespace
