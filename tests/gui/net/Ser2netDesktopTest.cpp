// The desktop tool's start-up through Debian's ser2net in front of the virtual camera: the rate
// search and the raise go through the server, the status bar names the network link and its
// server, the communication dialog offers the network choice, and the address is remembered.

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QTest>

#include "QtTestMain.h"
#include "Ser2netOnPty.h"
#include "StartedDesktopTool.h"
#include "StatusBar.h"
#include "TestPlatform.h"
#include "app/CoreServices.h"
#include "link/CommSetting.h"
#include "sim/PtyServer.h"

using namespace vr;

class Ser2netDesktopTest : public QObject {
    Q_OBJECT
public:
    explicit Ser2netDesktopTest(const QString& folder) : folder_(folder) {}

private slots:
    void startUpReachesTheCameraThroughTheServer() {
        if (!vr::test::Ser2netOnPty::Installed()) QSKIP("ser2net is not installed (scripts/setup-debian.sh)");
        sim::PtyServer camera;
        std::string error;
        QVERIFY2(camera.Start(sim::SimOptions(), &error), error.c_str());
        vr::test::Ser2netOnPty server;
        QVERIFY2(server.Start(camera.DevicePath(), error), error.c_str());

        const QString config = folder_ + "/config";
        {
            vr::test::StartedDesktopTool tool;
            tool.Start(platform_, config, server.Address());
            link::CCommSetting& link = tool.core->link;
            QCOMPARE(link.GetMode(), static_cast<uint32_t>(link::Network));
            QVERIFY2(camera.CameraRate() == 115200u, qPrintable(platform_.TakeBoxes().join("\n") + "\n" +
                                                                QString::fromStdString(link.LastLinkError())));
            QCOMPARE(link.GetBaudRate(), 115200u);

            // Owned by the window, as the program's own.
            auto& status = *new gui::StatusBar(*tool.window, tool.window->Logic());
            status.Refresh();
            QCOMPARE(status.Field("statusPort")->toolTip(),
                     QString::fromStdString("Network (RFC 2217): " + server.Address() + " (VR-8200 camera port)"));
            QCOMPARE(status.Field("statusRate")->text(), QString("115200 bit/s"));
            QCOMPARE(status.Field("statusModel")->text(), QString("VR-8200-KA"));

            // The communication dialog shows the network choice as the one in use.
            QStringList chosen;
            for (const QComboBox* box : tool.window->Communication()->findChildren<QComboBox*>())
                chosen << box->currentText();
            QVERIFY2(chosen.contains("Network (RFC 2217)"), qPrintable(chosen.join(" | ")));
            QVERIFY(platform_.TakeBoxes().isEmpty());
            tool.Close();
        }
        QFile settings(config + "/settings.ini");
        QVERIFY(settings.open(QIODevice::ReadOnly));
        const QString stored = QString::fromUtf8(settings.readAll());
        QVERIFY2(stored.contains(QString::fromStdString("Network Address=" + server.Address())), qPrintable(stored));
        QVERIFY2(stored.contains("Communication Mode=4"), qPrintable(stored));
    }

private:
    QString folder_;
    vr::test::TestPlatform platform_;
};

int main(int argc, char** argv) {
    return ::test::RunQtTests<Ser2netDesktopTest>(argc, argv);
}

#include "Ser2netDesktopTest.moc"
