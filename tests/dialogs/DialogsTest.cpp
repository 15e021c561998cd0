// The communication dialog's and the terminal's logic on a headless window. The Qt tests run both windows
// over a pty (a category without its library, Store by area and mode, a typed device, sending and saving).

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "FakeDialogFrame.h"
#include "MemoryLink.h"
#include "TestServices.h"
#include "dialogs/CommunicationDialog.h"
#include "dialogs/TerminalDialog.h"
#include "ui/ControlModel.h"

using namespace vr;
using namespace std::chrono;
using Strings = std::vector<std::string>;

namespace {

Strings Items(const ui::ControlModel& controls, uint32_t id) {
    Strings texts;
    for (int i = 0; i < controls.ItemCount(id); ++i) texts.push_back(controls.ItemText(id, i));
    return texts;
}

class DialogTest : public ::testing::Test {
protected:
    DialogTest() {
        wire.traffic = &services.traffic;
        services.engine.SetLink(&wire);
        services.status.SetOffline();
    }
    ~DialogTest() override { services.engine.SetLink(nullptr); }

    test::TestServices services;
    test::FakePlatform& platform = services.platform;
    test::MemoryLink wire;
    test::FakeDialogFrame frame;
    test::TempDir dir;
    std::string storedFolder;
    dialogs::LogFolderStore folder{[this] { return dir.Path(); }, [this](const std::string& f) { storedFolder = f; }};
};

using namespace vr::dialogs::comm;

// A camera on the line: it answers only at its own rate and switches after acknowledging "CBDRT".
struct Camera {
    bool present = true;
    uint32_t rate = 9600;
    bool followsRateChange = true;
    int32_t area = 1;
    bool refuseAreas = false;
};

class CommunicationDialogTest : public DialogTest {
protected:
    void SetUp() override {
        wire.responder = [this](const std::string& text) { return Answer(text); };
        hooks.modelProbe = [this] {
            std::string model;
            return engine.QueryString(protocol::cmd::MD, model, protocol::milliseconds(50));
        };
        hooks.readAllSettings = [this] { ++reads; };
        hooks.controlMode = [this] { return controlMode; };
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
    Strings Sent() const {
        Strings sent;
        for (const auto& w : wire.Written()) sent.push_back(w.substr(0, w.size() - 2));
        return sent;
    }

    protocol::Command& engine = services.engine;
    ui::ControlModel window = test::DialogControls(
        {{ui::CtrlType::Combo, {kPortName, kCategory, kArea, kBaudRate, kMessages}},
         {ui::CtrlType::Static, {kStatusText, kStrip, kStatusIcon, kAreaName}},
         {ui::CtrlType::Button,
          {kWriteSettingsFile, kReadSettingsFile, kGetArea, kStore, kLoad, kWriteLog, kClearLog, kAuto}}});
    test::FakeLineControl& line = services.fakeLine;
    Camera camera;
    dialogs::CommunicationHooks hooks;
    std::unique_ptr<dialogs::CCommunicationDialog> dialog;
    uint32_t controlMode = 0;
    int reads = 0;
};

TEST_F(CommunicationDialogTest, InitialisationShowsTheLinkObjectsState) {
    line.mode = link::ComPort;
    line.portIndex = 1;
    Open();
    EXPECT_EQ(Items(window, kPortName), line.ports);
    EXPECT_EQ(window.Selection(kPortName), 1);
    EXPECT_EQ(window.Selection(kBaudRate), 0);
    EXPECT_FALSE(window.IsEnabled(kBaudRate));
    EXPECT_FALSE(window.IsShown(kAuto));
    EXPECT_EQ(window.Selection(kArea), 1);
    EXPECT_FALSE(window.IsEnabled(kStore)) << "Store starts disabled until the area or the mode changes";
    EXPECT_FALSE(window.IsEnabled(kWriteSettingsFile) || window.IsEnabled(kReadSettingsFile)) << "none is wired";
    EXPECT_EQ(window.GetPicture(kStrip), protocol::kStripOffline);
    EXPECT_EQ(window.GetText(kStatusText), "Offline");
    EXPECT_TRUE(line.calls.empty()) << "initialisation opens nothing while the stored port is in the list";

    services.status.SetOnline();
    EXPECT_EQ(window.GetPicture(kStrip), protocol::kStripOnline);
    EXPECT_EQ(window.GetPicture(kStatusIcon), kIconOnline);
    EXPECT_EQ(window.GetText(kStatusText), "Online");

    // The main window refreshes Store after a mode change (the area list's own changes are the Qt tests').
    window.SetSelection(kArea, 0);
    controlMode = 1;
    dialog->RefreshStoreButton();
    EXPECT_TRUE(window.IsEnabled(kStore));
    window.SetSelection(kArea, -1);
    dialog->OnAreaChanged();
    EXPECT_FALSE(window.IsEnabled(kStore)) << "no area selected stores nothing";
}

TEST_F(CommunicationDialogTest, PortListFallsBackToPortZeroButNeverForAnAbsentAdapter) {
    // the ports listed, the stored one, the one selected, whether port 0 is opened, an absent stored adapter
    const std::tuple<Strings, uint32_t, int, bool, std::string> cases[] = {
        {{"a", "b", "c"}, 2, 2, false, ""},
        {{"a", "b"}, 2, 0, true, ""},  // a library that now reports fewer ports
        {{}, 0, -1, true, ""},         // no Camera Link port at all: port 0 is still tried
        // A stored adapter that is unplugged: neither its old number nor port 0 stands in for it.
        {{"a", "b"}, 2, -1, false, "/dev/ttyUSB7"},
        {{"a", "b"}, 1, -1, false, "/dev/ttyUSB7"},
    };
    Open();
    for (const auto& [ports, stored, selected, opensPortZero, absentDevice] : cases) {
        line.ports = ports;
        line.portIndex = stored;
        line.absentDevice = absentDevice;
        line.calls.clear();
        dialog->FillPortList();
        EXPECT_EQ(Items(window, kPortName), ports);
        EXPECT_EQ(window.Selection(kPortName), selected);
        EXPECT_EQ(line.calls, opensPortZero ? Strings{"port 0"} : Strings{});
    }
}

// A device typed on the serial port joins the list and is negotiated (the Qt tests'); in a Camera
// Link mode it is no port to open, and the port in use stays shown.
TEST_F(CommunicationDialogTest, ACameraLinkModeTakesNoTypedDeviceAndIsLeftAfterACrash) {
    line.mode = link::CameraLink2000;
    line.portIndex = 1;
    Open();
    line.calls.clear();
    dialog->OnPortTyped("/dev/pts/8");
    EXPECT_TRUE(line.calls.empty());
    EXPECT_EQ(window.Selection(kPortName), 1);
    EXPECT_EQ(reads, 0);

    line.mode = link::CameraLink2001;
    ASSERT_NE(window.Selection(kCategory), 0);
    Open(false);
    EXPECT_EQ(line.mode, link::ComPort) << "after a crash the link starts on the serial port";
    EXPECT_EQ(window.Selection(kCategory), 0);
}

TEST_F(CommunicationDialogTest, NegotiationFindsTheCameraAndRaisesTheLine) {
    Strings flush;  // the wake-up bytes at every rate, fastest first
    for (const char* rate : {"115200", "57600", "38400", "19200", "9600"})
        flush.insert(flush.end(), {std::string("baud ") + rate, "wake 14"});
    const struct {
        const char* name;
        Camera camera;  // present, rate, follows a raise
        uint32_t fastestLinkRate;
        Strings sent;  // after the flush, without the probes
        int finalBaudIndex, reads;
    } cases[] = {
        {"at 9600", {true, 9600, true}, 115200, {"CBDRT=16", "CBDRT=16"}, 4, 1},
        {"left at 57600", {true, 57600, true}, 115200, {"CBDRT=16", "CBDRT=16"}, 4, 1},
        {"already at 115200", {true, 115200, true}, 115200, {}, 4, 1},
        {"silent", {false, 9600, true}, 115200, {}, 0, 0},
        {"lost at 115200", {true, 9600, false}, 115200, {"CBDRT=16", "CBDRT=16"}, 0, 1},
        {"link stops at 9600", {true, 9600, true}, 9600, {}, 0, 1},
    };
    Open();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        camera = c.camera;
        line.fastestRate = c.fastestLinkRate;
        line.baudIndex = 0;
        line.calls.clear();
        reads = 0;
        const size_t before = wire.Written().size();
        dialog->NegotiateBaudRate();
        Strings sent = Sent();
        sent.erase(sent.begin(), sent.begin() + before);
        std::erase(sent, "MD?");
        EXPECT_EQ(sent, c.sent);
        if (c.fastestLinkRate == 115200)
            EXPECT_EQ(Strings(line.calls.begin(), line.calls.begin() + std::min(flush.size(), line.calls.size())),
                      flush);
        else
            EXPECT_EQ(std::count(line.calls.begin(), line.calls.end(), "wake 14"), 1) << "only rates the link runs at";
        EXPECT_EQ(line.baudIndex, c.finalBaudIndex);
        EXPECT_EQ(window.Selection(kBaudRate), c.finalBaudIndex);
        EXPECT_EQ(reads, c.reads);
    }
}

// Which commands store and load an area is the memory areas' test; here the dialog's texts.
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

