// The control-event router of the main window and the handlers of its pages' lists, edits, spins and
// buttons: the change cycle with undo, the derived displays and the follow-up reads.

#include <algorithm>
#include <cstdio>
#include <string>

#include "app/Platform.h"
#include "protocol/Command.h"
#include "protocol/CommandTable.h"
#include "protocol/OnlineStatus.h"
#include "protocol/ParameterTable.h"
#include "settings/ModelCommands.h"
#include "ui/main/ControlIds.h"
#include "ui/main/CtrlToolDlg.h"
#include "ui/main/EnablingRules.h"

namespace vr::ui {
namespace {

using protocol::milliseconds;

constexpr milliseconds kSetTimeout(5000);
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
    return id == id::kLutIndexG || id == id::kLutValueG || id == id::kLutIndexR || id == id::kLutValueR ||
           id == id::kLutIndexB || id == id::kLutValueB;
}

bool IsChromaticEditor(uint32_t id) {
    return id == id::kCaRatio || id == id::kCaValue || id == id::kCaCoefficient;
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
            if (kind != CtrlType::Combo || ctrlId == id::kModelDisplay) return false;
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
                                      app::kAppTitle, app::MsgIcon::Question,
                                      app::MsgButtons::YesNo) == app::MsgResult::Yes)
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

bool CCtrlToolDlg::WriteChangedValues() {
    auto& table = Table();
    for (size_t i = 0; i < table.Size(); ++i) {
        const auto& row = table.Row(i);
        if (row.value == row.committedValue) continue;
        // The editor rows without a command of their own are sent by their editors, never from here.
        if (row.def->cmdId == protocol::cmd::Unnamed) continue;
        int sent = 0;
        {
            // A refusal is told below, with what the operator needs to choose a value that works.
            protocol::Command::Quiet quiet(Engine());
            sent = Engine().SendCommandInt(row.def->cmdId, row.value, kSetTimeout);
        }
        if (sent == 1) continue;
        ReportRefusedValue(*row.def);
        return false;
    }
    return true;
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
    services_.platform.MessageBox(text, "Communication Error", app::MsgIcon::Exclamation);
}

