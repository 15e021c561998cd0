#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <string>

#include "FakePlatform.h"
#include "ScriptedPortServer.h"
#include "link/NetworkAddress.h"
#include "link/NetworkLinkDriver.h"
#include "platform/SysCalls.h"

namespace vr::link {
namespace {

using ::testing::HasSubstr;
using Clock = std::chrono::steady_clock;
using Script = test::ScriptedPortServer::Script;
using namespace std::chrono_literals;

// Reads until `wanted` bytes are in or two seconds passed.
std::string ReadSome(NetworkLinkDriver& driver, std::size_t wanted) {
    std::string got;
    char buffer[256];
    const auto end = Clock::now() + 2s;
    while (got.size() < wanted && Clock::now() < end) {
        const int n = driver.Read(buffer, static_cast<int>(wanted - got.size()), 200ms);
        got.append(buffer, static_cast<std::size_t>(n));
        if (driver.Lost()) break;
    }
    return got;
}

std::vector<uint8_t> Commands(const test::ScriptedPortServer::Seen& seen) {
    std::vector<uint8_t> commands;
    for (const auto& [command, value] : seen.subnegotiations) commands.push_back(command);
    return commands;
}

struct Connected {
    explicit Connected(Script script) : server(std::move(script)), driver(platform) {
        driver.SetAddress(server.Address());
    }
    test::FakePlatform platform;
    test::ScriptedPortServer server;
    NetworkLinkDriver driver;
};

TEST(NetworkLinkDriverTest, SetsTheLineUpAndFollowsRateChangesOnOneConnection) {
    Connected c(Script{});
    ASSERT_EQ(c.driver.Open(0, 9600), 1) << c.driver.LastError();
    // The server's confirmation of 9600 came in, so the signature sent before it is in too.
    EXPECT_EQ(c.driver.Signature(), "scripted server");
    auto seen = c.server.Snapshot();
    EXPECT_THAT(seen.commands, ::testing::IsSupersetOf({"WILL 44", "WILL 0", "DO 0", "WILL 3", "DO 3"}));
    // Signature, 8 data bits, no parity, one stop bit, no flow control, then the rate.
    EXPECT_THAT(Commands(seen), ::testing::ElementsAre(0, 2, 3, 4, 5, 1));
    EXPECT_EQ(seen.subnegotiations[1].second, std::string(1, 8));
    EXPECT_EQ(seen.subnegotiations[2].second, std::string(1, 1));
    EXPECT_EQ(seen.subnegotiations[5].second, std::string("\0\0\x25\x80", 4));

    EXPECT_TRUE(c.driver.SupportsRate(115200));
    EXPECT_FALSE(c.driver.SupportsRate(4800));
    ASSERT_EQ(c.driver.ChangeRate(115200), 1);
    seen = c.server.Snapshot();
    EXPECT_EQ(seen.rate, 115200u);
    EXPECT_EQ(seen.connections, 1);
    EXPECT_EQ(c.driver.Rate(), 115200u);

    // A purge asks for both directions.
    c.driver.Purge();
    c.driver.Write("X\r");
    EXPECT_EQ(ReadSome(c.driver, 3), "X\r\n");
    seen = c.server.Snapshot();
    EXPECT_EQ(seen.subnegotiations.back(), std::make_pair(uint8_t{12}, std::string(1, 3)));
    EXPECT_TRUE(c.platform.boxes.empty());
}

TEST(NetworkLinkDriverTest, ARefusedRateIsNeverUsedAndTheLineStaysWhereItWas) {
    Connected c(Script{.refusedRates = {115200}});
    ASSERT_EQ(c.driver.Open(0, 9600), 1) << c.driver.LastError();
    // Asked before the camera would be sent there: the server's answer says no.
    EXPECT_FALSE(c.driver.SupportsRate(115200));
    EXPECT_TRUE(c.driver.SupportsRate(57600));
    EXPECT_EQ(c.server.Snapshot().rate, 9600u);
    EXPECT_EQ(c.driver.Rate(), 9600u);
    // Remembered: not asked again.
    const std::size_t asked = c.server.Snapshot().subnegotiations.size();
    EXPECT_FALSE(c.driver.SupportsRate(115200));
    EXPECT_EQ(c.server.Snapshot().subnegotiations.size(), asked);

    EXPECT_EQ(c.driver.ChangeRate(115200), 0);
    EXPECT_THAT(c.driver.LastError(), HasSubstr("refused 115200 bit/s (it runs the line at 9600)"));
    ASSERT_FALSE(c.platform.boxes.empty());
    EXPECT_FALSE(c.driver.Lost());
    c.driver.Write("Y\r");
    EXPECT_EQ(ReadSome(c.driver, 3), "Y\r\n");
}

TEST(NetworkLinkDriverTest, ASlowServerIsWaitedForWithinABoundAndASilentOneIsNamed) {
    Connected slow(Script{.rateReplyDelay = 400ms, .notifyUnasked = true});
    ASSERT_EQ(slow.driver.Open(0, 19200), 1) << slow.driver.LastError();
    slow.driver.Write("Z\r");
    EXPECT_EQ(ReadSome(slow.driver, 3), "Z\r\n");
    // The unasked DO TERMINAL-TYPE was declined, the notices did not disturb the data. Asked after the
    // echo: the server has read everything sent before "Z" by then.
    EXPECT_THAT(slow.server.Snapshot().commands, ::testing::Contains("WONT 24"));

    Connected silent(Script{.neverConfirmRate = true});
    const auto start = Clock::now();
    EXPECT_EQ(silent.driver.Open(0, 9600), 0);
    EXPECT_LT(Clock::now() - start, 5s);
    EXPECT_THAT(silent.driver.LastError(), HasSubstr("did not confirm 9600 bit/s"));
    EXPECT_FALSE(silent.driver.IsOpen());
    ASSERT_EQ(silent.platform.boxes.size(), 1u);
    EXPECT_THAT(silent.platform.boxes[0].text, HasSubstr(silent.server.Address()));
}

TEST(NetworkLinkDriverTest, SplitRepliesAndIacBytesCarryTheDataUnchangedBothWays) {
    Connected c(Script{.byteBySegment = true, .signature = std::string("ser\xff") + "2net"});
    ASSERT_EQ(c.driver.Open(0, 9600), 1) << c.driver.LastError();
    EXPECT_EQ(c.driver.Signature(), "ser 2net");
    // A 255 in the data goes out doubled and comes back doubled: both ends see it once.
    const std::string data = std::string("\xff\x01\xff\xff", 4) + "A\r";
    c.driver.Write(data);
    EXPECT_EQ(ReadSome(c.driver, data.size() + 1), data + "\n");
    EXPECT_EQ(c.server.Snapshot().data, data);
}

TEST(NetworkLinkDriverTest, ADroppedConnectionIsALostLineAndTheNextOpenConnectsAfresh) {
    Connected c(Script{.dropAfterDataBytes = 5});
    ASSERT_EQ(c.driver.Open(0, 9600), 1) << c.driver.LastError();
    c.driver.Write("AB\r");
    EXPECT_EQ(ReadSome(c.driver, 4), "AB\r\n");
    c.driver.Write("CDEF\r");
    const auto start = Clock::now();
    ReadSome(c.driver, 10);
    EXPECT_LT(Clock::now() - start, 3s);
    EXPECT_TRUE(c.driver.Lost());
    EXPECT_THAT(c.driver.LostReason(), HasSubstr("closed the connection"));
    // What reached the camera end before the drop.
    EXPECT_EQ(c.server.Snapshot().data, "AB\rCD");
    // Writing on a dropped connection neither blocks nor raises a signal.
    c.driver.Write(std::string(100000, 'x'));
    EXPECT_TRUE(c.driver.Lost());

    ASSERT_EQ(c.driver.Open(0, 9600), 1) << c.driver.LastError();
    EXPECT_FALSE(c.driver.Lost());
    EXPECT_EQ(c.server.Snapshot().connections, 2);
}

TEST(NetworkLinkDriverTest, RefusedConnectionsAndServersWithoutThePortOptionAreToldApart) {
    test::FakePlatform platform;
    NetworkLinkDriver driver(platform);
    uint16_t closedPort = 0;
    {
        test::ScriptedPortServer gone(Script{});
        closedPort = gone.Port();
    }
    driver.SetAddress("rfc2217://127.0.0.1:" + std::to_string(closedPort));
    EXPECT_EQ(driver.Open(0, 9600), 0);
    EXPECT_THAT(driver.LastError(), HasSubstr("was refused"));

    driver.SetAddress("rfc2217://127.0.0.1");
    EXPECT_EQ(driver.Open(0, 9600), 0);
    EXPECT_THAT(driver.LastError(), HasSubstr("names no port"));

    test::ScriptedPortServer plain(Script{.neverConfirmRate = true, .refuseComPort = true});
    driver.SetAddress(plain.Address());
    EXPECT_EQ(driver.Open(0, 9600), 0);
    EXPECT_THAT(driver.LastError(), HasSubstr("does not speak RFC 2217"));
    EXPECT_THAT(driver.LastError(), HasSubstr("tcp://127.0.0.1:" + std::to_string(plain.Port())));
    EXPECT_EQ(platform.boxes.size(), 3u);
}

TEST(NetworkLinkDriverTest, ARawBridgeKeepsItsRateAndCarriesBytesAsTheyAre) {
    test::FakePlatform platform;
    test::ScriptedPortServer bridge(Script{});
    NetworkLinkDriver driver(platform);
    driver.SetAddress(bridge.Address("tcp"));
    ASSERT_EQ(driver.Open(0, 9600), 1) << driver.LastError();
    // One rate to search at, none to raise to.
    EXPECT_TRUE(driver.SupportsRate(9600));
    EXPECT_FALSE(driver.SupportsRate(115200));
    EXPECT_EQ(driver.ChangeRate(19200), 1);
    driver.Purge();
    driver.Write("Q\r");
    // Nothing of Telnet goes over a raw bridge.
    ASSERT_EQ(ReadSome(driver, 3), "Q\r\n");
    const auto seen = bridge.Snapshot();
    EXPECT_TRUE(seen.commands.empty());
    EXPECT_TRUE(seen.subnegotiations.empty());
}

// A system that interrupts every other send and receive, and can refuse to keep connections alive.
std::atomic<int> gInterrupted{0};
std::atomic<bool> gRefuseKeepAlive{false};

template <class Call>
ssize_t EveryOtherInterrupted(Call call) {
    static thread_local bool interrupt = false;
    interrupt = !interrupt;
    if (!interrupt) return call();
    ++gInterrupted;
    errno = EINTR;
    return -1;
}

platform::SysCalls::Ops Interrupting() {
    platform::SysCalls::Ops ops = platform::SysCalls::RealOps();
    ops.send = [](int fd, const void* buffer, size_t count, int flags) {
        return EveryOtherInterrupted([&] { return platform::SysCalls::RealOps().send(fd, buffer, count, flags); });
    };
    ops.recv = [](int fd, void* buffer, size_t count, int flags) {
        return EveryOtherInterrupted([&] { return platform::SysCalls::RealOps().recv(fd, buffer, count, flags); });
    };
    ops.setsockopt = [](int fd, int level, int name, const void* value, socklen_t length) {
        if (gRefuseKeepAlive && name == SO_KEEPALIVE) {
            errno = ENOPROTOOPT;
            return -1;
        }
        return platform::SysCalls::RealOps().setsockopt(fd, level, name, value, length);
    };
    return ops;
}

// The connection reaches the system only through the calls it is given: an interrupted call is
// made again, and a failure to set the connection up is told, not ignored.
TEST(NetworkLinkDriverTest, GoesThroughTheSystemCallsItIsGiven) {
    const platform::SysCalls::Ops ops = Interrupting();
    const platform::SysCalls calls(ops);
    test::FakePlatform platform;
    test::ScriptedPortServer server(Script{});
    NetworkLinkDriver driver(platform, NetworkTiming(), calls);
    driver.SetAddress(server.Address());
    gInterrupted = 0;
    ASSERT_EQ(driver.Open(0, 9600), 1) << driver.LastError();
    driver.Write("Q\r");
    EXPECT_EQ(ReadSome(driver, 3), "Q\r\n");
    EXPECT_GT(gInterrupted.load(), 2);
    EXPECT_FALSE(driver.Lost());
    driver.Close();

    gRefuseKeepAlive = true;
    EXPECT_EQ(driver.Open(0, 9600), 0);
    gRefuseKeepAlive = false;
    EXPECT_THAT(driver.LastError(), HasSubstr("cannot set up the connection to 127.0.0.1:"));
    EXPECT_FALSE(driver.IsOpen());
}

TEST(NetworkAddressTest, NamesHostsAndPortsAsWritten) {
    NetworkAddress a;
    std::string why;
    ASSERT_TRUE(NetworkAddress::Parse("rfc2217://cabinet-3.local:2217", a, why)) << why;
    EXPECT_TRUE(a.rfc2217);
    EXPECT_EQ(a.host, "cabinet-3.local");
    EXPECT_EQ(a.port, "2217");
    ASSERT_TRUE(NetworkAddress::Parse("tcp://[::1]:7000/", a, why)) << why;
    EXPECT_FALSE(a.rfc2217);
    EXPECT_EQ(a.host, "::1");
    EXPECT_EQ(a.HostPort(), "[::1]:7000");
    for (const char* bad : {"rfc2217://:2217", "rfc2217://host:0", "rfc2217://host:65536", "tcp://host:22x",
                            "tcp://[::1]2217", "/dev/ttyUSB0"}) {
        EXPECT_FALSE(NetworkAddress::Parse(bad, a, why)) << bad;
        EXPECT_FALSE(why.empty());
    }
    EXPECT_TRUE(NetworkAddress::Names("tcp://x"));
    EXPECT_FALSE(NetworkAddress::Names("/dev/pts/3"));
}

}  // namespace
}  // namespace vr::link
