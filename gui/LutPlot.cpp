#include "LutPlot.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace vr::gui {

namespace {

using lut::PlotPoint;

constexpr double kUnits = 256.0;
// The grid pen of the editor: a line every tenth of the plot.
const QColor kGridColour(100, 50, 100);
constexpr int kGridDivisions = 10;
// Edit points are circles of this radius in plot units.
constexpr double kPointRadius = 4.0;

// The middle of the device pixel that holds logical coordinate v, so a one-pixel line covers exactly
// one row or column of pixels at any device pixel ratio.
double OnPixel(double v, double ratio) {
    return (std::floor(v * ratio) + 0.5) / ratio;
}

lut::MouseButtons ButtonsOf(const QMouseEvent* event) {
    // Shift or Ctrl held with the button make it another gesture, as they always have.
    if (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)) return lut::MouseButtons::Other;
    if (event->buttons() == Qt::LeftButton) return lut::MouseButtons::LeftOnly;
    if (event->buttons() == Qt::RightButton) return lut::MouseButtons::RightOnly;
    return lut::MouseButtons::Other;
}

double Luminance(QColor c) {
    auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

// Lines of two pixels and more need this much to be followed at a glance.
constexpr double kCurveContrast = 3.0;

}  // namespace

double ContrastRatio(QColor a, QColor b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor ReadableCurveColour(QColor wanted, QColor background) {
    if (ContrastRatio(wanted, background) >= kCurveContrast) return wanted;
    const bool darkBackground = Luminance(background) < 0.18;
    QColor c = wanted.toHsl();
    for (int step = 0; step < 20 && ContrastRatio(c, background) < kCurveContrast; ++step) {
        const float lightness = std::clamp(c.lightnessF() + (darkBackground ? 0.04f : -0.04f), 0.0f, 1.0f);
        c.setHslF(c.hslHueF(), c.hslSaturationF(), lightness);
    }
    return c.toRgb();
}

LutPlot::LutPlot(QColor curveColour, QWidget* parent) : QWidget(parent), curveColour_(curveColour) {
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setCursor(Qt::CrossCursor);
    setAccessibleName(tr("LUT curve"));
}

QMargins LutPlot::LabelMargins() const {
    const QFontMetrics fm = fontMetrics();
    const int half = fm.height() / 2 + 2;
    return {fm.horizontalAdvance("4095") + 8, half, std::max(half, fm.horizontalAdvance("255") / 2 + 2),
            fm.height() + 6};
}

QRectF LutPlot::PlotRect() const {
    const QRect area = rect().marginsRemoved(LabelMargins());
    const double side = std::max(1, std::min(area.width(), area.height()));
    // Square, so a unit is as long across as it is up; centred in the room there is.
    const double left = area.left() + (area.width() - side) / 2.0;
    const double top = area.top() + (area.height() - side) / 2.0;
    return {left, top, side, side};
}

QPointF LutPlot::ToWidget(PlotPoint p) const {
    const QRectF plot = PlotRect();
    return {plot.left() + p.x * plot.width() / kUnits, plot.top() + p.y * plot.height() / kUnits};
}

PlotPoint LutPlot::ToPlot(QPointF position) const {
    const QRectF plot = PlotRect();
    return {static_cast<int32_t>(std::lround((position.x() - plot.left()) * kUnits / plot.width())),
            static_cast<int32_t>(std::lround((position.y() - plot.top()) * kUnits / plot.height()))};
}

QSize LutPlot::sizeHint() const {
    const QMargins m = LabelMargins();
    return {400 + m.left() + m.right(), 400 + m.top() + m.bottom()};
}

QSize LutPlot::minimumSizeHint() const {
    const QMargins m = LabelMargins();
    return {160 + m.left() + m.right(), 160 + m.top() + m.bottom()};
}

void LutPlot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRectF plot = PlotRect();
    const double ratio = devicePixelRatioF();
    const double scale = plot.width() / kUnits;

    painter.fillRect(plot, palette().base());
    // The sunken edge the plot has always had.
    QPen edge(palette().color(QPalette::Mid), 1.0);
    edge.setCosmetic(true);
    painter.setPen(edge);
    painter.drawRect(
        QRectF(OnPixel(plot.left() - 1, ratio), OnPixel(plot.top() - 1, ratio), plot.width() + 1, plot.height() + 1));

    // The grid as the editor has always drawn it: verticals from the left edge, horizontals from the
    // bottom row up, 11 each way.
    QPen gridPen(kGridColour, 1.0);
    gridPen.setCosmetic(true);
    painter.setPen(gridPen);
    const int step = static_cast<int>(kUnits) / kGridDivisions;
    for (int x = 0; x < static_cast<int>(kUnits); x += step) {
        const double wx = OnPixel(plot.left() + x * scale, ratio);
        painter.drawLine(QPointF(wx, plot.top()), QPointF(wx, plot.bottom()));
    }
    for (int y = static_cast<int>(kUnits) - 1; y >= 0; y -= step) {
        const double wy = OnPixel(plot.top() + y * scale, ratio);
        painter.drawLine(QPointF(plot.left(), wy), QPointF(plot.right(), wy));
    }

    painter.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics fm = fontMetrics();
    const struct {
        const char* text;
        int y;
    } outputs[] = {{"4095", 0}, {"2048", 128}, {"0", 256}};
    for (const auto& label : outputs) {
        const QRectF box(0, ToWidget({0, label.y}).y() - fm.height() / 2.0, plot.left() - 6, fm.height());
        painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, label.text);
    }
    const struct {
        const char* text;
        int x;
    } inputs[] = {{"0", 0}, {"128", 128}, {"255", 255}};
    for (const auto& label : inputs) {
        const double cx = ToWidget({label.x, 0}).x();
        const QRectF box(cx - 40, plot.bottom() + 3, 80, fm.height());
        painter.drawText(box, Qt::AlignHCenter | Qt::AlignTop, label.text);
    }

    if (editor_ == nullptr) return;
    const lut::CLUTDlg::Picture picture = editor_->Paint();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setClipRect(plot.adjusted(-kPointRadius * scale - 2, -kPointRadius * scale - 2, kPointRadius * scale + 2,
                                      kPointRadius * scale + 2));

    QPen curvePen(ReadableCurveColour(curveColour_, palette().color(QPalette::Base)),
                  std::clamp(2.0 * scale, 2.0, 4.0));
    curvePen.setJoinStyle(Qt::RoundJoin);
    curvePen.setCapStyle(Qt::RoundCap);
    painter.setPen(curvePen);
    QPainterPath curve;
    if (!picture.curve.empty()) {
        curve.moveTo(ToWidget(picture.curve.front()));
        for (size_t i = 1; i < picture.curve.size(); ++i) curve.lineTo(ToWidget(picture.curve[i]));
    }
    painter.drawPath(curve);

    // The points above the curve, so they can be seen and grabbed where it passes through them.
    painter.setPen(QPen(kGridColour, 1.5));
    painter.setBrush(Qt::white);
    const double radius = std::max(kPointRadius, kPointRadius * scale);
    for (const PlotPoint& p : picture.points) painter.drawEllipse(ToWidget(p), radius, radius);
}

