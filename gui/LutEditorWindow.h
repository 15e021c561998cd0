#pragma once
// A LUT editor's window ("LUT Setting for Red", Green, Blue): the buttons, the point count and the
// mode on the left, the plot on the right (it grows with the window), the usage notes, and the
// status strip along the bottom. Closing it only hides it. It is an ordinary window of its own, not
// one kept above the main window; Ctrl+Z and Ctrl+Shift+Z undo and redo its edits.

#include <QDialog>
#include <memory>

#include "WidgetBinding.h"
#include "camera/Services.h"
#include "lut/LutEditor.h"

class QLabel;

namespace vr::gui {

class LutPlot;
class StatusStrip;

class LutEditorWindow : public QDialog, public lut::ILutEditorFrame {
    Q_OBJECT
public:
    LutEditorWindow(camera::Services& services, lut::LutColour colour, QWidget* parent = nullptr);
    ~LutEditorWindow() override;

    lut::CLUTDlg& Logic() { return *logic_; }
    WidgetBinding& Controls() { return controls_; }
    LutPlot* Plot() const { return plot_; }
    QLabel* Readout() const { return readout_; }

    // The curve colour of a channel.
    static QColor CurveColour(lut::LutColour colour);

    // lut::ILutEditorFrame
    void SetTitle(const std::string& title) override;
    bool HasWindow() const override { return true; }
    void EnableWindow(bool enable) override { setEnabled(enable); }
    void ShowWindow(bool show) override;
    void Activate() override;
    void InvalidatePlot() override;

protected:
    void reject() override { hide(); }

private:
    void Build(lut::LutColour colour);

    camera::Services& services_;
    WidgetBinding controls_;
    LutPlot* plot_ = nullptr;
    QLabel* readout_ = nullptr;
    StatusStrip* strip_ = nullptr;
    std::unique_ptr<lut::CLUTDlg> logic_;
};

}  // namespace vr::gui
