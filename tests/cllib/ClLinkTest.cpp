// The three Camera Link links loading the project's test library through the real loader.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "FakePlatform.h"
#include "TempDir.h"
#include "app/Registry.h"
#include "link/CommSetting.h"
#include "protocol/TrafficLog.h"

using namespace vr;
using namespace std::chrono_literals;
using link::CCommSetting;
using test::ScopedEnv;

namespace {

const std::string kLibDir = VR_CLLIB_DIR;
const std::string kRateRefused = "Selected baud rate is not supported.";

class ClLinkTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(::mkdir((dir_ / "clser").c_str(), 0700), 0); }

    void Link(const std::string& builtName, const std::string& name) {
        ASSERT_EQ(::symlink((kLibDir + "/" + builtName).c_str(), (dir_ / ("clser/" + name)).c_str()), 0);
    }
    // The library calls so far that contain the text, as "<library file> <call> <arguments>".
    std::vector<std::string> Journal(const std::string& containing = "") const {
        std::vector<std::string> lines;
        std::istringstream in(dir_.ReadFile("journal"));
        for (std::string line; std::getline(in, line);)
            if (line.find(containing) != std::string::npos) lines.push_back(line);
        return lines;
    }
    static bool LibraryMapped(const std::string& file) {
        std::ifstream maps("/proc/self/maps");
        for (std::string line; std::getline(maps, line);)
            if (line.size() >= file.size() && line.compare(line.size() - file.size(), file.size(), file) == 0)
                return true;
        return false;
    }
    void ClearJournal() { dir_.WriteFile("journal", ""); }
    std::string ReadAll(size_t count) {
        std::string got(count, '\0');
        got.resize(static_cast<size_t>(comm_.Read(got.data(), static_cast<int>(count), 200ms)));
        return got;
    }

    test::TempDir dir_;
    test::FakePlatform platform_;
    ScopedEnv journal_{"VR8200_CLLIB_JOURNAL", dir_ / "journal"};
    ScopedEnv folder_{"VR8200_CLSER_DIR", dir_ / "clser"};
    ScopedEnv lib2001_{"VR8200_CLSERIAL_LIB", kLibDir + "/libclserial.so"};
    ScopedEnv libVer11_{"VR8200_CLALLSERIAL_LIB", kLibDir + "/libclallserial.so"};
    ScopedEnv peer_{"VR8200_CLLIB_PEER", "loopback"};
    app::CRegistry registry_{dir_ / "config"};
    protocol::TrafficLog traffic_;
    CCommSetting comm_{registry_, platform_, traffic_};
};

TEST_F(ClLinkTest, Gen2000ListsMatchingFilesSortedAndOpensTheChosenOneAtItsIndex) {
    ScopedEnv ports("VR8200_CLLIB_PORTS", "2");
    Link("libclsertesta.so", "libclseralpha.so");
    Link("libclsertestb.so", "clserbeta.so");
    Link("libclsertesta.so", "libother.so");
    dir_.WriteFile("clser/clsernotes.txt", "not a library");
    ASSERT_EQ(::mkdir((dir_ / "clser/libclserdir.so").c_str(), 0700), 0);

    comm_.SetMode(link::CameraLink2000);
    ASSERT_EQ(comm_.GetPortCount(), 2);
    EXPECT_EQ(comm_.GetPortName(0), "clserbeta.so");
    EXPECT_EQ(comm_.GetPortName(1), "libclseralpha.so");
    EXPECT_EQ(comm_.GetPortName(2), "");
    EXPECT_TRUE(Journal().empty()) << "listing loads no library";

    std::vector<std::string> tx;
    traffic_.SetTerminalSink([&](const std::string& line) { tx.push_back(line); });
    ASSERT_EQ(comm_.Open(link::CameraLink2000, 9600, 1), 1);
    EXPECT_EQ(Journal(), std::vector<std::string>{"libclseralpha.so clSerialInit 1"});
    EXPECT_EQ(comm_.Write("MD?\r\n"), 1);
    EXPECT_EQ(ReadAll(5), "MD?\r\n");
    traffic_.SetTerminalSink(nullptr);
    EXPECT_EQ(tx, std::vector<std::string>{"Tx: MD?"});
    EXPECT_EQ(Journal("clSerialWrite"), std::vector<std::string>{"libclseralpha.so clSerialWrite 5 500"});

    comm_.Close();
    EXPECT_FALSE(comm_.IsOpen());
    EXPECT_EQ(Journal("clSerialClose").size(), 1u);
    EXPECT_TRUE(platform_.boxes.empty());
}

