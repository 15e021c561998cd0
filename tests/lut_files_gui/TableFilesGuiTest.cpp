// The table files in the desktop tool: the LUT menu's items and the "Correction Data" buttons drive
// the feature through the real window, its progress window and the serial link.

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <fstream>

#include "../gui/TestPlatform.h"
#include "QtTestMain.h"
#include "StartedDesktopTool.h"
#include "lut/GammaFile.h"
#include "protocol/Command.h"
#include "protocol/CommandIds.h"
#include "sim/PtyServer.h"

using namespace vr;

namespace {

constexpr int kLutMenuPosition = 3;

std::string ReadFile(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll().toStdString();
}

}  // namespace

class TableFilesGuiTest : public QObject {
    Q_OBJECT
public:
    explicit TableFilesGuiTest(const QString& folder) : folder_(folder) {}

private slots:
    void initTestCase() {
        sim::SimOptions options;
        options.model = "KA";
        options.linkPath = (folder_ + "/camera").toStdString();
        std::string error;
        QVERIFY2(camera_.Start(options, &error), error.c_str());
        tool_.Start(platform_, folder_ + "/config", camera_.LinkPath());
    }

    void lutMenuCommandsAreThereAndWriteAndReadFiles() {
        platform_.progressTexts.clear();
        platform_.files = {Path("lut.csv")};
        TriggerMenu(30007);
        lut::LutTable identity{};
        for (int i = 0; i < 256; ++i) identity[static_cast<size_t>(i)] = i == 255 ? 4095 : 16 * i;
        QCOMPARE(ReadFile(Path("lut.csv")), lut::FormatGammaFile(identity, identity, identity));
        QCOMPARE(platform_.filters, std::vector<std::string>{"Camera gamm data (*.csv)"});
        QCOMPARE(platform_.progressTexts, std::vector<std::string>(3, "Now, reading camera gamma data  "));
        QVERIFY(tool_.window->isEnabled());

        platform_.files = {Path("lut.csv")};
        TriggerMenu(30006);
        TriggerMenu(30009);
        QCOMPARE(platform_.filters.back(), std::string("Camera gamma data (*.csv)"));
        QVERIFY(platform_.boxes.empty());
        QVERIFY(tool_.window->isEnabled());
    }

    void shadingButtonsOnUserBMoveTheShadingData() {
        // Shading mode off and the reading direction are the headless tests'; here one transfer through
        // the real window, and the store.
        QCOMPARE(tool_.core->engine.SendCommandInt(protocol::cmd::SDM, 1, std::chrono::milliseconds(2000)), 1);
        std::ofstream(Path("half.csv"), std::ios::binary) << "ShadingData  (G R B)\r\n1, 2, 3\r\n";
        platform_.files = {Path("half.csv")};
        platform_.answers = {app::MsgResult::Yes};
        Click(1337);
        QCOMPARE(platform_.filters.back(), std::string("Camera shading data (*.csv)"));
        QCOMPARE(platform_.boxes.size(), size_t(1));
        QCOMPARE(platform_.progressTexts.back(), std::string("Now, writing camera shading data"));
        camera_.Inspect([](const sim::VirtualCamera& camera) {
            QCOMPARE(camera.ShadingEntry(0, 1, 0), 2);
            QCOMPARE(camera.ShadingEntry(0, 1, 1), 0);  // the buffer starts at zero
        });
        uint64_t before = 0;
        camera_.Inspect([&](const sim::VirtualCamera& camera) { before = camera.FlashGeneration(); });
        Click(1338);
        camera_.Inspect([&](const sim::VirtualCamera& camera) { QVERIFY(camera.FlashGeneration() > before); });
        QCOMPARE(platform_.boxes.size(), size_t(1));
        QVERIFY(tool_.window->isEnabled());
    }

    void cleanupTestCase() {
        tool_.Close();
        camera_.Stop();
        tool_.core.reset();
    }

private:
    void TriggerMenu(uint32_t id) {
        for (QAction* action : tool_.window->Menu(kLutMenuPosition)->actions()) {
            if (action->data().toUInt() != id) continue;
            QVERIFY2(action->isEnabled(), qPrintable(action->text()));
            action->trigger();
            return;
        }
        QFAIL("no such menu item");
    }

    void Click(uint32_t id) {
        auto* button = tool_.window->Binding().As<QPushButton>(id);
        QVERIFY(button != nullptr);
        QVERIFY(button->isEnabled());
        button->click();
    }

    std::string Path(const char* name) const { return (folder_ + "/" + name).toStdString(); }

    QString folder_;
    vr::test::TestPlatform platform_;
    sim::PtyServer camera_;
    vr::test::StartedDesktopTool tool_;
};

int main(int argc, char** argv) {
    return ::test::RunQtTests<TableFilesGuiTest>(argc, argv);
}

#include "TableFilesGuiTest.moc"
