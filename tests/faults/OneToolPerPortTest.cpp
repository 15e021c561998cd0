// The findings that need more than one run of the tool: a second tool on a port in use, a reply
// left on the line by an earlier run, and a settings store that is not a regular file.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <future>

#include "RunTool.h"

using namespace vr::test;

namespace {

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

TEST(OneToolPerPort, ASecondToolIsToldWhoHoldsThePortAndTheFirstCarriesOn) {
    TempDir dir;
    const auto camera = StartCamera([](auto& o) { o.slowMs = 20; });  // the first tool's dump lasts a few seconds
    auto first = std::async(std::launch::async, [&] {
        return RunTool({"--port", camera->DevicePath(), "dump"}, dir.Path());
    });
    // Wait until the first tool talks to the camera, so it holds the port.
    for (int i = 0; i < 500 && camera->LinesHandled() == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_GT(camera->LinesHandled(), 0u);
    const auto start = std::chrono::steady_clock::now();
    const auto second = RunTool({"--port", camera->DevicePath(), "set", "CBDRT=1"}, dir.Path(), 3);
    EXPECT_LT(SecondsSince(start), 5.0);
    EXPECT_TRUE(Contains(second.err, "is in use by process")) << second.err;
    const auto r = first.get();
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Lines(r.out).size(), 146u) << "the second tool disturbed the first one's dump";
    EXPECT_EQ(camera->CameraRate(), 115200u);
}

TEST(OneToolPerPort, AReplyLeftByAnEarlierRunIsNotTheNextRunsAnswer) {
    TempDir dir;
    const auto camera = StartCamera([](auto& o) { o.delayReplyMs["GA"] = 300; });
    // The first run gives up before the camera answers; its answer arrives after it has gone.
    RunTool({"--port", camera->DevicePath(), "send", "GA?", "--wait", "20"}, dir.Path(), 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    const auto r = RunTool({"--port", camera->DevicePath(), "get", "MD", "TMP0"}, dir.Path(), 0);
    EXPECT_EQ(Lines(r.out).front(), "MD=VR-8200-KA") << r.out;
}

TEST(OneToolPerPort, AStoreThatIsAFifoIsRefusedInsteadOfHanging) {
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "settings.ini").c_str(), 0600), 0);
    const auto start = std::chrono::steady_clock::now();
    const auto r = RunTool({"--simulate", "KA", "get", "GA"}, dir.Path());
    EXPECT_LT(SecondsSince(start), 10.0) << "the start-up hung on the FIFO";
    EXPECT_LT(r.exitCode, 128);
    EXPECT_TRUE(Contains(r.err, "settings.ini")) << r.err;
    struct stat st {};
    ASSERT_EQ(::stat((dir / "settings.ini").c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode)) << "somebody's FIFO was replaced";
}

}  // namespace
