// The atomic writer: where a write through symbolic links lands, what the new file keeps of the one it
// replaces, and what it refuses to replace at all.

#include <gmock/gmock.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "AsNobody.h"
#include "TempDir.h"
#include "platform/FileIo.h"

using namespace vr;
using platform::WriteResult;
namespace fs = std::filesystem;

namespace {

WriteResult Write(const std::string& path, const std::string& text, std::string* errorText = nullptr) {
    std::string error;
    const WriteResult result = platform::WriteFileAtomically(path, text, error);
    if (errorText != nullptr) *errorText = error;
    return result;
}

// The names in a folder, the temporary files of a write included.
std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(WriteFileAtomically, WritesThroughLinksIntoTheFileTheyLeadTo) {
    test::TempDir dir;
    fs::create_directory(dir / "data");
    dir.WriteFile("data/golden.cam", "old");
    fs::create_symlink("data/golden.cam", dir / "link.cam");  // relative to the link's folder
    fs::create_symlink(dir / "link.cam", dir / "chain.cam");  // a link to a link
    ASSERT_EQ(Write(dir / "chain.cam", "new"), WriteResult::Written);
    EXPECT_EQ(dir.ReadFile("data/golden.cam"), "new");
    EXPECT_TRUE(fs::is_symlink(dir / "chain.cam") && fs::is_symlink(dir / "link.cam")) << "the links stay links";

    // A link to a file not there yet makes that file.
    fs::create_symlink("data/fresh.csv", dir / "fresh.csv");
    ASSERT_EQ(Write(dir / "fresh.csv", "x"), WriteResult::Written);
    EXPECT_TRUE(fs::is_symlink(dir / "fresh.csv"));
    EXPECT_EQ(dir.ReadFile("data/fresh.csv"), "x");
    // The temporary files lived beside the targets and are gone.
    EXPECT_EQ(Names(dir.Path()), (std::vector<std::string>{"chain.cam", "data", "fresh.csv", "link.cam"}));
    EXPECT_EQ(Names(dir / "data"), (std::vector<std::string>{"fresh.csv", "golden.cam"}));
}

TEST(WriteFileAtomically, TheNewFileKeepsTheModeOwnerAndGroupOfTheOldOne) {
    test::TempDir dir;
    const std::string path = dir / "a.cam";
    dir.WriteFile("a.cam", "old");
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    ASSERT_EQ(Write(path, "new"), WriteResult::Written);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    if (::geteuid() != 0) GTEST_SKIP() << "giving a file to another owner needs root";
    ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
    ASSERT_EQ(Write(path, "newer"), WriteResult::Written);
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 65534u);
    EXPECT_EQ(st.st_gid, 65534u);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(dir.ReadFile("a.cam"), "newer");
}

TEST(WriteFileAtomically, LeavesAloneWhatIsNoRegularFileOrIsReadOnly) {
    test::TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    fs::create_symlink("fifo", dir / "to-fifo");
    fs::create_directory(dir / "folder");
    fs::create_symlink("loop-b", dir / "loop-a");
    fs::create_symlink("loop-a", dir / "loop-b");
    const std::pair<const char*, const char*> refused[] = {
        {"fifo", "not a regular file"},
        {"to-fifo", "not a regular file"},
        {"folder", "not a regular file"},
        {"loop-a", "Too many levels of symbolic links"},
    };
    for (const auto& [name, why] : refused) {
        std::string error;
        EXPECT_EQ(Write(dir / name, "x", &error), WriteResult::Refused) << name;
        EXPECT_THAT(error, ::testing::HasSubstr(why)) << name;
    }
    EXPECT_TRUE(fs::is_fifo(dir / "fifo") && fs::is_symlink(dir / "to-fifo") && fs::is_directory(dir / "folder"));

    // A file the operator made read-only, in a folder anybody may write.
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0777), 0);
    dir.WriteFile("kept.csv", "keep me");
    ASSERT_EQ(::chmod((dir / "kept.csv").c_str(), 0444), 0);
    EXPECT_TRUE(test::AsNobody([&] {
        std::string error;
        return Write(dir / "kept.csv", "x", &error) == WriteResult::Refused && error == "Permission denied";
    }));
    EXPECT_EQ(dir.ReadFile("kept.csv"), "keep me");

    // Another user's link in a shared folder such as /tmp, to a file not there yet, is not followed.
    if (::geteuid() != 0) return;
    fs::create_directory(dir / "shared");
    ASSERT_EQ(::chmod((dir / "shared").c_str(), 01777), 0);
    fs::create_symlink(dir / "planted", dir / "shared/out.cam");
    ASSERT_EQ(::lchown((dir / "shared/out.cam").c_str(), 65534, 65534), 0);
    std::string error;
    EXPECT_EQ(Write(dir / "shared/out.cam", "x", &error), WriteResult::Refused);
    EXPECT_EQ(error, "a link another user owns in a shared folder");
    EXPECT_FALSE(fs::exists(dir / "planted"));
}

}  // namespace

