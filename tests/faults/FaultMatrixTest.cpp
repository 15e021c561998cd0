// The fault matrix: each cell runs one vr8200ctl operation against a virtual camera with one fault
// switched on, over a real pseudo-terminal, and checks that the tool ends within a generous bound
// with the documented exit status and a line on stderr that says what failed. Each cell prints its
// row of the matrix (cell, bound, measured, result) to the test log.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
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

using vr::sim::PtyServer;
using vr::sim::SimOptions;
using vr::test::TempDir;
using Fault = std::function<void(SimOptions&)>;
using Check = std::function<void(const ToolResult&, PtyServer&, const TempDir&)>;

struct Cell {
    const char* name;
    Fault fault;
    // The arguments after --port DEVICE; "{dir}" stands for the cell's own folder.
    std::vector<std::string> args;
    double boundSeconds;
    int exitCode;
    const char* errHas;  // a piece of the stderr text, or "" for none expected
    // Further checks on the result, the camera and the cell's folder.
    Check check = nullptr;
    // Files the cell needs before the run.
    std::function<void(const TempDir&)> prepare = nullptr;
};

std::string Expand(const std::string& arg, const TempDir& dir) {
    const auto at = arg.find("{dir}");
    return at == std::string::npos ? arg : arg.substr(0, at) + dir.Path() + arg.substr(at + 5);
}

// The faults, each switched on alone.
Fault Slow(int ms) {
    return [ms](SimOptions& o) { o.slowMs = ms; };
}
Fault SilentAfter(int lines, int recalibrateMs = 0) {
    return [=](SimOptions& o) {
        o.silentAfter = lines;
        if (recalibrateMs > 0) o.recalibrateMs = recalibrateMs;
    };
}
Fault HangupAfter(int lines, int recalibrateMs = 0) {
    return [=](SimOptions& o) {
        o.hangupAfter = lines;
        if (recalibrateMs > 0) o.recalibrateMs = recalibrateMs;
    };
}
Fault DelayGa(int ms) {
    return [ms](SimOptions& o) { o.delayReplyMs["GA"] = ms; };
}
Fault Ends(vr::sim::ReplyEnd end) {
    return [end](SimOptions& o) { o.replyEnd = end; };
}
const Fault kSilent = [](SimOptions& o) { o.silent = true; };

// What stdout holds: between `fewest` and `most` lines.
Check OutLines(size_t fewest, size_t most) {
    return [=](const ToolResult& r, PtyServer&, const TempDir&) {
        EXPECT_GE(Lines(r.out).size(), fewest) << r.out;
        EXPECT_LE(Lines(r.out).size(), most) << r.out;
    };
}
Check OutIs(const char* text) {
    return [text](const ToolResult& r, PtyServer&, const TempDir&) { EXPECT_EQ(r.out, text); };
}
// The camera's gain as it was: nothing of a bad argument list is sent.
const Check kGainUntouched = [](const ToolResult&, PtyServer& camera, const TempDir&) {
    EXPECT_EQ(camera.Value("GA").value_or(-1), 100) << "a command nobody asked for was run";
};

// A file the tool would replace must hold its old content after a failed run, with no temporary
// file left beside it.
const char* const kOldContent = "old content\n";
std::function<void(const TempDir&)> PrepareOld(const std::string& name) {
    return [name](const TempDir& dir) { dir.WriteFile(name, kOldContent); };
}
Check OldContent(const std::string& name) {
    return [name](const ToolResult&, PtyServer&, const TempDir& dir) {
        EXPECT_EQ(dir.ReadFile(name), kOldContent) << name << " was replaced by a failed run";
        for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
            const std::string file = entry.path().filename().string();
            EXPECT_FALSE(file[0] == '.' && file.find("." + name.substr(name.find('.') + 1) + ".") != std::string::npos)
                << file;
        }
    };
}
void PrepareCam(const TempDir& dir) {
    const auto r = RunTool({"--simulate", "KA", "save", dir / "in.cam"}, dir.Path());
    ASSERT_EQ(r.exitCode, 0) << r.err;
}
void PrepareGamma(const TempDir& dir) {
    const auto r = RunTool({"lut", "curve", dir / "in.csv", "--points", "0,256 64,96 256,0"}, dir.Path());
    ASSERT_EQ(r.exitCode, 0) << r.err;
}

