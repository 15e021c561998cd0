// A port locked by another program under another name of the same device: the path it was given
// (ser2net writes its lock after its configured path) or a /dev/serial/by-id style link. The tool
// refuses the port and names the holder whichever name was used.

#include <gmock/gmock.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iomanip>

#include "FakePlatform.h"
#include "TempDir.h"
#include "link/LockNames.h"
#include "link/PortLock.h"
#include "link/SerialPort.h"

using namespace vr;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

void WriteLock(const std::string& path, int pid) {
    std::ofstream(path, std::ios::trunc) << std::setw(10) << pid << "\n";
}

TEST(LockNamesPtyTest, ALockUnderAnyNameOfTheDeviceKeepsThePortClosedAndNamesItsHolder) {
    int master = -1, slave = -1;
    char name[64] = {};
    ASSERT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
    const std::string device = name;
    test::TempDir folder;
    struct {
        std::string linkPath;
    } options{folder / "cam0"};
    std::filesystem::create_symlink(device, options.linkPath);
    test::TempDir byId;
    const std::string stable = byId / "usb-VR_Camera_Cable_A1-if00-port0";
    std::filesystem::create_symlink(device, stable);
    std::filesystem::create_symlink(byId / "nowhere", byId / "dangling");

    EXPECT_THAT(link::LockNamesFor(options.linkPath, {byId.Path(), folder / "absent"}),
                ElementsAre(link::LockNameOfPath(device), link::LockNameOfPath(options.linkPath),
                            link::LockNameOfPath(stable)));
    EXPECT_EQ(link::LockNameOfPath("/dev/serial/by-id/usb-X-if00"), "LCK..serial_by-id_usb-X-if00");
    EXPECT_EQ(link::LockNameOfPath("/tmp/cam0"), "LCK.._tmp_cam0");

    test::TempDir locks;
    test::ScopedEnv lockDir("VR8200_LOCK_DIR", locks.Path());
    const int holder = ::getppid();
    std::string program;
    std::getline(std::ifstream("/proc/" + std::to_string(holder) + "/comm"), program);

    // Under the by-id name, as a port server configured with it would lock the device.
    WriteLock(locks / link::LockNameOfPath(stable), holder);
    EXPECT_EQ(link::PortLock::OtherLockHolder(device, {byId.Path()}), holder);
    EXPECT_EQ(link::PortLock::OtherLockHolder(device, {}), 0) << "no link folder, no such name";
    std::filesystem::remove(locks / link::LockNameOfPath(stable));

    // Under the path the tool is given: the port stays closed and the holder is named.
    WriteLock(locks / link::LockNameOfPath(options.linkPath), holder);
    test::FakePlatform platform;
    link::CSerialPort port(platform);
    EXPECT_EQ(port.Open(options.linkPath, 9600, 8, 0, 0, 0), 0);
    EXPECT_THAT(port.LastError(),
                HasSubstr(options.linkPath + " is in use by process " + std::to_string(holder) + " (" + program + ")"));

    // A lock of a process that is gone keeps nobody off.
    const pid_t gone = ::fork();
    if (gone == 0) ::_exit(0);
    ASSERT_EQ(::waitpid(gone, nullptr, 0), gone);
    WriteLock(locks / link::LockNameOfPath(options.linkPath), gone);
    EXPECT_EQ(port.Open(options.linkPath, 9600, 8, 0, 0, 0), 1) << port.LastError();
    port.Close();
    ::close(slave);
    ::close(master);
}

}  // namespace
