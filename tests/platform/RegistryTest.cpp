// The settings store: defaults, shutdown records, number and folder values, damaged stores and leftovers.

#include <gmock/gmock.h>
#include <sys/stat.h>

#include <filesystem>
#include <iterator>

#include "AsNobody.h"
#include "TempDir.h"
#include "platform/ControlMode.h"
#include "platform/FileIo.h"
#include "platform/Registry.h"

using namespace vr;
using platform::CRegistry;
using ::testing::HasSubstr;
namespace fs = std::filesystem;

namespace {

// What a read of a slot returns, and the value or text it gives.
std::pair<int, uint32_t> ReadNumber(CRegistry& registry, int slot, uint32_t defaultValue) {
    uint32_t value = 12345;
    const int result = registry.ReadDword(slot, value, defaultValue);
    return {result, value};
}
std::pair<int, std::string> ReadFolder(CRegistry& registry, int slot) {
    std::string text = "unread";
    const int result = registry.ReadString(slot, text);
    return {result, text};
}

TEST(Registry, FirstRunGivesDefaultsCreatesTheStoreAndRecordsShutdowns) {
    test::TempDir dir;
    const std::string folder = dir / "config/vr8200-control";
    {
        CRegistry registry(folder);
        EXPECT_EQ(registry.WasShutdownClean(), 0) << "no store yet: treated like an unclean end";
        for (int slot = 1; slot <= 7; ++slot) EXPECT_EQ(ReadNumber(registry, slot, 7), std::pair(0, 7u)) << slot;
        EXPECT_EQ(ReadFolder(registry, platform::kRegCameraFilePath), std::pair(0, platform::WorkingFolder()));
        EXPECT_EQ(registry.WriteDword(platform::kRegCommunicationMode, 3), 1);
        EXPECT_EQ(ReadNumber(registry, platform::kRegCommunicationMode, 0), std::pair(1, 3u));
        {
            platform::ControlMode control(registry);  // read at its start, saved at its end
            EXPECT_FALSE(control.IsFactory());
            control.Set(platform::ControlMode::kFactory);
        }
        EXPECT_THAT(dir.ReadFile("config/vr8200-control/settings.ini"),
                    HasSubstr("Previous Application Shutdown Status=0\n"));
        using Entries = fs::directory_iterator;
        EXPECT_EQ(std::distance(Entries(folder), Entries()), 1) << "every write renamed its temporary file away";
    }
    {
        CRegistry registry(folder);
        EXPECT_EQ(registry.WasShutdownClean(), 1);
        EXPECT_EQ(ReadNumber(registry, platform::kRegShutdownStatus, 9).second, 0u)
            << "this run is marked running until it ends normally";
        EXPECT_TRUE(platform::ControlMode(registry).IsFactory());
    }
    const std::string text = dir.ReadFile("config/vr8200-control/settings.ini");
    EXPECT_THAT(text, ::testing::StartsWith("[VR-8200 Control Tool]\n"));
    EXPECT_THAT(text, HasSubstr("Communication Mode=3\n"));
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
        EXPECT_EQ(ReadNumber(registry, platform::kRegControlMode, 9), std::pair(1, expected)) << stored;
    }
}

TEST(Registry, RememberedFoldersMustStillExistAndKeepEveryCharacter) {
    test::TempDir dir;
    CRegistry registry(dir / "config");
    const std::string odd = dir / "a folder\\with\nodd=names";
    ASSERT_TRUE(fs::create_directory(odd));
    EXPECT_EQ(registry.WriteString(platform::kRegCommandLogFilePath, odd), 1);
    EXPECT_EQ(ReadFolder(registry, platform::kRegCommandLogFilePath), std::pair(1, odd));
    fs::remove(odd);
    EXPECT_EQ(ReadFolder(registry, platform::kRegCommandLogFilePath), std::pair(0, platform::WorkingFolder()));
}

