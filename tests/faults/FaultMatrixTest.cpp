// The fault matrix: each cell runs one vr8200ctl operation against a camera with one fault switched
// on, over a pty: the tool ends within a generous bound, with the documented exit status and a line
// on stderr that says what failed. Each cell logs its row (cell, bound, measured, result).

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "RunTool.h"
#include "ScriptedPortServer.h"
#include "sim/SimCli.h"

using namespace vr::test;
using vr::sim::PtyServer;

namespace {

constexpr int kOk = 0, kRefused = 1, kUsage = 2, kNoLink = 3;

// The network link's rows: the camera behind a scripted RFC 2217 server, or no server at all.
enum class Server { None, Gone, Drops, RefusesRaise };

using Check = std::function<void(const ToolResult&, PtyServer&)>;

struct Cell {
    const char* name;
    const char* fault;              // the virtual camera's switches, as sim/README.md names them
    std::vector<std::string> args;  // after --port DEVICE; "{dir}" stands for the cell's own folder
    double boundSeconds;
    int exitCode;
    const char* errHas;  // a piece of the stderr text, or "" for none expected
    Check check = nullptr;
    const char* keeps = nullptr;           // a file the failed run must leave as it was, with no temporary file
    std::vector<std::string> before = {};  // a vr8200ctl run that makes the file the cell reads
    Server server = Server::None;
    std::size_t dropAfterBytes = 0;  // Server::Drops: the data bytes the server passes on before it drops
};

vr::sim::SimOptions Switches(const std::string& switches) {
    vr::sim::SimOptions options;
    CLI::App app;
    vr::sim::AddSimOptions(app, options);
    EXPECT_NO_THROW(app.parse("vr8200-sim " + switches, true)) << switches;
    return options;
}

std::vector<std::string> Expand(std::vector<std::string> args, const TempDir& dir) {
    for (auto& arg : args)
        if (const auto at = arg.find("{dir}"); at != std::string::npos) arg.replace(at, 5, dir.Path());
    return args;
}

// What stdout holds: between `fewest` and `most` lines.
Check OutLines(size_t fewest, size_t most) {
    return [=](const ToolResult& r, PtyServer&) {
        EXPECT_GE(Lines(r.out).size(), fewest) << r.out;
        EXPECT_LE(Lines(r.out).size(), most) << r.out;
    };
}
// The camera's gain as it was: nothing of a bad argument list is sent.
const Check kGainUntouched = [](const ToolResult&, PtyServer& camera) {
    EXPECT_EQ(camera.Value("GA").value_or(-1), 100) << "a command nobody asked for was run";
};

const std::vector<std::string> kMakeCam = {"--simulate", "KA", "save", "{dir}/in.cam"};
const std::vector<std::string> kMakeGamma = {"lut", "curve", "{dir}/in.csv", "--points", "0,256 64,96 256,0"};

const std::vector<Cell>& Cells() {
    // One cell a line, or a few where its checks need them.
    // clang-format off
    static const std::vector<Cell> cells = {
        // The area's answer leaves after its time-out; the model probe before it is answered at once, so
        // the cell never depends on a late probe answer landing inside the rate search.
        {"connect_area_late", "--delay-reply EA:6000", {"connect"}, 20, kRefused, "did not answer EA?",
         [](const ToolResult& r, PtyServer&) {
             EXPECT_EQ(r.out.find("area="), std::string::npos) << "area printed though EA? went unanswered";
         }},
        {"connect_silent_after_probe", "--silent-after 3", {"connect"}, 15, kRefused, "CBDRT=16"},
        {"connect_hangup_after_probe", "--hangup-after 3", {"connect"}, 15, kRefused, "went away during the start-up"},
        {"get_hangup_after_probe", "--hangup-after 3", {"get", "GA"}, 15, kRefused, "went away during the start-up"},
        {"connect_silent", "--silent", {"connect"}, 15, kNoLink, "no camera answered"},
        // A dump prints what was read; five time-outs in a row end it, a single late reply loses its row.
        {"dump_hangup_at_row_30", "--hangup-after 30", {"dump"}, 3, kRefused, "went away", OutLines(11, 145)},
        {"dump_silent_after_20", "--silent-after 20", {"dump"}, 40, kRefused, "stopped answering", OutLines(6, 39)},
        {"dump_one_late_reply_row_10", "--late-reply 10", {"dump"}, 20, kRefused, "1 settings were not answered",
         OutLines(145, 145)},
        {"dump_answers_in_4800ms", "--delay-reply GA:4800", {"dump"}, 20, kOk, "",
         [](const ToolResult& r, PtyServer& camera) {
             OutLines(146, 146)(r, camera);
             EXPECT_NE(r.out.find("GA=100\n"), std::string::npos);
         }},
        {"dump_lf_only", "--reply-end lf", {"dump"}, 20, kOk, "", OutLines(146, 146)},
        {"get_times_out", "--delay-reply GA:6000", {"get", "GA"}, 15, kRefused, "no reply to GA? within 5 s"},
        {"get_cr_only", "--reply-end cr", {"get", "GA"}, 20, kNoLink, "\\x0D"},
        {"get_nul_in_reply", "--nul-in-replies", {"get", "GA"}, 20, kNoLink, "M\\x00D=VR-8200-KA"},
        {"get_overlong_reply", "--overlong", {"get", "GA"}, 20, kOk, "overflowed",
         [](const ToolResult& r, PtyServer&) {
             EXPECT_EQ(r.out, "GA=100\n");
             for (const auto& line : Lines(r.err))
                 for (unsigned char c : line) EXPECT_GE(c, 0x20) << "unprintable byte on stderr";
         }},
        {"set_hangup_mid_list", "--hangup-after 5", {"set", "GA=400", "GAR=500"}, 3, kRefused,
         "went away while waiting for the reply to GAR=500"},
        {"set_injection_refused", "", {"set", "UD=a\r\nGA=1234"}, 10, kUsage, "control character",
         [](const ToolResult& r, PtyServer& camera) {
             kGainUntouched(r, camera);
             EXPECT_EQ(camera.LinesHandled(), 0u) << "nothing of a bad argument list is sent";
         }},
        {"set_out_of_range", "", {"set", "GA=400", "GA=99999"}, 10, kUsage, "GA takes 100 to 3200", kGainUntouched},
        {"set_onepush_start_refused", "", {"set", "RS=0"}, 10, kUsage, "onepush"},
        {"send_no_reply", "--silent", {"send", "GA?", "--wait", "500"}, 10, kRefused, "no reply to GA? within 500 ms"},
        // The reply that came before the hang-up is printed. The port sees the hang-up as a read of
        // nothing or as a hang-up alone, whichever the kernel reports first; both say "hung up".
        {"send_hangup", "--hangup-after 1", {"send", "GA?", "--wait", "500"}, 10, kRefused, "hung up",
         [](const ToolResult& r, PtyServer&) { EXPECT_EQ(r.out, "GA=100\n"); }},
        // Files: a failed run leaves the file it would replace as it was.
        {"save_hangup", "--hangup-after 40", {"--yes", "save", "{dir}/out.cam"}, 3, kRefused, "went away", nullptr,
         "out.cam"},
        {"load_hangup", "--hangup-after 40", {"load", "{dir}/in.cam"}, 3, kRefused, "went away", nullptr, nullptr,
         kMakeCam},
        {"load_silent_after", "--silent-after 40", {"load", "{dir}/in.cam"}, 45, kRefused, "", nullptr, nullptr,
         kMakeCam},
        {"lut_write_hangup", "--hangup-after 100", {"lut", "write", "{dir}/in.csv"}, 3, kRefused, "went away", nullptr,
         nullptr, kMakeGamma},
        {"lut_read_hangup", "--hangup-after 100", {"--yes", "lut", "read", "{dir}/out.csv"}, 3, kRefused, "went away",
         nullptr, "out.csv"},
        // A polled recalibration whose camera goes away or freezes while it is polled (the factory one: the
        // user one first needs its correction mode on).
        {"onepush_poll_hangup", "--hangup-after 8 --recalibrate-ms 60000",
         {"--factory", "onepush", "factory-pixel-gain"}, 10, kRefused, "went away while waiting for PGS00"},
        {"onepush_poll_silent", "--silent-after 8 --recalibrate-ms 60000",
         {"--factory", "onepush", "factory-pixel-gain"}, 60, kRefused, ""},
        // Through a port server: gone before the run, gone in the middle of one, refusing the raise.
        {"net_server_gone_at_connect", "", {"connect"}, 10, kNoLink, "was refused", nullptr, nullptr, {}, Server::Gone},
        {"net_dump_dropped", "", {"dump"}, 10, kRefused, "closed the connection", OutLines(1, 145), nullptr, {},
         Server::Drops, 400},
        {"net_lut_write_dropped", "", {"lut", "write", "{dir}/in.csv"}, 10, kRefused, "closed the connection",
         [](const ToolResult& r, PtyServer& camera) {
             EXPECT_GT(camera.LinesHandled(), 10u);
             EXPECT_LT(camera.LinesHandled(), 1536u) << r.err;
         }, nullptr, kMakeGamma, Server::Drops, 2000},
        {"net_raise_refused", "", {"connect"}, 15, kOk, "",
         [](const ToolResult& r, PtyServer& camera) {
             EXPECT_NE(r.out.find("rate=9600\n"), std::string::npos) << r.out;
             EXPECT_EQ(camera.CameraRate(), 9600u) << "the camera was sent to a rate the server refused";
         }, nullptr, {}, Server::RefusesRaise},
    };
    // clang-format on
    return cells;
}

class FaultMatrix : public ::testing::TestWithParam<size_t> {};

TEST_P(FaultMatrix, EndsInTimeWithItsExitStatusAndMessage) {
    const Cell& cell = Cells()[GetParam()];
    TempDir dir;
    const std::string old = "old content\n";
    if (cell.keeps) dir.WriteFile(cell.keeps, old);
    ASSERT_TRUE(cell.before.empty() || RunTool(Expand(cell.before, dir), dir.Path(), 0).exitCode == 0);
    PtyServer camera;
    std::string error;
    ASSERT_TRUE(camera.Start(Switches(cell.fault), &error)) << error;
    std::vector<std::string> args = Expand(cell.args, dir);
    std::unique_ptr<ScriptedPortServer> server;
    std::string port = camera.DevicePath();
    if (cell.server != Server::None) {
        ScriptedPortServer::Script script;
        script.device = camera.DevicePath();
        script.dropAfterDataBytes = cell.dropAfterBytes;
        if (cell.server == Server::RefusesRaise) script.refusedRates = {115200};
        server = std::make_unique<ScriptedPortServer>(script);
        port = server->Address();
        if (cell.server == Server::Gone) server.reset();
    }
    args.insert(args.begin(), {"--port", port});

    const auto start = std::chrono::steady_clock::now();
    const ToolResult r = RunTool(args, dir.Path(), cell.exitCode);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    EXPECT_LE(seconds, cell.boundSeconds) << cell.name << " took " << seconds << " s";
    EXPECT_NE(r.err.find(cell.errHas), std::string::npos) << "stderr lacks \"" << cell.errHas << "\":\n" << r.err;
    EXPECT_TRUE(cell.exitCode == kOk || !r.err.empty()) << "a failure with nothing on stderr";
    if (cell.check) cell.check(r, camera);
    if (cell.keeps) {
        const std::string name = cell.keeps, ext = name.substr(name.find('.') + 1);
        EXPECT_EQ(dir.ReadFile(name), old) << name << " was replaced by a failed run";
        for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
            const std::string file = entry.path().filename().string();
            EXPECT_FALSE(file[0] == '.' && file.find("." + ext + ".") != std::string::npos) << file;
        }
    }
    std::printf("| %-28s | <= %5.1f s | %6.2f s | exit %d | %s |\n", cell.name, cell.boundSeconds, seconds, r.exitCode,
                HasFailure() ? "FAIL" : "pass");
}

INSTANTIATE_TEST_SUITE_P(Cells, FaultMatrix, ::testing::Range<size_t>(0, Cells().size()),
                         [](const ::testing::TestParamInfo<size_t>& info) {
                             return std::string(Cells()[info.param].name);
                         });

}  // namespace