const std::vector<Cell>& Cells() {
    using vr::sim::ReplyEnd;
    // One cell a line, or a few where its checks need them.
    // clang-format off
    static const std::vector<Cell> cells = {
        // Start-up.
        {"connect_slow_5100", Slow(5100), {"connect"}, 40, kRefused, "did not answer EA?",
         [](const ToolResult& r, PtyServer&, const TempDir&) {
             EXPECT_EQ(r.out.find("area="), std::string::npos) << "area printed though EA? went unanswered";
         }},
        {"connect_silent_after_probe", SilentAfter(3), {"connect"}, 15, kRefused, "CBDRT=16"},
        {"connect_hangup_after_probe", HangupAfter(3), {"connect"}, 15, kRefused, "went away during the start-up"},
        {"get_hangup_after_probe", HangupAfter(3), {"get", "GA"}, 15, kRefused, "went away during the start-up"},
        {"connect_silent", kSilent, {"connect"}, 15, kNoLink, "no camera answered"},
        // Reading all settings: what was read is printed; five time-outs in a row end the read; a
        // single late reply loses only its row.
        {"dump_hangup_at_row_30", HangupAfter(30), {"dump"}, 3, kRefused, "went away", OutLines(11, 145)},
        {"dump_silent_after_20", SilentAfter(20), {"dump"}, 40, kRefused, "stopped answering", OutLines(6, 39)},
        {"dump_one_late_reply_row_10", [](SimOptions& o) { o.lateReplyLine = 10; }, {"dump"}, 20, kRefused,
         "1 settings were not answered", OutLines(145, 145)},
        {"dump_answers_in_4800ms", DelayGa(4800), {"dump"}, 20, kOk, "",
         [](const ToolResult& r, PtyServer& camera, const TempDir& dir) {
             OutLines(146, 146)(r, camera, dir);
             EXPECT_NE(r.out.find("GA=100\n"), std::string::npos);
         }},
        {"dump_lf_only", Ends(ReplyEnd::Lf), {"dump"}, 20, kOk, "", OutLines(146, 146)},
        // get.
        {"get_times_out", DelayGa(6000), {"get", "GA"}, 15, kRefused, "no reply to GA? within 5 s"},
        {"get_cr_only", Ends(ReplyEnd::Cr), {"get", "GA"}, 20, kNoLink, "\\x0D"},
        {"get_nul_in_reply", [](SimOptions& o) { o.nulInReplies = true; }, {"get", "GA"}, 20, kNoLink,
         "M\\x00D=VR-8200-KA"},
        {"get_overlong_reply", [](SimOptions& o) { o.overlong = true; }, {"get", "GA"}, 20, kOk, "overflowed",
         [](const ToolResult& r, PtyServer&, const TempDir&) {
             EXPECT_EQ(r.out, "GA=100\n");
             for (const auto& line : Lines(r.err))
                 for (unsigned char c : line) EXPECT_GE(c, 0x20) << "unprintable byte on stderr";
         }},
        // set.
        {"set_hangup_mid_list", HangupAfter(5), {"set", "GA=400", "GAR=500"}, 3, kRefused,
         "went away while waiting for the reply to GAR=500"},
        {"set_injection_refused", nullptr, {"set", "UD=a\r\nGA=1234"}, 10, kUsage, "control character",
         [](const ToolResult& r, PtyServer& camera, const TempDir& dir) {
             kGainUntouched(r, camera, dir);
             EXPECT_EQ(camera.LinesHandled(), 0u) << "nothing of a bad argument list is sent";
         }},
        {"set_out_of_range", nullptr, {"set", "GA=400", "GA=99999"}, 10, kUsage, "GA takes 100 to 3200",
         kGainUntouched},
        {"set_onepush_start_refused", nullptr, {"set", "RS=0"}, 10, kUsage, "onepush"},
        // send.
        {"send_no_reply", kSilent, {"send", "GA?", "--wait", "500"}, 10, kRefused, "no reply to GA? within 500 ms"},
        // The reply that came before the hang-up is printed.
        {"send_hangup", HangupAfter(1), {"send", "GA?", "--wait", "500"}, 10, kRefused, "the other side hung up",
         OutIs("GA=100\n")},
        // Files: a failed run leaves the file it would replace as it was.
        {"save_hangup", HangupAfter(40), {"--yes", "save", "{dir}/out.cam"}, 3, kRefused, "went away",
         OldContent("out.cam"), PrepareOld("out.cam")},
        {"load_hangup", HangupAfter(40), {"load", "{dir}/in.cam"}, 3, kRefused, "went away", nullptr, PrepareCam},
        {"load_silent_after", SilentAfter(40), {"load", "{dir}/in.cam"}, 45, kRefused, "", nullptr, PrepareCam},
        {"lut_write_hangup", HangupAfter(100), {"lut", "write", "{dir}/in.csv"}, 3, kRefused, "went away", nullptr,
         PrepareGamma},
        {"lut_read_hangup", HangupAfter(100), {"--yes", "lut", "read", "{dir}/out.csv"}, 3, kRefused, "went away",
         OldContent("out.csv"), PrepareOld("out.csv")},
        // A polled recalibration whose camera goes away or freezes while it is polled.
        {"onepush_poll_hangup", HangupAfter(8, 60000), {"onepush", "pixel-gain"}, 10, kRefused,
         "went away while waiting for PGS"},
        {"onepush_poll_silent", SilentAfter(8, 60000), {"onepush", "pixel-gain"}, 60, kRefused, ""},
    };
    // clang-format on
    return cells;
}

class FaultMatrix : public ::testing::TestWithParam<size_t> {};

TEST_P(FaultMatrix, EndsInTimeWithItsExitStatusAndMessage) {
    const Cell& cell = Cells()[GetParam()];
    TempDir dir;
    if (cell.prepare) cell.prepare(dir);
    SimOptions options;
    if (cell.fault) cell.fault(options);
    PtyServer camera;
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