void CCtrlToolDlg::RefreshFromCamera(uint32_t ctrlId) {
    const int32_t cmd = Table().ToCmdId(ctrlId);
    if (cmd < 0) return;
    // A command the camera lacks would only be refused, with a box each time.
    if (!display_.CameraHas(static_cast<uint32_t>(cmd))) return;
    int32_t value = 0;
    if (Engine().QueryInt(static_cast<uint32_t>(cmd), value, kQueryTimeout) != 1) return;
    Table().SetDataValue(ctrlId, value);
    display_.ShowValue(ctrlId, value);
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
    if (editId == id::kGainLevel10) {
        GainLevelFrom10Bit(value);
        return;
    }
    if (editId == id::kGainLevel8) {
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
        case id::kLineRate:
            UpdateLineRateDisplays();
            break;
        case id::kExposureTimeG:
            RefreshAndCommit({id::kExposureTimeR, id::kExposureTimeB});
            break;
        case id::kWidth:
        case id::kOffsetX:
        case id::kWbWidth:
        case id::kWbOffset:
            RefreshAndCommit({editId});
            break;
        case id::kBinningH:
            RefreshAndCommit({id::kWidth, id::kOffsetX, id::kWbWidth, id::kWbOffset});
            break;
        case id::kGainLevel:
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
    if (buddy == id::kGainLevel10) {
        GainLevelFrom10Bit(value);
        return;
    }
    if (buddy == id::kGainLevel8) {
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
        case id::kLineRateSpin:
            UpdateLineRateDisplays();
            break;
        case id::kWidthSpin:
            RefreshAndCommit({id::kWidth});
            break;
        case id::kOffsetXSpin:
            RefreshAndCommit({id::kOffsetX});
            break;
        case id::kBinningHSpin:
            RefreshAndCommit({id::kWidth, id::kOffsetX, id::kWbWidth, id::kWbOffset});
            break;
        case id::kExposureTimeGSpin:
            RefreshAndCommit({id::kExposureTimeR, id::kExposureTimeB});
            break;
        case id::kWbWidthSpin:
            RefreshAndCommit({id::kWbWidth});
            break;
        case id::kWbOffsetSpin:
            RefreshAndCommit({id::kWbOffset});
            break;
        case id::kGainLevelSpin:
            RecomputeGainLevels();
            break;
        default:
            break;
    }
}

// ---- the gain-level trio: one camera setting in percent, 10 bits and 8 bits ----------------------

void CCtrlToolDlg::SetGainLevelCopies(int32_t level8) {
    Table().SetDataValue(id::kGainLevel8, level8);
    Table().SetDataValue(id::kGainLevel10, static_cast<int32_t>(4 * static_cast<int64_t>(level8)));
    ShowChangedValues();
    Table().CommitDataValues();
}

void CCtrlToolDlg::RecomputeGainLevels() {
    const int64_t percent = Table().GetDataValue(id::kGainLevel);
    SetGainLevelCopies(static_cast<int32_t>((percent * 255 + 99) / 100));
}

void CCtrlToolDlg::GainLevelFrom10Bit(int32_t value) {
    Table().SetDataValue(id::kGainLevel, static_cast<int32_t>((static_cast<int64_t>(value / 4) * 100) / 255));
    ShowChangedValues();
    WriteChangedValues();
    Table().SetDataValue(id::kGainLevel10, value);
    Table().SetDataValue(id::kGainLevel8, value / 4);
    ShowChangedValues();
    Table().CommitDataValues();
}

void CCtrlToolDlg::GainLevelFrom8Bit(int32_t value) {
    Table().SetDataValue(id::kGainLevel, static_cast<int32_t>((static_cast<int64_t>(value) * 100) / 255));
    ShowChangedValues();
    WriteChangedValues();
    Table().SetDataValue(id::kGainLevel10, static_cast<int32_t>(4 * static_cast<int64_t>(value)));
    Table().SetDataValue(id::kGainLevel8, value);
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
        RefreshFromCamera(id::kLineRate);
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
        case id::kModelDisplay:
            return;
        case id::kExposureMode:
            ApplyExposureEnabling(controls_);
            ChangeCycle(id, display_.ReadValue(id), false);
            for (uint32_t r : {id::kExposureTime, id::kExposureTimeG, id::kExposureTimeR, id::kExposureTimeB,
                               id::kTriggerMode, id::kTriggerActivation, id::kExposureTimeMode})
                RefreshFromCamera(r);
            ShowChangedValues();
            Table().CommitDataValues();
            return;
        case id::kTriggerMode:
            ApplyTriggerModeEnabling(controls_);
            GenericComboPath(id);
            for (uint32_t r : {id::kExposureTime, id::kExposureTimeG, id::kExposureTimeR, id::kExposureTimeB})
                RefreshFromCamera(r);
            ShowChangedValues();
            Table().CommitDataValues();
            return;
        case id::kExposureTimeMode:
            GenericComboPath(id);
            ApplyExposureEnabling(controls_);
            RefreshAndCommit({id::kExposureTime, id::kExposureTimeG, id::kExposureTimeR, id::kExposureTimeB});
            return;
        case id::kLutMode:
            ApplyLutRule();
            GenericComboPath(id);
            return;
        case id::kShadingMode:
        case id::kPixelBlackMode:
        case id::kPixelGainMode:
            ApplyCorrectionButtonsEnabling(controls_);
            GenericComboPath(id);
            return;
        case id::kPixelFormat:
        case id::kClConfiguration:
        case id::kLineRateOption:
            SendComboDirect(id, kSlowSetTimeout, true);
            return;
        case id::kSensorSelect:
            SendComboDirect(id, kSlowSetTimeout, false);
            return;
        case id::kGainAuto:
        case id::kWhiteBalance:
            if (!router_.RunSelection(id, controls_.GetCurSel(id))) {
                ReportNotAvailable();
                RestoreCommitted(id);
            }
            return;
        case id::kCaMode:
        case id::kCaPoint:
        case id::kCaSyncMode:
        case id::kCaColour:
        case id::kCaMethod:
        case id::kCaSide:
            OnChromaticCombo(id);
            return;
        case id::kIndividualGainMode:
            GenericComboPath(id);
            ApplyIndividualGainChange();
            return;
        default:
            GenericComboPath(id);
            return;
    }
}

