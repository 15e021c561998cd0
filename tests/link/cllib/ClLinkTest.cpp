// The three Camera Link links loading the project's test library through the real loader.

#include <gmock/gmock.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "FakePlatform.h"
#include "TempDir.h"
#include "link/CommSetting.h"
#include "platform/Registry.h"
#include "protocol/TrafficLog.h"

using namespace vr;
using namespace std::chrono_literals;
using test::ScopedEnv;
using ::testing::HasSubstr;
using Lines = std::vector<std::string>;

namespace {

const std::string kLibDir = VR_CLLIB_DIR;

class ClLinkTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(::mkdir((dir_ / "clser").c_str(), 0700), 0); }

    void Link(const std::string& builtName, const std::string& name) {
        ASSERT_EQ(::symlink((kLibDir + "/" + builtName).c_str(), (dir_ / ("clser/" + name)).c_str()), 0);
    }
    // The library calls so far that contain the text, as "<library file> <call> <arguments>".
    Lines Journal(const std::string& containing = "") const {
        Lines lines;
        std::istringstream in(dir_.ReadFile("journal"));
        for (std::string line; std::getline(in, line);)
            if (line.find(containing) != std::string::npos) lines.push_back(line);
        return lines;
    }
    void ClearJournal() { dir_.WriteFile("journal", ""); }
    // The names of the current mode's ports, listed afresh, and the name one past the last.
    Lines PortNames() {
        Lines names;
        for (int i = 0, count = comm_.GetPortCount(); i <= count; ++i) names.push_back(comm_.GetPortName(i));
        return names;
    }
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
    platform::CRegistry registry_{dir_ / "config"};
    protocol::TrafficLog traffic_;
    link::CCommSetting comm_{registry_, platform_, traffic_};
};

TEST_F(ClLinkTest, Gen2000ListsMatchingFilesSortedAndOpensTheChosenOneAtItsIndex) {
    ScopedEnv ports("VR8200_CLLIB_PORTS", "2");
    Link("libclsertesta.so", "libclseralpha.so");
    Link("libclsertestb.so", "clserbeta.so");
    Link("libclsertesta.so", "libother.so");
    dir_.WriteFile("clser/clsernotes.txt", "not a library");
    ASSERT_EQ(::mkdir((dir_ / "clser/libclserdir.so").c_str(), 0700), 0);

    comm_.SetMode(link::CameraLink2000);
    EXPECT_EQ(PortNames(), (Lines{"clserbeta.so", "libclseralpha.so", ""}));
    EXPECT_TRUE(Journal().empty()) << "listing loads no library";

    Lines tx;
    traffic_.SetTerminalSink([&](const std::string& line) { tx.push_back(line); });
    ASSERT_EQ(comm_.Open(link::CameraLink2000, 9600, 1), 1);
    EXPECT_EQ(Journal(), Lines{"libclseralpha.so clSerialInit 1"});
    EXPECT_EQ(comm_.Write("MD?\r\n"), 1);
    EXPECT_EQ(ReadAll(5), "MD?\r\n");
    traffic_.SetTerminalSink(nullptr);
    EXPECT_EQ(tx, Lines{"Tx: MD?"});
    EXPECT_EQ(Journal("clSerialWrite"), Lines{"libclseralpha.so clSerialWrite 5 500"});

    comm_.Close();
    EXPECT_FALSE(comm_.IsOpen());
    EXPECT_EQ(Journal("clSerialClose").size(), 1u);
    EXPECT_TRUE(platform_.boxes.empty());
}

TEST_F(ClLinkTest, Gen2001SelectsTheListedMakerThenOpensTheSameIndex) {
    ScopedEnv makers("VR8200_CLLIB_MANUFACTURERS", "Maker A,Maker B");
    ScopedEnv ports("VR8200_CLLIB_PORTS", "2");
    comm_.SetMode(link::CameraLink2001);
    EXPECT_EQ(PortNames(), (Lines{"Maker A", "Maker B", ""}));
    EXPECT_THAT(Journal("clGetManufacturer "),
                ::testing::ElementsAre(::testing::_, "libclserial.so clGetManufacturer 1 128"));

    ClearJournal();
    ASSERT_EQ(comm_.Open(link::CameraLink2001, 115200, 1), 1);
    EXPECT_EQ(Journal(), (Lines{"libclserial.so clSelectManufacturer Maker B", "libclserial.so clSerialInit 1",
                                "libclserial.so clGetSupportedBaudRates", "libclserial.so clSetBaudRate 0x10"}));
    // Listing again takes a load of its own and releases it; the open port keeps working.
    EXPECT_EQ(comm_.GetPortCount(), 2);
    EXPECT_EQ(comm_.Write("GA=400\r\n"), 1);
    EXPECT_EQ(ReadAll(8), "GA=400\r\n");
    EXPECT_EQ(comm_.GetPortIndex(), 1u);
    // Close frees the library.
    const auto mapped = [] {
        std::ifstream maps("/proc/self/maps");
        return std::string(std::istreambuf_iterator<char>(maps), {}).find("/libclserial.so\n") != std::string::npos;
    };
    EXPECT_TRUE(mapped());
    comm_.Close();
    EXPECT_FALSE(mapped());

    ClearJournal();
    EXPECT_EQ(comm_.OpenPort(2), 0) << "outside the list: the empty name is refused";
    EXPECT_FALSE(comm_.IsOpen());
    EXPECT_TRUE(Journal("clSerialInit").empty());
    EXPECT_THAT(comm_.LastLinkError(), HasSubstr("clSelectManufacturer"));
}

