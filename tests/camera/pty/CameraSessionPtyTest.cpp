// The camera session on the virtual camera over a pty: what it tells its listeners as it starts up,
// reads, sends, stores and loads, and two sessions driven at once from two threads.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "TempDir.h"
#include "TestServices.h"
#include "camera/CameraSession.h"
#include "camera/ChromaticAberration.h"
#include "camera/ReadAllSettings.h"
#include "lut/GammaFile.h"
#include "lut/PlainLutTables.h"
#include "lut/TableFiles.h"
#include "protocol/Command.h"
#include "protocol/CommandTable.h"
#include "protocol/ControlIds.h"
#include "protocol/ParameterTable.h"
#include "settings/SettingsFile.h"
#include "sim/PtyServer.h"

namespace vr {
namespace {

using namespace std::chrono_literals;

// Every call, as one line each, in order.
class RecordingListener : public camera::ISessionListener {
public:
    void OnOnline(bool online) override { events.push_back(online ? "online" : "offline"); }
    void OnModel(const camera::CameraModel& model) override { events.push_back("model " + model.name); }
    void OnArea(uint32_t area) override { events.push_back("area " + std::to_string(area)); }
    void OnLineRate(int baudIndex) override { events.push_back("rate " + std::to_string(baudIndex)); }
    void OnStartUpStep(const std::string& text) override { events.push_back("step " + text); }
    void OnSettingsRead(const camera::RowsRead& read) override {
        events.push_back("read " + std::to_string(read.rows.size()) + (read.Ended() ? " ended" : ""));
    }
    void OnValueChanged(const camera::ValueChange& c) override {
        events.push_back("changed " + protocol::GetCommandName(c.cmdId) + " " + std::to_string(c.oldValue) + "->" +
                         std::to_string(c.newValue));
    }
    void OnRefused(const camera::Refusal& r) override { events.push_back("refused " + r.sent); }
    void OnAreaOperation(camera::AreaOperation op, int area, bool succeeded) override {
        static const char* const names[] = {"store", "store-all", "load", "reset"};
        events.push_back(std::string(names[static_cast<int>(op)]) + " " + std::to_string(area) +
                         (succeeded ? " ok" : " failed"));
    }
    void OnFile(camera::FileOperation op, const std::string& path, bool succeeded, int count) override {
        lastPath = path;
        static const char* const names[] = {"loaded", "saved", "tables written", "tables read"};
        events.push_back(std::string("file ") + names[static_cast<int>(op)] + " " + std::to_string(count) +
                         (succeeded ? " ok" : " failed"));
    }
    void OnProgress(const std::string& text, int percent, bool finished) override {
        progress.push_back(text + " " + std::to_string(percent) + (finished ? " finished" : ""));
    }
    // The events of one kind, in order.
    std::vector<std::string> Starting(const std::string& prefix) const {
        std::vector<std::string> found;
        for (const auto& e : events)
            if (e.rfind(prefix, 0) == 0) found.push_back(e);
        return found;
    }
    std::vector<std::string> events;
    std::string lastPath;
    std::vector<std::string> progress;  // kept apart: how many there are depends on the time things take
};

// One virtual camera, its services on the real link, a session over them.
struct Rig {
    explicit Rig(const std::string& model, uint32_t bootRate = 9600) {
        sim::SimOptions options;
        options.model = model;
        options.startRate = bootRate;
        std::string error;
        started = server.Start(options, &error);
        EXPECT_TRUE(started) << error;
        const int index = services.link.AddDevicePath(server.DevicePath());
        EXPECT_GE(index, 0);
        services.link.SetMode(link::ComPort);
        services.link.SetPortIndex(static_cast<uint32_t>(index));
        session.AddListener(listener);
    }
    ~Rig() {
        session.RemoveListener(listener);
        services.link.Close();
        server.Stop();
    }
    sim::PtyServer server;
    test::TestServices services{test::LineKind::Real};
    camera::CameraSession session{services.Get()};
    RecordingListener listener;
    bool started = false;
};

const protocol::ParameterDef& RowOf(const protocol::ParameterTable& table, const char* name) {
    const int32_t cmd = protocol::FindCommand(name);
    for (size_t i = 0; i < table.Size(); ++i)
        if (static_cast<int32_t>(table.Row(i).def->cmdId) == cmd) return *table.Row(i).def;
    ADD_FAILURE() << name << " has no row";
    return *table.Row(0).def;
}

// The start-up told step by step: the probe at the boot rate finds the camera, its model and area
// come with it, the line goes through the flush and back to where the camera answered.
TEST(CameraSessionPty, TellsTheStartUpAndTheReadAsTheyHappen) {
    Rig rig("KA");
    ASSERT_TRUE(rig.started);
    ASSERT_EQ(rig.session.Connect(), 1);
    EXPECT_TRUE(rig.session.PortOpened());
    EXPECT_TRUE(rig.session.AreaKnown());
    ASSERT_EQ(rig.session.RaiseLine(), 1);
    EXPECT_EQ(rig.listener.Starting("model"), std::vector<std::string>{"model VR-8200-KA"});
    EXPECT_EQ(rig.listener.Starting("area"), std::vector<std::string>{"area 0"});
    EXPECT_EQ(rig.listener.Starting("online"), std::vector<std::string>{"online"});
    // The flush walks the rates from 115200 down to 9600; the raise ends at 115200.
    const auto rates = rig.listener.Starting("rate");
    ASSERT_FALSE(rates.empty());
    EXPECT_EQ(rates.front(), "rate 4");
    EXPECT_EQ(rates.back(), "rate 4");
    EXPECT_TRUE(rig.listener.Starting("step").empty()) << "the camera answered at once: no search";

    rig.listener.events.clear();
    const camera::RowsRead& read = rig.session.ReadAllSettings();
    EXPECT_FALSE(read.Ended());
    EXPECT_GT(read.rows.size(), 100u);
    EXPECT_EQ(rig.listener.events,
              (std::vector<std::string>{"model VR-8200-KA", "read " + std::to_string(read.rows.size())}));
    EXPECT_EQ(rig.session.LastReadModel(), "VR-8200-KA");
    EXPECT_FALSE(rig.session.LastReadTime().empty());
}

// A camera that boots at another rate is searched for, each step told and ended.
TEST(CameraSessionPty, TellsEachStepOfTheRateSearch) {
    Rig rig("KB", 38400);
    ASSERT_TRUE(rig.started);
    ASSERT_EQ(rig.session.Connect(), 1);
    const auto steps = rig.listener.Starting("step");
    ASSERT_GE(steps.size(), 2u);
    EXPECT_EQ(steps.front(), "step Searching for the camera at 115200 bit/s\u2026");
    EXPECT_EQ(steps.back(), "step ") << "the last step is ended";
    EXPECT_EQ(rig.listener.Starting("model"), std::vector<std::string>{"model VR-8200-KB"});
}

// Values sent, refused, loaded from a file and stored: each told with what it replaced.
TEST(CameraSessionPty, TellsValuesChangedRefusedLoadedAndAreaOperations) {
    Rig rig("KA");
    ASSERT_TRUE(rig.started);
    ASSERT_EQ(rig.session.Connect(), 1);
    rig.session.ReadAllSettings();
    protocol::ParameterTable& table = rig.services.table;
    const protocol::ParameterDef& gain = RowOf(table, "GA");
    const int32_t before = table.GetDataValue(gain.ctrlId);
    rig.listener.events.clear();

    table.SetDataValue(gain.ctrlId, before + 1);
    EXPECT_TRUE(rig.session.WriteChangedValues());
    table.CommitDataValues();
    table.SetDataValue(gain.ctrlId, 99999);  // out of the camera's range
    rig.services.platform.boxes.clear();
    EXPECT_FALSE(rig.session.WriteChangedValues());
    EXPECT_EQ(rig.listener.events,
              (std::vector<std::string>{"changed GA " + std::to_string(before) + "->" + std::to_string(before + 1),
                                        "refused GA=99999"}));
    table.SetDataValue(gain.ctrlId, before + 1);
    table.CommitDataValues();

    rig.listener.events.clear();
    test::TempDir dir;
    dir.WriteFile("two.cam", "GA=" + std::to_string(before + 2) + "\r\nGA=99999\r\n");
    settings::SettingsFile file(rig.session);
    const settings::SettingsLoad load = file.Load(dir / "two.cam");
    EXPECT_EQ(load.sent, 2);
    EXPECT_EQ(rig.listener.events,
              (std::vector<std::string>{"changed GA " + std::to_string(before + 1) + "->" + std::to_string(before + 2),
                                        "refused GA=99999", "file loaded 2 failed"}));

    rig.listener.events.clear();
    EXPECT_EQ(rig.session.StoreArea(2), 1);
    EXPECT_EQ(rig.session.CurrentArea(), 2u);
    EXPECT_EQ(rig.session.StoreArea(0), 0) << "the factory area is refused outside factory mode";
    EXPECT_EQ(rig.session.LoadArea(2), 1);
    EXPECT_EQ(rig.listener.events, (std::vector<std::string>{"store 2 ok", "store 0 failed", "load 2 ok"}));
}

// A long operation tells its progress from its first text to one finished end; a table transfer tells
// what went to the camera, from which file, and how many commands the camera took.
TEST(CameraSessionPty, TellsTheProgressOfLongOperationsAndTheTablesMoved) {
    Rig rig("KA");
    ASSERT_TRUE(rig.started);
    ASSERT_EQ(rig.session.Connect(), 1);
    rig.session.ReadAllSettings();
    const std::vector<std::string>& progress = rig.listener.progress;
    ASSERT_GE(progress.size(), 2u);
    EXPECT_EQ(progress.front(), std::string(camera::kReadingSettingsText) + " 0");
    EXPECT_EQ(progress.back().substr(progress.back().size() - 9), " finished");
    EXPECT_EQ(std::count_if(progress.begin(), progress.end(),
                            [](const std::string& p) { return p.find("finished") != std::string::npos; }),
              1);

    test::TempDir dir;
    lut::LutTable ramp{};
    for (int i = 0; i < lut::kLutEntries; ++i) ramp[static_cast<size_t>(i)] = i * 3;
    std::string error;
    ASSERT_TRUE(lut::WriteGammaFile(dir / "ramp.csv", ramp, ramp, ramp, error)) << error;
    lut::PlainLutTables tables;
    lut::TableFiles files(rig.session, tables);
    ASSERT_EQ(files.ReadGammaFile(dir / "ramp.csv"), lut::TableFileOutcome::Done);
    rig.listener.events.clear();
    rig.listener.progress.clear();
    ASSERT_EQ(files.WriteLutTables(), lut::TableFileOutcome::Done);
    EXPECT_EQ(rig.listener.Starting("file"),
              std::vector<std::string>{"file tables written " + std::to_string(files.LastReport().answered) + " ok"});
    EXPECT_EQ(files.LastReport().answered, files.LastReport().total);
    EXPECT_EQ(rig.listener.lastPath, dir / "ramp.csv");
    ASSERT_FALSE(rig.listener.progress.empty());
    EXPECT_EQ(rig.listener.progress.back().substr(rig.listener.progress.back().size() - 9), " finished");
}

// Two cameras, each with its own session on its own thread, started up, read and written at the
// same time: neither sees the other's values, and each camera got only its own session's set.
TEST(CameraSessionPty, TwoSessionsOnTwoThreadsKeepToTheirOwnCamera) {
    Rig ka("KA");
    Rig kb("KB");
    ASSERT_TRUE(ka.started);
    ASSERT_TRUE(kb.started);
    struct Outcome {
        int connected = 0;
        bool readEnded = true;
        bool written = false;
        bool textSent = false;
        std::string model;
    };
    auto drive = [](Rig& rig, int32_t gain, Outcome& out) {
        out.connected = rig.session.Connect();
        if (out.connected != 1) return;
        rig.session.RaiseLine();
        out.readEnded = rig.session.ReadAllSettings().Ended();
        camera::ReadChromaticAberration(rig.session);
        // A text sent to a number command: the kind belongs to this send, not to the shared table.
        out.textSent = rig.services.engine.SendCommandString(protocol::FindCommand("GA"), "400", 5s) == 1;
        protocol::ParameterTable& table = rig.services.table;
        table.SetDataValue(RowOf(table, "GA").ctrlId, gain);
        out.written = rig.session.WriteChangedValues();
        out.model = rig.session.Model().name;
    };
    Outcome a, b;
    std::thread first([&] { drive(ka, 401, a); });
    std::thread second([&] { drive(kb, 402, b); });
    first.join();
    second.join();
    EXPECT_EQ(a.connected, 1);
    EXPECT_EQ(b.connected, 1);
    EXPECT_FALSE(a.readEnded);
    EXPECT_FALSE(b.readEnded);
    EXPECT_TRUE(a.written);
    EXPECT_TRUE(b.written);
    EXPECT_TRUE(a.textSent);
    EXPECT_TRUE(b.textSent);
    EXPECT_EQ(a.model, "VR-8200-KA");
    EXPECT_EQ(b.model, "VR-8200-KB");
    EXPECT_EQ(ka.server.Value("GA").value_or(-1), 401);
    EXPECT_EQ(kb.server.Value("GA").value_or(-1), 402);
    // Each session told only its own change.
    const auto changedA = ka.listener.Starting("changed");
    const auto changedB = kb.listener.Starting("changed");
    ASSERT_EQ(changedA.size(), 1u);
    ASSERT_EQ(changedB.size(), 1u);
    EXPECT_NE(changedA[0].find("->401"), std::string::npos) << changedA[0];
    EXPECT_NE(changedB[0].find("->402"), std::string::npos) << changedB[0];
}

}  // namespace
}  // namespace vr
