// vr8200-control: the desktop tool.
//   --simulate KA|KB  a virtual camera in this process, on a pseudo-terminal that the port list shows
//   --port DEVICE     the serial device or port server (rfc2217://HOST:PORT, tcp://HOST:PORT) to use;
//                     remembered like a port chosen in the window
//   --link MODE       cl2000, cl2001 or cl11: a camera behind a Camera Link frame grabber (with
//   --port-index N)   the port's index), remembered like a port chosen in the window
//   --factory         factory control mode for this run (the stored mode is kept)
//   --screenshots DIR pictures of every page and window for review, then exit
//   --journal FILE    the change journal of this run; --no-journal: none

#include <unistd.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>
#include <QStandardPaths>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <memory>

#include "DesktopHabits.h"
#include "DeviceForRun.h"
#include "Features.h"
#include "JournalFront.h"
#include "MainWindow.h"
#include "QtPlatform.h"
#include "QuitOnSignal.h"
#include "ScreenshotTour.h"
#include "app/CoreServices.h"
#include "journal/Location.h"
#include "link/CommSetting.h"
#include "link/NetworkAddress.h"
#include "platform/ControlMode.h"
#include "platform/FileIo.h"
#include "platform/Registry.h"
#include "platform/Version.h"
#include "protocol/Command.h"
#include "protocol/OnlineStatus.h"
#ifdef VR_HAVE_SIM
#include "sim/PtyServer.h"
#endif

namespace {

constexpr int kExitUsage = 2;
constexpr int kExitNoLine = 3;

int Fail(int code, const QString& text) {
    std::fprintf(stderr, "vr8200-control: %s\n", qPrintable(text));
    return code;
}

#ifdef VR_HAVE_SIM
// Where the virtual camera's link lives while this process runs; the name dies with the process,
// so the remembered port of a later run never points at somebody else's pseudo-terminal.
QString SimulatorLinkPath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    return QDir(folder).filePath(QString("vr8200-control-sim-%1").arg(::getpid()));
}
#endif

// A port server's address must be one, a device must be there.
int CheckDevice(const std::string& device) {
    vr::link::NetworkAddress address;
    std::string why;
    if (vr::link::NetworkAddress::Names(device)) {
        if (!vr::link::NetworkAddress::Parse(device, address, why))
            return Fail(kExitUsage, QString::fromStdString(why));
    } else if (!vr::platform::FileExists(device)) {
        return Fail(kExitNoLine, "no such device: " + QString::fromStdString(device));
    }
    return 0;
}

// --link MODE --port-index N: a camera behind a frame grabber, as a position of the "Cameras" window
// opens it. `mode` stays 0 when neither is given; the exit status of a usage error, else 0.
int ReadCameraLink(const QCommandLineParser& parser, const QCommandLineOption& link, const QCommandLineOption& index,
                   bool otherPort, uint32_t& mode, uint32_t& portIndex) {
    if (!parser.isSet(link) && !parser.isSet(index)) return 0;
    if (otherPort) return Fail(kExitUsage, "--link excludes --port and --simulate");
    const QStringList modes = {"cl2000", "cl2001", "cl11"};
    bool number = false;
    portIndex = parser.value(index).toUInt(&number);
    mode = static_cast<uint32_t>(modes.indexOf(parser.value(link)) + 1);
    if (mode == 0 || !number) return Fail(kExitUsage, "--link takes cl2000, cl2001 or cl11, and --port-index N");
    return 0;
}

// The change journal's file for this run: none with --no-journal, else --journal FILE, the stored
// one or the default.
std::string JournalFile(const QCommandLineParser& parser, const QCommandLineOption& journal,
                        const QCommandLineOption& noJournal, vr::platform::CRegistry& store) {
    if (parser.isSet(noJournal)) return {};
    return vr::journal::JournalPath(parser.value(journal).toStdString(), store);
}

