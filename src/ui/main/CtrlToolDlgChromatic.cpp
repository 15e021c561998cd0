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
constexpr protocol::milliseconds kModeQueryTimeout(5000);
constexpr int32_t kLensCount = 4;
constexpr int32_t kColourCount = 2;
constexpr int32_t kPointCount = 9;
constexpr int kSideBoth = 0, kSideLeft = 1, kSideRight = 2;

// First command of each family; a family is indexed by lens + 4 x colour.
constexpr int32_t kSyncModeFirst = 145;  // "CACSM0"
constexpr int32_t kValueFirst = 149, kRightValueFirst = 157;
constexpr int32_t kMethodFirst = 165;  // "CACMT0"
constexpr int32_t kRatioFirst = 169, kRightRatioFirst = 240;
constexpr int32_t kCoefficientFirst = 305, kRightCoefficientFirst = 313;

bool ValidLens(int32_t lens) {
    return lens >= 0 && lens < kLensCount;
}

}  // namespace

int32_t CCtrlToolDlg::LensOfModeList() {
    const int32_t lens = display_.ReadValue(protocol::id::kCaMode);
    return ValidLens(lens) ? lens : -1;
}

int32_t CCtrlToolDlg::ChromaticCommand(uint32_t editId, int32_t& lens) {
    int32_t m = 0;
    if (Engine().QueryInt(protocol::FindCommand("CACM"), m, kTimeout) != 1) return -1;
    // Any other answer would address commands outside the family.
    if (!ValidLens(m)) return -1;
    const int c = controls_.GetCurSel(protocol::id::kCaColour);
    const int k = controls_.GetCurSel(protocol::id::kCaPoint);
    const int side = controls_.GetCurSel(protocol::id::kCaSide);
    if (c < 0 || c >= kColourCount || k < 0 || k >= kPointCount || side < kSideBoth || side > kSideRight) return -1;
    lens = m;
    const int32_t family = m + kLensCount * c;
    const bool right = side == kSideRight;
    switch (editId) {
        case protocol::id::kCaRatio:
            // The right side has no point 0: its ratios run from point 1.
            if (right) return k == 0 ? -1 : kRightRatioFirst + 8 * family + k;
            return kRatioFirst + kPointCount * family + k;
        case protocol::id::kCaValue:
            return (right ? kRightValueFirst : kValueFirst) + family;
        case protocol::id::kCaCoefficient:
            return (right ? kRightCoefficientFirst : kCoefficientFirst) + family;
        default:
            return -1;
    }
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
    if (editId == protocol::id::kCaRatio) QueryIntoControl(protocol::id::kCaMethod, kMethodFirst + lens, kTimeout);
    if (editId == protocol::id::kCaCoefficient) RefreshChromaticEditor(protocol::id::kCaRatio);
}

void CCtrlToolDlg::ChromaticModeChanged() {
    GenericComboPath(protocol::id::kCaMode);
    const int32_t lens = LensOfModeList();
    EnableChromaticEditors(controls_, lens > 0);
    if (lens < 0) return;
    QueryIntoControl(protocol::id::kCaSyncMode, kSyncModeFirst + lens, kTimeout);
    QueryIntoControl(protocol::id::kCaMethod, kMethodFirst + lens, kTimeout);
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
            const uint32_t cmd = static_cast<uint32_t>(kSyncModeFirst + lens);
            if (Engine().SendCommandInt(cmd, sync, kTimeout) == 1)
                display_.ShowValue(protocol::id::kCaSide, sync != 0 ? 1 : 0);
            else
                QueryIntoControl(protocol::id::kCaSyncMode, cmd, kTimeout);
            return;
        }
        case protocol::id::kCaMethod: {
            const int32_t lens = LensOfModeList();
            if (lens < 0) return;
            const uint32_t cmd = static_cast<uint32_t>(kMethodFirst + lens);
            if (Engine().SendCommandInt(cmd, display_.ReadValue(protocol::id::kCaMethod), kTimeout) == 1)
                RefreshChromaticEditor(protocol::id::kCaRatio);
            else
                QueryIntoControl(protocol::id::kCaMethod, cmd, kTimeout);
            return;
        }
        case protocol::id::kCaSide: {
            // Synchronous correction works on both sides at once; asynchronous on one side at a time.
            const int32_t sync = display_.ReadValue(protocol::id::kCaSyncMode);
            if (controls_.GetCurSel(protocol::id::kCaSide) != kSideBoth && sync == 0)
                display_.ShowValue(protocol::id::kCaSide, kSideBoth);
            if (controls_.GetCurSel(protocol::id::kCaSide) == kSideRight &&
                controls_.GetCurSel(protocol::id::kCaPoint) == 0)
                display_.ShowValue(protocol::id::kCaPoint, 1);
            if (controls_.GetCurSel(protocol::id::kCaSide) == kSideBoth && sync == 1)
                display_.ShowValue(protocol::id::kCaSide, kSideLeft);
            RefreshChromaticEditors();
            return;
        }
        case protocol::id::kCaColour:
            RefreshChromaticEditors();
            return;
        case protocol::id::kCaPoint:
            if (controls_.GetCurSel(protocol::id::kCaPoint) == 0 &&
                controls_.GetCurSel(protocol::id::kCaSide) == kSideRight)
                display_.ShowValue(protocol::id::kCaPoint, 1);
            RefreshChromaticEditor(protocol::id::kCaRatio);
            return;
        default:
            return;
    }
}

void CCtrlToolDlg::RefreshChromaticAberration() {
    int32_t lens = 0;
    if (Engine().QueryInt(protocol::FindCommand("CACM"), lens, kModeQueryTimeout) != 1) return;
    EnableChromaticEditors(controls_, lens != 0);
    RefreshFromCamera(protocol::id::kCaMode);
    // The mode row is never read with the others; what the camera has is what is committed.
    Table().CommitDataValues();
    if (!ValidLens(lens)) return;
    QueryIntoControl(protocol::id::kCaSyncMode, kSyncModeFirst + lens, kTimeout);
    display_.ShowValue(protocol::id::kCaSide, kSideBoth);
    display_.ShowValue(protocol::id::kCaPoint, 1);
    display_.ShowValue(protocol::id::kCaColour, 0);
    QueryIntoControl(protocol::id::kCaMethod, kMethodFirst + lens, kTimeout);
    RefreshChromaticEditors();
    services_.platform.PumpMessages();
}

}  // namespace vr::ui