namespace {

// Paths the fake system saw asked about, and the answer it gave to each.
std::vector<std::string> gAsked;

int FakeStat(const char* path, struct stat* st) {
    gAsked.push_back(std::string("stat ") + path);
    return platform::SysCalls::RealOps().stat(path, st);
}
int FakeLstat(const char* path, struct stat* st) {
    gAsked.push_back(std::string("lstat ") + path);
    return platform::SysCalls::RealOps().lstat(path, st);
}

platform::SysCalls::Ops Watched() {
    platform::SysCalls::Ops ops = platform::SysCalls::RealOps();
    ops.stat = FakeStat;
    ops.lstat = FakeLstat;
    return ops;
}

}  // namespace

// Whether something is at a path: through the system calls it is given, a link followed or not.
TEST(FileExists, AskThroughTheGivenSystemCallsAndTellDanglingLinksApart) {
    test::TempDir dir;
    dir.WriteFile("file", "x");
    fs::create_symlink(dir / "file", dir / "link");
    fs::create_symlink(dir / "gone", dir / "dangling");
    const platform::SysCalls::Ops ops = Watched();
    const platform::SysCalls calls(ops);
    gAsked.clear();
    EXPECT_TRUE(platform::FileExists(dir / "file", calls));
    EXPECT_TRUE(platform::FileExists(dir / "link", calls));
    EXPECT_FALSE(platform::FileExists(dir / "dangling", calls));
    EXPECT_FALSE(platform::FileExists("", calls));
    EXPECT_TRUE(platform::PathExists(dir / "dangling", calls));
    EXPECT_FALSE(platform::PathExists(dir / "missing", calls));
    EXPECT_TRUE(platform::IsFolder(dir.Path(), calls));
    EXPECT_FALSE(platform::IsFolder(dir / "file", calls));
    EXPECT_EQ(gAsked.size(), 7u) << "every question goes through the calls given, none for an empty path";
    EXPECT_EQ(gAsked[3], "lstat " + (dir / "dangling"));
}

namespace {

// A system whose fstat fails and whose reads are interrupted now and then; it counts what it opens
// and closes.
int gOpened = 0;
int gClosed = 0;
bool gFstatFails = false;

platform::SysCalls::Ops Counting() {
    platform::SysCalls::Ops ops = platform::SysCalls::RealOps();
    ops.open = [](const char* path, int flags) {
        const int fd = platform::SysCalls::RealOps().open(path, flags);
        gOpened += fd >= 0 ? 1 : 0;
        return fd;
    };
    ops.close = [](int fd) {
        ++gClosed;
        return platform::SysCalls::RealOps().close(fd);
    };
    ops.fstat = [](int fd, struct stat* st) {
        if (!gFstatFails) return platform::SysCalls::RealOps().fstat(fd, st);
        errno = EIO;
        return -1;
    };
    ops.read = [](int fd, void* buffer, size_t count) -> ssize_t {
        static bool interrupt = false;
        interrupt = !interrupt;
        if (!interrupt) return platform::SysCalls::RealOps().read(fd, buffer, count);
        errno = EINTR;
        return -1;
    };
    return ops;
}

}  // namespace

// Reading a file goes through the calls it is given, and every way out closes what it opened.
TEST(ReadWholeFile, AsksTheGivenSystemCallsAndClosesOnEveryWayOut) {
    test::TempDir dir;
    dir.WriteFile("a.csv", std::string(10000, 'x'));
    const platform::SysCalls::Ops ops = Counting();
    const platform::SysCalls calls(ops);
    gOpened = gClosed = 0;
    std::string text, error;
    ASSERT_TRUE(platform::ReadWholeFile(dir / "a.csv", text, error, 1 << 20, calls)) << error;
    EXPECT_EQ(text.size(), 10000u) << "an interrupted read is made again";
    EXPECT_FALSE(platform::ReadWholeFile(dir / "a.csv", text, error, 100, calls));
    EXPECT_EQ(error, "file too large");
    EXPECT_FALSE(platform::ReadWholeFile(dir.Path(), text, error, 1 << 20, calls));
    EXPECT_EQ(error, "not a regular file");
    gFstatFails = true;
    EXPECT_FALSE(platform::ReadWholeFile(dir / "a.csv", text, error, 1 << 20, calls));
    gFstatFails = false;
    EXPECT_EQ(error, "fstat: Input/output error");
    EXPECT_EQ(gOpened, 4);
    EXPECT_EQ(gClosed, 4);
}
