// vr8200ctl onepush and xml-version against the virtual camera over a pseudo-terminal: the lines
// they print, the lines they send, and their exit status. Polls that lose the camera are the fault
// matrix's; bad arguments are in CtlTest's usage errors.

#include <gtest/gtest.h>

#include "RunTool.h"

using namespace vr::test;
using Strings = std::vector<std::string>;

namespace {

class OnePushCtlTest : public CtlFixture {
protected:
    // A camera whose one-push functions take 20 ms.
    void Start(const std::string& model, vr::sim::SimOptions options = {}) {
        options.awbMs = options.agcMs = options.shadingMs = 20;
        options.recalibrateMs = 0;
        CtlFixture::Start(model, options);
    }
};

}  // namespace

TEST_F(OnePushCtlTest, OnePushPrintsTheResultAndTheReReadValues) {
    vr::sim::SimOptions options;
    options.busyStatusReads = 1;
    Start("KA", options);
    auto r = Run({"onepush", "white-balance"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Lines(r.out), (Strings{"White Balance Once: Succeeded", "AWB=0", "GAR=125", "GAB=80", "GA=100"}));
    // The individual gain mode decides between GA and GAG; the tool asks for it first.
    EXPECT_EQ(SentAfterConnect(r.err), (Strings{"GM?", "AWB=2", "AWRS?", "AWB?", "GAR?", "GAB?", "GA?"}));

    r = Run({"--json", "onepush", "pixel-gain"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Lines(r.out), (Strings{R"({"title": "Recalibrate Pixel Gain", "text": "Succeeded"})"}));

    r = Run({"--factory", "onepush", "factory-pixel-black"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Lines(r.out), (Strings{"Recalibrate Pixel Black (Factory): Succeeded"}));
}

TEST_F(OnePushCtlTest, AnyOtherResultOrAFailedStartExitsWithOne) {
    vr::sim::SimOptions options;
    options.agcResult = 3;
    options.refuse = {"PBR"};
    Start("KB", options);
    // Auto Setting's gain auto short of success is not shown in the window; here it is printed.
    auto r = Run({"onepush", "auto-setting"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(Lines(r.out), (Strings{"Auto Setting: Control Limit", "GAR=125", "GAB=80", "GAG=100"}));
    r = Run({"onepush", "pixel-black"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(Lines(r.out).empty());
    EXPECT_TRUE(Contains(r.err, "VR-8200 Control Tool: Recalibrate Pixel Black (Tool: PBR Command Timeout)")) << r.err;
    EXPECT_TRUE(Contains(r.err, "vr8200ctl: the camera answered \"ERROR: Refused\" to PBR=0")) << r.err;
    r = Run({"onepush", "exposure-white-balance"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(Contains(r.err, "the VR-8200-KB has no exposure white balance")) << r.err;
    EXPECT_EQ(camera->Value("AWB"), 0);
}

TEST_F(OnePushCtlTest, XmlVersionWritesAndReads) {
    Start("KA");
    auto r = Run({"xml-version", "42"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(camera->Value("XMLVR"), 42);
    EXPECT_TRUE(Contains(r.err, "Writing the XML Version has been completed."));
    r = Run({"xml-version"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "XMLVR=42\n");
    EXPECT_EQ(Run({"--json", "xml-version"}).out, "{\"XMLVR\": 42}\n");
}
