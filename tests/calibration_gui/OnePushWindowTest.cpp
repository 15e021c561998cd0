// A one-push button of the desktop tool: the progress window keeps its elapsed time up while the
// camera works on the start command, with no Cancel meanwhile, and the result arrives in a message
// box. Against the virtual camera over a pseudo-terminal.

#include <QApplication>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "ProgressWindow.h"
#include "QtPlatform.h"
#include "QtTestMain.h"
#include "StartedDesktopTool.h"
#include "sim/PtyServer.h"

using namespace vr;

namespace {

// Message boxes recorded instead of shown; the progress window closes without its pause.
class RecordingPlatform : public gui::QtPlatform {
public:
    RecordingPlatform() { SetProgressFinishPauseMs(0); }
    app::MsgResult MessageBox(const std::string& text, const std::string& caption, app::MsgIcon,
                              app::MsgButtons) override {
        boxes.push_back(caption + ": " + text);
        return app::MsgResult::Ok;
    }
    std::vector<std::string> boxes;
};

// What the progress window showed while the camera was busy with a start command.
struct Sample {
    QString text;
    bool cancelShown;
    bool windowEnabled;
};

}  // namespace

class OnePushWindowTest : public QObject {
    Q_OBJECT
public:
    explicit OnePushWindowTest(const QString& folder) : folder_(folder) {}

private slots:
    void initTestCase() {
        sim::SimOptions options;
        options.model = "KA";
        options.shadingMs = 2600;
        std::string error;
        QVERIFY2(camera_.Start(options, &error), error.c_str());
        tool_.Start(platform_, folder_ + "/config", camera_.DevicePath());
    }

    void shadingShowsItsTimeWhileTheCameraWorks() {
        std::vector<Sample> samples;
        QTimer sampler;
        connect(&sampler, &QTimer::timeout, this, [&] {
            gui::ProgressWindow* progress = platform_.Progress();
            bool busy = false;
            camera_.Inspect([&](const sim::VirtualCamera& c) { busy = c.Busy(); });
            if (progress == nullptr || !busy) return;
            samples.push_back({progress->Text(), progress->CancelButton()->isVisible(), tool_.window->isEnabled()});
        });
        sampler.start(100);
        Button(1121)->click();
        sampler.stop();
        QCOMPARE(platform_.boxes, (std::vector<std::string>{"Shading Calibration: Complete"}));
        QVERIFY(!samples.empty());
        const QRegularExpression format("^Shading calibration: (\\d+) s of at most 420 s$");
        int latest = -1;
        for (const auto& s : samples) {
            const auto match = format.match(s.text);
            QVERIFY2(match.hasMatch(), qPrintable(s.text));
            latest = std::max(latest, match.captured(1).toInt());
            QVERIFY2(!s.cancelShown, "no Cancel while the camera works on the start command");
            QVERIFY(!s.windowEnabled);
        }
        QVERIFY2(latest >= 1, "the elapsed time moved on while the start command waited");
        QVERIFY(tool_.window->isEnabled());
    }

    void cleanupTestCase() {
        tool_.Close();
        camera_.Stop();
        tool_.core.reset();
    }

private:
    QPushButton* Button(uint32_t id) const { return qobject_cast<QPushButton*>(tool_.window->Binding().Widget(id)); }

    QString folder_;
    RecordingPlatform platform_;
    sim::PtyServer camera_;
    vr::test::StartedDesktopTool tool_;
};

int main(int argc, char** argv) {
    return ::test::RunQtTests<OnePushWindowTest>(argc, argv);
}

#include "OnePushWindowTest.moc"
