// kill -9 at random points while a file is written: it is always the old or the new complete content.
// vr8200ctl writes .cam and csv files; forked children write logs and the store, whose next start
// must find it whole and clean up after the killed writes.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>

#include "RunTool.h"
#include "platform/FileIo.h"
#include "platform/Registry.h"

namespace {

// The temporary files of `name` left in the folder, removed after they are counted unless `keep`.
int Leftovers(const std::string& folder, const std::string& name, bool keep = false) {
    int n = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().filename().string().rfind("." + name + ".", 0) != 0) continue;
        ++n;
        if (!keep) std::filesystem::remove(entry.path());
    }
    return n;
}

void KillAndReap(pid_t pid, std::chrono::microseconds after) {
    std::this_thread::sleep_for(after);
    ::kill(pid, SIGKILL);
    vr::test::Reap(pid);
}

// One file written by vr8200ctl, killed at random points spread over the tool's run.
void KillTheTool(const char* kind, const std::string& file, std::vector<std::string> args, int runs) {
    vr::test::TempDir dir;
    for (auto& a : args)
        if (a == "FILE") a = dir / file;
    args.insert(args.begin(), {"--simulate", "KA", "--yes"});

    // The new complete content, and how long a whole run takes.
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(vr::test::RunTool(args, dir.Path(), 0).exitCode, 0);
    const auto whole = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
    const std::string complete = dir.ReadFile(file);
    ASSERT_FALSE(complete.empty());

    std::mt19937 random(20261207);
    std::uniform_int_distribution<int64_t> when(whole.count() / 4, whole.count() * 11 / 10);
    const std::string old = "the old file\n";
    int asOld = 0, asNew = 0, leftovers = 0;
    for (int i = 0; i < runs; ++i) {
        dir.WriteFile(file, old);
        const pid_t pid = vr::test::SpawnTool(args, dir.Path(), "/dev/null", "/dev/null");
        ASSERT_GT(pid, 0);
        KillAndReap(pid, std::chrono::microseconds(when(random)));
        const std::string now = dir.ReadFile(file);
        ASSERT_TRUE(now == old || now == complete)
            << kind << " run " << i << ": a half file of " << now.size() << " bytes";
        (now == old ? asOld : asNew)++;
        leftovers += Leftovers(dir.Path(), file);
    }
    std::printf("| kill -9 %-22s | %3d runs | old %3d | new %3d | temporary files left %d |\n", kind, runs, asOld,
                asNew, leftovers);
}

TEST(KillWhileWriting, SettingsFile) {
    KillTheTool("save (.cam)", "out.cam", {"save", "FILE"}, 40);
}

TEST(KillWhileWriting, GammaFile) {
    KillTheTool("lut read (csv)", "out.csv", {"lut", "read", "FILE"}, 25);
}

// The path every log and table file takes: a child rewrites one file for ever with two 256 KiB contents.
TEST(KillWhileWriting, WriteFileAtomically) {
    vr::test::TempDir dir;
    const std::string path = dir / "traffic.log";
    const std::string a(256 * 1024, 'a'), b(256 * 1024, 'b');
    std::string error;
    ASSERT_EQ(vr::platform::WriteFileAtomically(path, a, error), vr::platform::WriteResult::Written) << error;
    std::mt19937 random(7);
    std::uniform_int_distribution<int> when(0, 3000);
    int leftovers = 0;
    const int runs = 200;
    for (int i = 0; i < runs; ++i) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            for (int n = 0;; ++n) vr::platform::WriteFileAtomically(path, n % 2 ? a : b, error);
        }
        KillAndReap(pid, std::chrono::microseconds(when(random)));
        const std::string now = dir.ReadFile("traffic.log");
        ASSERT_TRUE(now == a || now == b) << "run " << i << ": a half file of " << now.size() << " bytes";
        leftovers += Leftovers(dir.Path(), "traffic.log");
    }
    std::printf("| kill -9 %-22s | %3d runs | old or new every time | temporary files left %d |\n",
                "WriteFileAtomically", runs, leftovers);
}

// The store: the next start finds every value as one of the writes made it, and no temporary file.
TEST(KillWhileWriting, SettingsStore) {
    vr::test::TempDir dir;
    const std::vector<std::string> devices = {"/dev/ttyUSB0", "/dev/serial/by-id/usb-FTDI-port0"};
    ASSERT_EQ(vr::platform::CRegistry(dir.Path()).WriteComPortDevice(devices[0]), 1);
    std::mt19937 random(11);
    std::uniform_int_distribution<int> when(0, 20000);
    int leftoversSeen = 0;
    const int runs = 150;
    for (int i = 0; i < runs; ++i) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            vr::platform::CRegistry store(dir.Path());
            for (int n = 0;; ++n) {
                store.WriteComPortDevice(devices[static_cast<size_t>(n % 2)]);
                store.WriteDword(vr::platform::kRegBaudrate, static_cast<uint32_t>(n % 5));
            }
        }
        KillAndReap(pid, std::chrono::microseconds(when(random)));
        leftoversSeen += Leftovers(dir.Path(), vr::platform::kRegFileName, true);
        vr::platform::CRegistry next(dir.Path());
        std::string device;
        ASSERT_EQ(next.ReadComPortDevice(device), 1) << "run " << i;
        ASSERT_TRUE(device == devices[0] || device == devices[1]) << "run " << i << ": \"" << device << "\"";
        uint32_t rate = 99;
        next.ReadDword(vr::platform::kRegBaudrate, rate, 4);
        ASSERT_LT(rate, 5u) << "run " << i;
        EXPECT_FALSE(std::filesystem::exists(dir / (std::string(vr::platform::kRegFileName) + ".bad")))
            << "run " << i << ": a killed write left a store that was set aside";
        ASSERT_EQ(Leftovers(dir.Path(), vr::platform::kRegFileName, true), 0)
            << "the start did not clean up, run " << i;
    }
    std::printf("| kill -9 %-22s | %3d runs | whole every time | temporary files left by kills %d, all cleaned |\n",
                "settings store", runs, leftoversSeen);
}

}  // namespace
