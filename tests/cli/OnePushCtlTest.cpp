// vr8200ctl onepush and xml-version against the virtual camera over a pseudo-terminal: the lines
// they print, the lines they send, and their exit status.

#include <gtest/gtest.h>

#include <functional>

#include "RunTool.h"
#include "TempDir.h"

using namespace vr::test;
using Strings = std::vector<std::string>;

namespace {

class OnePushCtlTest : public ::testing::Test {
protected:
    TempDir config;

    // A camera whose one-push functions take 20 ms.
    static std::unique_ptr<vr::sim::PtyServer> Camera(const std::string& model,
                                                      const std::function<void(vr::sim::SimOptions&)>& set = {}) {
        vr::sim::SimOptions options;
        options.model = model;
        options.awbMs = options.agcMs = options.shadingMs = 20;
        options.recalibrateMs = 0;
        if (set) set(options);
        return StartCamera(options);
    }
    ToolResult Run(const vr::sim::PtyServer& camera, Strings args) {
        args.insert(args.begin(), {"--port", camera.DevicePath()});
        return RunTool(args, config.Path());
    }
};

}  // namespace

TEST_F(OnePushCtlTest, OnePushPrintsTheResultAndTheReReadValues) {
    auto camera = Camera("KA", [](vr::sim::SimOptions& o) { o.busyStatusReads = 1; });
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
    auto camera = Camera("KB", [](vr::sim::SimOptions& o) {
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
    EXPECT_TRUE(Contains(r.err, "VR-8200 Control Tool: Recalibrate Pixel Black (Tool: PBR Command Timeout)")) << r.err;
    EXPECT_TRUE(Contains(r.err, "vr8200ctl: the camera answered \"ERROR: Refused\" to PBR=0")) << r.err;
    r = Run(*camera, {"onepush", "exposure-white-balance"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(Contains(r.err, "the VR-8200-KB has no exposure white balance")) << r.err;
    EXPECT_EQ(camera->Value("AWB"), 0);
}

TEST_F(OnePushCtlTest, UsageErrorsTouchNoCamera) {
    auto camera = Camera("KA");
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
    auto camera = Camera("KA");
    auto r = Run(*camera, {"xml-version", "42"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(camera->Value("XMLVR"), 42);
    EXPECT_TRUE(Contains(r.err, "Writing the XML Version has been completed."));
    r = Run(*camera, {"xml-version"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Lines(r.out), (Strings{"XMLVR=42"}));
    r = Run(*camera, {"--json", "xml-version"});
    EXPECT_EQ(Lines(r.out), (Strings{R"({"XMLVR": 42})"}));
}