// A refused rate leaves the port open at the rate its library chose, and the rate stays stored. The
// 2000 generation has no rate call: it takes only the wake-up rate.
TEST_F(ClLinkTest, RatesAreTakenOnlyWhenTheLibraryReportsAndAcceptsTheirBit) {
    Link("libclsertesta.so", "libclsera.so");
    const char* refused = "Selected baud rate is not supported.";
    const char* ver11Refused = "Selected baud rate is not supported in VR Test Grabber - Port #0.";
    const struct {
        uint32_t mode;
        const char *reportedBits, *settableBits;
        uint32_t rate;
        bool reported;
        const char* setCall;      // the clSetBaudRate line expected, "" for none
        const char* refusedText;  // "" when the rate is taken
    } cases[] = {
        {link::CameraLink2000, "0x1F", "0x1F", 9600, true, "", ""},
        {link::CameraLink2000, "0x1F", "0x1F", 19200, false, "", refused},
        {link::CameraLink2000, "0x1F", "0x1F", 115200, false, "", refused},
        {link::CameraLink2001, "0x1F", "0x1F", 115200, true, "clSetBaudRate 0x10", ""},
        {link::CameraLink2001, "0x1F", "0x1F", 230400, false, "", refused},
        {link::CameraLink2001, "0x3F", "0x3F", 230400, true, "clSetBaudRate 0x20", ""},
        {link::CameraLink2001, "0x1F", "0x1F", 12345, false, "", refused},
        // Reported, then refused by the library: the line did not switch, so neither may we say so.
        {link::CameraLink2001, "0x1F", "0x01", 115200, true, "clSetBaudRate 0x10", refused},
        {link::CameraLinkVer11, "0x1F", "0x1F", 57600, true, "clSetBaudRate 0x8", ""},
        {link::CameraLinkVer11, "0x1F", "0x1F", 230400, false, "", ver11Refused},
        {link::CameraLinkVer11, "0xFF", "0xFF", 921600, true, "clSetBaudRate 0x80", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.mode) + " " + std::to_string(c.rate) + " " + c.reportedBits);
        ScopedEnv reported("VR8200_CLLIB_BAUD_BITS", c.reportedBits);
        ScopedEnv settable("VR8200_CLLIB_SET_BITS", c.settableBits);
        comm_.SetMode(c.mode);
        ASSERT_EQ(comm_.GetPortCount(), 1);
        ClearJournal();
        platform_.boxes.clear();
        EXPECT_EQ(comm_.Open(c.mode, c.rate, 0), *c.refusedText == '\0' ? 1 : 0);
        EXPECT_EQ(comm_.LinkSupportsRate(c.rate), c.reported);
        const Lines sets = Journal("clSetBaudRate");
        EXPECT_EQ(sets.size(), *c.setCall == '\0' ? 0u : 1u);
        EXPECT_THAT(sets, ::testing::Each(HasSubstr(c.setCall)));
        if (c.mode == link::CameraLink2000) {
            EXPECT_EQ(Journal(), Lines{"libclsera.so clSerialInit 0"}) << "the open alone";
        }
        EXPECT_EQ(platform_.Texts(), *c.refusedText == '\0' ? Lines{} : Lines{c.refusedText});
        for (const auto& box : platform_.boxes) EXPECT_EQ(box.icon, platform::MsgIcon::Exclamation);
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
        EXPECT_THAT(comm_.LastLinkError(), HasSubstr("No such file"));
        comm_.SetMode(link::CameraLinkVer11);
        EXPECT_EQ(PortNames(), Lines{""});
    }
    EXPECT_TRUE(platform_.boxes.empty()) << "a link that does not open shows nothing itself";
}

TEST_F(ClLinkTest, LibraryMissingARequiredEntryPointDoesNotLoadAndSaysWhich) {
    Link("libclsertestbroken.so", "libclserbroken.so");
    const struct {
        uint32_t mode;
        const char* variable;
        std::string library;
        const char* missing;
    } cases[] = {
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
        EXPECT_THAT(comm_.LastLinkError(), HasSubstr(c.missing));
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
