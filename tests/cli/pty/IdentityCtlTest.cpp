// vr8200ctl's identity commands against the virtual camera over a pseudo-terminal: what they print
// and what they write to the camera. What they refuse before sending is in CtlTest's usage errors.

#include <gtest/gtest.h>

#include "RunTool.h"

using namespace vr::test;
using IdentityCtlTest = CtlFixture;

TEST_F(IdentityCtlTest, InfoPrintsWhatTheCameraGaveInTheDialogsOrder) {
    Start("KB");
    const auto r = Run({"info"}, 0);
    EXPECT_EQ(Lines(r.out), (Strings{"model=VR-8200-KB", "firmware=3.1.0.2", "fpga=1.0.4.0", "camera_id=2400012345",
                                     "user_id=", "device_version=1.0.0.0"}));
    EXPECT_EQ(SentAfterConnect(r.err), (Strings{"VN?", "ID?", "FPVN?", "UD?", "DV?"}));

    EXPECT_EQ(Run({"--json", "info"}).out,
              "{\"model\":\"VR-8200-KB\",\"firmware\":\"3.1.0.2\",\"fpga\":\"1.0.4.0\",\"camera_id\":"
              "\"2400012345\",\"user_id\":\"\",\"device_version\":\"1.0.0.0\"}\n");
}

TEST_F(IdentityCtlTest, JsonKeepsUtf8TextAndShowsOtherBytes) {
    Start();
    for (const auto& [userId, json] : std::vector<std::pair<std::string, std::string>>{
             {"Linie \xc3\xa9 \xe2\x82\xac", "Linie \\u00e9 \\u20ac"},  // UTF-8 as characters, not byte by byte
             {"a\377b\303", "a\\u00ffb\\u00c3"},                        // no broken UTF-8 reaches the reader
             {"c\302\233d", "c\\u009bd"}}) {                            // a C1 control acts on terminals
        ASSERT_EQ(Run({"set-user-id", userId}).exitCode, 0);
        EXPECT_EQ(Run({"--json", "get", "UD"}).out, "{\"UD\":\"" + json + "\"}\n");
    }
}

TEST_F(IdentityCtlTest, InfoLeavesOutWhatTheCameraDidNotGive) {
    Start("KA", [](auto& o) { o.refuseQuery = {"DV"}; });
    EXPECT_EQ(Lines(Run({"info"}, 0).out),
              (Strings{"model=VR-8200-KA", "firmware=3.1.0.2", "fpga=1.0.4.0", "camera_id=2400012345", "user_id="}));
    Start("KA", [](auto& o) { o.refuseQuery = {"VN"}; });
    EXPECT_TRUE(Lines(Run({"info"}, 1).out).empty());
}

TEST_F(IdentityCtlTest, WritesSendTheirCommandsAfterTheStartUp) {
    Start();
    const auto write = [&](const Strings& args, const Strings& sent, const char* query, const char* value) {
        SCOPED_TRACE(args.back());
        const auto r = Run(args, 0);
        EXPECT_EQ(SentAfterConnect(r.err), sent);
        EXPECT_EQ(camera->QueryValue(query), value);
        return r.err;
    };
    EXPECT_TRUE(Contains(write({"set-user-id", ""}, {"UD="}, "UD", ""),
                         "VR-8200 Control Tool: Writing the User ID \"\" has been completed."));
    write({"--factory", "set-camera-id", "CAM0000042"}, {"ULCK=6182057", "ID00=CAM0000042"}, "ID", "CAM0000042");
    write({"--factory", "set-device-version", "2.1.0.7"}, {"DV00=2.1.0.7"}, "DV", "2.1.0.7");
}

TEST_F(IdentityCtlTest, ARefusedUnlockWritesNoCameraId) {
    Start("KA", [](auto& o) { o.refuse = {"ULCK"}; });
    const auto r = Run({"--factory", "set-camera-id", "ABC"}, 1);
    EXPECT_EQ(SentAfterConnect(r.err), Strings{"ULCK=6182057"});
    EXPECT_TRUE(Contains(r.err, "Couldn't save camera id.")) << r.err;
    EXPECT_EQ(camera->QueryValue("ID"), "2400012345");
}

// The limit counts bytes, as the camera keeps them: 33 characters of two bytes each are one too many.
TEST_F(IdentityCtlTest, TheUserIdLimitCountsBytes) {
    Start();
    std::string text;
    for (int i = 0; i < 33; ++i) text += "\xc3\xa9";
    const auto r = Run({"set-user-id", text}, 2);
    EXPECT_TRUE(Contains(r.err,
                         "VR-8200 Control Tool: User ID string is too long !! At most 64 bytes; a character outside "
                         "ASCII takes two or more.\n"))
        << r.err;
    EXPECT_TRUE(SentAfterConnect(r.err).empty());
    const auto set = Run({"set", "UD=" + text}, 2);
    EXPECT_TRUE(Contains(set.err, "vr8200ctl: UD: User ID string is too long !!")) << set.err;
    EXPECT_EQ(camera->QueryValue("UD"), "");
}
