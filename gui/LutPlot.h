#pragma once
// The plot of a LUT editor: the grid, the edit points and the curve of the table, drawn in the
// editor's 256 by 256 plot units mapped onto whatever size the window gives it (anti-aliased, the
// grid on whole device pixels so it stays crisp at any scale), with the scale labels around it.
// Mouse moves go to the editor in plot units; the levels under the cursor are announced.

#include <QWidget>

#include "lut/LutEditor.h"

namespace vr::gui {

// The contrast of two colours as the web's accessibility guidelines reckon it: 1 (none) to 21.
double ContrastRatio(QColor a, QColor b);
// The channel's colour where it stands out from the plot's background by at least 3 to 1, else the
// same hue made lighter (on a dark background) or darker (on a light one) until it does.
QColor ReadableCurveColour(QColor wanted, QColor background);

class LutPlot : public QWidget {
    Q_OBJECT
public:
    explicit LutPlot(QColor curveColour, QWidget* parent = nullptr);

    void SetEditor(lut::CLUTDlg* editor) { editor_ = editor; }

    // Where the plot's 256 by 256 units lie in the widget.
    QRectF PlotRect() const;
    QPointF ToWidget(lut::PlotPoint p) const;
    // The plot point nearest a widget position (outside the plot when the position is).
    lut::PlotPoint ToPlot(QPointF position) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // "Input 128   Output 2048   Table 2047" under the cursor; empty when it left the plot.
    void cursorLevels(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void Edit(QMouseEvent* event);
    void AnnounceLevels(QPointF position);
    QMargins LabelMargins() const;

    QColor curveColour_;
    lut::CLUTDlg* editor_ = nullptr;
};

}  // namespace vr::gui
