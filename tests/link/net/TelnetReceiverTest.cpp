#include <gtest/gtest.h>

#include <string>

#include "link/TelnetReceiver.h"

namespace vr::link {
namespace {

// Data with a doubled IAC, an option command, a port-option reply holding a doubled IAC, a NOP and a
// stray SE, then more data.
using namespace std::string_literals;
const std::string kStream = "AB\xff\xff"s + "C" + "\xff\xfb\x03" + "\xff\xfa\x2c\x65\x00\x01\xff\xff\x00"s +
                            "\xff\xf0" + "\xff\xf1" + "\xff\xf0" + "D\r\n";

void ExpectWhole(const TelnetEvents& events) {
    EXPECT_EQ(events.data, std::string("AB\xff") + "CD\r\n");
    ASSERT_EQ(events.commands.size(), 1u);
    EXPECT_EQ(events.commands[0].verb, 0xfb);
    EXPECT_EQ(events.commands[0].option, 3);
    ASSERT_EQ(events.subnegotiations.size(), 1u);
    EXPECT_EQ(events.subnegotiations[0].option, 44);
    EXPECT_EQ(events.subnegotiations[0].payload, std::string("\x65\x00\x01\xff\x00", 5));
    EXPECT_FALSE(events.subnegotiations[0].truncated);
}

TEST(TelnetReceiverTest, TheStreamMeansTheSameHoweverItIsCutIntoReads) {
    TelnetReceiver whole;
    TelnetEvents events;
    whole.Feed(kStream, events);
    ExpectWhole(events);
    // Every cut in two, and byte by byte.
    for (std::size_t cut = 1; cut < kStream.size(); ++cut) {
        TelnetReceiver receiver;
        TelnetEvents split;
        receiver.Feed(kStream.substr(0, cut), split);
        receiver.Feed(kStream.substr(cut), split);
        SCOPED_TRACE(cut);
        ExpectWhole(split);
    }
    TelnetReceiver receiver;
    TelnetEvents bytes;
    for (const char c : kStream) receiver.Feed(std::string(1, c), bytes);
    ExpectWhole(bytes);
}

TEST(TelnetReceiverTest, BrokenOrEndlessSubnegotiationsCostNoDataAndNoMemory) {
    // A subnegotiation without its SE is dropped, and the command that cut it is still read.
    TelnetReceiver receiver;
    TelnetEvents events;
    receiver.Feed(std::string("\xff\xfa\x2c\x65\x00\xff\xfd\x18xy", 10), events);
    EXPECT_EQ(events.data, "xy");
    EXPECT_TRUE(events.subnegotiations.empty());
    ASSERT_EQ(events.commands.size(), 1u);
    EXPECT_EQ(events.commands[0].option, 0x18);

    // One that never ends keeps a bounded payload and says it was cut.
    TelnetReceiver endless;
    TelnetEvents long_;
    endless.Feed("\xff\xfa\x2c\x64", long_);
    for (int i = 0; i < 100; ++i) endless.Feed(std::string(1000, 'S'), long_);
    endless.Feed("\xff\xf0ok", long_);
    ASSERT_EQ(long_.subnegotiations.size(), 1u);
    EXPECT_EQ(long_.subnegotiations[0].payload.size(), TelnetReceiver::kMaxPayload);
    EXPECT_TRUE(long_.subnegotiations[0].truncated);
    EXPECT_EQ(long_.data, "ok");

    // A reset (a new connection) forgets the half-read command.
    TelnetReceiver reset;
    TelnetEvents after;
    reset.Feed("\xff", after);
    reset.Reset();
    reset.Feed("\xfb", after);
    EXPECT_EQ(after.data, "\xfb");
}

}  // namespace
}  // namespace vr::link
