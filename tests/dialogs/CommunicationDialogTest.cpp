// The communication dialog's logic on a headless window: ports, categories, the rate negotiation, the
// memory-area buttons and the message log.

#include <gtest/gtest.h>

#include <algorithm>

#include "FakeFrame.h"
#include "MemoryLink.h"
#include "TempDir.h"
#include "TestServices.h"
#include "dialogs/CommunicationDialog.h"
#include "link/CommSetting.h"
#include "protocol/Command.h"
#include "protocol/CommandTable.h"
#include "protocol/OnlineStatus.h"

using namespace vr;
using namespace vr::dialogs::comm;
using app::MsgIcon;
using app::MsgResult;

namespace {

// A camera on the line: it answers only at its own rate and switches after acknowledging "CBDRT".
struct Camera {
    bool present = true;
    uint32_t rate = 9600;
    bool followsRateChange = true;
    int32_t area = 1;
    bool refuseAreas = false;
};

class CommunicationDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        wire.traffic = &services.traffic;
        engine.SetLink(&wire);
        engine.ClearReceived();
        services.status.SetOffline();
        wire.responder = [this](const std::string& text) { return Answer(text); };
        hooks.modelProbe = [this] {
            ++probes;
            std::string model;
            return engine.QueryString(protocol::cmd::MD, model, protocol::milliseconds(50));
        };
        hooks.readAllSettings = [this] { ++reads; };
        hooks.controlMode = [this] { return controlMode; };
        folder.read = [this] { return dir.Path(); };
        folder.write = [this](const std::string& f) { storedFolder = f; };
    }
    void TearDown() override {
        dialog.reset();
        engine.SetLink(nullptr);
    }

    std::string Answer(const std::string& text) {
        if (!camera.present) return "";
        // A UART at a foreign rate turns the line into noise.
        if (line.Rate() != camera.rate) return camera.followsRateChange ? "" : "\x9f\xf8\r\n";
        if (text == "MD?\r\n") return "MD=VR-8200-KA\r\n";
        if (text == "EA?\r\n") return camera.refuseAreas ? "NG\r\n" : "EA=" + std::to_string(camera.area) + "\r\n";
        if (text == "CBDRT=16\r\n") {
            if (camera.followsRateChange) camera.rate = 115200;
            return "COMPLETE\r\n";
        }
        if (text.rfind("SA", 0) == 0 || text.rfind("LD=", 0) == 0)
            return camera.refuseAreas ? "NG\r\n" : "COMPLETE\r\n";
        return "";
    }

    dialogs::CCommunicationDialog& Open(bool shutdownWasClean = true) {
        dialog = std::make_unique<dialogs::CCommunicationDialog>(services.Get(), window, frame, hooks, folder,
                                                                 shutdownWasClean);
        dialog->Init();
        return *dialog;
    }
    std::vector<std::string> Sent() const {
        std::vector<std::string> sent;
        for (const auto& w : wire.Written()) sent.push_back(w.substr(0, w.size() - 2));
        return sent;
    }

    test::TestServices services;
    test::FakePlatform& platform = services.platform;
    test::MemoryLink wire;
    protocol::Command& engine = services.engine;
    ui::ControlModel window = test::DialogControls(
        {{ui::CtrlType::Combo, {kPortName, kCategory, kArea, kBaudRate, kMessages}},
         {ui::CtrlType::Static, {kStatusText, kStrip, kStatusIcon, kAreaName}},
         {ui::CtrlType::Button,
          {kWriteSettingsFile, kReadSettingsFile, kGetArea, kStore, kLoad, kWriteLog, kClearLog, kAuto}}});
    test::FakeFrame frame;
    test::FakeLineControl& line = services.fakeLine;
    Camera camera;
    dialogs::CommunicationHooks hooks;
    dialogs::LogFolderStore folder;
    std::unique_ptr<dialogs::CCommunicationDialog> dialog;
    test::TempDir dir;
    std::string storedFolder;
    uint32_t controlMode = 0;
    int probes = 0, reads = 0;
};

}  // namespace

