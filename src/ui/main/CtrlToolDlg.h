#pragma once
// The main window's logic: start-up (find the camera, raise the line, read everything), the path from
// a control event to camera commands and back, the value display, enabling and per-model layout, the
// menu, the keyboard and closing. It reaches controls through IControlAccess and the operator through
// app::Platform(), so the desktop tool, the command-line tool and the tests run the same code.
//
// The desktop tool derives from it and overrides the window hooks (title, tabs, secondary windows);
// their defaults do nothing, which is right where there are no windows. The hooks of features that
// come with later work report plainly that they are not available yet.

#include <cstdint>
#include <string>
#include <vector>

#include "link/CommSettingLineControl.h"
#include "link/RateNegotiation.h"
#include "protocol/OnlineStatus.h"
#include "settings/ReadAllSettings.h"
#include "ui/ControlAccess.h"
#include "ui/main/Keyboard.h"
#include "ui/main/ValueDisplay.h"

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

struct TabItem {
    int pageIndex;
    std::string title;
};

class CCtrlToolDlg : public protocol::COnlineStatusUpdater, public protocol::IRegisteredDialog {
public:
    static constexpr const char* kWindowTitle = "VR-8200 Control Tool  Ver 2.01";
    static constexpr int kControlModeUser = 0;
    static constexpr int kControlModeFactory = 1;

    explicit CCtrlToolDlg(IControlAccess& controls, link::ILineControl& line = link::ProcessLineControl());
    ~CCtrlToolDlg() override;
    CCtrlToolDlg(const CCtrlToolDlg&) = delete;
    CCtrlToolDlg& operator=(const CCtrlToolDlg&) = delete;

    // The process's main window while one exists.
    static CCtrlToolDlg* MainWindow();

    // ---- start-up --------------------------------------------------------------------------
    // The whole start-up sequence: PrepareWindow, Connect, RaiseLine, ReadAllSettings (or, when no
    // camera answered, the defaults shown). Returns true.
    bool OnInitDialog();
    // Its first part, before the link is touched: registration, title, windows, spin ranges, list
    // codes, the table shown, the control mode applied.
    void PrepareWindow();
    // The connection part of it: open, probe, "EA", line flush, rate search. 1 when a camera answered.
    int Connect();
    // Raises the line to 115200 bit/s with "CBDRT" when the link can follow.
    void RaiseLine() { rates_.RaiseLine(); }
    // Queries "MD" and sets the camera model record; 1 when the camera answered.
    int ModelProbe();
    // Queries "EA" into the current area; unchanged when the camera does not answer.
    void QueryCurrentArea();
    // Reads every parameter the model has from the camera into the table and the pages.
    void ReadAllSettings();
    // The rows the last ReadAllSettings queried, in table order, and whether each answered.
    const std::vector<settings::RowReadResult>& LastRead() const { return lastRead_; }

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
    void ShowChangedValues() { display_.ShowChangedValues(); }
    bool WriteChangedValues();
    void RefreshFromCamera(uint32_t ctrlId);
    bool QueryIntoControl(uint32_t ctrlId, uint32_t cmdId, int timeoutMs = 5000);
    void ApplyModelLayout();
    void ApplyModeEnabling();
    void UpdateLineRateDisplays() { display_.ShowLineRate(); }
    void RecomputeGainLevels();
    void RefreshChromaticAberration();

    // ---- control mode ----------------------------------------------------------------------
    uint32_t ControlMode() const { return controlMode_; }
    bool FactoryMode() const { return controlMode_ == kControlModeFactory; }
    // The stored mode, before OnInitDialog; applies nothing.
    void SetControlMode(uint32_t mode) { controlMode_ = mode; }
    // Toggles, applies the mode, re-reads "EA" and, when the camera answered, all settings.
    void ToggleControlMode();
    std::vector<TabItem> BuildTabs() const;

    // ---- state -----------------------------------------------------------------------------
    uint32_t CurrentArea() const { return currentArea_; }
    void SetCurrentArea(uint32_t area) { currentArea_ = area; }
    void SetCloseWithoutConfirm(bool on) { closeWithoutConfirm_ = on; }
    bool Closed() const { return closed_; }
    IControlAccess& Controls() { return controls_; }
    ValueDisplay& Display() { return display_; }
    link::ILineControl& Line() { return line_; }
    bool WindowEnabled() const { return windowEnabled_; }