void LutPlot::Edit(QMouseEvent* event) {
    if (editor_ != nullptr) editor_->OnMouseMove(ButtonsOf(event), ToPlot(event->position()));
    AnnounceLevels(event->position());
}

void LutPlot::mousePressEvent(QMouseEvent* event) {
    // A click edits as the usage notes say (left adds a point, right removes one); a drag goes on
    // from there, and the whole gesture is one edit for Undo.
    if (editor_ != nullptr) editor_->OnMousePress(ButtonsOf(event), ToPlot(event->position()));
    AnnounceLevels(event->position());
    event->accept();
}

void LutPlot::mouseReleaseEvent(QMouseEvent* event) {
    if (editor_ != nullptr) editor_->OnMouseRelease();
    event->accept();
}

void LutPlot::mouseMoveEvent(QMouseEvent* event) {
    Edit(event);
    event->accept();
}

void LutPlot::leaveEvent(QEvent* event) {
    emit cursorLevels(QString());
    QWidget::leaveEvent(event);
}

void LutPlot::AnnounceLevels(QPointF position) {
    const PlotPoint p = ToPlot(position);
    if (!lut::InPlot(p)) {
        emit cursorLevels(QString());
        return;
    }
    const int input = std::min(p.x, lut::kLutEntries - 1);
    const int output = std::clamp((lut::kPlotBottom - p.y) * 16, 0, static_cast<int>(lut::kLutMaxValue));
    QString text = QString("Input %1   Output %2").arg(input).arg(output);
    if (editor_ != nullptr) text += QString("   Table %1").arg(editor_->ShownTable()[static_cast<size_t>(input)]);
    emit cursorLevels(text);
}

}  // namespace vr::gui
