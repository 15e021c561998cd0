// vr8200ctl --cameras against eight virtual cameras on eight pseudo-terminals, paced at the wire's
// speed, each with its own state file: camera ID and seeded differences. One is silent, one refuses
// gain, one hangs up mid-way; every row of the report must be right and the others must finish.

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <nlohmann/json.hpp>

#include "RunTool.h"
#include "journal/History.h"
#include "platform/FileIo.h"
#include "sim/VirtualCamera.h"

namespace vr {
namespace {

using test::Strings;
using Json = nlohmann::json;

// The camera's memory as a state file: its ID, and `sets` stored in user area 1, which it boots from.
std::string SeededState(const std::string& cameraId, const Strings& sets) {
    sim::VirtualCamera::TimePoint now{};
    sim::VirtualCamera camera(sim::SimOptions(), [&now] { return now; });
    const auto answer = [&](const std::string& line) {
        const Strings answers = camera.HandleLine(line);
        now += std::chrono::seconds(1);
        const Strings later = camera.Poll();
        return !later.empty() ? later.back() : answers.empty() ? std::string() : answers.back();
    };
    for (const std::string& line : Strings{"ULCK=6182057", "ID00=" + cameraId})
        EXPECT_EQ(answer(line), "COMPLETE") << line;
    for (const std::string& line : sets) EXPECT_EQ(answer(line), "COMPLETE") << line;
    EXPECT_EQ(answer("SA=1"), "COMPLETE");
    EXPECT_EQ(answer("BAS00=1"), "COMPLETE");
    return camera.SaveState();
}

struct Position {
    std::string name;
    Strings seeds;
    std::function<void(sim::SimOptions&)> fault;
};

// p5 silent, p6 refuses every gain, p7 hangs up after `hangUpAfter` lines.
class EightCameras : public ::testing::Test {
protected:
    void Start(int hangUpAfter, int slowMs = 0) {
        const std::vector<Position> positions = {
            {"p0", {}, nullptr},
            {"p1", {"GA=500"}, nullptr},
            {"p2", {"GAR=300"}, nullptr},  // a calibration result
            {"p3", {}, nullptr},
            {"p4", {"TM=1", "BL=20"}, nullptr},
            {"p5", {}, [](sim::SimOptions& o) { o.silent = true; }},
            {"p6", {}, [](sim::SimOptions& o) { o.refuse = {"GA"}; }},
            {"p7", {}, [hangUpAfter](sim::SimOptions& o) { o.hangupAfter = hangUpAfter; }},
        };
        for (size_t i = 0; i < positions.size(); ++i) {
            const Position& p = positions[i];
            dir.WriteFile(p.name + ".state", SeededState("CAM000000" + std::to_string(i), p.seeds));
            cameras.push_back(test::StartCamera([&](sim::SimOptions& o) {
                o.pace = true;
                o.stateFile = dir / (p.name + ".state");
                o.areaMs = 20;
                o.slowMs = slowMs;
                if (p.fault) p.fault(o);
            }));
            entries_.push_back("[[camera]]\nname = \"" + p.name + "\"\nport = \"" + cameras.back()->DevicePath() +
                               "\"\ncamera_id = \"" +
                               (p.name == "p3" ? std::string("WRONG") : "CAM000000" + std::to_string(i)) + "\"\n\n");
        }
        WriteInventory(entries_.size());
    }

    // The first `count` positions: a camera that hung up is left out of later runs, since its
    // pseudo-terminal's number may already belong to another test's camera.
    void WriteInventory(size_t count) {
        std::string inventory;
        for (size_t i = 0; i < count; ++i) inventory += entries_[i];
        dir.WriteFile("line.toml", inventory);
        written_ = count;
    }

    // The tool's JSON report, the rows by position.
    std::map<std::string, Json> Run(const Strings& args, int exitCode, test::ToolResult* result = nullptr) {
        Strings all = {"--cameras", dir / "line.toml", "--json"};
        all.insert(all.end(), args.begin(), args.end());
        const test::ToolResult r = test::RunTool(all, config.Path(), exitCode);
        if (result) *result = r;
        std::map<std::string, Json> rows;
        const Json document = Json::parse(r.out, nullptr, false);
        EXPECT_FALSE(document.is_discarded()) << r.out;
        if (document.is_discarded()) return rows;
        for (const Json& row : document["cameras"]) rows[row["name"]] = row;
        EXPECT_EQ(rows.size(), written_);
        return rows;
    }

    std::optional<int32_t> Value(size_t camera, const char* name) { return cameras[camera]->Value(name); }

