// vr8200ctl's identity commands against the virtual camera over a pseudo-terminal: what they print,
// what they write to the camera, and what they refuse before anything is sent.

#include <gtest/gtest.h>

#include <algorithm>

#include "RunTool.h"
#include "TempDir.h"
#include "sim/PtyServer.h"

using vr::test::Lines;
using vr::test::RunTool;
using Strings = std::vector<std::string>;

namespace {

class IdentityCtlTest : public ::testing::Test {
protected:
    vr::test::TempDir config;

    std::unique_ptr<vr::sim::PtyServer> StartCamera(vr::sim::SimOptions options = {}) {
        auto server = std::make_unique<vr::sim::PtyServer>();
        std::string error;
        EXPECT_TRUE(server->Start(options, &error)) << error;
        return server;
    }
    vr::test::ToolResult Run(vr::sim::PtyServer& camera, Strings args) {
        args.insert(args.begin(), {"--port", camera.DevicePath(), "--trace"});
        return RunTool(args, config.Path());
    }
    // The lines the tool wrote after the start-up's probes, line flush and rate change.
    static Strings SentAfterConnect(const std::string& trace) {
        Strings sent;
        for (const auto& line : Lines(trace)) {
            const auto at = line.find("Tx: ");
            if (at == std::string::npos) continue;
            const std::string text = line.substr(at + 4);
            const bool startUp = text == "MD?" || text == "EA?" || text == "CBDRT=16" ||
                                 text.find_first_not_of('\0') == std::string::npos;
            if (startUp)
                sent.clear();
            else
                sent.push_back(text);
        }
        return sent;
    }
    static bool SentAnything(const std::string& trace) { return trace.find("Tx: ") != std::string::npos; }
};

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
        vr::sim::SimOptions options;
        options.refuseQuery = {c.refused};
        auto camera = StartCamera(options);
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
    EXPECT_NE(r.err.find("VR-8200 Control Tool: Writing the User ID \"\" has been completed."), std::string::npos);

    const struct {
        std::string text;
        const char* message;
    } refused[] = {{std::string(65, 'u'), "VR-8200 Control Tool: User ID string is too long !!"},
                   {"a\r\nGA=100", "VR-8200 Control Tool: The user ID must not contain control characters."}};
    for (const auto& c : refused) {
        r = Run(*camera, {"set-user-id", c.text});
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_FALSE(SentAnything(r.err)) << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
}

TEST_F(IdentityCtlTest, SetCameraIdUnlocksFirstAndOnlyInFactoryMode) {
    auto camera = StartCamera();
    auto r = Run(*camera, {"--factory", "set-camera-id", "CAM0000042"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(SentAfterConnect(r.err), (Strings{"ULCK=6182057", "ID00=CAM0000042"}));
    EXPECT_EQ(camera->QueryValue("ID"), "CAM0000042");

    for (const Strings& refused :
         {Strings{"set-camera-id", "ABC"}, Strings{"--factory", "set-camera-id", ""},
          Strings{"--factory", "set-camera-id", "ABCDEFGHIJK"}, Strings{"--factory", "set-camera-id", "AB\nC"}}) {
        r = Run(*camera, refused);
        EXPECT_EQ(r.exitCode, 2) << refused.back();
        EXPECT_FALSE(SentAnything(r.err)) << r.err;
    }
    EXPECT_EQ(camera->QueryValue("ID"), "CAM0000042");

    vr::sim::SimOptions options;
    options.refuse = {"ULCK"};
    auto locked = StartCamera(options);
    r = Run(*locked, {"--factory", "set-camera-id", "ABC"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(SentAfterConnect(r.err), Strings{"ULCK=6182057"});
    EXPECT_NE(r.err.find("Couldn't save camera id."), std::string::npos) << r.err;
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
          Strings{"--factory", "set-device-version", "1.2.3.4.5"}}) {
        r = Run(*camera, refused);
        EXPECT_EQ(r.exitCode, 2) << refused.back();
        EXPECT_FALSE(SentAnything(r.err)) << r.err;
    }
    EXPECT_EQ(camera->QueryValue("DV"), "2.1.0.7");
}