void CCtrlToolDlg::ApplyIndividualGainChange() {
    const int g = controls_.GetCurSel(id::kIndividualGainMode);
    if (!ApplyIndividualGainEnabling(controls_, g)) {
        services_.platform.MessageBox("Unkown Parameter", "Error", app::MsgIcon::Error);
        return;
    }
    if (g == 0)
        RefreshAndCommit({id::kGainAll, id::kGainRed, id::kGainBlue, id::kGainLevel});
    else
        RefreshAndCommit({id::kWhiteBalance, id::kGainGreen, id::kGainRed, id::kGainBlue, id::kGainLevel});
    // The percent was re-read; its two copies follow it.
    RecomputeGainLevels();
}

void CCtrlToolDlg::ApplyModeEnabling() {
    ApplyLutRule();
    ApplyCorrectionButtonsEnabling(controls_);
    for (uint32_t i : {id::kExposureMode, id::kExposureTime, id::kExposureTimeSpin}) controls_.Enable(i, true);
    for (uint32_t i = id::kExposureTimeR; i <= id::kExposureTimeB + 1; ++i) controls_.Enable(i, true);
    ApplyIndividualGainEnabling(controls_, controls_.GetCurSel(id::kIndividualGainMode));
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
        case id::kReadMinLinePeriod:
            QueryIntoText("LRMIN", id::kMinLinePeriodText, kQueryTimeout);
            break;
        case id::kReadExposureLimits:
            QueryIntoText("PEMAX", id::kExposureMaxText, kQueryTimeout);
            QueryIntoText("PEMIN", id::kExposureMinText, kQueryTimeout);
            break;
        case id::kGetTemperature:
            QueryIntoText("TMP0", id::kTemperature, kTemperatureTimeout);
            break;
        case id::kLutReadG:
            LutPointRead(id::kLutIndexG, id::kLutValueG, "LUTIG", "LUTG");
            break;
        case id::kLutReadR:
            LutPointRead(id::kLutIndexR, id::kLutValueR, "LUTIR", "LUTR");
            break;
        case id::kLutReadB:
            LutPointRead(id::kLutIndexB, id::kLutValueB, "LUTIB", "LUTB");
            break;
        case id::kLutWriteG:
            LutPointWrite(id::kLutIndexG, id::kLutValueG, "LUTIG", "LUTG");
            break;
        case id::kLutWriteR:
            LutPointWrite(id::kLutIndexR, id::kLutValueR, "LUTIR", "LUTR");
            break;
        case id::kLutWriteB:
            LutPointWrite(id::kLutIndexB, id::kLutValueB, "LUTIB", "LUTB");
            break;
        case id::kCaSave:
            if (display_.ReadValue(id::kCaMode) != kNoControlValue)
                Engine().SendCommandInt(protocol::cmd::CACS, 0, kChromaticSaveTimeout);
            break;
        case id::kTerminal:
            if (!view_.ShowSecondary(SecondaryWindow::Terminal, true)) ReportNotAvailable();
            break;
        default:
            if (router_.RunButton(id)) break;
            if (FeatureRouter::IsFeatureButton(id)) ReportNotAvailable();
            break;
    }
}

}  // namespace vr::ui
