#pragma once
// The communication dialog ("Communication"): how the camera is reached (category, port, the rate in
// use), whether it answers, its memory areas, the settings-file buttons and the program's message log.
// Mode, rate and port indices live in the link object; the active area lives in the camera.

#include <cstdint>
#include <functional>
#include <string>

#include "dialogs/LogFile.h"
#include "link/LineControl.h"
#include "link/RateNegotiation.h"
#include "platform/ControlAccess.h"
#include "platform/DialogFrame.h"
#include "protocol/OnlineStatus.h"

namespace vr::camera {
struct Services;
}

namespace vr::dialogs {

namespace comm {
inline constexpr uint32_t kTemplateId = 104;
inline constexpr uint32_t kPortName = 1005;
inline constexpr uint32_t kCategory = 1009;
inline constexpr uint32_t kArea = 1026;
inline constexpr uint32_t kBaudRate = 1027;
inline constexpr uint32_t kStatusText = 1063;
inline constexpr uint32_t kStrip = 1066;
inline constexpr uint32_t kStatusIcon = 1071;
inline constexpr uint32_t kWriteSettingsFile = 1072;
inline constexpr uint32_t kReadSettingsFile = 1073;
inline constexpr uint32_t kGetArea = 1074;
inline constexpr uint32_t kAreaName = 1075;
inline constexpr uint32_t kStore = 1076;
inline constexpr uint32_t kLoad = 1077;
inline constexpr uint32_t kMessages = 1078;
inline constexpr uint32_t kWriteLog = 1079;
inline constexpr uint32_t kClearLog = 1080;
inline constexpr uint32_t kAuto = 1088;

inline constexpr int32_t kIconOffline = 502;
inline constexpr int32_t kIconOnline = 503;

inline constexpr int kMaxMessages = 4096;

inline constexpr const char* kCategoryItems[] = {"Com Port", "Camera Link spec. 2000", "Camera Link spec. 2001",
                                                 "Camera Link spec. ver.1.1", "Network (RFC 2217)"};
inline constexpr const char* kBaudItems[] = {"9600bps", "19200bps", "38400bps", "57600bps", "115200bps"};
inline constexpr const char* kAreaItems[] = {"Factory Data", "User 1 Data", "User 2 Data", "User 3 Data"};
}  // namespace comm

// What the dialog asks of the main window and of later parts of the tool.
struct CommunicationHooks {
    std::function<int()> modelProbe;  // the main window's "MD" probe: 1 when the camera answered
    std::function<void()> readAllSettings;
    std::function<uint32_t()> controlMode;  // 1 in factory mode
    // The settings-file save and load. While they are empty their two buttons stay disabled.
    std::function<void()> saveSettingsFile;
    std::function<void()> loadSettingsFile;
};

class CCommunicationDialog final : public protocol::COnlineStatusUpdater, public protocol::IRegisteredDialog {
public:
    // `shutdownWasClean` false (the previous run crashed) puts the link back on the serial port before
    // anything is opened.
    CCommunicationDialog(camera::Services& services, platform::IControlAccess& controls, platform::IDialogFrame& frame,
                         CommunicationHooks hooks, LogFolderStore folder, bool shutdownWasClean);
    ~CCommunicationDialog() override;
    CCommunicationDialog(const CCommunicationDialog&) = delete;
    CCommunicationDialog& operator=(const CCommunicationDialog&) = delete;

    // When the window has been created: strip and registry, the lists, the message sink.
    void Init();
    void Show();
    void OnClose();

    // The message log: commands and replies bare, no time stamps; the newest 4096 entries are kept.
    void AddMessage(const std::string& text);
    // "Current Area" names the area the camera answered "EA" with (the start-up's, the main window's).
    void ShowArea(int32_t area);
    void SelectBaud(int index);
    void RefreshStoreButton();

    void OnCategoryChanged();
    void OnPortChanged();
    // A device path typed into the port box.
    void OnPortTyped(const std::string& path);
    void OnAreaChanged() { RefreshStoreButton(); }
    void OnGetArea();
    void OnStore();
    void OnLoad();
    void OnWriteSettingsFile();
    void OnReadSettingsFile();
    void OnWriteLog();
    void OnClearLog();

    // Wakes the camera, finds the rate it answers at, raises the line to 115200 and reads all settings.
    void NegotiateBaudRate();
    void FillPortList();

    // COnlineStatusUpdater
    void OnStatusChanged(int32_t status) override;
    bool HasStrip() const override { return initialised_ && frame_.HasWindow(); }
    void SetStripPicture(int32_t picture) override { controls_.SetPicture(comm::kStrip, picture); }
    // IRegisteredDialog
    bool HasWindow() const override { return initialised_ && frame_.HasWindow(); }
    void EnableWindow(bool enable) override { frame_.EnableWindow(enable); }

private:
    int ModelProbe();
    void ReadAllSettings();

    camera::Services& services_;
    platform::IControlAccess& controls_;
    platform::IDialogFrame& frame_;
    link::ILineControl& line_;
    CommunicationHooks hooks_;
    link::RateNegotiation rates_;
    LogFolderStore folder_;
    bool initialised_ = false;
};

}  // namespace vr::dialogs