    window.SetSelection(kArea, 0);
    dialog->OnStore();
    EXPECT_EQ(platform.progress, (Strings{"open:Now, Storing camera data.", "finish"}));
    EXPECT_EQ(platform.Texts(), Strings{"Completed to store current setting data!"});
    window.SetSelection(kArea, 3);
    dialog->OnLoad();
    EXPECT_EQ(reads, 1);
    const auto sent = Sent();
    EXPECT_EQ(Strings(sent.end() - 2, sent.end()), (Strings{"SA00=0", "LD=3"}));

    camera.refuseAreas = true;
    platform.boxes.clear();
    dialog->OnStore();
    dialog->OnLoad();
    EXPECT_EQ(platform.Texts(), (Strings{"NG\nSA=3", "NG\nLD=3"})) << "only the engine's reports";
    EXPECT_EQ(reads, 1) << "a refused load reads nothing";
}

TEST_F(CommunicationDialogTest, MessageLogKeepsTheNewestEntriesAndSavesNewestFirst) {
    Open();
    engine.SendCommandInt(protocol::cmd::GA, 400, protocol::milliseconds(50));  // the camera does not know GA: no reply
    EXPECT_EQ(Items(window, kMessages), Strings{"GA=400"}) << "listed bare, without CR LF";
    dialog->OnClearLog();
    for (int i = 0; i < kMaxMessages + 2; ++i) dialog->AddMessage("m" + std::to_string(i));
    EXPECT_EQ(window.ItemCount(kMessages), kMaxMessages);
    EXPECT_EQ(window.ItemText(kMessages, 0), "m2") << "the two oldest went";
    EXPECT_EQ(window.ItemText(kMessages, kMaxMessages - 1), "m4097");
    dialog->OnClearLog();
    for (const char* message : {"first", "second"}) dialog->AddMessage(message);

    platform.files = {dir / "log"};
    dialog->OnWriteLog();
    EXPECT_EQ(dir.ReadFile("log.txt"), "second\nfirst\n");
    EXPECT_EQ(Items(window, kMessages).back(), "Writing file has been done!");
    EXPECT_EQ(storedFolder, dir.Path());

    platform.files = {dir / "log.txt"};
    platform.answers = {platform::MsgResult::No};
    dialog->OnWriteLog();
    EXPECT_EQ(platform.Texts(), Strings{(dir / "log.txt") + "\nThis file already exists.\nReplace existing file?"});
    EXPECT_EQ(dir.ReadFile("log.txt"), "second\nfirst\n");
}