    // COnlineStatusUpdater and IRegisteredDialog
    bool HasStrip() const override { return initialised_; }
    void SetStripPicture(int32_t picture) override;
    bool HasWindow() const override { return initialised_; }
    void EnableWindow(bool enable) override;

protected:
    // ---- window hooks: nothing to do where there are no windows ------------------------------
    virtual void SetWindowTitle(const std::string& title) { (void)title; }
    // Icons, the engine's timer, the terminal, the communication dialog (shown), the LUT editors and
    // the pages (hidden).
    virtual void CreateWindows() {}
    virtual void DestroyWindows() {}
    virtual void ShowTabs(const std::vector<TabItem>& tabs) { (void)tabs; }
    virtual void ShowPage(int pageIndex) { (void)pageIndex; }
    virtual void EnableUtilityMenu(bool enable) { (void)enable; }
    virtual void AdaptCommunicationDialog(uint32_t controlMode) { (void)controlMode; }
    virtual void SelectCommunicationBaud(int index) { (void)index; }
    virtual void HideLutEditors() {}
    virtual void ActivateMainWindow() {}
    virtual void EnableMainWindow(bool enable) { (void)enable; }
    virtual void CloseWindow() {}

    // ---- features of later work: each reports that it is not available yet ------------------
    virtual void OpenSettingsFile();
    virtual void SaveAllData();
    virtual void SaveShippingData();
    virtual void LoadSettingsFromArea();
    virtual void StoreSettingsToArea();
    virtual void EditUserId();
    virtual void EditCameraId();
    virtual void OpenLutFile();
    virtual void SaveLutFile();
    virtual void LoadAllLutTables();
    virtual void ShowAbout();
    virtual void ShowCommunicationDialog();
    virtual void ShowTerminal();
    virtual void ShowLutEditors();
    // A selection of "Mode" (1408) or "Gain Auto" (1173); the default puts the camera's value back.
    virtual void OnWhiteBalanceSelected(int index);
    virtual void OnGainAutoSelected(int index);
    virtual void RecalibrateShading();
    virtual void RecalibratePixelGain();
    virtual void RecalibratePixelBlack();
    virtual void RunAutoSetting();
    virtual void FactoryRecalibratePixelGain();
    virtual void FactoryRecalibratePixelBlack();
    virtual void WriteXmlVersion();
    virtual void ReadXmlVersion();
    virtual void ShadingToFile();
    virtual void ShadingFromFile();
    virtual void StoreShadingInFlash();
    virtual void CameraReset();
    virtual void WriteModelId();
    virtual void StoreAllAreas();

    // Tells the operator that a feature comes with a later version of the tool.
    void ReportNotAvailable(const std::string& feature);
    // Puts the committed value of a control's row back into the table and on screen.
    void RestoreCommitted(uint32_t ctrlId);

private:
    // start-up
    void ApplySpinRanges();
    void ApplyControlMode();

    // handlers
    void OnButton(uint32_t id);
    void OnCombo(uint32_t id);
    void OnEdit(uint32_t editId);
    void OnSpin(uint32_t spinId, int delta);
    bool ChangeCycle(uint32_t ctrlId, int32_t value, bool undo = true);
    void GenericComboPath(uint32_t id);
    void SendComboDirect(uint32_t id, int timeoutMs, bool lineRateFollowUp);
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
    void QueryIntoText(const char* command, uint32_t ctrlId, int timeoutMs);

    // chromatic aberration editors
    void OnChromaticCombo(uint32_t id);
    void OnChromaticEdit(uint32_t editId);
    void ChromaticModeChanged();
    void RefreshChromaticEditor(uint32_t editId);
    void RefreshChromaticEditors();
    // The command an editor addresses now, from the camera's "CACM" and the colour, point and side
    // selections; -1 when it cannot be formed.
    int32_t ChromaticCommand(uint32_t editId, int32_t& lens);
    int32_t LensOfModeList();

    IControlAccess& controls_;
    link::ILineControl& line_;
    link::RateNegotiation rates_;
    ValueDisplay display_;
    FactoryKeySequence keySequence_;
    uint32_t currentArea_ = 0;
    uint32_t controlMode_ = kControlModeUser;
    bool closeWithoutConfirm_ = false;
    bool initialised_ = false;
    bool windowEnabled_ = true;
    bool closed_ = false;
    std::vector<settings::RowReadResult> lastRead_;
};

}  // namespace vr::ui
