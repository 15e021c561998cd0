#pragma once
// The settings store: the values that outlive a run (link choice, control mode, remembered
// folders, shutdown status) in a per-user INI-style file. Every access reads the file afresh and
// every write replaces it atomically, so a crash never leaves a half-written store and an
// unreadable or corrupt file only means defaults (the next write repairs it). Failures are silent.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace vr::platform {

// Slots of the store, in the order of its value table.
enum RegValue : int {
    kRegShutdownStatus = 0,
    kRegCommunicationMode = 1,
    kRegBaudrate = 2,
    kRegComPortNo = 3,
    kRegCameralink2000Index = 4,
    kRegCameralink2001Index = 5,
    kRegCameralinkVer11Index = 6,
    kRegControlMode = 7,
    kRegCameraFilePath = 8,
    kRegCommandLogFilePath = 9,
};
inline constexpr int kRegValueCount = 10;

enum class RegKind { Number, Text };

struct RegValueInfo {
    const char* name;
    RegKind kind;
};

// The value table: names exactly as stored.
inline constexpr RegValueInfo kRegValues[kRegValueCount] = {
    {"Previous Application Shutdown Status", RegKind::Number},
    {"Communication Mode", RegKind::Number},
    {"Baudrate", RegKind::Number},
    {"Com Port No", RegKind::Number},
    {"Cameralink 2000 Dll Index", RegKind::Number},
    {"Cameralink 2001 Dll Index", RegKind::Number},
    {"Cameralink Ver11 Dll Index", RegKind::Number},
    {"Control Mode", RegKind::Number},
    {"Camera File Path", RegKind::Text},
    {"Command Log File Path", RegKind::Text},
};

// The device path of the chosen serial port, kept beside "Com Port No" so that a port that moved
// in the list (an adapter plugged into another socket) is found again. Not a slot: slot numbers
// above 9 stay invalid.
inline constexpr const char* kComPortDeviceName = "Com Port Device";
inline constexpr const char* kNetworkAddressName = "Network Address";
// The rate the command-line tool last left the camera at and the port it was on, so that the next
// run probes there first. Not slots either.
inline constexpr const char* kCameraRateName = "Camera Rate";
inline constexpr const char* kCameraRatePortName = "Camera Rate Port";

// The desktop tool's own values beside the table: where its main window stood, and the settings
// files used last, newest first (an empty value is an unused place).
inline constexpr const char* kMainWindowGeometryName = "Main Window Geometry";
inline constexpr const char* kCommunicationWindowPlaceName = "Communication Window Place";
// "1": reconnect by itself when the remembered device is there again, instead of offering to.
inline constexpr const char* kAutoReconnectName = "Reconnect Automatically";
inline constexpr const char* kRecentSettingsFileNames[] = {"Recent Settings File 1", "Recent Settings File 2",
                                                           "Recent Settings File 3", "Recent Settings File 4",
                                                           "Recent Settings File 5"};

// The section that holds the values, and the file in the store's folder.
inline constexpr const char* kRegSection = "VR-8200 Control Tool";
inline constexpr const char* kRegFileName = "settings.ini";
// The command-line tool's own shutdown record.
inline constexpr const char* kCliShutdownStatusName = "Previous vr8200ctl Shutdown Status";
// Larger than any store the tool writes by far: such a file is no store of ours.
inline constexpr size_t kMaxStoreBytes = 64 * 1024;
// Damaged stores set aside before a start gives up setting another one aside.
inline constexpr int kMaxBadFiles = 1000;

class CRegistry {
public:
    // The folder of a store that keeps nothing: one camera of many, whose settings the program's own
    // store must not see mixed with the others' (the runs at once would write it at once).
    static constexpr const char* kNoStore = "";

    // $VR8200_CONFIG_DIR when set, else $XDG_CONFIG_HOME/vr8200-control, else
    // ~/.config/vr8200-control.
    static std::string DefaultFolder();

    // Reads the previous shutdown status and marks this run as not (yet) ended cleanly. Each program
    // keeps its own record (`shutdownValue`), so a command-line run never hides that the desktop
    // tool crashed. Temporary files of a write that was killed are removed; a store that is no
    // regular file (or a folder that is no folder) is left alone and not used, one the user may not
    // write is read but never written, and one that is damaged (binary, huge, not the store's format)
    // is set aside as "settings.ini.bad" (".bad.2", ".bad.3" beside earlier ones): Problem() says
    // so, and the defaults apply. A store that is a symbolic link is read and written through it.
    // kNoStore (an empty folder) is no store at all: nothing is read or written, and nothing is said.
    explicit CRegistry(std::string folder = DefaultFolder(),
                       std::string shutdownValue = kRegValues[kRegShutdownStatus].name);
    // A normal end: the next run finds status 1.
    ~CRegistry();
    CRegistry(const CRegistry&) = delete;
    CRegistry& operator=(const CRegistry&) = delete;

    // 1 when the value was there (a text value converts as a decimal number: "3" is 3, "abc" 0);
    // else 0 and value = defaultValue.
    int ReadDword(int slot, uint32_t& value, uint32_t defaultValue);
    int WriteDword(int slot, uint32_t value);
    // 1 when a stored folder that exists was read; else 0 and text = the working folder.
    int ReadString(int slot, std::string& text);
    int WriteString(int slot, const std::string& text);
    int WasShutdownClean() const { return shutdownStatus_ == 1 ? 1 : 0; }

    // "Com Port Device": 1 and the stored text when there is one, else 0 and an empty text.
    int ReadComPortDevice(std::string& path);
    int WriteComPortDevice(const std::string& path);
    // "Network Address": the network link's rfc2217:// or tcp:// address, as the device above.
    int ReadNetworkAddress(std::string& address);
    int WriteNetworkAddress(const std::string& address);
    // A value of its own name outside the slots: 1 and its text when it is stored, else 0 and an
    // empty text.
    int ReadNamedText(const char* name, std::string& text);
    int WriteNamedText(const char* name, const std::string& text);

    // "Camera Rate" and "Camera Rate Port": 1 with both when a rate of the rate table is stored
    // with its port, else 0 (rate 0, port empty).
    int ReadCameraRate(uint32_t& rate, std::string& port);
    int WriteCameraRate(uint32_t rate, const std::string& port);

    // What was wrong with the store at start-up, for the operator; empty when nothing was.
    const std::string& Problem() const { return problem_; }
    const std::string& Folder() const { return folder_; }
    std::string FilePath() const { return folder_ + "/" + kRegFileName; }

private:
    using Values = std::vector<std::pair<std::string, std::string>>;

    bool Load(Values& values) const;
    bool ReadText(const char* name, std::string& text) const;
    bool Store(const char* name, const std::string& text);

    void CheckStore();
    void SetAside();

    std::string folder_;
    std::string shutdownValue_;
    std::string problem_;
    bool usable_ = true;    // false when the store is no regular file: it is neither read nor written
    bool writable_ = true;  // false when the user may not write it: it is read, never written
    uint32_t shutdownStatus_ = 0;
};

// The decimal conversion the store applies to numbers kept as text: leading blanks and a sign, then
// digits up to the first non-digit; no digit gives 0. Exposed for tests.
uint32_t ParseStoredNumber(const std::string& text);

}  // namespace vr::platform
