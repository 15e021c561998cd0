#pragma once
// One colour's LUT editor ("LUT Setting for Red", Green or Blue): the curve of its table, the edit
// points the operator drags with the mouse, the mode (Edit Mode derives the table from the points,
// View Mode shows the table as it was read), and the buttons that read and write the camera's table,
// clear the points and convert the table into points. The window paints what Paint() returns and
// hands mouse moves over in plot coordinates.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "lut/LutCurve.h"
#include "lut/LutEditorFrame.h"
#include "lut/LutHistory.h"
#include "lut/LutTables.h"
#include "platform/ControlAccess.h"
#include "protocol/OnlineStatus.h"

namespace vr::camera {
struct Services;
}

namespace vr::lut {

namespace lutdlg {
inline constexpr uint32_t kTemplateId = 106;
inline constexpr uint32_t kPlot = 1056;
inline constexpr uint32_t kRead = 1133;
inline constexpr uint32_t kWrite = 1054;
inline constexpr uint32_t kClear = 1055;
inline constexpr uint32_t kConvert = 1057;
inline constexpr uint32_t kPointCountEdit = 1134;
inline constexpr uint32_t kPointCountSpin = 1135;
inline constexpr uint32_t kModeText = 1136;
inline constexpr uint32_t kTableType = 1053;
inline constexpr uint32_t kWriteToAll = 1058;
inline constexpr uint32_t kStrip = 1067;

inline constexpr int32_t kPointCountMin = 2;
inline constexpr int32_t kPointCountMax = 16;
inline constexpr int32_t kPointCountInitial = 8;
inline constexpr const char* kTableTypes[] = {"Liner", "0.6", "0.45", "Gamma", "LUT"};
}  // namespace lutdlg

enum class LutMode : int { Edit = 0, View = 1 };

// The buttons held during a mouse move: only the left, only the right, or anything else (none,
// both, or with Shift or Ctrl).
enum class MouseButtons { LeftOnly, RightOnly, Other };

class CLUTDlg final : public protocol::COnlineStatusUpdater, public protocol::IRegisteredDialog {
public:
    CLUTDlg(camera::Services& services, LutColour colour, platform::IControlAccess& controls, ILutEditorFrame& frame);
    ~CLUTDlg() override;
    CLUTDlg(const CLUTDlg&) = delete;
    CLUTDlg& operator=(const CLUTDlg&) = delete;

    // When the window has been created: title, points at the two corners, spin, lists, Edit Mode;
    // joins the status strip and the dialog registry.
    void Init();

    static std::string Title(LutColour colour);
    // "Edit Mode", "View Mode", and "Unknown Mode" for any other value.
    static const char* ModeText(int mode);

    LutColour Colour() const { return colour_; }
    LutMode Mode() const { return mode_; }
    LutCurve& Curve() { return curve_; }
    // The output table, as read or as last derived from the points.
    LutTable& Table() { return table_; }
    // The table as the plot shows it: in Edit Mode the one of the points.
    const LutTable& ShownTable();

    // What a paint shows. In Edit Mode the table follows the points first.
    struct Picture {
        std::vector<PlotPoint> points;  // the edit points, in Edit Mode only
        std::vector<PlotPoint> curve;   // polyline of the table
    };
    Picture Paint();

    // A mouse move at p in plot coordinates; positions outside the plot are ignored. The mouse edits
    // the points in either mode; only Edit Mode shows them and takes the table from them.
    void OnMouseMove(MouseButtons buttons, PlotPoint p);
    // A button pressed at p: the click itself edits as a move with that button does (the left one
    // adds a point on the curve, or takes the point near it; the right one removes the point under
    // it). Everything up to the release is one edit for Undo.
    void OnMousePress(MouseButtons buttons, PlotPoint p);
    void OnMouseRelease();

    // Ctrl+Z and Ctrl+Shift+Z: the edits (points, "Clear Table Data", "Convert Editable") taken
    // back and brought again, one at a time. False when there was nothing to do.
    bool Undo();
    bool Redo();
    bool CanUndo() const { return history_.CanUndo(); }
    bool CanRedo() const { return history_.CanRedo(); }

    // "Read Table Data": the camera's table of this colour, then View Mode (also when the read ended
    // early). True when all 256 entries were read.
    bool OnReadTableData();
    // "Write Table Data": writes the table to the camera; tells the operator when entries failed.
    void OnWriteTableData();
    // "Clear Table Data": the straight line again, Edit Mode.
    void OnClearTableData();
    // "Convert Editable": as many points as the spin says, read off the table, Edit Mode.
    void OnConvertEditable();

    // The table was read from elsewhere (a file): show it as it is.
    void ShowAsRead();
    void Show(bool show) { frame_.ShowWindow(show); }

    // COnlineStatusUpdater
    bool HasStrip() const override { return initialised_ && frame_.HasWindow(); }
    void SetStripPicture(int32_t picture) override { controls_.SetPicture(lutdlg::kStrip, picture); }
    // IRegisteredDialog
    bool HasWindow() const override { return initialised_ && frame_.HasWindow(); }
    void EnableWindow(bool enable) override { frame_.EnableWindow(enable); }

private:
    void SetMode(LutMode mode);
    LutSnapshot Snapshot();
    void Restore(const LutSnapshot& state);
    // An edit outside a mouse gesture (a button) is about to change the editor.
    void RecordEdit() { history_.Record(Snapshot()); }

    camera::Services& services_;
    LutColour colour_;
    platform::IControlAccess& controls_;
    ILutEditorFrame& frame_;
    LutCurve curve_;
    LutTable table_{};
    LutMode mode_ = LutMode::Edit;
    bool initialised_ = false;
    LutHistory history_;
    // The editor as a mouse gesture found it, until its release; a move with a button held but no
    // press seen is an edit of its own.
    std::optional<LutSnapshot> gestureStart_;
};

}  // namespace vr::lut
