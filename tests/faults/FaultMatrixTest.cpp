// The fault matrix: each cell runs one vr8200ctl operation against a virtual camera with one fault
// switched on, over a real pseudo-terminal, and checks that the tool ends within a generous bound
// with the documented exit status and a line on stderr that says what failed. Each cell prints its
// row of the matrix (cell, bound, measured, result) to the test log.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "RunTool.h"
#include "TempDir.h"
#include "sim/PtyServer.h"

using vr::test::Lines;
using vr::test::RunTool;
using vr::test::ToolResult;

namespace {

constexpr int kOk = 0, kRefused = 1, kUsage = 2, kNoLink = 3;

struct Cell {
    const char* name;
    std::function<void(vr::sim::SimOptions&)> fault;
    // The arguments after --port DEVICE; "{dir}" stands for the cell's own folder.
    std::vector<std::string> args;
    double boundSeconds;
    int exitCode;
    const char* errHas;  // a piece of the stderr text, or "" for none expected
    // Further checks on the result, the camera and the cell's folder.
    std::function<void(const ToolResult&, vr::sim::PtyServer&, const vr::test::TempDir&)> check;
    // Files the cell needs before the run.
    std::function<void(const vr::test::TempDir&)> prepare = nullptr;
};

std::string Expand(const std::string& arg, const vr::test::TempDir& dir) {
    const auto at = arg.find("{dir}");
    return at == std::string::npos ? arg : arg.substr(0, at) + dir.Path() + arg.substr(at + 5);
}

size_t CountLines(const std::string& text) {
    return Lines(text).size();
}

// A file the tool may replace: it must hold the old or a complete new content afterwards.
const char* const kOldContent = "old content\n";

void PrepareOld(const vr::test::TempDir& dir, const std::string& name) {
    dir.WriteFile(name, kOldContent);
}

void PrepareCam(const vr::test::TempDir& dir) {
    const auto r = RunTool({"--simulate", "KA", "save", dir / "in.cam"}, dir.Path());
    ASSERT_EQ(r.exitCode, 0) << r.err;
}

void PrepareGamma(const vr::test::TempDir& dir) {
    const auto r = RunTool({"lut", "curve", dir / "in.csv", "--points", "0,256 64,96 256,0"}, dir.Path());
    ASSERT_EQ(r.exitCode, 0) << r.err;
}

void NoLeftovers(const vr::test::TempDir& dir) {
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        const std::string name = entry.path().filename().string();
        EXPECT_FALSE(name.size() > 1 && name[0] == '.' && name.find(".cam.") != std::string::npos) << name;
        EXPECT_FALSE(name.size() > 1 && name[0] == '.' && name.find(".csv.") != std::string::npos) << name;
    }
}

// The old content, or a file that reads as a complete one of its kind.
void OldOrNew(const vr::test::TempDir& dir, const std::string& name) {
    const std::string text = dir.ReadFile(name);
    EXPECT_EQ(text, kOldContent) << name << " was replaced by a failed run";
    NoLeftovers(dir);
}

using vr::sim::SimOptions;

