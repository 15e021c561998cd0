// vr8200ctl onepush and xml-version against the virtual camera over a pseudo-terminal: the lines
// they print, the lines they send, and their exit status.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "RunTool.h"
#include "TempDir.h"
#include "sim/PtyServer.h"

using vr::test::Lines;
using vr::test::RunTool;
using Strings = std::vector<std::string>;

namespace {

class OnePushCtlTest : public ::testing::Test {
protected:
    vr::test::TempDir config;

    std::unique_ptr<vr::sim::PtyServer> StartCamera(const std::string& model,
                                                    const std::function<void(vr::sim::SimOptions&)>& set = {}) {
        auto server = std::make_unique<vr::sim::PtyServer>();
        vr::sim::SimOptions options;
        options.model = model;
        options.awbMs = options.agcMs = options.shadingMs = 20;
        options.recalibrateMs = 0;
        if (set) set(options);
        std::string error;
        EXPECT_TRUE(server->Start(options, &error)) << error;
        return server;
    }

    vr::test::ToolResult Run(const vr::sim::PtyServer& camera, Strings args) {
        args.insert(args.begin(), {"--port", camera.DevicePath()});
        return RunTool(args, config.Path());
    }

    // The lines the tool sent after its start-up had raised the line.
    static Strings SentAfterConnect(const std::string& trace) {
        Strings sent;
        bool raised = false;
        for (const auto& line : Lines(trace)) {
            const auto at = line.find("Tx: ");
            if (at == std::string::npos) continue;
            const std::string text = line.substr(at + 4);
            if (raised) sent.push_back(text);
            raised = raised || text == "CBDRT=16";
        }
        // The raise is confirmed once more at the new rate.
        if (!sent.empty() && sent.front() == "CBDRT=16") sent.erase(sent.begin());
        return sent;
    }
};

}  // namespace

TEST_F(OnePushCtlTest, OnePushPrintsTheResultAndTheReReadValues) {
    auto camera = StartCamera("KA", [](vr::sim::SimOptions& o) { o.busyStatusReads = 1; });
    auto r = Run(*camera, {"--trace", "onepush", "white-balance"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Lines(r.out), (Strings{"White Balance Once: Succeeded", "AWB=0", "GAR=125", "GAB=80", "GA=100"}));
    // The individual gain mode decides between GA and GAG; the tool asks for it first.
    EXPECT_EQ(SentAfterConnect(r.err), (Strings{"GM?", "AWB=2", "AWRS?", "AWB?", "GAR?", "GAB?", "GA?"}));

    r = Run(*camera, {"--json", "onepush", "pixel-gain"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Lines(r.out), (Strings{R"({"title": "Recalibrate Pixel Gain", "text": "Succeeded"})"}));

    r = Run(*camera, {"--factory", "onepush", "factory-pixel-black"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Lines(r.out), (Strings{"Recalibrate Pixel Black (Factory): Succeeded"}));
}

TEST_F(OnePushCtlTest, AnyOtherResultOrAFailedStartExitsWithOne) {
    auto camera = StartCamera("KB", [](vr::sim::SimOptions& o) {
        o.agcResult = 3;
        o.refuse = {"PBR"};
    });
    // Auto Setting's gain auto short of success is not shown in the window; here it is printed.
    auto r = Run(*camera, {"onepush", "auto-setting"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(Lines(r.out), (Strings{"Auto Setting: Control Limit", "GAR=125", "GAB=80", "GAG=100"}));
    r = Run(*camera, {"onepush", "pixel-black"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(Lines(r.out).empty());
    EXPECT_NE(r.err.find("VR-8200 Control Tool: Recalibrate Pixel Black (Tool: PBR Command Timeout)"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("vr8200ctl: the camera answered \"ERROR: Refused\" to PBR=0"), std::string::npos) << r.err;
    r = Run(*camera, {"onepush", "exposure-white-balance"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("the VR-8200-KB has no exposure white balance"), std::string::npos) << r.err;
    EXPECT_EQ(camera->Value("AWB"), 0);
}

TEST_F(OnePushCtlTest, UsageErrorsTouchNoCamera) {
    auto camera = StartCamera("KA");
    for (const Strings& args :
         {Strings{"onepush", "factory-pixel-gain"}, Strings{"onepush", "white"}, Strings{"onepush"},
          Strings{"xml-version", "1000"}, Strings{"xml-version", "-1"}, Strings{"xml-version", "12x"}}) {
        const auto r = Run(*camera, args);
        EXPECT_EQ(r.exitCode, 2) << args.back() << ": " << r.err;
        EXPECT_TRUE(r.out.empty());
    }
    EXPECT_EQ(camera->LinesHandled(), 0u);
}

TEST_F(OnePushCtlTest, XmlVersionWritesAndReads) {
    auto camera = StartCamera("KA");
    auto r = Run(*camera, {"xml-version", "42"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(camera->Value("XMLVR"), 42);
    EXPECT_NE(r.err.find("Writing the XML Version has been completed."), std::string::npos);
    r = Run(*camera, {"xml-version"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Lines(r.out), (Strings{"XMLVR=42"}));
    r = Run(*camera, {"--json", "xml-version"});
    EXPECT_EQ(Lines(r.out), (Strings{R"({"XMLVR": 42})"}));
}
