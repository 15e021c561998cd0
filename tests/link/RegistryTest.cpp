// The settings store: defaults, shutdown records, number and folder values, damaged stores and leftovers.

#include <gtest/gtest.h>

#include <filesystem>

#include "TempDir.h"
#include "app/ControlMode.h"
#include "app/FileIo.h"
#include "app/Registry.h"

using namespace vr;
using app::CRegistry;
using test::ScopedEnv;

namespace {

TEST(Registry, FirstRunGivesDefaultsCreatesTheStoreAndRecordsShutdowns) {
    test::TempDir dir;
    const std::string folder = dir / "config/vr8200-control";
    {
        CRegistry registry(folder);
        EXPECT_EQ(registry.WasShutdownClean(), 0) << "no store yet: treated like an unclean end";
        for (int slot = 1; slot <= 7; ++slot) {
            uint32_t value = 0;
            EXPECT_EQ(registry.ReadDword(slot, value, 7), 0) << slot;
            EXPECT_EQ(value, 7u) << slot;
        }
        std::string text;
        EXPECT_EQ(registry.ReadString(app::kRegCameraFilePath, text), 0);
        EXPECT_EQ(text, app::WorkingFolder());
        EXPECT_EQ(registry.WriteDword(app::kRegCommunicationMode, 3), 1);
        uint32_t mode = 0;
        EXPECT_EQ(registry.ReadDword(app::kRegCommunicationMode, mode, 0), 1);
        EXPECT_EQ(mode, 3u);
        {
            app::ControlMode control(registry);  // read at its start, saved at its end
            EXPECT_FALSE(control.IsFactory());
            control.Set(app::ControlMode::kFactory);
        }
        EXPECT_NE(dir.ReadFile("config/vr8200-control/settings.ini").find("Previous Application Shutdown Status=0\n"),
                  std::string::npos);
        using Entries = std::filesystem::directory_iterator;
        EXPECT_EQ(std::distance(Entries(folder), Entries()), 1) << "every write renamed its temporary file away";
    }
    {
        CRegistry registry(folder);
        EXPECT_EQ(registry.WasShutdownClean(), 1);
        uint32_t status = 9;
        registry.ReadDword(app::kRegShutdownStatus, status, 9);
        EXPECT_EQ(status, 0u) << "this run is marked running until it ends normally";
        EXPECT_TRUE(app::ControlMode(registry).IsFactory());
    }
    const std::string text = dir.ReadFile("config/vr8200-control/settings.ini");
    EXPECT_EQ(text.rfind("[VR-8200 Control Tool]\n", 0), 0u) << text;
    EXPECT_NE(text.find("Communication Mode=3\n"), std::string::npos) << text;
}

TEST(Registry, NumbersStoredAsTextConvertAsDecimal) {
    // clang-format off
    const std::pair<const char*, uint32_t> cases[] = {{"3", 3}, {"abc", 0}, {" 42x", 42}, {"", 0}, {"-1", 0xFFFFFFFFu},
        {"99999999999", 0xFFFFFFFFu}, {"007", 7}, {"4294967295", 4294967295u}};
    // clang-format on
    for (const auto& [stored, expected] : cases) {
        test::TempDir dir;
        dir.WriteFile("settings.ini", std::string("[VR-8200 Control Tool]\r\nControl Mode = ") + stored + "\r\n");
        CRegistry registry(dir.Path());
        uint32_t value = 12345;
        EXPECT_EQ(registry.ReadDword(app::kRegControlMode, value, 9), 1) << stored;
        EXPECT_EQ(value, expected) << stored;
    }
}

TEST(Registry, RememberedFoldersMustStillExistAndKeepEveryCharacter) {
    test::TempDir dir;
    CRegistry registry(dir / "config");
    const std::string odd = dir / "a folder\\with\nodd=names";
    ASSERT_TRUE(std::filesystem::create_directory(odd));
    EXPECT_EQ(registry.WriteString(app::kRegCommandLogFilePath, odd), 1);
    std::string text;
    EXPECT_EQ(registry.ReadString(app::kRegCommandLogFilePath, text), 1);
    EXPECT_EQ(text, odd);
    std::filesystem::remove(odd);
    EXPECT_EQ(registry.ReadString(app::kRegCommandLogFilePath, text), 0);
    EXPECT_EQ(text, app::WorkingFolder());
}

TEST(Registry, TheStoreFolderFollowsTheEnvironment) {
    const struct {
        const char *configDir, *xdg, *home, *expected;
    } cases[] = {
        {"/opt/vr", "/x", "/home/u", "/opt/vr"},
        {nullptr, "/x", "/home/u", "/x/vr8200-control"},
        {"", "relative", "/home/u", "/home/u/.config/vr8200-control"},
        {nullptr, nullptr, "/home/u", "/home/u/.config/vr8200-control"},
    };
    for (const auto& c : cases) {
        ScopedEnv config("VR8200_CONFIG_DIR", c.configDir);
        ScopedEnv xdg("XDG_CONFIG_HOME", c.xdg);
        ScopedEnv home("HOME", c.home);
        EXPECT_EQ(CRegistry::DefaultFolder(), c.expected);
    }
}

}  // namespace