TEST_F(CommunicationDialogTest, InitialisationShowsTheLinkObjectsState) {
    line.mode = link::ComPort;
    line.portIndex = 1;
    Open();
    EXPECT_EQ(test::Items(window, kBaudRate),
              (std::vector<std::string>{"9600bps", "19200bps", "38400bps", "57600bps", "115200bps"}));
    EXPECT_EQ(test::Items(window, kPortName), line.ports);
    EXPECT_EQ(window.GetCurSel(kPortName), 1);
    EXPECT_EQ(window.GetCurSel(kBaudRate), 0);
    EXPECT_FALSE(window.IsEnabled(kBaudRate));
    EXPECT_FALSE(window.IsShown(kAuto));
    EXPECT_EQ(window.GetCurSel(kArea), 1);
    EXPECT_FALSE(window.IsEnabled(kStore)) << "Store starts disabled until the area or the mode changes";
    EXPECT_FALSE(window.IsEnabled(kWriteSettingsFile)) << "no settings-file work is wired";
    EXPECT_FALSE(window.IsEnabled(kReadSettingsFile));
    EXPECT_EQ(window.GetPicture(kStrip), protocol::kStripOffline);
    EXPECT_EQ(window.GetText(kStatusText), "Offline");
    EXPECT_TRUE(line.calls.empty()) << "initialisation opens nothing while the stored port is in the list";

    services.status.SetOnline();
    EXPECT_EQ(window.GetPicture(kStrip), protocol::kStripOnline);
    EXPECT_EQ(window.GetPicture(kStatusIcon), kIconOnline);
    EXPECT_EQ(window.GetText(kStatusText), "Online");
}

TEST_F(CommunicationDialogTest, AfterACrashTheLinkStartsOnTheSerialPort) {
    line.mode = link::CameraLink2001;
    Open(false);
    EXPECT_EQ(line.mode, link::ComPort);
    EXPECT_EQ(window.GetCurSel(kCategory), 0);
}

TEST_F(CommunicationDialogTest, PortListFallsBackToPortZeroButNeverForAnAbsentAdapter) {
    const struct {
        std::vector<std::string> ports;
        uint32_t stored;
        int selected;
        bool opensPortZero;
        std::string absentDevice = {};
    } cases[] = {
        {{"a", "b", "c"}, 2, 2, false},
        {{"a", "b"}, 2, 0, true},  // a library that now reports fewer ports
        {{}, 0, -1, true},         // no Camera Link port at all: port 0 is still tried
        // A stored adapter that is unplugged: neither its old number nor port 0 stands in for it.
        {{"a", "b"}, 2, -1, false, "/dev/ttyUSB7"},
        {{"a", "b"}, 1, -1, false, "/dev/ttyUSB7"},
    };
    Open();
    for (const auto& c : cases) {
        line.ports = c.ports;
        line.portIndex = c.stored;
        line.absentDevice = c.absentDevice;
        line.calls.clear();
        dialog->FillPortList();
        EXPECT_EQ(test::Items(window, kPortName), c.ports);
        EXPECT_EQ(window.GetCurSel(kPortName), c.selected);
        EXPECT_EQ(line.calls, c.opensPortZero ? std::vector<std::string>{"port 0"} : std::vector<std::string>{});
    }
}

