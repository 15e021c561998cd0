// The chromatic aberration correction editors (page "User C"): one ratio, value and coefficient
// editor for the whole family of camera commands, addressed by lens, colour, point and side.

#include "platform/Platform.h"
#include "protocol/Command.h"
#include "protocol/CommandTable.h"
#include "protocol/ControlIds.h"
#include "protocol/ParameterTable.h"
#include "ui/main/CtrlToolDlg.h"
#include "ui/main/EnablingRules.h"

namespace vr::ui {
namespace {

constexpr protocol::milliseconds kTimeout(3000);

camera::ChromaticEditor EditorOf(uint32_t editId) {
    switch (editId) {
        case protocol::id::kCaRatio:
            return camera::ChromaticEditor::Ratio;
        case protocol::id::kCaValue:
            return camera::ChromaticEditor::Value;
        default:
            return camera::ChromaticEditor::Coefficient;
    }
}

bool IsEditor(uint32_t editId) {
    return editId == protocol::id::kCaRatio || editId == protocol::id::kCaValue ||
           editId == protocol::id::kCaCoefficient;
}

}  // namespace

int32_t CCtrlToolDlg::LensOfModeList() {
    const int32_t lens = display_.ReadValue(protocol::id::kCaMode);
    return camera::IsChromaticLens(lens) ? lens : -1;
}

int32_t CCtrlToolDlg::ChromaticCommand(uint32_t editId, int32_t& lens) {
    int32_t m = 0;
    if (Engine().QueryInt(static_cast<uint32_t>(camera::ChromaticModeCommand()), m, kTimeout) != 1) return -1;
    if (!IsEditor(editId)) return -1;
    const camera::ChromaticSelection selection{controls_.Selection(protocol::id::kCaColour),
                                               controls_.Selection(protocol::id::kCaPoint),
                                               controls_.Selection(protocol::id::kCaSide)};
    const int32_t cmd = camera::ChromaticCommand(EditorOf(editId), m, selection);
    if (cmd >= 0) lens = m;
    return cmd;
}

void CCtrlToolDlg::RefreshChromaticEditor(uint32_t editId) {
    int32_t lens = 0;
    const int32_t cmd = ChromaticCommand(editId, lens);
    if (cmd >= 0) QueryIntoControl(editId, static_cast<uint32_t>(cmd), kTimeout);
}

void CCtrlToolDlg::RefreshChromaticEditors() {
    for (uint32_t e : {protocol::id::kCaRatio, protocol::id::kCaValue, protocol::id::kCaCoefficient})
        RefreshChromaticEditor(e);
}

void CCtrlToolDlg::OnChromaticEdit(uint32_t editId) {
    int32_t lens = 0;
    const int32_t cmd = ChromaticCommand(editId, lens);
    if (cmd < 0) return;
    if (Engine().SendCommandInt(static_cast<uint32_t>(cmd), display_.ReadValue(editId), kTimeout) != 1) {
        // A refused value must not stay on screen as if the camera had it.
        QueryIntoControl(editId, static_cast<uint32_t>(cmd), kTimeout);
        return;
    }
    if (editId == protocol::id::kCaRatio)
        QueryIntoControl(protocol::id::kCaMethod, camera::ChromaticMethodCommand(lens), kTimeout);
    if (editId == protocol::id::kCaCoefficient) RefreshChromaticEditor(protocol::id::kCaRatio);
}

void CCtrlToolDlg::ChromaticModeChanged() {
    GenericComboPath(protocol::id::kCaMode);
    const int32_t lens = LensOfModeList();
    ui::EnableChromaticEditors(controls_, lens > 0);
    if (lens < 0) return;
    QueryIntoControl(protocol::id::kCaSyncMode, camera::ChromaticSyncModeCommand(lens), kTimeout);
    QueryIntoControl(protocol::id::kCaMethod, camera::ChromaticMethodCommand(lens), kTimeout);
    RefreshChromaticEditors();
}

void CCtrlToolDlg::OnChromaticCombo(uint32_t id) {
    switch (id) {
        case protocol::id::kCaMode:
            ChromaticModeChanged();
            return;
        case protocol::id::kCaSyncMode: {
            const int32_t lens = LensOfModeList();
            if (lens < 0) return;
            const int32_t sync = display_.ReadValue(protocol::id::kCaSyncMode);
            const uint32_t cmd = static_cast<uint32_t>(camera::ChromaticSyncModeCommand(lens));
            if (Engine().SendCommandInt(cmd, sync, kTimeout) == 1)
                display_.ShowValue(protocol::id::kCaSide, sync != 0 ? 1 : 0);
            else
                QueryIntoControl(protocol::id::kCaSyncMode, cmd, kTimeout);
            return;
        }
        case protocol::id::kCaMethod: {
            const int32_t lens = LensOfModeList();
            if (lens < 0) return;
            const uint32_t cmd = static_cast<uint32_t>(camera::ChromaticMethodCommand(lens));
            if (Engine().SendCommandInt(cmd, display_.ReadValue(protocol::id::kCaMethod), kTimeout) == 1)
                RefreshChromaticEditor(protocol::id::kCaRatio);
            else
                QueryIntoControl(protocol::id::kCaMethod, cmd, kTimeout);
            return;
        }
        case protocol::id::kCaSide: {
            // Synchronous correction works on both sides at once; asynchronous on one side at a time.
            const int32_t sync = display_.ReadValue(protocol::id::kCaSyncMode);
            if (controls_.Selection(protocol::id::kCaSide) != camera::kChromaticSideBoth && sync == 0)
                display_.ShowValue(protocol::id::kCaSide, camera::kChromaticSideBoth);
            if (controls_.Selection(protocol::id::kCaSide) == camera::kChromaticSideRight &&
                controls_.Selection(protocol::id::kCaPoint) == 0)
                display_.ShowValue(protocol::id::kCaPoint, 1);
            if (controls_.Selection(protocol::id::kCaSide) == camera::kChromaticSideBoth && sync == 1)
                display_.ShowValue(protocol::id::kCaSide, camera::kChromaticSideLeft);
            RefreshChromaticEditors();
            return;
        }
        case protocol::id::kCaColour:
            RefreshChromaticEditors();
            return;
        case protocol::id::kCaPoint:
            if (controls_.Selection(protocol::id::kCaPoint) == 0 &&
                controls_.Selection(protocol::id::kCaSide) == camera::kChromaticSideRight)
                display_.ShowValue(protocol::id::kCaPoint, 1);
            RefreshChromaticEditor(protocol::id::kCaRatio);
            return;
        default:
            return;
    }
}

void CCtrlToolDlg::RefreshChromaticAberration() {
    const camera::ChromaticRead read = camera::ReadChromaticAberration(session_);
    ShowChromaticRead(read);
    if (read.answered && camera::IsChromaticLens(read.lens)) services_.platform.PumpMessages();
}

void CCtrlToolDlg::ShowChromaticRead(const camera::ChromaticRead& read) {
    if (!read.answered) return;
    ui::EnableChromaticEditors(controls_, read.lens != 0);
    if (read.modeRead) display_.ShowValue(protocol::id::kCaMode, Table().GetDataValue(protocol::id::kCaMode));
    if (!camera::IsChromaticLens(read.lens)) return;
    if (read.syncMode) display_.ShowValue(protocol::id::kCaSyncMode, *read.syncMode);
    const camera::ChromaticSelection selection;
    display_.ShowValue(protocol::id::kCaSide, selection.side);
    display_.ShowValue(protocol::id::kCaPoint, selection.point);
    display_.ShowValue(protocol::id::kCaColour, selection.colour);
    if (read.method) display_.ShowValue(protocol::id::kCaMethod, *read.method);
    if (read.ratio) display_.ShowValue(protocol::id::kCaRatio, *read.ratio);
    if (read.value) display_.ShowValue(protocol::id::kCaValue, *read.value);
    if (read.coefficient) display_.ShowValue(protocol::id::kCaCoefficient, *read.coefficient);
}

}  // namespace vr::ui