const std::vector<Cell>& Cells() {
    static const std::vector<Cell> cells = {
        // Start-up.
        {"connect_slow_5100",
         [](SimOptions& o) { o.slowMs = 5100; },
         {"connect"},
         40,
         kRefused,
         "did not answer EA?",
         [](const ToolResult& r, vr::sim::PtyServer&, const vr::test::TempDir&) {
             EXPECT_EQ(r.out.find("area="), std::string::npos) << "area printed though EA? went unanswered";
         }},
        {"connect_silent_after_probe",
         [](SimOptions& o) { o.silentAfter = 3; },
         {"connect"},
         15,
         kRefused,
         "CBDRT=16",
         nullptr},
        {"connect_hangup_after_probe",
         [](SimOptions& o) { o.hangupAfter = 3; },
         {"connect"},
         15,
         kRefused,
         "went away during the start-up",
         nullptr},
        {"get_hangup_after_probe",
         [](SimOptions& o) { o.hangupAfter = 3; },
         {"get", "GA"},
         15,
         kRefused,
         "went away during the start-up",
         nullptr},
        {"connect_silent",
         [](SimOptions& o) { o.silent = true; },
         {"connect"},
         15,
         kNoLink,
         "no camera answered",
         nullptr},
        // Reading all settings.
        {"dump_hangup_at_row_30",
         [](SimOptions& o) { o.hangupAfter = 30; },
         {"dump"},
         3,
         kRefused,
         "went away",
         [](const ToolResult& r, vr::sim::PtyServer&, const vr::test::TempDir&) {
             EXPECT_GT(CountLines(r.out), 10u) << "what was read is printed";
             EXPECT_LT(CountLines(r.out), 146u);
         }},
        {"dump_silent_after_20",
         [](SimOptions& o) { o.silentAfter = 20; },
         {"dump"},
         40,
         kRefused,
         "stopped answering",
         [](const ToolResult& r, vr::sim::PtyServer&, const vr::test::TempDir&) {
             EXPECT_GT(CountLines(r.out), 5u);
             EXPECT_LT(CountLines(r.out), 40u) << "five time-outs in a row end the read";
         }},
        {"dump_one_late_reply_row_10",
         [](SimOptions& o) { o.lateReplyLine = 10; },
         {"dump"},
         20,
         kRefused,
         "1 settings were not answered",
         [](const ToolResult& r, vr::sim::PtyServer&, const vr::test::TempDir&) {
             EXPECT_EQ(CountLines(r.out), 145u) << "only the late row is lost";
         }},
        {"dump_answers_in_4800ms",
         [](SimOptions& o) { o.delayReplyMs["GA"] = 4800; },
         {"dump"},
         20,
         kOk,
         "",
         [](const ToolResult& r, vr::sim::PtyServer&, const vr::test::TempDir&) {
             EXPECT_EQ(CountLines(r.out), 146u);
             EXPECT_NE(r.out.find("GA=100\n"), std::string::npos);
         }},
        {"dump_lf_only",
         [](SimOptions& o) { o.replyEnd = vr::sim::ReplyEnd::Lf; },
         {"dump"},
         20,
         kOk,
         "",
         [](const ToolResult& r, vr::sim::PtyServer&, const vr::test::TempDir&) {
             EXPECT_EQ(CountLines(r.out), 146u);
         }},
        // get.
        {"get_times_out",
         [](SimOptions& o) { o.delayReplyMs["GA"] = 6000; },
         {"get", "GA"},
         15,
         kRefused,
         "no reply to GA? within 5 s",
         nullptr},
        {"get_cr_only",
         [](SimOptions& o) { o.replyEnd = vr::sim::ReplyEnd::Cr; },
         {"get", "GA"},
         20,
         kNoLink,
         "\\x0D",
         nullptr},
        {"get_nul_in_reply",
         [](SimOptions& o) { o.nulInReplies = true; },
         {"get", "GA"},
         20,
         kNoLink,
         "M\\x00D=VR-8200-KA",
         nullptr},
        {"get_overlong_reply",
         [](SimOptions& o) { o.overlong = true; },
         {"get", "GA"},
         20,
         kOk,
         "overflowed",
         [](const ToolResult& r, vr::sim::PtyServer&, const vr::test::TempDir&) {
             EXPECT_EQ(r.out, "GA=100\n");
             for (const auto& line : Lines(r.err))
                 for (unsigned char c : line) EXPECT_GE(c, 0x20) << "unprintable byte on stderr";
         }},
        // set.
        {"set_hangup_mid_list",
         [](SimOptions& o) { o.hangupAfter = 5; },
         {"set", "GA=400", "GAR=500"},
         3,
         kRefused,
         "went away while waiting for the reply to GAR=500",
         nullptr},
        {"set_injection_refused",
         nullptr,
         {"set", "UD=a\r\nGA=1234"},
         10,
         kUsage,
         "control character",
         [](const ToolResult&, vr::sim::PtyServer& camera, const vr::test::TempDir&) {
             EXPECT_EQ(camera.Value("GA").value_or(-1), 100) << "a command nobody asked for was run";
             EXPECT_EQ(camera.LinesHandled(), 0u) << "nothing of a bad argument list is sent";
         }},
        {"set_out_of_range",
         nullptr,
         {"set", "GA=400", "GA=99999"},
         10,
         kUsage,
         "GA takes 100 to 3200",
         [](const ToolResult&, vr::sim::PtyServer& camera, const vr::test::TempDir&) {
             EXPECT_EQ(camera.Value("GA").value_or(-1), 100);
         }},
        {"set_onepush_start_refused", nullptr, {"set", "RS=0"}, 10, kUsage, "onepush", nullptr},
        // send.
        {"send_no_reply",
         [](SimOptions& o) { o.silent = true; },
         {"send", "GA?", "--wait", "500"},
         10,
         kRefused,
         "no reply to GA? within 500 ms",
         nullptr},
        {"send_hangup",
         [](SimOptions& o) { o.hangupAfter = 1; },
         {"send", "GA?", "--wait", "500"},
         10,
         kRefused,
         "the other side hung up",
         [](const ToolResult& r, vr::sim::PtyServer&, const vr::test::TempDir&) {
             EXPECT_EQ(r.out, "GA=100\n") << "the reply that came before the hang-up is printed";
         }},
        // Files: a failed run leaves the file it would replace as it was.
        {"save_hangup",
         [](SimOptions& o) { o.hangupAfter = 40; },
         {"--yes", "save", "{dir}/out.cam"},
         3,
         kRefused,
         "went away",
         [](const ToolResult&, vr::sim::PtyServer&, const vr::test::TempDir& dir) { OldOrNew(dir, "out.cam"); },
         [](const vr::test::TempDir& dir) { PrepareOld(dir, "out.cam"); }},
        {"load_hangup",
         [](SimOptions& o) { o.hangupAfter = 40; },
         {"load", "{dir}/in.cam"},
         3,
         kRefused,
         "went away",
         nullptr,
         PrepareCam},
        {"load_silent_after",
         [](SimOptions& o) { o.silentAfter = 40; },
         {"load", "{dir}/in.cam"},
         45,
         kRefused,
         "",
         nullptr,
         PrepareCam},
        {"lut_write_hangup",
         [](SimOptions& o) { o.hangupAfter = 100; },
         {"lut", "write", "{dir}/in.csv"},
         3,
         kRefused,
         "went away",
         nullptr,
         PrepareGamma},
        {"lut_read_hangup",
         [](SimOptions& o) { o.hangupAfter = 100; },
         {"--yes", "lut", "read", "{dir}/out.csv"},
         3,
         kRefused,
         "went away",
         [](const ToolResult&, vr::sim::PtyServer&, const vr::test::TempDir& dir) { OldOrNew(dir, "out.csv"); },
         [](const vr::test::TempDir& dir) { PrepareOld(dir, "out.csv"); }},
        // A polled recalibration whose camera goes away or freezes while it is polled.
        {"onepush_poll_hangup",
         [](SimOptions& o) {
             o.hangupAfter = 8;
             o.recalibrateMs = 60000;
         },
         {"onepush", "pixel-gain"},
         10,
         kRefused,
         "went away while waiting for PGS",
         nullptr},
        {"onepush_poll_silent",
         [](SimOptions& o) {
             o.silentAfter = 8;
             o.recalibrateMs = 60000;
         },
         {"onepush", "pixel-gain"},
         60,
         kRefused,
         "",
         nullptr},
    };
    return cells;
}

