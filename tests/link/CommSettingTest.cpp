// The link settings on a miniature sysfs and /dev: the stored mode, rate and port, the port list and
// the remembered device, and what a failed open tells the operator.

#include <gmock/gmock.h>

#include <filesystem>

#include "FakePlatform.h"
#include "TempDir.h"
#include "link/CommSetting.h"
#include "platform/Registry.h"
#include "protocol/TrafficLog.h"

using namespace vr;
using namespace std::chrono_literals;
using link::CCommSetting;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace {

const std::string kAdapterId = "by-id/usb-FTDI_FT232R_A1-if00-port0";

// A machine's sysfs and /dev in miniature: class/tty links to device folders, device nodes as
// plain files, /dev/serial/by-id links.
class FakeMachine {
public:
    FakeMachine() {
        for (const char* d : {"class/tty", "dev", "by-id"}) std::filesystem::create_directories(dir_ / d);
        Port("ttyS0", "devices/platform/serial8250/tty/ttyS0", "4");
        Port("ttyS1", "devices/platform/serial8250/tty/ttyS1", "0");  // a placeholder without a UART
        Port("ttyS10", "devices/pnp0/00:05/tty/ttyS10", nullptr);
        Port("ttyS2", "devices/pnp0/00:04/tty/ttyS2", nullptr);
        Port("ttyUSB0", "devices/pci0000:00/usb1/1-1/1-1:1.0/ttyUSB0/tty/ttyUSB0", nullptr);
        Port("tty1", "devices/virtual/tty/tty1", nullptr);
        Port("ttyACM0", "devices/pci0000:00/usb1/1-2/tty/ttyACM0", nullptr, false);  // no device node
        std::filesystem::create_symlink(dir_ / "dev/ttyUSB0", dir_ / kAdapterId);
    }
    link::SerialPortList List() const { return link::SerialPortList(dir_ / "class/tty", dir_ / "dev", dir_ / "by-id"); }
    std::string operator/(const std::string& name) const { return dir_ / name; }

private:
    void Port(const std::string& name, const std::string& device, const char* type, bool node = true) {
        std::filesystem::create_directories(dir_ / device);
        if (type != nullptr) dir_.WriteFile(device + "/type", std::string(type) + "\n");
        std::filesystem::create_symlink("../../" + device, dir_ / ("class/tty/" + name));
        if (node) dir_.WriteFile("dev/" + name, "");
    }
    test::TempDir dir_;
};

class CommSettingTest : public ::testing::Test {
protected:
    std::unique_ptr<CCommSetting> Make() {
        return std::make_unique<CCommSetting>(*registry_, platform_, traffic_, machine_.List());
    }
    void Store(const std::string& lines) { config_.WriteFile("settings.ini", "[VR-8200 Control Tool]\n" + lines); }
    std::string StoreText() const { return config_.ReadFile("settings.ini"); }

    test::FakePlatform platform_;
    protocol::TrafficLog traffic_;
    FakeMachine machine_;
    test::TempDir config_;
    std::unique_ptr<platform::CRegistry> registry_ = std::make_unique<platform::CRegistry>(config_.Path());
};

TEST_F(CommSettingTest, StartsFromTheStoreAtTheWakeUpRateAndSavesAllSixValues) {
    Store(
        "Communication Mode=2\nBaudrate=115200\nCom Port No=3\nCameralink 2000 Dll Index=4\n"
        "Cameralink 2001 Dll Index=5\nCameralink Ver11 Dll Index=6\n");
    {
        auto comm = Make();
        EXPECT_EQ(comm->GetMode(), 2u);
        EXPECT_EQ(comm->GetBaudRate(), 9600u);
        EXPECT_EQ(comm->GetBaudIndex(), 0);
        for (uint32_t mode : {0u, 1u, 2u, 3u, 7u}) {
            comm->SetMode(mode);
            EXPECT_EQ(comm->GetPortIndex(), mode < 4 ? mode + 3 : 0u) << "each mode keeps its own port";
        }
        // A mode outside 0..3 opens nothing but keeps what it was given.
        EXPECT_EQ(comm->Open(9, 57600, 2), 0);
        EXPECT_EQ(comm->GetMode(), 9u);
        EXPECT_EQ(comm->GetBaudRate(), 57600u);
        EXPECT_EQ(comm->GetPortCount(), 0);
        EXPECT_EQ(comm->GetPortName(0), "ERROR");
        EXPECT_FALSE(comm->LinkSupportsRate(9600));
        EXPECT_EQ(comm->Write("GA=1\r\n"), 0);
        char byte;
        EXPECT_EQ(comm->Read(&byte, 1, 0ms), 0);
    }
    for (const char* line :
         {"Communication Mode=9\n", "Baudrate=57600\n", "Com Port No=3\n", "Cameralink 2000 Dll Index=4\n",
          "Cameralink 2001 Dll Index=5\n", "Cameralink Ver11 Dll Index=6\n"})
        EXPECT_THAT(StoreText(), HasSubstr(line));
}

TEST_F(CommSettingTest, SerialPortsAreTheMachinesInNaturalOrderThenTheNamedPathsAndStayByTheirStableNames) {
    auto comm = Make();
    ASSERT_EQ(comm->GetPortCount(), 4);
    int i = 0;
    for (const char* port : {"dev/ttyS0", "dev/ttyS2", "dev/ttyS10", "dev/ttyUSB0"}) {
        EXPECT_EQ(comm->GetPortName(i), machine_ / port);
        EXPECT_EQ(comm->GetPortDevice(i++), machine_ / port);
    }
    EXPECT_EQ(comm->GetPortName(4), "ERROR");
    EXPECT_EQ(comm->Open(link::ComPort, 9600, 7), 0);
    EXPECT_EQ(comm->GetPortIndex(), 7u);
    ASSERT_EQ(platform_.Texts(), std::vector<std::string>{"Failed to initialize serial port number 8!\nError in "
                                                          "finding the port: this machine lists 4 serial ports"});
    EXPECT_EQ(platform_.boxes[0].icon, platform::MsgIcon::Exclamation);
    EXPECT_FALSE(comm->IsOpen());

    EXPECT_EQ(comm->AddDevicePath("/dev/pts/5"), 4);
    EXPECT_EQ(comm->AddDevicePath("/dev/pts/5"), 4);
    EXPECT_EQ(comm->AddDevicePath(machine_ / kAdapterId), 3) << "a link to a listed port";
    EXPECT_EQ(comm->AddDevicePath(""), -1);
    EXPECT_EQ(comm->GetPortCount(), 5) << "named paths survive a new listing";
    EXPECT_EQ(comm->GetPortName(4), "/dev/pts/5");

    // The chosen port is remembered by its stable name, though its node (a plain file) does not open.
    platform_.boxes.clear();
    EXPECT_EQ(comm->OpenPort(3), 0);
    EXPECT_THAT(platform_.Texts(),
                ElementsAre(StartsWith("Failed to initialize " + (machine_ / "dev/ttyUSB0") + " port!\n")));
    comm.reset();
    EXPECT_THAT(StoreText(), HasSubstr("Com Port No=3\n"));
    EXPECT_THAT(StoreText(), HasSubstr("Com Port Device=" + (machine_ / kAdapterId) + "\n"));
}

TEST_F(CommSettingTest, TheRememberedDeviceIsFoundAgainAndReopenedWhereverItIsListed) {
    const std::string namedFile = machine_ / "pty-of-a-simulator";
    std::ofstream(namedFile).put('\n');
    const struct {
        std::string device;
        uint32_t storedIndex, expectedIndex;
        int expectedCount;
        std::string opened;
    } cases[] = {
        {machine_ / "dev/ttyUSB0", 0, 3, 4, machine_ / "dev/ttyUSB0"},
        {machine_ / kAdapterId, 1, 3, 4, machine_ / "dev/ttyUSB0"},
        {namedFile, 0, 4, 5, namedFile},  // exists but is no machine port
        // Unplugged: the number stays, and nothing else is opened in its place.
        {machine_ / "dev/ttyUSB7", 2, 2, 4, machine_ / "dev/ttyUSB7"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.device);
        Store("Com Port No=" + std::to_string(c.storedIndex) + "\nCom Port Device=" + c.device + "\n");
        auto comm = Make();
        EXPECT_EQ(comm->GetPortCount(), c.expectedCount);
        EXPECT_EQ(comm->GetPortIndex(), c.expectedIndex);
        platform_.boxes.clear();
        EXPECT_EQ(comm->Reopen(), 0) << "the device nodes are plain files here";
        ASSERT_THAT(platform_.Texts(), ElementsAre(StartsWith("Failed to initialize " + c.opened + " port!\n")));
    }
    // The absent adapter is said to be absent, and stays the remembered port.
    EXPECT_THAT(platform_.boxes[0].text, HasSubstr("is not present; plug in the adapter or choose another port"));
    EXPECT_THAT(StoreText(), HasSubstr("Com Port Device=" + (machine_ / "dev/ttyUSB7") + "\n"));
}

}  // namespace
