#pragma once
// The main window's logic: a client of the camera session, it shows the start-up (find the camera,
// raise the line, read everything), takes the path from a control event to camera commands and back,
// and keeps the value display, enabling and per-model layout, the
// menu, the keyboard and closing. It reaches controls through platform::IControlAccess, its window through
// IMainWindowView and the operator through the platform, so the desktop tool, the command-line tool
// and the tests run the same code.
//
// The work of the features (settings files, memory areas, one-push functions, LUT tables, identity)
// is not here: feature modules register their menu commands, buttons and lists in Router().

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "calibration/OnePush.h"
#include "calibration/XmlVersion.h"
#include "camera/CameraSession.h"
#include "camera/ChromaticAberration.h"
#include "camera/ReadAllSettings.h"
#include "camera/Services.h"
#include "camera/SessionListener.h"
#include "platform/ControlAccess.h"
#include "protocol/Command.h"
#include "protocol/OnlineStatus.h"
#include "protocol/ParameterTable.h"
#include "settings/SettingsScreen.h"
#include "ui/main/FeatureRouter.h"
#include "ui/main/Keyboard.h"
#include "ui/main/MainWindowView.h"
#include "ui/main/ValueDisplay.h"
#include "ui/main/WaitNotice.h"

namespace vr::ui {

enum class ControlEventType {
    Clicked,        // a push button was pressed
    SelChange,      // a list's selection was changed by the operator (already changed on screen)
    EditKillFocus,  // an edit lost the focus
    SpinDelta,      // a spin is about to move by `delta`; the logic moves it (or not)
};

struct ControlEvent {
    ControlEventType type;
    int delta = 0;
};

class CCtrlToolDlg : public protocol::COnlineStatusUpdater,
                     public protocol::IRegisteredDialog,
                     public settings::ISettingsScreen,
                     public calibration::IOnePushScreen,
                     public calibration::IVersionBoxes,
                     private camera::ISessionListener {
public:
    static constexpr const char* kWindowTitle = "VR-8200 Control Tool  Ver 2.01";
    static constexpr int kControlModeUser = 0;
    static constexpr int kControlModeFactory = 1;

    // The window of a session its program built.
    CCtrlToolDlg(camera::CameraSession& session, platform::IControlAccess& controls, IMainWindowView& view);
    // The window of a session of its own over the services (tests, the benchmark).
    CCtrlToolDlg(camera::Services& services, platform::IControlAccess& controls, IMainWindowView& view);
    ~CCtrlToolDlg() override;
    CCtrlToolDlg(const CCtrlToolDlg&) = delete;
    CCtrlToolDlg& operator=(const CCtrlToolDlg&) = delete;

    // ---- start-up --------------------------------------------------------------------------
    // The whole start-up sequence: PrepareWindow, Connect, RaiseLine, ReadAllSettings (or, when no
    // camera answered, the defaults shown). Returns true.
    bool OnInitDialog();
    // Its first part, before the link is touched: registration, title, windows, spin ranges, list
    // codes, the table shown, the control mode applied.
    void PrepareWindow();
    // The connection part of it: open, probe, "EA", line flush, rate search. 1 when a camera answered.
    int Connect();
    // After an adapter was unplugged and plugged in again: lists the ports afresh, opens the
    // remembered device and runs the start-up sequence again, the pages refilled. 1 when a camera
    // answered.
    int Reconnect();
    // Raises the line to 115200 bit/s with "CBDRT" when the link can follow.
    // 1 when the line runs as fast as the link allows; 0 when the camera did not take the change.
    int RaiseLine() { return session_.RaiseLine(); }
    // Queries "MD" and sets the camera model record; 1 when the camera answered.
    int ModelProbe();
    // Queries "EA" into the current area; unchanged when the camera does not answer. 1 when it did.
    int QueryCurrentArea();
    // Whether an "EA" query answered since the window was made, so CurrentArea() is the camera's.
    bool AreaKnown() const { return session_.AreaKnown(); }
    // Reads every parameter the model has from the camera into the table and the pages.
    void ReadAllSettings();
    // The rows the last ReadAllSettings queried, in table order, and whether each answered.
    const std::vector<camera::RowReadResult>& LastRead() const { return session_.LastRead().rows; }
    // Whether the operator stopped the last read before its end.
    bool LastReadStopped() const { return session_.LastRead().stopped; }
    // Whether the last read ended before its last row (stopped, the line lost, the camera silent).
    bool LastReadEnded() const { return session_.LastRead().Ended(); }

    // ---- events ----------------------------------------------------------------------------
    void OnControlEvent(uint32_t ctrlId, ControlEvent event);
    void OnMenuCommand(uint32_t id);
    // Key pre-translation of the main window and every page; returns the key the dialog goes on with.
    KeyTranslation OnKey(int vk, bool shift, bool ctrl, uint32_t focusedId, bool comboDroppedDown);
    void OnTabSelected(int tabIndex);
    // Escape, "E&xit", the close box: asks unless a camera reset closes the tool; closes on Yes.
    void OnClose();
    bool CanClose();
    // Destruction of the window: closes the link.
    void OnDestroy();

    // ---- table and display -----------------------------------------------------------------
    void ShowAllValues() { display_.ShowAllValues(); }
    void ShowChangedValues() override { display_.ShowChangedValues(); }
    // A value the camera refused is told with the control's caption and the range it takes.
    bool WriteChangedValues() override {
        return session_.WriteChangedValues([this](const protocol::ParameterDef& def) { ReportRefusedValue(def); });
    }
    void RefreshFromCamera(uint32_t ctrlId);
    bool QueryIntoControl(uint32_t ctrlId, uint32_t cmdId,
                          protocol::milliseconds timeout = protocol::milliseconds(5000));
    void ApplyModelLayout();
    void ApplyModeEnabling();
    void UpdateLineRateDisplays() { display_.ShowLineRate(); }
    void RecomputeGainLevels();
    void RefreshChromaticAberration();

    // ---- control mode ----------------------------------------------------------------------
    uint32_t ControlMode() const { return FactoryMode() ? kControlModeFactory : kControlModeUser; }
    bool FactoryMode() const { return session_.FactoryMode(); }
    // The stored mode, before OnInitDialog; applies nothing.
    void SetControlMode(uint32_t mode) { session_.SetFactoryMode(mode == kControlModeFactory); }
    // Toggles, applies the mode, re-reads "EA" and, when the camera answered, all settings.
    void ToggleControlMode();
    std::vector<TabItem> BuildTabs() const;

    // ---- features ----------------------------------------------------------------------------
    FeatureRouter& Router() { return router_; }
    // Tells the operator that a feature's function is not available in this build.
    void ReportNotAvailable();
    // Puts the committed value of a control's row back into the table and on screen.
    void RestoreCommitted(uint32_t ctrlId);
    // The generic list path: the selected code is sent; a refusal puts the committed value back.
    void GenericComboPath(uint32_t id);

    // ---- state -----------------------------------------------------------------------------
    camera::Services& Services() { return services_; }
    camera::CameraSession& Session() { return session_; }
    IMainWindowView& View() { return view_; }
    uint32_t CurrentArea() const { return session_.CurrentArea(); }
    void SetCurrentArea(uint32_t area) { session_.SetCurrentArea(area); }
    void SetCloseWithoutConfirm(bool on) { closeWithoutConfirm_ = on; }
    bool Closed() const { return closed_; }
    platform::IControlAccess& Controls() { return controls_; }
    ValueDisplay& Display() { return display_; }
    link::ILineControl& Line() { return services_.line; }
    bool WindowEnabled() const { return windowEnabled_; }

    // COnlineStatusUpdater and IRegisteredDialog
    bool HasStrip() const override { return initialised_; }
    void SetStripPicture(int32_t picture) override;

    // What the window says while the tool waits for the camera.
    WaitNotice& Notice() { return notice_; }
    // The banner text while the camera is offline: why, where and when the values shown were read,
    // and a device that is there again.
    std::string OfflineBannerText() const;
    // The remembered device is there again (an adapter plugged back in): the banner says so while
    // the tool is offline. An empty path takes the offer back.
    void OfferReconnect(const std::string& device);
    const std::string& ReconnectOffer() const { return reconnectOffer_; }
    // Stamps the values shown as read from the camera now (the banner names the time); for tests.
    void SetLastReadAt(std::string model, std::string time) {
        session_.SetLastReadAt(std::move(model), std::move(time));
    }
    bool HasWindow() const override { return initialised_; }
    void EnableWindow(bool enable) override;

    // settings::ISettingsScreen
    void ShowLoadedValues() override { ShowAllValues(); }
    void ShowLoadedLayout() override;
    void EnableChromaticEditors(bool enable) override;
    // calibration::IOnePushScreen
    void ShowValue(uint32_t ctrlId, int32_t value) override { display_.ShowValue(ctrlId, value); }
    int32_t ListValue(uint32_t listId) override { return display_.ReadValue(listId); }
    // ShowChangedValues above.
    // calibration::IVersionBoxes: the factory page's three digit boxes.
    std::array<std::string, 3> VersionTexts() const override;
    void ShowVersionTexts(const std::array<std::string, 3>& texts) override;

private:
    // Over `session`, or (nullptr) over the session it owns.
    CCtrlToolDlg(std::unique_ptr<camera::CameraSession> own, camera::CameraSession* session,
                 platform::IControlAccess& controls, IMainWindowView& view);

    // camera::ISessionListener: what the window shows of the session's changes.
    void OnArea(uint32_t area) override;
    void OnLineRate(int baudIndex) override;
    void OnStartUpStep(const std::string& text) override;

    // start-up
    void ApplySpinRanges();
    void ApplyControlMode();

    // A change the operator made while the camera is offline is not sent into a dead line: the
    // control shows its value again and the operator may reconnect. True when the event was taken.
    bool RefuseOfflineChange(uint32_t ctrlId, ControlEvent event);
    // After a change was put back: says so in the status bar when the camera did not answer.
    void ReportPutBack();
    // The camera refused a row's value: its text and the command, the control's caption and range.
    void ReportRefusedValue(const protocol::ParameterDef& def);
    // Says in the status bar when a typed value was outside the control's range.
    void ReportOutOfRange(uint32_t editId, uint32_t spinId);

    // handlers
    void OnButton(uint32_t id);
    void OnCombo(uint32_t id);
    void OnEdit(uint32_t editId);
    void OnSpin(uint32_t spinId, int delta);
    bool ChangeCycle(uint32_t ctrlId, int32_t value, bool undo = true);
    void SendComboDirect(uint32_t id, protocol::milliseconds timeout, bool lineRateFollowUp);
    void EditFollowUps(uint32_t editId);
    void SpinFollowUps(uint32_t spinId);
    void RefreshAndCommit(std::initializer_list<uint32_t> ids);
    void ApplyIndividualGainChange();
    void GainLevelFrom10Bit(int32_t value);
    void GainLevelFrom8Bit(int32_t value);
    void SetGainLevelCopies(int32_t level8);
    void ApplyLutRule();
    void ReadCounter(int n);
    void ResetCounter(int n);
    void LutPointRead(uint32_t indexEdit, uint32_t valueEdit, const char* indexCmd, const char* valueCmd);
    void LutPointWrite(uint32_t indexEdit, uint32_t valueEdit, const char* indexCmd, const char* valueCmd);
    void QueryIntoText(const char* command, uint32_t ctrlId, protocol::milliseconds timeout);
    protocol::ParameterTable& Table() { return services_.table; }
    protocol::Command& Engine() { return services_.engine; }
    const protocol::Command& Engine() const { return services_.engine; }
    void RefreshOfflineBanner();

    // chromatic aberration editors
    void OnChromaticCombo(uint32_t id);
    void OnChromaticEdit(uint32_t editId);
    void ChromaticModeChanged();
    void RefreshChromaticEditor(uint32_t editId);
    void RefreshChromaticEditors();
    // The command an editor addresses now, from the camera's "CACM" and the colour, point and side
    // selections; -1 when it cannot be formed.
    int32_t ChromaticCommand(uint32_t editId, int32_t& lens);
    void ShowChromaticRead(const camera::ChromaticRead& read);
    int32_t LensOfModeList();

    std::unique_ptr<camera::CameraSession> ownSession_;  // only when built over bare services
    camera::CameraSession& session_;
    camera::Services& services_;
    platform::IControlAccess& controls_;
    IMainWindowView& view_;
    FeatureRouter router_;
    ValueDisplay display_;
    FactoryKeySequence keySequence_;
    bool closeWithoutConfirm_ = false;
    bool initialised_ = false;
    bool windowEnabled_ = true;
    bool closed_ = false;
    WaitNotice notice_;
    std::string reconnectOffer_;
};

}  // namespace vr::ui
