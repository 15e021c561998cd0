// The control-event router of the main window and the handlers of its pages' lists, edits, spins and
// buttons: the change cycle with undo, the derived displays and the follow-up reads.

#include <algorithm>
#include <cstdio>
#include <string>

#include "camera/ModelCommands.h"
#include "platform/Platform.h"
#include "protocol/Command.h"
#include "protocol/CommandTable.h"
#include "protocol/ControlIds.h"
#include "protocol/OnlineStatus.h"
#include "protocol/ParameterTable.h"
#include "ui/main/CtrlToolDlg.h"
#include "ui/main/EnablingRules.h"

namespace vr::ui {
namespace {

using protocol::milliseconds;

constexpr milliseconds kQueryTimeout(5000);
constexpr milliseconds kSlowSetTimeout(20000);  // pixel format, CL configuration, sensor: the camera reconfigures
constexpr milliseconds kCounterTimeout(3000);
constexpr milliseconds kCounterResetTimeout(1000);
constexpr milliseconds kLutPointTimeout(1000);
constexpr milliseconds kTemperatureTimeout(3000);
constexpr milliseconds kChromaticSaveTimeout(3000);
constexpr int kCounterCount = 4;
constexpr uint32_t kCounterFirstReset = 1441, kCounterFirstRead = 1442;
constexpr uint32_t kCounterFirstValue = 1443, kCounterFirstStatus = 1444, kCounterIdStep = 6;

uint32_t CommandOf(const char* mnemonic) {
    return static_cast<uint32_t>(protocol::FindCommand(mnemonic));
}

bool IsLutPointEdit(uint32_t id) {
    return id == protocol::id::kLutIndexG || id == protocol::id::kLutValueG || id == protocol::id::kLutIndexR ||
           id == protocol::id::kLutValueR || id == protocol::id::kLutIndexB || id == protocol::id::kLutValueB;
}

bool IsChromaticEditor(uint32_t id) {
    return id == protocol::id::kCaRatio || id == protocol::id::kCaValue || id == protocol::id::kCaCoefficient;
}

// The command of a control's row, or -1 when no row has the control; asks without the lookups' box.
int32_t SilentCommandOf(const protocol::ParameterTable& table, uint32_t ctrlId) {
    for (size_t i = 0; i < table.Size(); ++i)
        if (table.Row(i).def->ctrlId == ctrlId) return static_cast<int32_t>(table.Row(i).def->cmdId);
    return -1;
}

// "GA=400" for a control's row, or the words for a control without a command of its own.
std::string ChangeText(const protocol::ParameterTable& table, uint32_t ctrlId, int32_t value) {
    const int32_t cmd = SilentCommandOf(table, ctrlId);
    if (cmd < 0 || static_cast<uint32_t>(cmd) == protocol::cmd::Unnamed) return "the change";
    return protocol::GetCommandName(static_cast<uint32_t>(cmd)) + "=" + std::to_string(value);
}

std::string CounterStatusText(int32_t status) {
    switch (status) {
        case 0:
            return "Counter Idle";
        case 2:
            return "Counter Active";
        case 4:
            return "Counter Overflow";
        default:
            return "---";
    }
}

}  // namespace

void CCtrlToolDlg::OnControlEvent(uint32_t ctrlId, ControlEvent event) {
    // The engine lets window messages run while it waits; no second command may start inside one.
    if (Engine().Busy()) return;
    if (RefuseOfflineChange(ctrlId, event)) return;
    const CtrlType kind = display_.KindOf(ctrlId);
    switch (event.type) {
        case ControlEventType::Clicked:
            if (kind == CtrlType::Button) OnButton(ctrlId);
            break;
        case ControlEventType::EditKillFocus:
            if (kind == CtrlType::Edit) OnEdit(ctrlId);
            break;
        case ControlEventType::SelChange:
            if (kind == CtrlType::Combo) OnCombo(ctrlId);
            break;
        case ControlEventType::SpinDelta:
            if (kind == CtrlType::Spin) OnSpin(ctrlId, event.delta);
            break;
    }
}

bool CCtrlToolDlg::RefuseOfflineChange(uint32_t ctrlId, ControlEvent event) {
    if (services_.status.IsOnline()) return false;
    const CtrlType kind = display_.KindOf(ctrlId);
    uint32_t shown = ctrlId;  // the control whose value goes back
    int32_t wanted = 0;
    switch (event.type) {
        case ControlEventType::EditKillFocus: {
            if (kind != CtrlType::Edit || SpinOf(ctrlId) == 0 || IsLutPointEdit(ctrlId)) return false;
            if (SilentCommandOf(Table(), ctrlId) < 0) return false;
            // Leaving an edit that still shows its value is no change.
            const bool number = ValueDisplay::ParseInteger(controls_.GetText(ctrlId), wanted);
            if (!number || wanted == Table().GetDataValue(ctrlId)) return false;
            break;
        }
        case ControlEventType::SelChange:
            if (kind != CtrlType::Combo || ctrlId == protocol::id::kModelDisplay) return false;
            wanted = display_.ReadValue(ctrlId);
            break;
        case ControlEventType::SpinDelta: {
            if (kind != CtrlType::Spin) return false;
            shown = BuddyOf(ctrlId);
            if (shown == 0 || IsLutPointEdit(shown)) return false;
            wanted = controls_.GetSpinPos(ctrlId) + event.delta;
            break;
        }
        default:
            return false;
    }
    // The control shows the value the tool holds, not one the camera never got.
    if (SilentCommandOf(Table(), shown) >= 0) display_.ShowValue(shown, Table().GetDataValue(shown));
    const std::string change = ChangeText(Table(), shown, wanted);
    view_.ShowStatusText("The camera is offline; " + change + " was not sent.");
    if (services_.platform.MessageBox("The camera is offline: " + change + " was not sent.\nReconnect to the camera?",
                                      platform::kAppTitle, platform::MsgIcon::Question,
                                      platform::MsgButtons::YesNo) == platform::MsgResult::Yes)
        Reconnect();
    return true;
}

void CCtrlToolDlg::ReportPutBack() {
    const protocol::Failure& failure = Engine().LastFailure();
    if (failure.kind == protocol::FailureKind::TimedOut)
        view_.ShowStatusText("The camera did not answer " + failure.command + "; the value was put back.");
    else if (failure.kind == protocol::FailureKind::LinkLost)
        view_.ShowStatusText("The line to the camera went away during " + failure.command +
                             "; the value was put back.");
}

void CCtrlToolDlg::ReportOutOfRange(uint32_t editId, uint32_t spinId) {
    int32_t typed = 0;
    if (!ValueDisplay::ParseInteger(controls_.GetText(editId), typed)) return;
    int32_t lo = 0, hi = 0;
    controls_.GetSpinRange(spinId, lo, hi);
    if (lo > hi) std::swap(lo, hi);
    if (typed >= lo && typed <= hi) return;
    const int32_t cmd = SilentCommandOf(Table(), editId);
    const std::string name = cmd >= 0 && static_cast<uint32_t>(cmd) != protocol::cmd::Unnamed
                                 ? protocol::GetCommandName(static_cast<uint32_t>(cmd)) + ": "
                                 : std::string();
    view_.ShowStatusText(name + std::to_string(typed) + " is outside the range " + std::to_string(lo) + " to " +
                         std::to_string(hi) + "; the value was not changed.");
}

void CCtrlToolDlg::ReportRefusedValue(const protocol::ParameterDef& def) {
    const protocol::Failure& failure = Engine().LastFailure();
    if (failure.kind != protocol::FailureKind::Refused) return;
    // The camera's own text and the command it refused, as always; then which control that was and
    // the values it takes, where the tool knows them.
    std::string text = failure.received + "\n" + failure.command;
    const std::string group = def.group;
    std::string caption = group.empty() ? std::string(def.label) : group + " / " + def.label;
    if (!caption.empty()) {
        int32_t lo = def.minValue, hi = def.maxValue;
        const uint32_t spin = SpinOf(def.ctrlId);
        if (spin != 0 && controls_.Exists(spin)) controls_.GetSpinRange(spin, lo, hi);
        if (lo > hi) std::swap(lo, hi);
        text += "\n" + caption;
        if (def.controlKind == protocol::ControlKind::SpinEdit)
            text += ": valid range " + std::to_string(lo) + " to " + std::to_string(hi);
    }
    services_.platform.MessageBox(text, "Communication Error", platform::MsgIcon::Exclamation);
}

void CCtrlToolDlg::RefreshFromCamera(uint32_t ctrlId) {
    if (session_.RefreshValue(ctrlId)) display_.ShowValue(ctrlId, Table().GetDataValue(ctrlId));
}

bool CCtrlToolDlg::QueryIntoControl(uint32_t ctrlId, uint32_t cmdId, milliseconds timeout) {
    if (!display_.CameraHas(cmdId)) return false;
    int32_t value = 0;
    if (Engine().QueryInt(cmdId, value, timeout) != 1) return false;
    display_.ShowValue(ctrlId, value);
    return true;
}

void CCtrlToolDlg::RestoreCommitted(uint32_t ctrlId) {
    const int32_t committed = Table().GetCommittedDataValue(ctrlId);
    Table().SetDataValue(ctrlId, committed);
    // Shown by its code: a coded list's committed value is a code, not an index.
    display_.ShowValue(ctrlId, committed);
}

bool CCtrlToolDlg::ChangeCycle(uint32_t ctrlId, int32_t value, bool undo) {
    Table().SetDataValue(ctrlId, value);
    if (WriteChangedValues()) {
        Table().CommitDataValues();
        return true;
    }
    if (undo) {
        RestoreCommitted(ctrlId);
        ReportPutBack();
    }
    return false;
}

void CCtrlToolDlg::RefreshAndCommit(std::initializer_list<uint32_t> ids) {
    for (uint32_t i : ids) RefreshFromCamera(i);
    Table().CommitDataValues();
}

// ---- edits and spins ----------------------------------------------------------------------------

void CCtrlToolDlg::OnEdit(uint32_t editId) {
    const uint32_t spin = SpinOf(editId);
    if (spin == 0 || !controls_.Exists(spin)) return;
    if (IsChromaticEditor(editId)) {
        OnChromaticEdit(editId);
        return;
    }
    ReportOutOfRange(editId, spin);
    const int32_t value = display_.SpinPosition(spin);
    controls_.SetText(editId, std::to_string(value));
    if (editId == protocol::id::kGainLevel10) {
        GainLevelFrom10Bit(value);
        return;
    }
    if (editId == protocol::id::kGainLevel8) {
        GainLevelFrom8Bit(value);
        return;
    }
    // LUT points go to the camera only with their "Read" and "Write" buttons.
    if (IsLutPointEdit(editId)) return;
    ChangeCycle(editId, value);
    EditFollowUps(editId);
}

void CCtrlToolDlg::EditFollowUps(uint32_t editId) {
    switch (editId) {
        case protocol::id::kLineRate:
            UpdateLineRateDisplays();
            break;
        case protocol::id::kExposureTimeG:
            RefreshAndCommit({protocol::id::kExposureTimeR, protocol::id::kExposureTimeB});
            break;
        case protocol::id::kWidth:
        case protocol::id::kOffsetX:
        case protocol::id::kWbWidth:
        case protocol::id::kWbOffset:
            RefreshAndCommit({editId});
            break;
        case protocol::id::kBinningH:
            RefreshAndCommit(
                {protocol::id::kWidth, protocol::id::kOffsetX, protocol::id::kWbWidth, protocol::id::kWbOffset});
            break;
        case protocol::id::kGainLevel:
            RecomputeGainLevels();
            break;
        default:
            break;
    }
}

void CCtrlToolDlg::OnSpin(uint32_t spinId, int delta) {
    const uint32_t buddy = BuddyOf(spinId);
    const int32_t position = buddy != 0 ? display_.SpinPosition(spinId) : controls_.GetSpinPos(spinId);
    int32_t lo = 0, hi = 0;
    controls_.GetSpinRange(spinId, lo, hi);
    if (lo > hi) std::swap(lo, hi);
    const int32_t value = static_cast<int32_t>(std::clamp<int64_t>(static_cast<int64_t>(position) + delta, lo, hi));
    if (buddy == 0) {
        controls_.SetSpinPos(spinId, value);
        SpinFollowUps(spinId);
        return;
    }
    // The spin moves and its buddy shows the new position, as the control does by itself.
    display_.ShowValue(spinId, value);
    if (buddy == protocol::id::kGainLevel10) {
        GainLevelFrom10Bit(value);
        return;
    }
    if (buddy == protocol::id::kGainLevel8) {
        GainLevelFrom8Bit(value);
        return;
    }
    if (IsChromaticEditor(buddy)) {
        OnChromaticEdit(buddy);
        return;
    }
    if (IsLutPointEdit(buddy)) return;
    ChangeCycle(buddy, value);
    SpinFollowUps(spinId);
}

void CCtrlToolDlg::SpinFollowUps(uint32_t spinId) {
    switch (spinId) {
        case protocol::id::kLineRateSpin:
            UpdateLineRateDisplays();
            break;
        case protocol::id::kWidthSpin:
            RefreshAndCommit({protocol::id::kWidth});
            break;
        case protocol::id::kOffsetXSpin:
            RefreshAndCommit({protocol::id::kOffsetX});
            break;
        case protocol::id::kBinningHSpin:
            RefreshAndCommit(
                {protocol::id::kWidth, protocol::id::kOffsetX, protocol::id::kWbWidth, protocol::id::kWbOffset});
            break;
        case protocol::id::kExposureTimeGSpin:
            RefreshAndCommit({protocol::id::kExposureTimeR, protocol::id::kExposureTimeB});
            break;
        case protocol::id::kWbWidthSpin:
            RefreshAndCommit({protocol::id::kWbWidth});
            break;
        case protocol::id::kWbOffsetSpin:
            RefreshAndCommit({protocol::id::kWbOffset});
            break;
        case protocol::id::kGainLevelSpin:
            RecomputeGainLevels();
            break;
        default:
            break;
    }
}

// ---- the gain-level trio: one camera setting in percent, 10 bits and 8 bits ----------------------

void CCtrlToolDlg::SetGainLevelCopies(int32_t level8) {
    Table().SetDataValue(protocol::id::kGainLevel8, level8);
    Table().SetDataValue(protocol::id::kGainLevel10, static_cast<int32_t>(4 * static_cast<int64_t>(level8)));
    ShowChangedValues();
    Table().CommitDataValues();
}

void CCtrlToolDlg::RecomputeGainLevels() {
    const int64_t percent = Table().GetDataValue(protocol::id::kGainLevel);
    SetGainLevelCopies(static_cast<int32_t>((percent * 255 + 99) / 100));
}

void CCtrlToolDlg::GainLevelFrom10Bit(int32_t value) {
    Table().SetDataValue(protocol::id::kGainLevel, static_cast<int32_t>((static_cast<int64_t>(value / 4) * 100) / 255));
    ShowChangedValues();
    WriteChangedValues();
    Table().SetDataValue(protocol::id::kGainLevel10, value);
    Table().SetDataValue(protocol::id::kGainLevel8, value / 4);
    ShowChangedValues();
    Table().CommitDataValues();
}

void CCtrlToolDlg::GainLevelFrom8Bit(int32_t value) {
    Table().SetDataValue(protocol::id::kGainLevel, static_cast<int32_t>((static_cast<int64_t>(value) * 100) / 255));
    ShowChangedValues();
    WriteChangedValues();
    Table().SetDataValue(protocol::id::kGainLevel10, static_cast<int32_t>(4 * static_cast<int64_t>(value)));
    Table().SetDataValue(protocol::id::kGainLevel8, value);
    ShowChangedValues();
    Table().CommitDataValues();
}

// ---- lists ----------------------------------------------------------------------------------------

void CCtrlToolDlg::GenericComboPath(uint32_t id) {
    Table().SetDataValue(id, display_.ReadValue(id));
    ShowChangedValues();
    if (WriteChangedValues()) {
        Table().CommitDataValues();
        return;
    }
    RestoreCommitted(id);
    ReportPutBack();
}

void CCtrlToolDlg::SendComboDirect(uint32_t id, milliseconds timeout, bool lineRateFollowUp) {
    const int32_t value = display_.ReadValue(id);
    Table().SetDataValue(id, value);
    const int32_t cmd = Table().ToCmdId(id);
    if (cmd < 0 || Engine().SendCommandInt(static_cast<uint32_t>(cmd), value, timeout) != 1) {
        RestoreCommitted(id);
        if (cmd >= 0) ReportPutBack();
        return;
    }
    if (lineRateFollowUp) {
        // The camera's shortest line period depends on the format it now sends.
        RefreshFromCamera(protocol::id::kLineRate);
        UpdateLineRateDisplays();
        ShowChangedValues();
    }
    Table().CommitDataValues();
}

void CCtrlToolDlg::ApplyLutRule() {
    if (ApplyLutModeEnabling(controls_)) view_.ShowSecondary(SecondaryWindow::LutEditors, false);
}

void CCtrlToolDlg::OnCombo(uint32_t id) {
    switch (id) {
        case protocol::id::kModelDisplay:
            return;
        case protocol::id::kExposureMode:
            ApplyExposureEnabling(controls_);
            ChangeCycle(id, display_.ReadValue(id), false);
            for (uint32_t r : {protocol::id::kExposureTime, protocol::id::kExposureTimeG, protocol::id::kExposureTimeR,
                               protocol::id::kExposureTimeB, protocol::id::kTriggerMode,
                               protocol::id::kTriggerActivation, protocol::id::kExposureTimeMode})
                RefreshFromCamera(r);
            ShowChangedValues();
            Table().CommitDataValues();
            return;
        case protocol::id::kTriggerMode:
            ApplyTriggerModeEnabling(controls_);
            GenericComboPath(id);
            for (uint32_t r : {protocol::id::kExposureTime, protocol::id::kExposureTimeG, protocol::id::kExposureTimeR,
                               protocol::id::kExposureTimeB})
                RefreshFromCamera(r);
            ShowChangedValues();
            Table().CommitDataValues();
            return;
        case protocol::id::kExposureTimeMode:
            GenericComboPath(id);
            ApplyExposureEnabling(controls_);
            RefreshAndCommit({protocol::id::kExposureTime, protocol::id::kExposureTimeG, protocol::id::kExposureTimeR,
                              protocol::id::kExposureTimeB});
            return;
        case protocol::id::kLutMode:
            ApplyLutRule();
            GenericComboPath(id);
            return;
        case protocol::id::kShadingMode:
        case protocol::id::kPixelBlackMode:
        case protocol::id::kPixelGainMode:
            ApplyCorrectionButtonsEnabling(controls_);
            GenericComboPath(id);
            return;
        case protocol::id::kPixelFormat:
        case protocol::id::kClConfiguration:
        case protocol::id::kLineRateOption:
            SendComboDirect(id, kSlowSetTimeout, true);
            return;
        case protocol::id::kSensorSelect:
            SendComboDirect(id, kSlowSetTimeout, false);
            return;
        case protocol::id::kGainAuto:
        case protocol::id::kWhiteBalance:
            if (!router_.RunSelection(id, controls_.Selection(id))) {
                ReportNotAvailable();
                RestoreCommitted(id);
            }
            return;
        case protocol::id::kCaMode:
        case protocol::id::kCaPoint:
        case protocol::id::kCaSyncMode:
        case protocol::id::kCaColour:
        case protocol::id::kCaMethod:
        case protocol::id::kCaSide:
            OnChromaticCombo(id);
            return;
        case protocol::id::kIndividualGainMode:
            GenericComboPath(id);
            ApplyIndividualGainChange();
            return;
        default:
            GenericComboPath(id);
            return;
    }
}

void CCtrlToolDlg::ApplyIndividualGainChange() {
    const int g = controls_.Selection(protocol::id::kIndividualGainMode);
    if (!ApplyIndividualGainEnabling(controls_, g)) {
        services_.platform.MessageBox("Unkown Parameter", "Error", platform::MsgIcon::Error);
        return;
    }
    if (g == 0)
        RefreshAndCommit(
            {protocol::id::kGainAll, protocol::id::kGainRed, protocol::id::kGainBlue, protocol::id::kGainLevel});
    else
        RefreshAndCommit({protocol::id::kWhiteBalance, protocol::id::kGainGreen, protocol::id::kGainRed,
                          protocol::id::kGainBlue, protocol::id::kGainLevel});
    // The percent was re-read; its two copies follow it.
    RecomputeGainLevels();
}

void CCtrlToolDlg::ApplyModeEnabling() {
    ApplyLutRule();
    ApplyCorrectionButtonsEnabling(controls_);
    for (uint32_t i : {protocol::id::kExposureMode, protocol::id::kExposureTime, protocol::id::kExposureTimeSpin})
        controls_.Enable(i, true);
    for (uint32_t i = protocol::id::kExposureTimeR; i <= protocol::id::kExposureTimeB + 1; ++i)
        controls_.Enable(i, true);
    ApplyIndividualGainEnabling(controls_, controls_.Selection(protocol::id::kIndividualGainMode));
    RecomputeGainLevels();
    ApplyTriggerModeEnabling(controls_);
    ApplyExposureEnabling(controls_);
}

// ---- buttons --------------------------------------------------------------------------------------

void CCtrlToolDlg::QueryIntoText(const char* command, uint32_t ctrlId, milliseconds timeout) {
    int32_t value = 0;
    if (Engine().QueryInt(CommandOf(command), value, timeout) == 1) controls_.SetText(ctrlId, std::to_string(value));
}

void CCtrlToolDlg::ReadCounter(int n) {
    const std::string suffix = std::to_string(n);
    QueryIntoText(("CV" + suffix).c_str(), kCounterFirstValue + kCounterIdStep * n, kCounterTimeout);
    int32_t status = 0;
    if (Engine().QueryInt(CommandOf(("CS" + suffix).c_str()), status, kCounterTimeout) == 1)
        controls_.SetText(kCounterFirstStatus + kCounterIdStep * n, CounterStatusText(status));
}

void CCtrlToolDlg::ResetCounter(int n) {
    Engine().SendCommandInt(CommandOf(("CR" + std::to_string(n)).c_str()), 0, kCounterResetTimeout);
    ReadCounter(n);
}

void CCtrlToolDlg::LutPointRead(uint32_t indexEdit, uint32_t valueEdit, const char* indexCmd, const char* valueCmd) {
    // Without the index the camera would answer for the entry it had before.
    if (Engine().SendCommandInt(CommandOf(indexCmd), display_.ReadValue(indexEdit), kLutPointTimeout) != 1) return;
    int32_t value = 0;
    if (Engine().QueryInt(CommandOf(valueCmd), value, kLutPointTimeout) == 1) display_.ShowValue(valueEdit, value);
}

void CCtrlToolDlg::LutPointWrite(uint32_t indexEdit, uint32_t valueEdit, const char* indexCmd, const char* valueCmd) {
    // Without the index the value would overwrite the entry the camera had selected before.
    if (Engine().SendCommandInt(CommandOf(indexCmd), display_.ReadValue(indexEdit), kLutPointTimeout) != 1) return;
    Engine().SendCommandInt(CommandOf(valueCmd), display_.ReadValue(valueEdit), kLutPointTimeout);
}

void CCtrlToolDlg::OnButton(uint32_t id) {
    for (int n = 0; n < kCounterCount; ++n) {
        if (id == kCounterFirstReset + kCounterIdStep * n) return ResetCounter(n);
        if (id == kCounterFirstRead + kCounterIdStep * n) return ReadCounter(n);
    }
    switch (id) {
        case protocol::id::kReadMinLinePeriod:
            QueryIntoText("LRMIN", protocol::id::kMinLinePeriodText, kQueryTimeout);
            break;
        case protocol::id::kReadExposureLimits:
            QueryIntoText("PEMAX", protocol::id::kExposureMaxText, kQueryTimeout);
            QueryIntoText("PEMIN", protocol::id::kExposureMinText, kQueryTimeout);
            break;
        case protocol::id::kGetTemperature:
            QueryIntoText("TMP0", protocol::id::kTemperature, kTemperatureTimeout);
            break;
        case protocol::id::kLutReadG:
            LutPointRead(protocol::id::kLutIndexG, protocol::id::kLutValueG, "LUTIG", "LUTG");
            break;
        case protocol::id::kLutReadR:
            LutPointRead(protocol::id::kLutIndexR, protocol::id::kLutValueR, "LUTIR", "LUTR");
            break;
        case protocol::id::kLutReadB:
            LutPointRead(protocol::id::kLutIndexB, protocol::id::kLutValueB, "LUTIB", "LUTB");
            break;
        case protocol::id::kLutWriteG:
            LutPointWrite(protocol::id::kLutIndexG, protocol::id::kLutValueG, "LUTIG", "LUTG");
            break;
        case protocol::id::kLutWriteR:
            LutPointWrite(protocol::id::kLutIndexR, protocol::id::kLutValueR, "LUTIR", "LUTR");
            break;
        case protocol::id::kLutWriteB:
            LutPointWrite(protocol::id::kLutIndexB, protocol::id::kLutValueB, "LUTIB", "LUTB");
            break;
        case protocol::id::kCaSave:
            if (display_.ReadValue(protocol::id::kCaMode) != kNoControlValue)
                Engine().SendCommandInt(protocol::cmd::CACS, 0, kChromaticSaveTimeout);
            break;
        case protocol::id::kTerminal:
            if (!view_.ShowSecondary(SecondaryWindow::Terminal, true)) ReportNotAvailable();
            break;
        default:
            if (router_.RunButton(id)) break;
            if (FeatureRouter::IsFeatureButton(id)) ReportNotAvailable();
            break;
    }
}

}  // namespace vr::ui