    test::TempDir dir, config;
    std::vector<std::string> entries_;
    size_t written_ = 0;
    std::vector<std::unique_ptr<sim::PtyServer>> cameras;
};

Json Difference(const std::string& name, const std::string& file, const std::string& camera) {
    return {{"name", name}, {"file", file}, {"camera", camera}};
}

// A snapshot of every camera, then a check of every camera against p0's snapshot: the seeded
// differences and nothing else, calibration only when asked for; the faulty ones say what they did.
TEST_F(EightCameras, SnapshotAndCheckReportEveryRowAndTheOthersFinish) {
    Start(40);  // in the middle of reading every setting
    test::TempDir snapshots;
    auto rows = Run({"snapshot", snapshots.Path()}, 3);
    for (const char* ok : {"p0", "p1", "p2", "p3", "p4", "p6"}) {
        SCOPED_TRACE(ok);
        EXPECT_EQ(rows[ok]["status"], rows[ok]["name"] == "p3" ? 1 : 0) << rows[ok].dump();
        EXPECT_TRUE(platform::FileExists(snapshots / (std::string(ok) + ".cam")));
    }
    EXPECT_EQ(rows["p3"]["result"], "camera ID CAM0000003, expected WRONG");
    EXPECT_TRUE(rows["p3"]["id_mismatch"]);
    EXPECT_EQ(rows["p5"]["status"], 3);
    EXPECT_EQ(rows["p5"]["result"], "no camera answered");
    EXPECT_EQ(rows["p7"]["status"], 1);
    EXPECT_EQ(rows["p7"]["result"], "the line went away while reading settings");
    EXPECT_FALSE(platform::FileExists(snapshots / "p5.cam"));
    EXPECT_FALSE(platform::FileExists(snapshots / "p7.cam")) << "half a camera is no snapshot";
    EXPECT_NE(snapshots.ReadFile("p1.cam").find("GA=500\r\n"), std::string::npos);

    WriteInventory(7);  // p7 has hung up for good
    rows = Run({"check", snapshots / "p0.cam"}, 3);
    EXPECT_EQ(rows["p0"]["result"], "matches golden");
    EXPECT_EQ(rows["p1"]["differences"], Json::array({Difference("GA", "100", "500")}));
    EXPECT_EQ(rows["p2"]["result"], "matches golden") << "a calibration result is no difference by default";
    EXPECT_EQ(rows["p4"]["differences"], Json::array({Difference("TM", "0", "1"), Difference("BL", "0", "20")}));
    EXPECT_EQ(rows["p4"]["status"], 1);
    EXPECT_EQ(rows["p6"]["result"], "matches golden");

    rows = Run({"check", snapshots / "p0.cam", "--only", "calibration"}, 3);
    EXPECT_EQ(rows["p2"]["differences"], Json::array({Difference("GAR", "100", "300")}));
    EXPECT_EQ(rows["p1"]["result"], "matches golden");
}

// A recipe goes to every camera but leaves identity, calibration and the groups left out alone; a
// camera with another ID is left untouched unless forced; refusals and a hang-up are that row's.
TEST_F(EightCameras, ApplyWithGroupsLeavesIdentityCalibrationAndStrangersAlone) {
    Start(6);  // the start-up and the ID, then two lines of the recipe
    dir.WriteFile("recipe.cam", "MD00=VR-8200-KB\r\nGA=321\r\nTA=1\r\nGAR=111\r\nBL=7\r\n");
    test::ToolResult text;
    auto rows = Run({"apply", dir / "recipe.cam", "--except", "trigger"}, 3, &text);
    for (const size_t i : {0u, 1u, 2u, 4u}) {
        SCOPED_TRACE(i);
        EXPECT_EQ(rows["p" + std::to_string(i)]["status"], 0);
        EXPECT_EQ(Value(i, "GA"), 321);
        EXPECT_EQ(Value(i, "BL"), 7);
        EXPECT_NE(Value(i, "TA"), 1) << "trigger was left out";
        EXPECT_NE(Value(i, "GAR"), 111) << "calibration is left alone by default";
        EXPECT_EQ(cameras[i]->ModelName(), "VR-8200-KA") << "identity is left alone by default";
    }
    EXPECT_EQ(rows["p3"]["result"], "camera ID CAM0000003, expected WRONG; nothing was sent (--force sends anyway)");
    EXPECT_EQ(Value(3, "GA"), 100);
    EXPECT_EQ(rows["p5"]["status"], 3);
    EXPECT_EQ(rows["p6"]["status"], 1);
    EXPECT_EQ(rows["p6"]["refused"], Json::array({"line 2: GA=321 (ERROR: Refused)"}));
    EXPECT_EQ(Value(6, "BL"), 7) << "loading goes on after a refused line";
    EXPECT_EQ(rows["p7"]["status"], 1);
    // When the hang-up is seen, the next line may be out already: after one line or two.
    EXPECT_EQ(rows["p7"]["result"].get<std::string>().rfind("the line went away after ", 0), 0u) << rows["p7"];
    // Each camera's changes are in the journal under its own link.
    journal::History history;
    std::string error;
    ASSERT_TRUE(history.Open(config / "journal.sqlite", error)) << error;
    std::map<std::string, std::string> gainSetOn, refusedOn;
    for (const journal::Entry& e : history.List({})) {
        if (e.kind == "set" && e.name == "GA") gainSetOn[e.camera.link] = e.newValue.value_or("");
        if (e.kind == "refused") refusedOn[e.camera.link] = e.newValue.value_or("");
    }
    for (const size_t i : {0u, 1u, 2u, 4u}) EXPECT_EQ(gainSetOn[cameras[i]->DevicePath()], "321") << i;
    for (const size_t i : {3u, 5u, 6u}) EXPECT_EQ(gainSetOn.count(cameras[i]->DevicePath()), 0u) << i;
    EXPECT_EQ(refusedOn[cameras[6]->DevicePath()], "GA=321");

    WriteInventory(7);  // p7 has hung up for good
    rows = Run({"apply", dir / "recipe.cam", "--only", "trigger", "--force"}, 3);
    EXPECT_EQ(rows["p3"]["status"], 0) << rows["p3"].dump();
    EXPECT_TRUE(rows["p3"]["id_mismatch"]);
    EXPECT_EQ(Value(3, "TA"), 1);
    EXPECT_EQ(Value(3, "GA"), 100);
}

// Ctrl-C stops every camera between two commands; each row says where it stood.
TEST_F(EightCameras, CtrlCStopsEveryCameraAndSaysWhereEachStood) {
    Start(0, 30);  // a read of several seconds, so the stop lands in it however busy the machine is
    const test::ToolResult r = test::RunToolSignalled(
        {"--cameras", dir / "line.toml", "dump"}, config.Path(),
        [&] { return cameras[0]->LinesHandled() > 30 && cameras[4]->LinesHandled() > 30; }, SIGINT, 130);
    const Strings lines = test::Lines(r.out);
    for (const std::string name : {"p0", "p1", "p2", "p4"}) {
        const auto row = std::find_if(lines.begin(), lines.end(), [&](const auto& l) { return l.rfind(name, 0) == 0; });
        ASSERT_NE(row, lines.end()) << r.out;
        EXPECT_NE(row->find("FAILED: stopped reading settings: Stopped after "), std::string::npos) << *row;
    }
    EXPECT_LT(cameras[0]->LinesHandled(), 100u) << "the read did not go on after the stop";
}

TEST(FleetUsage, MistakesAreFoundBeforeAnyCameraIsOpened) {
    test::TempDir dir;
    dir.WriteFile("bad.toml", "[[camera]]\nname = \"a\"\n");
    dir.WriteFile("ok.toml", "[[camera]]\nname = \"a\"\nport = \"/dev/null-camera\"\n");
    struct Case {
        Strings args;
        int exitCode;
        std::string error;
    };
    const Case cases[] = {
        {{"--cameras", dir / "bad.toml", "connect"},
         4,
         "vr8200ctl: " + dir / "bad.toml" + ": line 1: a camera needs a port, or a link and a port_index"},
        {{"--cameras", dir / "ok.toml", "get", "GA"}, 2, "get does not run on many cameras"},
        {{"--cameras", dir / "ok.toml", "check"}, 2, "position \"a\" has no golden file"},
        {{"--cameras", dir / "ok.toml", "check", dir / "none.cam"}, 4, "none.cam"},
        {{"--cameras", dir / "ok.toml", "apply", dir / "ok.toml", "--only", "gain"}, 2, "no group is named \"gain\""},
        {{"--cameras", dir / "ok.toml", "snapshot", dir / "none"}, 4, "is not a folder"},
        {{"check", dir / "none.cam"}, 2, "give --cameras FILE"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.back());
        const test::ToolResult r = test::RunTool(c.args, dir.Path(), c.exitCode);
        EXPECT_NE(r.err.find(c.error), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty()) << r.out;
    }
}

}  // namespace
}  // namespace vr