TEST_F(ClLinkTest, Gen2001SelectsTheListedMakerThenOpensTheSameIndex) {
    ScopedEnv makers("VR8200_CLLIB_MANUFACTURERS", "Maker A,Maker B");
    ScopedEnv ports("VR8200_CLLIB_PORTS", "2");
    comm_.SetMode(link::CameraLink2001);
    ASSERT_EQ(comm_.GetPortCount(), 2);
    EXPECT_EQ(comm_.GetPortName(0), "Maker A");
    EXPECT_EQ(comm_.GetPortName(1), "Maker B");
    EXPECT_EQ(comm_.GetPortName(2), "");
    EXPECT_EQ(Journal("clGetManufacturer ").size(), 2u);
    EXPECT_EQ(Journal("clGetManufacturer ")[1], "libclserial.so clGetManufacturer 1 128");

    ClearJournal();
    ASSERT_EQ(comm_.Open(link::CameraLink2001, 115200, 1), 1);
    const std::vector<std::string> expected = {
        "libclserial.so clSelectManufacturer Maker B", "libclserial.so clSerialInit 1",
        "libclserial.so clGetSupportedBaudRates", "libclserial.so clSetBaudRate 0x10"};
    EXPECT_EQ(Journal(), expected);
    // Listing again takes a load of its own and releases it; the open port keeps working.
    EXPECT_EQ(comm_.GetPortCount(), 2);
    EXPECT_EQ(comm_.Write("GA=400\r\n"), 1);
    EXPECT_EQ(ReadAll(8), "GA=400\r\n");
    EXPECT_EQ(comm_.GetPortIndex(), 1u);
    EXPECT_TRUE(LibraryMapped("libclserial.so"));
    comm_.Close();
    EXPECT_FALSE(LibraryMapped("libclserial.so")) << "Close frees the library";

    ClearJournal();
    EXPECT_EQ(comm_.OpenPort(2), 0) << "outside the list: the empty name is refused";
    EXPECT_FALSE(comm_.IsOpen());
    EXPECT_TRUE(Journal("clSerialInit").empty());
    EXPECT_NE(comm_.LastLinkError().find("clSelectManufacturer"), std::string::npos);
}

struct RateCase {
    uint32_t mode;
    const char* reportedBits;
    const char* settableBits;
    uint32_t rate;
    bool reported;
    bool accepted;
    const char* setCall;  // the clSetBaudRate line expected, "" for none
    const char* refusedText;
};

// A refused rate leaves the port open at the rate its library chose, and the rate stays stored. The
// 2000 generation has no rate call: it takes only the wake-up rate.
TEST_F(ClLinkTest, RatesAreTakenOnlyWhenTheLibraryReportsAndAcceptsTheirBit) {
    Link("libclsertesta.so", "libclsera.so");
    const char* ver11Refused = "Selected baud rate is not supported in VR Test Grabber - Port #0.";
    const RateCase cases[] = {
        {link::CameraLink2000, "0x1F", "0x1F", 9600, true, true, "", ""},
        {link::CameraLink2000, "0x1F", "0x1F", 19200, false, false, "", kRateRefused.c_str()},
        {link::CameraLink2000, "0x1F", "0x1F", 115200, false, false, "", kRateRefused.c_str()},
        {link::CameraLink2001, "0x1F", "0x1F", 115200, true, true, "clSetBaudRate 0x10", ""},
        {link::CameraLink2001, "0x1F", "0x1F", 230400, false, false, "", kRateRefused.c_str()},
        {link::CameraLink2001, "0x3F", "0x3F", 230400, true, true, "clSetBaudRate 0x20", ""},
        {link::CameraLink2001, "0x1F", "0x1F", 12345, false, false, "", kRateRefused.c_str()},
        // Reported, then refused by the library: the line did not switch, so neither may we say so.
        {link::CameraLink2001, "0x1F", "0x01", 115200, true, false, "clSetBaudRate 0x10", kRateRefused.c_str()},
        {link::CameraLinkVer11, "0x1F", "0x1F", 57600, true, true, "clSetBaudRate 0x8", ""},
        {link::CameraLinkVer11, "0x1F", "0x1F", 230400, false, false, "", ver11Refused},
        {link::CameraLinkVer11, "0xFF", "0xFF", 921600, true, true, "clSetBaudRate 0x80", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.mode) + " " + std::to_string(c.rate) + " " + c.reportedBits);
        ScopedEnv reported("VR8200_CLLIB_BAUD_BITS", c.reportedBits);
        ScopedEnv settable("VR8200_CLLIB_SET_BITS", c.settableBits);
        comm_.SetMode(c.mode);
        ASSERT_EQ(comm_.GetPortCount(), 1);
        ClearJournal();
        platform_.boxes.clear();
        EXPECT_EQ(comm_.Open(c.mode, c.rate, 0), c.accepted ? 1 : 0);
        EXPECT_EQ(comm_.LinkSupportsRate(c.rate), c.reported);
        const auto sets = Journal("clSetBaudRate");
        if (c.mode == link::CameraLink2000) {
            EXPECT_EQ(Journal(), std::vector<std::string>{"libclsera.so clSerialInit 0"}) << "the open alone";
        } else if (c.setCall[0] == '\0') {
            EXPECT_TRUE(sets.empty());
        } else {
            ASSERT_EQ(sets.size(), 1u);
            EXPECT_NE(sets[0].find(c.setCall), std::string::npos) << sets[0];
        }
        if (c.accepted) {
            EXPECT_TRUE(platform_.boxes.empty());
        } else {
            EXPECT_EQ(platform_.Texts(), std::vector<std::string>{c.refusedText});
            EXPECT_EQ(platform_.boxes[0].icon, app::MsgIcon::Exclamation);
        }
        EXPECT_TRUE(comm_.IsOpen());
        EXPECT_EQ(comm_.GetBaudRate(), c.rate);
        comm_.Close();
    }
}