using namespace vr::dialogs::terminal;

system_clock::time_point Utc(int h, int m, int s, int ms) {
    return system_clock::time_point(days(20000) + hours(h) + minutes(m) + seconds(s) + milliseconds(ms));
}

class TerminalDialogTest : public DialogTest {
protected:
    void SetUp() override {
        dialog =
            std::make_unique<dialogs::CTerminalDialog>(services.Get(), window, frame, folder, [this] { return now; });
        dialog->Init();
    }

    ui::ControlModel window = test::DialogControls({{ui::CtrlType::Edit, {kEdit}},
                                                    {ui::CtrlType::Combo, {kList}},
                                                    {ui::CtrlType::Static, {dialogs::terminal::kStrip}},
                                                    {ui::CtrlType::Button, {kSend, kClear, kClose, kSave}}});
    system_clock::time_point now = Utc(10, 5, 7, 42);
    std::unique_ptr<dialogs::CTerminalDialog> dialog;
};

TEST_F(TerminalDialogTest, AnEmptyLineIsSentTooRepliesAreListedWhileHiddenAndTheRegistryGreysIt) {
    services.dialogs.DisableAll();
    EXPECT_FALSE(frame.enabled);
    services.dialogs.EnableAll();
    EXPECT_TRUE(frame.enabled);
    EXPECT_EQ(window.GetPicture(dialogs::terminal::kStrip), protocol::kStripOffline);
    window.SetText(kEdit, "");
    dialog->OnSend();
    EXPECT_EQ(wire.Written(), Strings{"\r\n"});
    EXPECT_EQ(Items(window, kList), Strings{"05:07:042  Tx: "});

    dialog->OnClose();
    EXPECT_FALSE(frame.visible);
    wire.Feed("COMPLETE\r\n");
    services.engine.OnTimer();
    EXPECT_EQ(Items(window, kList).back(), "05:07:042  Rx: COMPLETE");
}