// The program's name, version, desktop entry and icon, as the desktop shows them.
void NameTheApplication() {
    QApplication::setApplicationName("vr8200-control");
    QApplication::setApplicationVersion(vr::platform::VersionText());
    QGuiApplication::setDesktopFileName("vr8200-control");
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256}) icon.addFile(QString(":/icons/%1.png").arg(size));
    QApplication::setWindowIcon(icon);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(icons);
    NameTheApplication();

    QCommandLineParser parser;
    parser.setApplicationDescription("VR-8200 Control Tool: the desktop tool for VR-8200 line-scan cameras.");
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption simulate(
        "simulate", "Start a virtual VR-8200-KA or VR-8200-KB in this process and connect to it.", "KA|KB");
    const QCommandLineOption port(
        "port", "Use the serial device DEVICE (for example /dev/ttyUSB0) or a port server (rfc2217://HOST:PORT).",
        "DEVICE");
    const QCommandLineOption linkMode(
        "link", "Use the Camera Link serial library MODE (cl2000, cl2001 or cl11), port --port-index.", "MODE");
    const QCommandLineOption portIndex("port-index", "The port's index in the Camera Link library's list.", "N");
    const QCommandLineOption factory("factory", "Factory control mode for this run.");
    const QCommandLineOption screenshots("screenshots", "Save a picture of every page and window to DIR, then exit.",
                                         "DIR");
    const QCommandLineOption journal("journal", "Keep this run's change journal in FILE.", "FILE");
    const QCommandLineOption noJournal("no-journal", "Keep no journal of this run's changes.");
    parser.addOptions({simulate, port, linkMode, portIndex, factory, screenshots, journal, noJournal});
    parser.process(app);

    uint32_t clMode = 0, clIndex = 0;
    const bool otherPort = parser.isSet(port) || parser.isSet(simulate);
    if (const int rc = ReadCameraLink(parser, linkMode, portIndex, otherPort, clMode, clIndex); rc != 0) return rc;
    std::string device;
    if (parser.isSet(journal) && parser.isSet(noJournal))
        return Fail(kExitUsage, "--journal and --no-journal exclude each other");
    if (parser.isSet(simulate) && parser.isSet(port))
        return Fail(kExitUsage, "--simulate and --port exclude each other");
#ifdef VR_HAVE_SIM
    std::unique_ptr<vr::sim::PtyServer> camera;
    if (parser.isSet(simulate)) {
        vr::sim::SimOptions options;
        options.model = parser.value(simulate).toUpper().toStdString();
        if (options.model != "KA" && options.model != "KB") return Fail(kExitUsage, "--simulate takes KA or KB");
        options.linkPath = SimulatorLinkPath().toStdString();
        camera = std::make_unique<vr::sim::PtyServer>();
        std::string error;
        if (!camera->Start(options, &error))
            return Fail(kExitNoLine,
                        QString("the virtual camera did not start: %1").arg(QString::fromStdString(error)));
        device = camera->LinkPath();
    }
#else
    if (parser.isSet(simulate)) return Fail(kExitUsage, "this build has no virtual camera");
#endif
    if (parser.isSet(port)) {
        device = parser.value(port).toStdString();
        if (const int rc = CheckDevice(device); rc != 0) return rc;
    }

    // The composition root: the services are built here once and handed to the windows.
    vr::gui::QtPlatform platform;
    vr::app::CoreServices core(platform, vr::platform::CRegistry::DefaultFolder());
    vr::camera::Services& services = core.Get();
    if (!device.empty() && !vr::gui::UseDeviceForRun(core.link, device))
        return Fail(kExitUsage, "cannot use " + QString::fromStdString(device));
    if (clMode != 0) {
        core.link.SetMode(clMode);
        core.link.SetPortIndex(clIndex);
    }

    if (!core.registry.Problem().empty())
        platform.MessageBox(core.registry.Problem(), vr::platform::kAppTitle, vr::platform::MsgIcon::Exclamation,
                            vr::platform::MsgButtons::Ok);
    const uint32_t storedMode = core.controlMode.Get();
    int result = 0;
    {
        vr::gui::MainWindow window(core.Session());
        window.Logic().SetControlMode(parser.isSet(factory) ? vr::platform::ControlMode::kFactory : storedMode);
        platform.SetMainWindow(&window);
        platform.SetPumpHook([&window] { window.ShowWaitNotice(); });
        // The features plug into the window's router; they live as long as the window.
        vr::gui::Features features(window);
        window.RefreshMenuAvailability();
        vr::gui::JournalFront journalFront(window, JournalFile(parser, journal, noJournal, core.registry));
        vr::gui::DesktopHabits habits(window, features);
        std::unique_ptr<vr::gui::ScreenshotTour> tour;
        bool toured = true;
        if (parser.isSet(screenshots)) {
            tour = std::make_unique<vr::gui::ScreenshotTour>(window, parser.value(screenshots));
            QObject::connect(
                &window, &vr::gui::MainWindow::startupFinished, &window, [&] { toured = tour->Run(); },
                Qt::QueuedConnection);
        }
        // A signal ends the tool as the close box would, once no command waits, no long operation runs
        // and no box is open.
        std::function<void()> quit;
        quit = [&] {
            if (services.engine.Busy() || services.dialogs.Disabled() || QApplication::activeModalWidget() != nullptr) {
                if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
                QTimer::singleShot(50, &window, quit);
                return;
            }
            window.Logic().SetCloseWithoutConfirm(true);
            window.close();
        };
        vr::gui::QuitOnSignal onSignal(quit);
        window.StartWhenShown();
        window.show();
        result = QApplication::exec();
        platform.SetPumpHook({});
        window.Logic().OnDestroy();
        if (!parser.isSet(factory)) core.controlMode.Set(window.Logic().ControlMode());
        if (!toured) result = 1;
    }
#ifdef VR_HAVE_SIM
    if (camera) camera->Stop();
#endif
    return result;
}
