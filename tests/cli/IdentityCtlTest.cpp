// vr8200ctl's identity commands against the virtual camera over a pseudo-terminal: what they print,
// what they write to the camera, and what they refuse before anything is sent.

#include <gtest/gtest.h>

#include "RunTool.h"
#include "TempDir.h"

using namespace vr::test;
using Strings = std::vector<std::string>;

namespace {

class IdentityCtlTest : public ::testing::Test {
protected:
    TempDir config;

    ToolResult Run(vr::sim::PtyServer& camera, Strings args) {
        args.insert(args.begin(), {"--port", camera.DevicePath(), "--trace"});
        return RunTool(args, config.Path());
    }
    // Refused before the camera was asked anything.
    void ExpectRefusedUnsent(vr::sim::PtyServer& camera, const Strings& args, const std::string& message = {}) {
        const auto r = Run(camera, args);
        EXPECT_EQ(r.exitCode, 2) << args.back();
        EXPECT_FALSE(Contains(r.err, "Tx: ")) << r.err;
        EXPECT_TRUE(Contains(r.err, message)) << r.err;
    }
};

vr::sim::SimOptions Refusing(const char* mnemonic, bool queries = false) {
    vr::sim::SimOptions options;
    (queries ? options.refuseQuery : options.refuse) = {mnemonic};
    return options;
}

}  // namespace

TEST_F(IdentityCtlTest, InfoPrintsWhatTheCameraGaveInTheDialogsOrder) {
    vr::sim::SimOptions options;
    options.model = "KB";
    auto camera = StartCamera(options);
    auto r = Run(*camera, {"info"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Lines(r.out), (Strings{"model=VR-8200-KB", "firmware=3.1.0.2", "fpga=1.0.4.0", "camera_id=2400012345",
                                     "user_id=", "device_version=1.0.0.0"}));
    EXPECT_EQ(SentAfterConnect(r.err), (Strings{"VN?", "ID?", "FPVN?", "UD?", "DV?"}));

    r = Run(*camera, {"--json", "info"});
    EXPECT_EQ(r.out,
              "{\"model\": \"VR-8200-KB\", \"firmware\": \"3.1.0.2\", \"fpga\": \"1.0.4.0\", \"camera_id\": "
              "\"2400012345\", \"user_id\": \"\", \"device_version\": \"1.0.0.0\"}\n");
}

TEST_F(IdentityCtlTest, JsonKeepsUtf8TextAndShowsOtherBytes) {
    auto camera = StartCamera();
    const struct {
        std::string userId;
        std::string json;
    } cases[] = {
        {"Linie \xc3\xa9 \xe2\x82\xac", "Linie \xc3\xa9 \xe2\x82\xac"},  // UTF-8 as it is, not byte by byte
        {"a\xff" "b\xc3", "a\\u00ffb\\u00c3"},                             // no broken UTF-8 reaches the reader
        {"c\xc2\x9b" "d", "c\\u009bd"},                                    // a C1 control acts on terminals
    };
    for (const auto& c : cases) {
        ASSERT_EQ(Run(*camera, {"set-user-id", c.userId}).exitCode, 0);
        EXPECT_EQ(Run(*camera, {"--json", "get", "UD"}).out, "{\"UD\": \"" + c.json + "\"}\n");
    }
}

TEST_F(IdentityCtlTest, InfoLeavesOutWhatTheCameraDidNotGive) {
    const struct {
        const char* refused;
        int exitCode;
        Strings out;
    } cases[] = {
        {"DV", 0, {"model=VR-8200-KA", "firmware=3.1.0.2", "fpga=1.0.4.0", "camera_id=2400012345", "user_id="}},
        {"VN", 1, {}},
    };
    for (const auto& c : cases) {
        auto camera = StartCamera(Refusing(c.refused, true));
        const auto r = Run(*camera, {"info"});
        EXPECT_EQ(r.exitCode, c.exitCode) << c.refused << ": " << r.err;
        EXPECT_EQ(Lines(r.out), c.out) << c.refused;
    }
}

TEST_F(IdentityCtlTest, SetUserIdKeepsTheRuleAndSendsNothingItRefuses) {
    auto camera = StartCamera();
    auto r = Run(*camera, {"set-user-id", ""});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(SentAfterConnect(r.err), Strings{"UD="});
    EXPECT_TRUE(Contains(r.err, "VR-8200 Control Tool: Writing the User ID \"\" has been completed."));

    const struct {
        std::string text;
        const char* message;
    } refused[] = {{std::string(65, 'u'), "VR-8200 Control Tool: User ID string is too long !!"},
                   {"a\r\nGA=100", "VR-8200 Control Tool: The user ID must not contain control characters."}};
    for (const auto& c : refused) ExpectRefusedUnsent(*camera, {"set-user-id", c.text}, c.message);
}

TEST_F(IdentityCtlTest, SetCameraIdUnlocksFirstAndOnlyInFactoryMode) {
    auto camera = StartCamera();
    auto r = Run(*camera, {"--factory", "set-camera-id", "CAM0000042"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(SentAfterConnect(r.err), (Strings{"ULCK=6182057", "ID00=CAM0000042"}));
    EXPECT_EQ(camera->QueryValue("ID"), "CAM0000042");

    for (const Strings& refused :
         {Strings{"set-camera-id", "ABC"}, Strings{"--factory", "set-camera-id", ""},
          Strings{"--factory", "set-camera-id", "ABCDEFGHIJK"}, Strings{"--factory", "set-camera-id", "AB\nC"}})
        ExpectRefusedUnsent(*camera, refused);
    EXPECT_EQ(camera->QueryValue("ID"), "CAM0000042");

    auto locked = StartCamera(Refusing("ULCK"));
    r = Run(*locked, {"--factory", "set-camera-id", "ABC"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(SentAfterConnect(r.err), Strings{"ULCK=6182057"});
    EXPECT_TRUE(Contains(r.err, "Couldn't save camera id.")) << r.err;
    EXPECT_EQ(locked->QueryValue("ID"), "2400012345");
}

TEST_F(IdentityCtlTest, SetDeviceVersionTakesFourSingleCharacters) {
    auto camera = StartCamera();
    auto r = Run(*camera, {"--factory", "set-device-version", "2.1.0.7"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(SentAfterConnect(r.err), Strings{"DV00=2.1.0.7"});
    EXPECT_EQ(camera->QueryValue("DV"), "2.1.0.7");

    for (const Strings& refused :
         {Strings{"set-device-version", "1.2.3.4"}, Strings{"--factory", "set-device-version", "1.2.3"},
          Strings{"--factory", "set-device-version", "12.3.4.5"}, Strings{"--factory", "set-device-version", "1.2.3."},
          Strings{"--factory", "set-device-version", "1.2.3.4.5"}})
        ExpectRefusedUnsent(*camera, refused);
    EXPECT_EQ(camera->QueryValue("DV"), "2.1.0.7");
}