// Each command goes out alone and leaves the edit empty for the next, as a shell's prompt does.
TEST_F(TerminalDialogTest, UpAndDownRecallTheCommandsSentBefore) {
    for (const char* text : {"GA?", "GA=400", "GA=400", "MD?"}) {
        window.SetText(kEdit, text);
        dialog->OnSend();
        EXPECT_EQ(window.GetText(kEdit), "");
    }
    EXPECT_EQ(wire.Written(), (Strings{"GA?\r\n", "GA=400\r\n", "GA=400\r\n", "MD?\r\n"}));
    auto recall = [this](int step) {
        dialog->OnHistory(step);
        return window.GetText(kEdit);
    };
    // Up from the newest back to the oldest and no further; the repeated command is there once.
    for (const char* command : {"MD?", "GA=400", "GA?", "GA?"}) EXPECT_EQ(recall(-1), command);
    EXPECT_EQ(recall(1), "GA=400");
    recall(1);
    EXPECT_EQ(recall(1), "") << "past the newest: a new command";
    window.SetText(kEdit, "typed");
    EXPECT_EQ(recall(1), "typed") << "Down at the end leaves the edit alone";
}

// A full list keeps its newest 32786 lines; time stamps give minute, second and millisecond without
// the hour.
TEST_F(TerminalDialogTest, ListKeepsItsNewest32786LinesAndFormatsShortMessagesAndTimeStamps) {
    EXPECT_EQ(protocol::TrafficLog::TimeStamp(Utc(23, 59, 59, 999)), "59:59:999  ");
    EXPECT_EQ(protocol::TrafficLog::TimeStamp(Utc(0, 0, 0, 0)), "00:00:000  ");
    for (int i = 0; i < kMaxLines + 2; ++i) dialog->AddLine(std::to_string(i));
    EXPECT_EQ(window.ItemCount(kList), 32786);
    EXPECT_EQ(window.ItemText(kList, 0), "05:07:042  2");
    EXPECT_EQ(window.ItemText(kList, kMaxLines - 1), "05:07:042  " + std::to_string(kMaxLines + 1));
    dialog->OnClear();
    EXPECT_EQ(window.ItemCount(kList), 0);
    dialog->AddLineF("%s", std::string(300, 'a').c_str());
    EXPECT_EQ(window.ItemText(kList, 0), "05:07:042  " + std::string(256, 'a'));
}

// Saving the lines in order, and its "done" line, are the Qt tests'.
TEST_F(TerminalDialogTest, SaveReplacesOnYesAndSaysWhenTheFileCannotBeOpened) {
    dir.WriteFile("trace.csv", "old\n");
    platform.files = {dir / "trace.csv"};
    platform.answers = {platform::MsgResult::Yes};
    dialog->OnSave();
    EXPECT_EQ(dir.ReadFile("trace.csv"), "") << "an empty list empties the file";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1) << "no temporary file is left";
    EXPECT_EQ(storedFolder, dir.Path());

    platform.boxes.clear();
    platform.files = {dir / "missing/trace.csv"};
    dialog->OnSave();
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].text, "File open error !");
    EXPECT_EQ(platform.boxes[0].icon, platform::MsgIcon::Error);
    platform.files.clear();
    dialog->OnSave();  // cancelled: nothing happens
    EXPECT_EQ(platform.boxes.size(), 1u);
}

}  // namespace
