// vr8200ctl's settings subcommands against the virtual camera over a pty: their output, their exit
// statuses and what they did to the camera.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "RunTool.h"
#include "TempDir.h"
#include "sim/PtyServer.h"

using vr::test::Lines;
using vr::test::RunTool;
using Strings = std::vector<std::string>;

namespace {

class SettingsCtlTest : public ::testing::Test {
protected:
    vr::test::TempDir config;
    vr::test::TempDir files;
    std::unique_ptr<vr::sim::PtyServer> camera;

    void StartCamera(const std::string& model, vr::sim::SimOptions options = {}) {
        camera = std::make_unique<vr::sim::PtyServer>();
        options.model = model;
        options.areaMs = 10;
        std::string error;
        ASSERT_TRUE(camera->Start(options, &error)) << error;
    }
    // The tool on our camera; after the first run the camera listens at 115200.
    vr::test::ToolResult Run(Strings args) {
        args.insert(args.begin(), {"--port", camera->DevicePath(), "--trace"});
        return RunTool(args, config.Path());
    }
    static Strings Sent(const std::string& trace) {
        Strings sent;
        for (const auto& line : Lines(trace)) {
            const auto at = line.find("Tx: ");
            if (at != std::string::npos) sent.push_back(line.substr(at + 4));
        }
        return sent;
    }
    static size_t Count(const Strings& lines, const std::string& line) {
        return static_cast<size_t>(std::count(lines.begin(), lines.end(), line));
    }
};

TEST_F(SettingsCtlTest, SaveWritesTheFileAndReplacesOneOnlyWithYes) {
    StartCamera("KA");
    const std::string path = files / "golden.cam";
    auto r = Run({"--factory", "save", path});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "file=" + path + "\nlines=177\n");
    std::string text = files.ReadFile("golden.cam");
    EXPECT_EQ(text.rfind("MD00=VR-8200-KA\r\nTM=0\r\n", 0), 0u);
    EXPECT_NE(text.find("\r\nLR=20000\r\n"), std::string::npos) << "the camera's value, not the tool's default";

    // There now: kept without --yes, before anything is sent.
    r = Run({"save", "--shipping", path});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(Sent(r.err).empty());
    EXPECT_EQ(files.ReadFile("golden.cam"), text);