// Every byte comes back as it was written: the ones the store escapes (backslash, CR, LF, the other
// control bytes) and texts that look like escapes themselves.
TEST(Registry, TextsKeepEveryByteTheStoreEscapes) {
    test::TempDir dir;
    CRegistry registry(dir.Path());
    std::string everyByte;
    for (int b = 0; b < 256; ++b) everyByte += static_cast<char>(b);
    for (const std::string& text : {everyByte, std::string("C:\\new\\x41\\\\n\\"), std::string("\\r\\x0A\\x7f\\")}) {
        ASSERT_EQ(registry.WriteComPortDevice(text), 1);
        std::string back;
        EXPECT_EQ(registry.ReadComPortDevice(back), 1);
        EXPECT_EQ(back, text);
    }
    EXPECT_TRUE(CRegistry(dir.Path()).Problem().empty()) << "the store stays a text file of lines";
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
        test::ScopedEnv config("VR8200_CONFIG_DIR", c.configDir);
        test::ScopedEnv xdg("XDG_CONFIG_HOME", c.xdg);
        test::ScopedEnv home("HOME", c.home);
        EXPECT_EQ(CRegistry::DefaultFolder(), c.expected);
    }
}

// The desktop tool and the command-line tool keep separate shutdown records: a crash of one stays
// visible to its next run whatever the other did meanwhile.
TEST(Registry, EachProgramKeepsItsOwnShutdownRecord) {
    test::TempDir dir;
    { CRegistry gui(dir.Path()); }
    {
        CRegistry gui(dir.Path());  // crashes: never destroyed cleanly below
        EXPECT_THAT(dir.ReadFile("settings.ini"), HasSubstr("Previous Application Shutdown Status=0"));
        { CRegistry cli(dir.Path(), platform::kCliShutdownStatusName); }
        const std::string text = dir.ReadFile("settings.ini");
        EXPECT_THAT(text, HasSubstr("Previous Application Shutdown Status=0"));
        EXPECT_THAT(text, HasSubstr(std::string(platform::kCliShutdownStatusName) + "=1"));
        // The crash: the record stays at 0 for the next run to find.
        fs::copy_file(dir / "settings.ini", dir / "crashed.ini");
    }
    fs::rename(dir / "crashed.ini", dir / "settings.ini");
    EXPECT_EQ(CRegistry(dir.Path()).WasShutdownClean(), 0);
}

// What a killed write or a damaged file leaves never poisons a start: leftovers go, a damaged store is
// set aside whole for a fresh one, one that is no file (a FIFO: test_faults) is left alone, never written.
TEST(Registry, LeftoversAndDamagedStoresAreDealtWithAtStart) {
    test::TempDir dir;
    dir.WriteFile(".settings.ini.a1b2c3", "half a store");
    dir.WriteFile(".settings.ini.0f0f0f", "");
    EXPECT_TRUE(CRegistry(dir.Path()).Problem().empty());
    EXPECT_FALSE(fs::exists(dir / ".settings.ini.a1b2c3"));
    EXPECT_FALSE(fs::exists(dir / ".settings.ini.0f0f0f"));

    static const char kGarbage[] = "\x00\xff\xfe junk\n=\n[\nControl Mode\n[Other]\nCommunication Mode=2\n";
    const std::pair<const char*, std::string> damaged[] = {
        {"garbage", std::string(kGarbage, sizeof kGarbage - 1)},
        {"a program", std::string("\177ELF\2\1\1\0\0\0", 10)},
        {"text without the section", "just some text\nwithout a section\n"},
        {"too large", std::string(200 * 1024, 'x')},
    };
    // Each set aside beside the earlier ones, none over another.
    const char* const bad[] = {"settings.ini.bad", "settings.ini.bad.2", "settings.ini.bad.3", "settings.ini.bad.4"};
    for (size_t i = 0; i < std::size(damaged); ++i) {
        const auto& [what, text] = damaged[i];
        SCOPED_TRACE(what);
        dir.WriteFile("settings.ini", text);
        {
            CRegistry registry(dir.Path());
            EXPECT_THAT(registry.Problem(), HasSubstr("set aside as"));
            EXPECT_EQ(registry.WasShutdownClean(), 0);
            EXPECT_EQ(ReadNumber(registry, platform::kRegCommunicationMode, 0), std::pair(0, 0u))
                << "values of other sections are not ours";
            EXPECT_EQ(registry.WriteDword(platform::kRegCommunicationMode, 1), 1);
            EXPECT_EQ(ReadNumber(registry, platform::kRegCommunicationMode, 0), std::pair(1, 1u));
            EXPECT_EQ(dir.ReadFile("settings.ini"),
                      "[VR-8200 Control Tool]\nPrevious Application Shutdown Status=0\nCommunication Mode=1\n");
        }
        EXPECT_EQ(dir.ReadFile(bad[i]), text);
    }
    EXPECT_EQ(dir.ReadFile("settings.ini.bad"), damaged[0].second) << "the first one is still there";

    fs::remove(dir / "settings.ini");
    fs::create_directory(dir / "settings.ini");
    CRegistry registry(dir.Path());
    EXPECT_THAT(registry.Problem(), HasSubstr("not a regular file"));
    EXPECT_EQ(registry.WasShutdownClean(), 0);
    EXPECT_EQ(ReadNumber(registry, platform::kRegCommunicationMode, 0).first, 0);
    EXPECT_EQ(registry.WriteDword(platform::kRegCommunicationMode, 1), 0) << "nothing is written into what is no file";
    EXPECT_TRUE(fs::is_directory(dir / "settings.ini"));
}