TEST_F(ClLinkTest, MissingLibraryEmptiesTheVer11ListButKeepsThe2001List) {
    ScopedEnv makers("VR8200_CLLIB_MANUFACTURERS", "Maker A,Maker B");
    ScopedEnv ports("VR8200_CLLIB_PORTS", "3");
    comm_.SetMode(link::CameraLinkVer11);
    ASSERT_EQ(comm_.GetPortCount(), 3);
    EXPECT_EQ(comm_.GetPortName(2), "Maker A - Port #2");
    comm_.SetMode(link::CameraLink2001);
    ASSERT_EQ(comm_.GetPortCount(), 2);
    {
        ScopedEnv gone2001("VR8200_CLSERIAL_LIB", dir_ / "nowhere/libclserial.so");
        ScopedEnv goneVer11("VR8200_CLALLSERIAL_LIB", dir_ / "nowhere/libclallserial.so");
        EXPECT_EQ(comm_.GetPortCount(), 2);
        EXPECT_EQ(comm_.GetPortName(1), "Maker B");
        EXPECT_EQ(comm_.OpenPort(0), 0);
        EXPECT_NE(comm_.LastLinkError().find("No such file"), std::string::npos) << comm_.LastLinkError();
        comm_.SetMode(link::CameraLinkVer11);
        EXPECT_EQ(comm_.GetPortCount(), 0);
        EXPECT_EQ(comm_.GetPortName(0), "");
    }
    EXPECT_TRUE(platform_.boxes.empty()) << "a link that does not open shows nothing itself";
}

TEST_F(ClLinkTest, LibraryMissingARequiredEntryPointDoesNotLoadAndSaysWhich) {
    Link("libclsertestbroken.so", "libclserbroken.so");
    struct Case {
        uint32_t mode;
        const char* variable;
        std::string library;
        const char* missing;
    };
    const Case cases[] = {
        {link::CameraLink2000, "VR8200_CLSER_DIR", dir_ / "clser", "clSerialWrite"},
        {link::CameraLink2001, "VR8200_CLSERIAL_LIB", kLibDir + "/libclsertesta.so", "clGetManufacturer"},
        {link::CameraLinkVer11, "VR8200_CLALLSERIAL_LIB", kLibDir + "/libclserial.so", "clGetNumPorts"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.missing);
        ScopedEnv library(c.variable, c.library);
        comm_.SetMode(c.mode);
        if (c.mode == link::CameraLink2000) {
            ASSERT_EQ(comm_.GetPortCount(), 1);
        }
        EXPECT_EQ(comm_.OpenPort(0), 0);
        EXPECT_FALSE(comm_.IsOpen());
        EXPECT_NE(comm_.LastLinkError().find(c.missing), std::string::npos) << comm_.LastLinkError();
        EXPECT_EQ(comm_.Write("x"), 1) << "a write on a link that is not open is still listed";
        char byte = 0;
        EXPECT_EQ(comm_.Read(&byte, 1, 0ms), 0);
    }
}

TEST_F(ClLinkTest, ReadGivesUpAtTheTimeOutAndDoesNotSpinOnALibraryThatIgnoresIt) {
    comm_.SetMode(link::CameraLinkVer11);
    ASSERT_EQ(comm_.GetPortCount(), 1);
    ASSERT_EQ(comm_.OpenPort(0), 1);
    char byte = 0;
    EXPECT_EQ(comm_.Read(&byte, 1, 30ms), 0);

    ScopedEnv instant("VR8200_CLLIB_INSTANT_READ", "1");
    ClearJournal();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(comm_.Read(&byte, 1, 100ms), 0);
    const auto elapsedMs =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    // One call per 10 ms slice at most, however fast the machine: a spinning loop makes thousands.
    EXPECT_LE(Journal("clSerialRead").size(), static_cast<size_t>(elapsedMs / 10 + 2));
    EXPECT_GE(elapsedMs, 100);
}

}  // namespace