    r = Run({"--yes", "--json", "save", path, "--shipping"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "{\"file\": \"" + path + "\", \"lines\": 145}\n");
    EXPECT_EQ(files.ReadFile("golden.cam").rfind("TM=0\r\n", 0), 0u);

    // A folder that is no folder: 4, with the reason.
    files.WriteFile("plain", "");
    r = Run({"save", files / "plain/x.cam"});
    EXPECT_EQ(r.exitCode, 4);
    EXPECT_NE(
        r.err.find("File Open Error: " + files / "plain/x.cam" + " Couldn't open this file open: Not a directory"),
        std::string::npos)
        << r.err;
}

TEST_F(SettingsCtlTest, LoadTriesEveryLineAndListsTheRefusedOnes) {
    vr::sim::SimOptions options;
    options.refuse = {"GA"};
    StartCamera("KA", options);
    files.WriteFile("in.cam", "WTC=2048\r\nGA=500\r\nBL=4\r\nPE=&H1F40\r\n");
    auto r = Run({"load", files / "in.cam"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("vr8200ctl: line 2 refused: GA=500\n"), std::string::npos) << r.err;
    const Strings sent = Sent(r.err);
    for (const char* line : {"WTC=2048", "GA=500", "BL=4", "PE=8000"}) EXPECT_EQ(Count(sent, line), 1u) << line;
    EXPECT_EQ(Count(sent, "WTC?"), 0u) << "no full read first";
    EXPECT_EQ(camera->Value("WTC"), 2048);
    EXPECT_EQ(camera->Value("BL"), 4);
    EXPECT_TRUE(r.out.empty());

    files.WriteFile("ok.cam", "BL=5\r\n");
    r = Run({"--rate", "115200", "load", files / "ok.cam"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(camera->Value("BL"), 5);

    // A file that is not there: 4 before the camera is asked anything.
    r = Run({"load", files / "missing.cam"});
    EXPECT_EQ(r.exitCode, 4);
    EXPECT_TRUE(Sent(r.err).empty());
}

TEST_F(SettingsCtlTest, DiffPrintsEachDifference) {
    StartCamera("KB");
    const std::string path = files / "golden.cam";
    ASSERT_EQ(Run({"save", path}).exitCode, 0);
    auto r = Run({"--rate", "115200", "diff", path});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(r.out.empty());

    ASSERT_EQ(Run({"--rate", "115200", "set", "GA=400"}).exitCode, 0);
    files.WriteFile("golden.cam", files.ReadFile("golden.cam") + "PER=9000\r\n");
    r = Run({"--rate", "115200", "diff", path});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(Lines(r.out), (Strings{"GA file=100 camera=400", "PER file=9000 camera="}));

    r = Run({"--rate", "115200", "--json", "diff", path});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "{\"file\": \"" + path +
                         "\", \"differences\": [{\"name\": \"GA\", \"caption\": \"Gain and Black / Gain All\", "
                         "\"kind\": \"differs\", \"file\": 100, \"camera\": 400}, {\"name\": \"PER\", \"caption\": "
                         "\"Exposure / Exposure Time R\", \"kind\": \"model-lacks\", \"file\": 9000, \"camera\": "
                         "null}]}\n");
}

TEST_F(SettingsCtlTest, AreasAreStoredLoadedAndReported) {
    StartCamera("KA");
    // The factory area needs factory mode; nothing is sent without it.
    auto r = Run({"store-area", "0"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(Sent(r.err).empty());
    EXPECT_EQ(Run({"store-area", "4"}).exitCode, 2);

    ASSERT_EQ(Run({"set", "GA=300"}).exitCode, 0);
    r = Run({"--rate", "115200", "store-area", "2"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Count(Sent(r.err), "SA=2"), 1u);
    r = Run({"--rate", "115200", "--json", "area"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "{\"area\": 2}\n");

    ASSERT_EQ(Run({"--rate", "115200", "set", "GA=100"}).exitCode, 0);
    r = Run({"--rate", "115200", "load-area", "2"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const Strings out = Lines(r.out);
    EXPECT_EQ(out.size(), 146u);
    EXPECT_EQ(Count(out, "GA=300"), 1u);
    EXPECT_EQ(Lines(Run({"--rate", "115200", "area"}).out), Strings{"area=2"});

    r = Run({"--rate", "115200", "--factory", "store-area", "0"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Count(Sent(r.err), "SA00=0"), 1u);
}

TEST_F(SettingsCtlTest, StoreAllNeedsFactoryAndYesAndFailsOnOneRefusal) {
    vr::sim::SimOptions options;
    options.refuse = {"SA=3"};
    StartCamera("KB", options);
    for (const Strings& args :
         {Strings{"store-all"}, Strings{"--yes", "store-all"}, Strings{"--factory", "store-all"}}) {
        const auto r = Run(args);
        EXPECT_EQ(r.exitCode, 2) << args.front();
        EXPECT_TRUE(Sent(r.err).empty());
    }
    const auto r = Run({"--factory", "--yes", "store-all"});
    EXPECT_EQ(r.exitCode, 1);
    const Strings sent = Sent(r.err);
    for (const char* line : {"SA=1", "SA=2", "SA=3", "SA00=0"}) EXPECT_EQ(Count(sent, line), 1u) << line;
    EXPECT_NE(r.err.find("VR-8200 Control Tool: Couldn't store current setting data!"), std::string::npos) << r.err;
}

TEST_F(SettingsCtlTest, ResetAndWriteModel) {
    vr::sim::SimOptions options;
    options.resetMs = 50;
    StartCamera("KA", options);
    auto r = Run({"write-model", "KB"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(Sent(r.err).empty());

    r = Run({"--factory", "write-model", "KB"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(camera->ModelName(), "VR-8200-KB");
    const Strings sent = Sent(r.err);
    ASSERT_GE(sent.size(), 2u);
    EXPECT_EQ(sent[sent.size() - 2], "MD00=VR-8200-KB");
    EXPECT_EQ(sent.back(), "MD?");

    r = Run({"--rate", "115200", "reset"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Sent(r.err).back(), "CRS00=1");
    EXPECT_EQ(camera->CameraRate(), 9600u);
}

}  // namespace