// A store that is a link is read and written through it; one the user may not write, or a folder that
// is no folder, is told about and left as it is.
TEST(Registry, LinkedReadOnlyAndMisplacedStoresAreKeptAsTheyAre) {
    test::TempDir dir;
    fs::create_directory(dir / "dotfiles");
    dir.WriteFile("dotfiles/vr.ini", "[VR-8200 Control Tool]\nControl Mode=1\n");
    fs::create_directory(dir / "config");
    fs::create_symlink("../dotfiles/vr.ini", dir / "config/settings.ini");
    {
        CRegistry registry(dir / "config");
        EXPECT_TRUE(registry.Problem().empty()) << registry.Problem();
        EXPECT_EQ(ReadNumber(registry, platform::kRegControlMode, 0), std::pair(1, 1u));
        EXPECT_EQ(registry.WriteDword(platform::kRegCommunicationMode, 2), 1);
    }
    EXPECT_TRUE(fs::is_symlink(dir / "config/settings.ini"));
    EXPECT_THAT(dir.ReadFile("dotfiles/vr.ini"), HasSubstr("Communication Mode=2\n"));

    // A damaged store behind a link is set aside in its own folder; the link stays for the fresh one.
    dir.WriteFile("dotfiles/vr.ini", "junk");
    {
        CRegistry registry(dir / "config");
        EXPECT_THAT(registry.Problem(), HasSubstr("set aside as " + dir / "dotfiles/vr.ini.bad"));
    }
    EXPECT_EQ(dir.ReadFile("dotfiles/vr.ini.bad"), "junk");
    EXPECT_TRUE(fs::is_symlink(dir / "config/settings.ini"));
    EXPECT_THAT(dir.ReadFile("dotfiles/vr.ini"), HasSubstr("Previous Application Shutdown Status=1"));

    dir.WriteFile("plain", "");
    EXPECT_THAT(CRegistry(dir / "plain").Problem(), HasSubstr(dir / "plain" + " is not a folder"));
    EXPECT_EQ(dir.ReadFile("plain"), "");

    // Read-only: read, never written, and said so.
    const std::string stored = "[VR-8200 Control Tool]\nControl Mode=1\n";
    fs::create_directory(dir / "ro");
    dir.WriteFile("ro/settings.ini", stored);
    ::chmod((dir / "ro").c_str(), 0777);
    ::chmod(dir.Path().c_str(), 0777);
    ::chmod((dir / "ro/settings.ini").c_str(), 0444);
    const auto check = [&] {
        CRegistry registry(dir / "ro");
        uint32_t mode = 0;
        return registry.Problem() ==
                   dir / "ro/settings.ini" + " is read-only; the stored settings are used, but nothing is saved." &&
               registry.ReadDword(platform::kRegControlMode, mode, 0) == 1 && mode == 1 &&
               registry.WriteDword(platform::kRegControlMode, 0) == 0;
    };
    EXPECT_TRUE(test::AsNobody(check));
    EXPECT_EQ(dir.ReadFile("ro/settings.ini"), stored);
}

}  // namespace