TEST_F(CommunicationDialogTest, CategoryChangeRefillsPortsAndReadsWhenTheCameraAnswers) {
    Open();
    line.ports = {"grabber A - port 0"};
    line.openModeResult = 0;
    camera.present = false;
    window.SetCurSel(kCategory, 2);
    dialog->OnCategoryChanged();
    EXPECT_EQ(line.mode, link::CameraLink2001);
    EXPECT_EQ(platform.Texts(), std::vector<std::string>{"Failed to initialize!"});
    EXPECT_EQ(platform.boxes[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(test::Items(window, kPortName), line.ports) << "the list is refilled after a failure too";
    EXPECT_EQ(reads, 0);

    line.openModeResult = 1;
    camera.present = true;
    window.SetCurSel(kCategory, 0);
    dialog->OnCategoryChanged();
    EXPECT_EQ(reads, 1);
}

TEST_F(CommunicationDialogTest, StoreIsEnabledByAreaAndControlMode) {
    Open();
    const struct {
        uint32_t mode;
        int area;
        bool enabled;
    } cases[] = {{0, 0, false}, {0, 1, true}, {0, 3, true}, {1, 0, true}, {1, 2, true}, {0, -1, false}};
    for (const auto& c : cases) {
        controlMode = c.mode;
        window.SetCurSel(kArea, c.area);
        dialog->OnAreaChanged();
        EXPECT_EQ(window.IsEnabled(kStore), c.enabled) << c.mode << " " << c.area;
    }
    controlMode = 1;
    window.SetCurSel(kArea, 0);
    dialog->RefreshStoreButton();
    EXPECT_TRUE(window.IsEnabled(kStore)) << "the main window refreshes it after a mode change";
}

TEST_F(CommunicationDialogTest, NegotiationFindsTheCameraAndRaisesTheLine) {
    std::vector<std::string> flush;  // the wake-up bytes at every rate, fastest first
    for (const char* rate : {"115200", "57600", "38400", "19200", "9600"})
        flush.insert(flush.end(), {std::string("baud ") + rate, "wake 14"});
    const struct {
        const char* name;
        bool present;
        uint32_t cameraRate;
        bool follows;
        uint32_t fastestLinkRate;
        std::vector<std::string> sent;  // after the flush, without the probes
        int finalBaudIndex;
        int shownBaudIndex;
        int reads;
    } cases[] = {
        {"at 9600", true, 9600, true, 115200, {"CBDRT=16", "CBDRT=16"}, 4, 4, 1},
        {"left at 57600", true, 57600, true, 115200, {"CBDRT=16", "CBDRT=16"}, 4, 4, 1},
        {"already at 115200", true, 115200, true, 115200, {}, 4, 4, 1},
        {"silent", false, 9600, true, 115200, {}, 0, 0, 0},
        {"lost at 115200", true, 9600, false, 115200, {"CBDRT=16", "CBDRT=16"}, 0, 0, 1},
        {"link stops at 9600", true, 9600, true, 9600, {}, 0, 0, 1},
    };
    Open();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        camera = Camera{};
        camera.present = c.present;
        camera.rate = c.cameraRate;
        camera.followsRateChange = c.follows;
        line.fastestRate = c.fastestLinkRate;
        line.baudIndex = 0;
        line.calls.clear();
        reads = 0;
        const size_t before = wire.Written().size();
        dialog->NegotiateBaudRate();

        std::vector<std::string> sent;
        const auto all = Sent();
        for (size_t i = before; i < all.size(); ++i)
            if (all[i] != "MD?") sent.push_back(all[i]);
        EXPECT_EQ(sent, c.sent);
        if (c.fastestLinkRate == 115200)
            EXPECT_EQ(std::vector(line.calls.begin(), line.calls.begin() + std::min(flush.size(), line.calls.size())),
                      flush);
        else
            EXPECT_EQ(std::count(line.calls.begin(), line.calls.end(), "wake 14"), 1) << "only rates the link runs at";
        EXPECT_EQ(line.baudIndex, c.finalBaudIndex);
        EXPECT_EQ(window.GetCurSel(kBaudRate), c.shownBaudIndex);
        EXPECT_EQ(reads, c.reads);
    }
}

TEST_F(CommunicationDialogTest, AreaButtonsTalkToTheCamera) {
    Open();
    for (int32_t area : {0, 3, 4, -1}) {
        camera.area = area;
        dialog->OnGetArea();
        EXPECT_EQ(window.GetText(kAreaName), area == 0 ? "Factory Data" : area == 3 ? "User 3 Data" : "Unkown");
    }
    camera.refuseAreas = true;
    window.SetText(kAreaName, "User 1 Data");
    dialog->OnGetArea();
    EXPECT_EQ(window.GetText(kAreaName), "Unkown") << "no area in the answer";
    camera.refuseAreas = false;
    platform.boxes.clear();

    window.SetCurSel(kArea, 2);
    dialog->OnStore();
    window.SetCurSel(kArea, 0);
    dialog->OnStore();
    EXPECT_EQ(platform.progress, (std::vector<std::string>{"open:Now, Storing camera data.", "finish",
                                                           "open:Now, Storing camera data.", "finish"}));
    EXPECT_EQ(platform.Texts(), (std::vector<std::string>{"Completed to store current setting data!",
                                                          "Completed to store current setting data!"}));
    window.SetCurSel(kArea, 3);
    dialog->OnLoad();
    EXPECT_EQ(reads, 1);
    const auto sent = Sent();
    EXPECT_EQ(std::vector<std::string>(sent.end() - 3, sent.end()),
              (std::vector<std::string>{"SA=2", "SA00=0", "LD=3"}));

    camera.refuseAreas = true;
    platform.boxes.clear();
    dialog->OnStore();
    dialog->OnLoad();
    EXPECT_EQ(platform.Texts(), (std::vector<std::string>{"NG\nSA=3", "NG\nLD=3"})) << "only the engine's reports";
    EXPECT_EQ(reads, 1) << "a refused load reads nothing";
}

TEST_F(CommunicationDialogTest, MessageLogKeepsTheNewestEntriesAndSavesNewestFirst) {
    Open();
    engine.SendCommandInt(protocol::cmd::GA, 400, protocol::milliseconds(50));  // the camera does not know GA: no reply
    EXPECT_EQ(test::Items(window, kMessages), std::vector<std::string>{"GA=400"}) << "listed bare, without CR LF";
    dialog->OnClearLog();
    for (int i = 0; i < kMaxMessages + 2; ++i) dialog->AddMessage("m" + std::to_string(i));
    EXPECT_EQ(window.GetCount(kMessages), kMaxMessages);
    EXPECT_EQ(window.GetItemText(kMessages, 0), "m2") << "the two oldest went";
    EXPECT_EQ(window.GetItemText(kMessages, kMaxMessages - 1), "m4097");
    dialog->OnClearLog();
    dialog->AddMessage("first");
    dialog->AddMessage("second");

    platform.files = {dir / "log"};
    dialog->OnWriteLog();
    EXPECT_EQ(dir.ReadFile("log.txt"), "second\nfirst\n");
    EXPECT_EQ(test::Items(window, kMessages).back(), "Writing file has been done!");
    EXPECT_EQ(storedFolder, dir.Path());

    platform.files = {dir / "log.txt"};
    platform.answers = {MsgResult::No};
    dialog->OnWriteLog();
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].text, (dir / "log.txt") + "\nThis file already exists.\nReplace existing file?");
    EXPECT_EQ(dir.ReadFile("log.txt"), "second\nfirst\n");
}

TEST_F(CommunicationDialogTest, TypedDevicePathJoinsThePortListAndIsOpened) {
    camera.rate = 115200;
    Open();
    dialog->OnPortTyped("/dev/pts/7");
    EXPECT_EQ(test::Items(window, kPortName).back(), "/dev/pts/7");
    EXPECT_EQ(window.GetCurSel(kPortName), 2);
    EXPECT_EQ(line.portIndex, 2u);
    EXPECT_EQ(reads, 1) << "negotiated and read";

    line.mode = link::CameraLink2000;
    line.calls.clear();
    dialog->OnPortTyped("/dev/pts/8");
    EXPECT_EQ(std::count(line.calls.begin(), line.calls.end(), "port 2"), 0);
    EXPECT_EQ(window.GetCurSel(kPortName), 2) << "the port in use stays shown";
}
