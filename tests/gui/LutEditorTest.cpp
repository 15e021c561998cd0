// The LUT editor windows: the plot under the mouse, and the three editors in the desktop tool
// against the virtual camera.

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "GuiTests.h"
#include "LutEditorWindow.h"
#include "LutPlot.h"
#include "StartedDesktopTool.h"
#include "app/CoreServices.h"
#include "sim/PtyServer.h"
#include "sim/VirtualCamera.h"
#include "ui/main/ControlIds.h"

using namespace vr;
using lut::PlotPoint;

namespace {

void Mouse(QWidget* widget, QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// Press, move with the left button held through `path`, release.
void Drag(gui::LutPlot* plot, std::initializer_list<PlotPoint> path) {
    const QPointF start = plot->ToWidget(*path.begin());
    Mouse(plot, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    for (PlotPoint p : path) Mouse(plot, QEvent::MouseMove, plot->ToWidget(p), Qt::NoButton, Qt::LeftButton);
    Mouse(plot, QEvent::MouseButtonRelease, plot->ToWidget(*(path.end() - 1)), Qt::LeftButton, Qt::NoButton);
}

}  // namespace

void LutEditorTest::aDragAddsAPointAndChangesTheTableAtAnySize() {
    app::CoreServices core(platform_, (folder_ + "/lut-editor").toStdString());
    gui::LutEditorWindow window(core.Get(), lut::LutColour::Red);
    QCOMPARE(window.windowTitle(), QString("LUT Setting for Red"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    gui::LutPlot* plot = window.Plot();
    plot->repaint();
    const lut::LutTable straight = window.Logic().Table();
    QCOMPARE(straight[128], 2048);

    for (const QSize size : {QSize(640, 560), QSize(1100, 900)}) {
        window.resize(size);
        QTRY_COMPARE(window.size(), size);
        // Plot units map to the widget and back, whatever its size.
        for (const PlotPoint p : {PlotPoint{0, 0}, PlotPoint{128, 77}, PlotPoint{256, 256}})
            QCOMPARE(plot->ToPlot(plot->ToWidget(p)), p);
        QVERIFY(plot->PlotRect().width() > 256 * (size.width() > 700 ? 2 : 1));
        window.Logic().OnClearTableData();

        // Far from both corners: the first move adds the point, the next ones move it.
        Drag(plot, {{100, 90}, {128, 60}, {130, 58}});
        plot->repaint();
        const auto points = window.Logic().Curve().Points();
        QCOMPARE(points.size(), size_t{3});
        QCOMPARE(points[1], (PlotPoint{130, 58}));
        const lut::LutTable& table = window.Logic().Table();
        QVERIFY(table != straight);
        QVERIFY(std::abs(table[130] - (256 - 58) * 16) < 40);  // the curve runs through the point
        QCOMPARE(window.Readout()->text(), QString("Input 130   Output 3168   Table %1").arg(table[130]));
    }

    // Shift makes it another gesture; the right button takes the point away again.
    QMouseEvent shifted(QEvent::MouseMove, plot->ToWidget({60, 60}), plot->mapToGlobal(plot->ToWidget({60, 60})),
                        Qt::NoButton, Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(plot, &shifted);
    QCOMPARE(window.Logic().Curve().Count(), 3);
    Mouse(plot, QEvent::MouseMove, plot->ToWidget({132, 60}), Qt::NoButton, Qt::RightButton);
    QCOMPARE(window.Logic().Curve().Count(), 2);

    window.close();
    QVERIFY(!window.isVisible());
}

void LutEditorTest::openLutTableShowsTheEditorsThatReadAndWriteTheCamera() {
    sim::PtyServer camera;
    sim::SimOptions options;
    options.linkPath = (folder_ + "/lut-camera").toStdString();
    std::string error;
    QVERIFY2(camera.Start(options, &error), error.c_str());
    platform_.boxes.clear();
    {
        vr::test::StartedDesktopTool tool;
        tool.Start(platform_, folder_ + "/lut-config", camera.LinkPath());
        gui::MainWindow& window = *tool.window;
        gui::Features& features = *tool.features;
        gui::LutEditorWindow* red = features.LutWindow(lut::LutColour::Red);
        gui::LutEditorWindow* green = features.LutWindow(lut::LutColour::Green);
        gui::LutEditorWindow* blue = features.LutWindow(lut::LutColour::Blue);
        QVERIFY(!red->isVisible() && !green->isVisible() && !blue->isVisible());

        // "LUT" in the selector enables the button; the button opens all three.
        window.Tabs()->setCurrentIndex(1);
        auto* selector = window.Binding().As<QComboBox>(ui::id::kLutMode);
        selector->setCurrentIndex(2);
        window.Logic().OnControlEvent(ui::id::kLutMode, {ui::ControlEventType::SelChange});
        auto* open = window.Binding().As<QPushButton>(ui::id::kOpenLutTable);
        QVERIFY(open->isEnabled());
        QTest::mouseClick(open, Qt::LeftButton);
        QVERIFY(red->isVisible() && green->isVisible() && blue->isVisible());
        QCOMPARE(green->windowTitle(), QString("LUT Setting for Green"));
        QCOMPARE(green->pos() - red->pos(), QPoint(50, 50));
        QCOMPARE(blue->pos() - green->pos(), QPoint(50, 50));

        // A curve drawn on red goes to the camera's red table; a read shows the camera's green one.
        Drag(red->Plot(), {{90, 100}, {96, 96}});
        red->Plot()->repaint();
        QTest::mouseClick(red->Controls().As<QPushButton>(lut::lutdlg::kWrite), Qt::LeftButton);
        const lut::LutTable written = red->Logic().Table();
        QVERIFY(written[96] > 2500);
        int32_t entry = -1;
        camera.Inspect([&](const sim::VirtualCamera& c) { entry = c.LutEntry(0, 96); });
        QCOMPARE(entry, written[96]);
        QTest::mouseClick(green->Controls().As<QPushButton>(lut::lutdlg::kRead), Qt::LeftButton);
        QCOMPARE(green->Controls().GetText(lut::lutdlg::kModeText), std::string("View Mode"));
        QVERIFY(platform_.boxes.empty());

        // Closing one only hides it; "Off" hides the others and keeps their tables.
        red->close();
        QVERIFY(!red->isVisible());
        selector->setCurrentIndex(0);
        window.Logic().OnControlEvent(ui::id::kLutMode, {ui::ControlEventType::SelChange});
        QVERIFY(!green->isVisible() && !blue->isVisible());
        QVERIFY(!open->isEnabled());
        QCOMPARE(red->Logic().Table(), written);

        window.Logic().SetCloseWithoutConfirm(true);
        window.Logic().OnDestroy();
        platform_.SetMainWindow(nullptr);
        tool.features.reset();
    }
    camera.Stop();
}
