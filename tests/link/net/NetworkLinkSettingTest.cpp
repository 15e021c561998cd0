// The network mode of the link object: the address typed as HOST:PORT, remembered across runs like
// a serial device, rate changes on the open connection, the line flush through the server, and a
// dropped connection that the next opening replaces.

#include <gmock/gmock.h>

#include "FakePlatform.h"
#include "ScriptedPortServer.h"
#include "TempDir.h"
#include "link/CommSetting.h"
#include "link/CommSettingLineControl.h"
#include "platform/Registry.h"
#include "protocol/TrafficLog.h"

using namespace vr;
using ::testing::Contains;
using ::testing::HasSubstr;

namespace {

TEST(NetworkLinkSettingTest, TheTypedAddressIsOpenedRetunedFlushedAndRemembered) {
    test::TempDir config;
    test::FakePlatform platform;
    protocol::TrafficLog traffic;
    std::vector<std::string> notes;
    traffic.SetTerminalSink([&notes](const std::string& line) { notes.push_back(line); });
    test::ScriptedPortServer server(test::ScriptedPortServer::Script{});
    const std::string typed = "127.0.0.1:" + std::to_string(server.Port());
    {
        platform::CRegistry registry(config.Path());
        link::CCommSetting comm(registry, platform, traffic, link::SerialPortList());
        comm.SetMode(link::Network);
        EXPECT_EQ(comm.GetPortCount(), 0) << "no address yet";
        EXPECT_EQ(comm.Open(link::Network, 9600, 0), 0);
        EXPECT_TRUE(platform.boxes.empty()) << "a missing address is no failure to tell";

        EXPECT_EQ(comm.AddDevicePath(typed), 0);
        EXPECT_EQ(comm.GetPortCount(), 1);
        EXPECT_EQ(comm.GetPortName(0), "rfc2217://" + typed);
        ASSERT_EQ(comm.Open(link::Network, 9600, 0), 1) << comm.LastLinkError();
        EXPECT_THAT(notes, Contains(HasSubstr("port server: scripted server")));

        // The rate changes through the server on the one connection.
        ASSERT_EQ(comm.OpenBaud(115200), 1);
        EXPECT_EQ(comm.GetBaudRate(), 115200u);
        EXPECT_EQ(server.Snapshot().rate, 115200u);
        EXPECT_EQ(server.Snapshot().connections, 1);

        // The line flush: the server's buffers purged, then the NUL bytes through it, unlisted.
        link::CommSettingLineControl line(comm);
        const std::size_t listed = notes.size();
        line.SendWakeUpBytes(3);
        comm.Write("A\r");
        char reply[8] = {};
        EXPECT_EQ(comm.Read(reply, 6, std::chrono::milliseconds(2000)), 6);
        EXPECT_EQ(std::string(reply, 6), std::string("\0\0\0A\r\n", 6));
        EXPECT_EQ(notes.size(), listed + 1) << "only the written line is listed";
        EXPECT_EQ(server.Snapshot().subnegotiations.back().first, 12) << "purged before the wake-up bytes";
    }
    EXPECT_THAT(config.ReadFile("settings.ini"), HasSubstr("Network Address=rfc2217://" + typed));
    EXPECT_THAT(config.ReadFile("settings.ini"), HasSubstr("Communication Mode=4"));

    platform::CRegistry registry(config.Path());
    link::CCommSetting again(registry, platform, traffic, link::SerialPortList());
    EXPECT_EQ(again.GetMode(), static_cast<uint32_t>(link::Network));
    ASSERT_EQ(again.Reopen(), 1) << again.LastLinkError();
    EXPECT_EQ(server.Snapshot().connections, 2);
}

}  // namespace
