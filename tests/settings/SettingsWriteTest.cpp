// The settings file writer: the bytes of every variant for both models and modes, the replace
// question and the remembered folder, and writes that fail without harming the file in place.

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "SettingsFixture.h"
#include "app/Registry.h"
#include "protocol/ParameterTable.h"

using namespace vr;
using settings::SettingsVariant;

namespace {

class SettingsWriteTest : public test::SettingsFixture {
protected:
    bool Write(const std::string& name, SettingsVariant variant) {
        return settings::SettingsFile(services->Get(), *dlg).Write(Path(name), variant);
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
        {"KB", 1, SettingsVariant::AllData, "kb-factory-all.cam"},
        {"KB", 1, SettingsVariant::ShippingData, "kb-shipping.cam"},
        {"KB", 0, SettingsVariant::AllData, "kb-shipping.cam"},
    };
    for (const Case& c : cases) {
        Start(c.model, {}, c.mode, false);
        ASSERT_EQ(dlg->ModelProbe(), 1);
        // Not the rows' defaults: "GA", the factory "GAORJ" (negative) and "NRL" (the largest).
        services->table.SetDataValue(1041, 400);
        services->table.SetDataValue(1600, -12);
        services->table.SetDataValue(1674, 16777215);
        ASSERT_TRUE(Write("out.cam", c.variant));
        EXPECT_EQ(Read("out.cam"), test::ExpectedFile(c.expected)) << c.model << c.mode;
        // Nothing is asked but the model, once more for the model line.
        EXPECT_EQ(sent.size(), c.mode == 1 && c.variant == SettingsVariant::AllData ? 2u : 1u);
    }
}

TEST_F(SettingsWriteTest, SaveAsksBeforeReplacingAndRemembersTheFolder) {
    Start("KB", {}, 0, false);
    services->dir.WriteFile("line3.cam", "GA=1\r\n");
    Platform().files = {Path("line3.cam")};
    dlg->OnMenuCommand(settings::kMenuSaveShippingData);  // answered No
    EXPECT_EQ(Texts(),
              std::vector<std::string>{Path("line3.cam") + "\nThis file already exists.\nReplace existing file?"});
    EXPECT_EQ(Platform().boxes[0].buttons, app::MsgButtons::YesNo);
    EXPECT_EQ(Read("line3.cam"), "GA=1\r\n");

    // Yes replaces it; a name without extension gets ".cam"; the folder is remembered.
    std::filesystem::create_directory(Path("sub"));
    Platform().files = {Path("line3.cam"), Path("sub/line4")};
    Platform().answers = {app::MsgResult::Yes};
    dlg->OnMenuCommand(settings::kMenuSaveShippingData);
    dlg->OnMenuCommand(settings::kMenuSaveAllData);
    EXPECT_EQ(Read("line3.cam").rfind("TM=0\r\n", 0), 0u);
    EXPECT_EQ(Read("sub/line4.cam"), Read("line3.cam"));
    std::string folder;
    services->registry.ReadString(app::kRegCameraFilePath, folder);
    EXPECT_EQ(folder, Path("sub"));
}

// A file that cannot be opened is run by vr8200ctl's save (test_cli).
TEST_F(SettingsWriteTest, AFailedWriteNamesFileAndReasonAndLeavesTheGoodFile) {
    Start("KA", {}, 0, false);
    const std::string good = test::ExpectedFile("ka-shipping.cam");
    services->dir.WriteFile("golden.cam", good);
    // A full disk: past the file size limit every write fails as it would on one.
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
    EXPECT_EQ(Texts(),
              std::vector<std::string>{Path("golden.cam") + "\nCouldn't open this file\nwrite: File too large"});
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
        return !settings::SettingsFile(services.Get(), dlg).Write(path, SettingsVariant::ShippingData) &&
               services.platform.Texts() ==
                   std::vector<std::string>{path + "\nCouldn't open this file\nPermission denied"};
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
    EXPECT_EQ(services.dir.ReadFile("golden.cam"), "GA=1\r\n");
}

}  // namespace