// The desktop tool and the command-line tool keep separate shutdown records: a crash of one stays
// visible to its next run whatever the other did meanwhile.
TEST(Registry, EachProgramKeepsItsOwnShutdownRecord) {
    test::TempDir dir;
    { CRegistry gui(dir.Path()); }
    {
        CRegistry gui(dir.Path());  // crashes: never destroyed cleanly below
        std::string text = dir.ReadFile("settings.ini");
        EXPECT_NE(text.find("Previous Application Shutdown Status=0"), std::string::npos);
        { CRegistry cli(dir.Path(), app::kCliShutdownStatusName); }
        text = dir.ReadFile("settings.ini");
        EXPECT_NE(text.find("Previous Application Shutdown Status=0"), std::string::npos) << text;
        EXPECT_NE(text.find(std::string(app::kCliShutdownStatusName) + "=1"), std::string::npos) << text;
        // The crash: the record stays at 0 for the next run to find.
        std::filesystem::copy_file(dir / "settings.ini", dir / "crashed.ini");
    }
    std::filesystem::rename(dir / "crashed.ini", dir / "settings.ini");
    EXPECT_EQ(CRegistry(dir.Path()).WasShutdownClean(), 0);
}

// What a killed write or a damaged file leaves behind never poisons a start: leftovers go, a damaged
// store is set aside whole and the next write starts a fresh one; a store that is no file is left alone
// and never written. (A FIFO in its place is run end to end by test_faults.)
TEST(Registry, LeftoversAndDamagedStoresAreDealtWithAtStart) {
    test::TempDir dir;
    dir.WriteFile(".settings.ini.a1b2c3", "half a store");
    dir.WriteFile(".settings.ini.0f0f0f", "");
    {
        CRegistry registry(dir.Path());
        EXPECT_TRUE(registry.Problem().empty());
    }
    EXPECT_FALSE(std::filesystem::exists(dir / ".settings.ini.a1b2c3"));
    EXPECT_FALSE(std::filesystem::exists(dir / ".settings.ini.0f0f0f"));

    static const char kGarbage[] = "\x00\xff\xfe junk\n=\n[\nControl Mode\n[Other]\nCommunication Mode=2\n";
    const std::pair<const char*, std::string> damaged[] = {
        {"garbage", std::string(kGarbage, sizeof kGarbage - 1)},
        {"a program", std::string("\x7f"
                                  "ELF\x02\x01\x01\0\0\0",
                                  10)},
        {"text without the section", "just some text\nwithout a section\n"},
        {"too large", std::string(200 * 1024, 'x')},
    };
    for (const auto& [what, text] : damaged) {
        SCOPED_TRACE(what);
        dir.WriteFile("settings.ini", text);
        {
            CRegistry registry(dir.Path());
            EXPECT_NE(registry.Problem().find("set aside as"), std::string::npos) << registry.Problem();
            EXPECT_EQ(registry.WasShutdownClean(), 0);
            uint32_t mode = 9;
            EXPECT_EQ(registry.ReadDword(app::kRegCommunicationMode, mode, 0), 0)
                << "values of other sections are not ours";
            EXPECT_EQ(mode, 0u);
            EXPECT_EQ(registry.WriteDword(app::kRegCommunicationMode, 1), 1);
            EXPECT_EQ(registry.ReadDword(app::kRegCommunicationMode, mode, 0), 1);
            EXPECT_EQ(mode, 1u);
            EXPECT_EQ(dir.ReadFile("settings.ini"),
                      "[VR-8200 Control Tool]\nPrevious Application Shutdown Status=0\nCommunication Mode=1\n");
        }
        EXPECT_EQ(dir.ReadFile("settings.ini.bad"), text);
    }

    std::filesystem::remove(dir / "settings.ini");
    std::filesystem::create_directory(dir / "settings.ini");
    CRegistry registry(dir.Path());
    EXPECT_NE(registry.Problem().find("not a regular file"), std::string::npos) << registry.Problem();
    EXPECT_EQ(registry.WasShutdownClean(), 0);
    uint32_t mode = 0;
    EXPECT_EQ(registry.ReadDword(app::kRegCommunicationMode, mode, 0), 0);
    EXPECT_EQ(registry.WriteDword(app::kRegCommunicationMode, 1), 0) << "nothing is written into what is no file";
    EXPECT_TRUE(std::filesystem::is_directory(dir / "settings.ini"));
}
