#include "lut/LutEditor.h"

#include <algorithm>

#include "camera/Services.h"
#include "lut/LutTransfer.h"
#include "platform/Platform.h"

namespace vr::lut {

using namespace lutdlg;

CLUTDlg::CLUTDlg(camera::Services& services, LutColour colour, platform::IControlAccess& controls,
                 ILutEditorFrame& frame)
    : services_(services), colour_(colour), controls_(controls), frame_(frame) {}

CLUTDlg::~CLUTDlg() {
    services_.status.Unregister(this);
    services_.dialogs.Remove(this);
}

std::string CLUTDlg::Title(LutColour colour) {
    switch (colour) {
        case LutColour::Green:
            return "LUT Setting for Green";
        case LutColour::Blue:
            return "LUT Setting for Blue";
        case LutColour::Red:
            break;
    }
    return "LUT Setting for Red";
}

const char* CLUTDlg::ModeText(int mode) {
    switch (mode) {
        case static_cast<int>(LutMode::Edit):
            return "Edit Mode";
        case static_cast<int>(LutMode::View):
            return "View Mode";
        default:
            return "Unknown Mode";
    }
}

void CLUTDlg::Init() {
    frame_.SetTitle(Title(colour_));
    curve_.Clear();
    controls_.SetSpinRange(kPointCountSpin, kPointCountMin, kPointCountMax);
    controls_.SetSpinPos(kPointCountSpin, kPointCountInitial);
    controls_.ClearItems(kTableType);
    for (const char* item : kTableTypes) controls_.AddItem(kTableType, item);
    controls_.Enable(kTableType, false);
    controls_.Enable(kWriteToAll, false);
    SetMode(LutMode::Edit);
    initialised_ = true;
    services_.dialogs.Add(this);
    services_.status.Register(this);
}

void CLUTDlg::SetMode(LutMode mode) {
    mode_ = mode;
    controls_.SetText(kModeText, ModeText(static_cast<int>(mode)));
}

const LutTable& CLUTDlg::ShownTable() {
    if (mode_ == LutMode::Edit) table_ = curve_.Table();
    return table_;
}

CLUTDlg::Picture CLUTDlg::Paint() {
    ShownTable();
    Picture picture;
    const auto points = curve_.Points();
    // View Mode draws from the bottom-left corner: the points may lie anywhere by then.
    const PlotPoint start = mode_ == LutMode::Edit ? points.front() : PlotPoint{kPlotLeft, kPlotBottom};
    if (mode_ == LutMode::Edit) picture.points.assign(points.begin(), points.end());
    picture.curve = CurvePolyline(table_, start);
    return picture;
}

LutSnapshot CLUTDlg::Snapshot() {
    ShownTable();
    const auto points = curve_.Points();
    return {{points.begin(), points.end()}, table_, static_cast<int>(mode_)};
}

void CLUTDlg::Restore(const LutSnapshot& state) {
    curve_.SetPoints(state.points);
    table_ = state.table;
    SetMode(static_cast<LutMode>(state.mode));
    frame_.InvalidatePlot();
}

bool CLUTDlg::Undo() {
    gestureStart_.reset();
    const std::optional<LutSnapshot> back = history_.Undo(Snapshot());
    if (back) Restore(*back);
    return back.has_value();
}

bool CLUTDlg::Redo() {
    gestureStart_.reset();
    const std::optional<LutSnapshot> again = history_.Redo(Snapshot());
    if (again) Restore(*again);
    return again.has_value();
}

void CLUTDlg::OnMousePress(MouseButtons buttons, PlotPoint p) {
    gestureStart_ = Snapshot();
    OnMouseMove(buttons, p);
}

void CLUTDlg::OnMouseRelease() {
    if (!gestureStart_) return;
    LutSnapshot before = std::move(*gestureStart_);
    gestureStart_.reset();
    if (!(before == Snapshot())) history_.Record(std::move(before));
}

void CLUTDlg::OnMouseMove(MouseButtons buttons, PlotPoint p) {
    if (!InPlot(p)) return;
    if (!gestureStart_ && buttons != MouseButtons::Other) {
        // A drag whose press went elsewhere: each move that changes something is an edit of its own.
        const LutSnapshot before = Snapshot();
        gestureStart_ = before;
        OnMouseMove(buttons, p);
        OnMouseRelease();
        return;
    }
    switch (buttons) {
        case MouseButtons::LeftOnly:
            curve_.LeftDrag(p);
            frame_.InvalidatePlot();
            break;
        case MouseButtons::RightOnly:
            if (curve_.RightDrag(p)) frame_.InvalidatePlot();
            break;
        case MouseButtons::Other:
            break;
    }
}

bool CLUTDlg::OnReadTableData() {
    services_.platform.BeginWaitCursor();
    const bool complete = ReadLutFromCamera(services_, colour_, table_);
    // The entries read so far stay, the rest keep their values; either way the table is now the
    // camera's and no longer the points'.
    ShowAsRead();
    frame_.Activate();
    services_.platform.EndWaitCursor();
    return complete;
}

void CLUTDlg::OnWriteTableData() {
    ShownTable();
    services_.platform.BeginWaitCursor();
    const TransferReport report = WriteLutToCamera(services_, colour_, table_);
    services_.platform.EndWaitCursor();
    // Entries the camera refused or never answered must not pass for a written table.
    const std::string failures = DescribeFailures(report);
    if (!failures.empty()) services_.platform.MessageBox(failures, Title(colour_), platform::MsgIcon::Exclamation);
}

void CLUTDlg::OnClearTableData() {
    RecordEdit();
    curve_.Clear();
    frame_.InvalidatePlot();
    SetMode(LutMode::Edit);
}

void CLUTDlg::OnConvertEditable() {
    RecordEdit();
    const int32_t n = std::clamp(controls_.GetSpinPos(kPointCountSpin), kPointCountMin, kPointCountMax);
    curve_.ConvertEditable(table_, n);
    SetMode(LutMode::Edit);
    frame_.InvalidatePlot();
}

void CLUTDlg::ShowAsRead() {
    SetMode(LutMode::View);
    frame_.InvalidatePlot();
}

}  // namespace vr::lut