class FaultMatrix : public ::testing::TestWithParam<size_t> {};

TEST_P(FaultMatrix, EndsInTimeWithItsExitStatusAndMessage) {
    const Cell& cell = Cells()[GetParam()];
    vr::test::TempDir dir;
    if (cell.prepare) cell.prepare(dir);
    vr::sim::SimOptions options;
    if (cell.fault) cell.fault(options);
    vr::sim::PtyServer camera;
    std::string error;
    ASSERT_TRUE(camera.Start(options, &error)) << error;
    std::vector<std::string> args = {"--port", camera.DevicePath()};
    for (const auto& arg : cell.args) args.push_back(Expand(arg, dir));

    const auto start = std::chrono::steady_clock::now();
    const ToolResult r = RunTool(args, dir.Path());
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    const bool inTime = seconds <= cell.boundSeconds;
    const bool statusOk = r.exitCode == cell.exitCode;
    const bool messageOk = r.err.find(cell.errHas) != std::string::npos;
    EXPECT_TRUE(inTime) << cell.name << " took " << seconds << " s";
    EXPECT_LT(r.exitCode, 128) << "the tool died of signal " << r.exitCode - 128;
    EXPECT_EQ(r.exitCode, cell.exitCode) << r.err;
    EXPECT_TRUE(messageOk) << "stderr lacks \"" << cell.errHas << "\":\n" << r.err;
    if (cell.exitCode != kOk) {
        EXPECT_FALSE(r.err.empty()) << "a failure with nothing on stderr";
    }
    if (cell.check) cell.check(r, camera, dir);
    const bool pass = inTime && statusOk && messageOk && !HasFailure();
    std::printf("| %-28s | <= %5.1f s | %6.2f s | exit %d | %s |\n", cell.name, cell.boundSeconds, seconds, r.exitCode,
                pass ? "pass" : "FAIL");
}

INSTANTIATE_TEST_SUITE_P(Cells, FaultMatrix, ::testing::Range<size_t>(0, Cells().size()),
                         [](const ::testing::TestParamInfo<size_t>& info) {
                             return std::string(Cells()[info.param].name);
                         });

}  // namespace
