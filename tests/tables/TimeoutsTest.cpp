// How long each operation lets each of its commands wait, against tests/golden/timeouts.tsv, and the
// order reading all settings asks the rows in, against tests/golden/read_order.tsv. The operations
// run on the virtual camera behind the in-memory link, which keeps every line with its time-out.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>

#include "CameraOnPty.h"
#include "FakeDialogFrame.h"
#include "GoldenFile.h"
#include "MemoryLink.h"
#include "SimCameraLink.h"
#include "calibration/OnePush.h"
#include "calibration/XmlVersion.h"
#include "camera/ModelCommands.h"
#include "camera/ReadAllSettings.h"
#include "dialogs/CommunicationDialog.h"
#include "identity/CameraId.h"
#include "identity/DeviceInfo.h"
#include "identity/UserId.h"
#include "lut/PlainLutTables.h"
#include "lut/TableFiles.h"
#include "protocol/CommandTimeouts.h"
#include "protocol/ControlIds.h"
#include "settings/SettingsFile.h"
#include "ui/fronts/SettingsFeature.h"

using namespace vr;
using namespace vr::test;
using std::chrono::milliseconds;

namespace {

// Every pause passes at once.
class InstantClock final : public calibration::IWaitClock {
public:
    TimePoint Now() override { return now_; }
    void Sleep(milliseconds duration) override { now_ += duration; }

private:
    TimePoint now_{std::chrono::hours(1)};
};

// A program's services and main window with its features, on a camera of `model` behind the
// in-memory link. The window has not started up yet.
struct Rig {
    Rig(const std::string& model, uint32_t controlMode) {
        options.model = model;
        camera.Reset(options);
        link.traffic = &services.traffic;
        link.timedBy = &services.engine;
        services.engine.SetLink(&link);
        dlg.SetControlMode(controlMode);
    }
    ~Rig() { services.engine.SetLink(nullptr); }

    void StartUp() {
        dlg.OnInitDialog();
        link.ClearTimed();
    }
    void Select(uint32_t id, int index) {
        controls.SetSelection(id, index);
        dlg.OnControlEvent(id, {ui::ControlEventType::SelChange});
    }
    void Click(uint32_t id) { dlg.OnControlEvent(id, {ui::ControlEventType::Clicked}); }
    ui::SettingsFeature& Settings() {
        ui::SettingsFront front;
        front.chooseArea = [this](ui::AreaDialogMode, bool) { return std::optional<int>(area); };
        front.showDifferences = [](const std::string&, const std::vector<settings::SettingDifference>&) {
            return false;
        };
        if (!feature) feature = std::make_unique<ui::SettingsFeature>(dlg, std::move(front));
        return *feature;
    }
    dialogs::CCommunicationDialog& Communication() {
        using namespace dialogs::comm;
        commControls = DialogControls({{ui::CtrlType::Combo, {kPortName, kCategory, kArea, kBaudRate, kMessages}},
                                       {ui::CtrlType::Static, {kStatusText, kStrip, kStatusIcon, kAreaName}}});
        dialogs::CommunicationHooks hooks;
        hooks.modelProbe = [this] { return dlg.ModelProbe(); };
        hooks.readAllSettings = [this] { dlg.ReadAllSettings(); };
        hooks.controlMode = [this] { return dlg.ControlMode(); };
        comm = std::make_unique<dialogs::CCommunicationDialog>(services.Get(), commControls, frame, hooks,
                                                               dialogs::LogFolderStore{}, true);
        comm->Init();
        return *comm;
    }
    calibration::OnePush& OnePush() {
        if (!onePush) onePush = std::make_unique<calibration::OnePush>(dlg.Session(), &dlg, clock);
        return *onePush;
    }
    lut::TableFiles& TableFiles() {
        if (!tableFiles) tableFiles = std::make_unique<lut::TableFiles>(dlg.Session(), tables);
        return *tableFiles;
    }

    sim::SimOptions options;
    TestServices services;
    MemoryLink link;
    SimCameraLink camera{link, services.fakeLine};
    ui::ControlModel controls;
    RecordingMainWindow dlg{services.Get(), controls};
    int area = 0;  // the memory-area dialog's answer
    std::unique_ptr<ui::SettingsFeature> feature;
    ui::ControlModel commControls{ui::ControlModel::Empty{}};
    FakeDialogFrame frame;
    std::unique_ptr<dialogs::CCommunicationDialog> comm;
    InstantClock clock;
    std::unique_ptr<calibration::OnePush> onePush;
    lut::PlainLutTables tables;
    std::unique_ptr<lut::TableFiles> tableFiles;
};

struct Operation {
    const char* name;
    const char* model;
    uint32_t controlMode;
    bool startUp;  // the start-up has run before, and what it sent is not the operation's
    std::function<void(Rig&)> run;
};

// clang-format off
const Operation kOperations[] = {
    {"start-up", "KB", 0, false, [](Rig& r) { r.dlg.OnInitDialog(); }},
    {"Control Mode change", "KB", 0, true, [](Rig& r) { r.dlg.ToggleControlMode(); }},
    {"Reload", "KA", 0, true, [](Rig& r) { r.dlg.OnMenuCommand(30002); }},
    {"read all settings", "KA", 1, true, [](Rig& r) { r.dlg.ReadAllSettings(); }},
    {"Gain All typed", "KB", 0, true, [](Rig& r) {
        r.controls.SetText(1041, "400");
        r.dlg.OnControlEvent(1041, {ui::ControlEventType::EditKillFocus});
    }},
    {"Pixel Format chosen", "KB", 0, true, [](Rig& r) { r.Select(1100, 1); }},
    {"CL Configuration chosen", "KB", 0, true, [](Rig& r) { r.Select(1223, 1); }},
    {"Correction Mode chosen", "KB", 0, true, [](Rig& r) { r.Select(1628, 1); }},
    {"Sensor Select chosen", "KA", 0, true, [](Rig& r) { r.Select(1195, 1); }},
    {"Line Rate Read", "KB", 0, true, [](Rig& r) { r.Click(1219); }},
    {"Exposure Time Read", "KB", 0, true, [](Rig& r) { r.Click(1222); }},
    {"Temperature Get", "KB", 0, true, [](Rig& r) { r.Click(1125); }},
    {"Counter 0 Reset", "KB", 0, true, [](Rig& r) { r.Click(1441); }},
    {"Counter 1 Read", "KB", 0, true, [](Rig& r) { r.Click(1448); }},
    {"LUT point G Read", "KB", 0, true, [](Rig& r) { r.Click(1164); }},
    {"LUT point R Write", "KB", 0, true, [](Rig& r) { r.Click(1431); }},
    {"Chromatic Aberration Mode chosen", "KA", 0, true, [](Rig& r) { r.Select(protocol::id::kCaMode, 1); }},
    {"Chromatic Aberration Save", "KA", 0, true, [](Rig& r) { r.Click(protocol::id::kCaSave); }},
    {"settings file open", "KB", 1, true, [](Rig& r) {
        r.services.dir.WriteFile("in.cam", "MD00=VR-8200-KB\r\nGA=400\r\n");
        r.Settings().LoadFile(r.services.dir / "in.cam");
    }},
    {"settings file save All Data", "KB", 1, true, [](Rig& r) {
        settings::SettingsFile(r.dlg.Session(), &r.dlg).Write(r.services.dir / "out.cam", settings::SettingsVariant::AllData);
    }},
    {"Store settings", "KB", 1, true, [](Rig& r) {
        for (int area : {2, 0}) {
            r.area = area;
            r.Settings().StoreSettings();
        }
    }},
    {"Load settings", "KB", 0, true, [](Rig& r) { r.area = 1; r.Settings().LoadSettings(); }},
    {"Store All", "KB", 1, true, [](Rig& r) {
        r.services.platform.answers = {platform::MsgResult::Yes};
        r.Settings().StoreAll();
    }},
    {"Camera Reset", "KB", 1, true, [](Rig& r) { r.Settings().CameraReset(); }},
    {"Set model", "KB", 1, true, [](Rig& r) {
        r.controls.SetSelection(protocol::id::kModelDisplay, 0);
        r.Settings().SetModel();
    }},
    // The camera was switched off and on: it listens at 9600 again.
    {"Communication Port Name changed", "KB", 0, true, [](Rig& r) {
        auto& comm = r.Communication();
        r.camera.Reset(r.options);
        comm.OnPortChanged();
    }},
    {"Communication Get Area", "KB", 0, true, [](Rig& r) { r.Communication().OnGetArea(); }},
    {"Communication Store", "KB", 1, true, [](Rig& r) {
        auto& comm = r.Communication();
        for (int area : {2, 0}) {
            r.commControls.SetSelection(dialogs::comm::kArea, area);
            comm.OnStore();
        }
    }},
    {"Communication Load", "KB", 0, true, [](Rig& r) {
        auto& comm = r.Communication();
        r.commControls.SetSelection(dialogs::comm::kArea, 1);
        comm.OnLoad();
    }},
    {"White Balance Once", "KB", 0, true, [](Rig& r) { r.OnePush().WhiteBalanceOnce(); }},
    {"White Balance Exposure Once", "KA", 0, true, [](Rig& r) { r.OnePush().ExposureWhiteBalanceOnce(); }},
    {"Gain Auto Once", "KB", 0, true, [](Rig& r) { r.OnePush().GainAutoOnce(); }},
    {"Recalibrate Shading", "KB", 0, true, [](Rig& r) { r.OnePush().ShadingCalibration(); }},
    {"Recalibrate Pixel Gain", "KB", 0, true, [](Rig& r) { r.OnePush().PixelGainRecalibration(); }},
    {"Recalibrate Pixel Black", "KB", 0, true, [](Rig& r) { r.OnePush().PixelBlackRecalibration(); }},
    {"Recalibrate Pixel Gain (Factory)", "KB", 1, true, [](Rig& r) { r.OnePush().FactoryPixelGainRecalibration(); }},
    {"Recalibrate Pixel Black (Factory)", "KB", 1, true, [](Rig& r) { r.OnePush().FactoryPixelBlackRecalibration(); }},
    {"Auto Setting", "KB", 0, true, [](Rig& r) { r.OnePush().AutoSetting(); }},
    {"XML Version Wirte", "KA", 1, true, [](Rig& r) { calibration::XmlVersion(r.dlg.Session(), r.dlg).Write(); }},
    {"XML Version Read", "KA", 1, true, [](Rig& r) { calibration::XmlVersion(r.dlg.Session(), r.dlg).Read(); }},
    {"Write Table Data", "KB", 0, true, [](Rig& r) {
        LutEditorUnderTest(r.services.Get(), lut::LutColour::Blue).logic.OnWriteTableData();
    }},
    {"Read Table Data", "KB", 0, true, [](Rig& r) {
        LutEditorUnderTest(r.services.Get(), lut::LutColour::Blue).logic.OnReadTableData();
    }},
    {"Load all LUT table", "KB", 0, true, [](Rig& r) { r.TableFiles().LoadAllLutTables(); }},
    {"shading Read ( camera -> file )", "KB", 0, true, [](Rig& r) {
        r.camera.Prepare("SDM=1");
        if (r.TableFiles().CheckShadingMode() == lut::TableFileOutcome::Done) r.TableFiles().ReadShading();
    }},
    {"shading Write ( file -> camera )", "KB", 0, true, [](Rig& r) {
        r.camera.Prepare("SDM=1");
        if (r.TableFiles().CheckShadingMode() == lut::TableFileOutcome::Done) r.TableFiles().WriteShading();
    }},
    {"shading Store in flash memory", "KB", 0, true, [](Rig& r) { r.TableFiles().StoreShading(); }},
    {"device information", "KA", 0, true, [](Rig& r) { identity::DeviceInfo(r.services.Get()).Read(); }},
    {"Save Dev Ver", "KA", 1, true, [](Rig& r) {
        identity::DeviceInfo(r.services.Get()).WriteDeviceVersion("1.0.0.2");
    }},
    {"Camera Id", "KA", 0, true, [](Rig& r) {
        std::string id;
        identity::CameraId(r.services.Get()).Query(id);
    }},
    {"Camera Id Save", "KA", 1, true, [](Rig& r) { identity::CameraId(r.services.Get()).Save("2400012346"); }},
    {"User Id", "KA", 0, true, [](Rig& r) {
        std::string text;
        identity::UserId(r.services.Get()).Query(text);
    }},
    {"User Id Save", "KA", 0, true, [](Rig& r) { identity::UserId(r.services.Get()).Save("line 3 left"); }},
};
// clang-format on

constexpr const char* kReadAll = "read all settings";
constexpr const char* kReadAllRow = "(read all settings)";
constexpr const char* kReadListQuery = "(read list)?";

// "SA=" for "SA=2", "EA?" for "EA?".
std::string CommandForm(const std::string& line) {
    const size_t end = line.find_first_of("=?");
    return end == std::string::npos ? line : line.substr(0, end + 1);
}

// The mnemonics of the rows that are read for some model and mode.
std::set<std::string> ReadListMnemonics(const GoldenFile& readOrder) {
    std::set<std::string> names;
    for (const auto& r : readOrder.Records()) names.insert(r.Text("mnemonic"));
    return names;
}

using Timeouts = std::map<std::string, std::set<int64_t>>;  // "SA=" -> {8000}

}  // namespace

// Each operation sends exactly the commands its golden rows name, each with the time-outs they give;
// an operation that reads all settings also sends what "read all settings" does.
TEST(GoldenTables, TimeOutsOfEveryOperation) {
    GoldenFile golden("timeouts.tsv");
    GoldenFile readOrder("read_order.tsv");
    const std::set<std::string> readList = ReadListMnemonics(readOrder);
    std::map<std::string, std::vector<const GoldenFile::Record*>> rows;
    for (const auto& r : golden.Records()) rows[r.Text("operation")].push_back(&r);

    for (const Operation& op : kOperations) {
        SCOPED_TRACE(op.name);
        const auto it = rows.find(op.name);
        ASSERT_NE(it, rows.end()) << "no golden rows for " << op.name;
        std::vector<const GoldenFile::Record*> expected = it->second;
        const bool readsAll =
            op.name == std::string(kReadAll) ||
            std::any_of(expected.begin(), expected.end(), [](const auto* r) { return r->Text("line") == kReadAllRow; });
        if (readsAll && op.name != std::string(kReadAll))
            expected.insert(expected.end(), rows[kReadAll].begin(), rows[kReadAll].end());

        Rig rig(op.model, op.controlMode);
        if (op.startUp) rig.StartUp();
        op.run(rig);
        Timeouts sent;
        for (const auto& t : rig.link.Timed()) {
            std::string form = CommandForm(t.line);
            if (readsAll && form.back() == '?' && readList.count(form.substr(0, form.size() - 1)) > 0)
                form = kReadListQuery;
            sent[form].insert(t.timeout.count());
        }
        Timeouts goldenTimeouts;
        std::map<std::string, const GoldenFile::Record*> where;
        for (const auto* r : expected) {
            if (r->Text("line") == kReadAllRow) continue;
            goldenTimeouts[r->Text("line")].insert(r->Int("timeout_ms"));
            where.emplace(r->Text("line"), r);
        }
        for (const auto& [form, timeouts] : goldenTimeouts) {
            const auto code = sent.find(form);
            if (code != sent.end() && code->second == timeouts) continue;
            std::string codeText;
            for (int64_t t : code != sent.end() ? code->second : std::set<int64_t>{})
                codeText += (codeText.empty() ? "" : ", ") + std::to_string(t);
            where[form]->Fail(std::string(op.name) + ": " + form + " sent with " +
                              (codeText.empty() ? "not sent" : codeText) + " ms");
        }
        for (const auto& [form, timeouts] : sent)
            if (goldenTimeouts.count(form) == 0)
                ADD_FAILURE() << op.name << " sent " << form << ", which the golden rows do not name";
    }
    for (const auto& [name, records] : rows)
        if (name != "vr8200ctl set" && std::none_of(std::begin(kOperations), std::end(kOperations),
                                                    [&](const Operation& op) { return name == op.name; }))
            records.front()->Fail("no operation of the test runs " + name);
}

// The command line's "set" waits for each command as its golden row says, every other command 5 s.
TEST(GoldenTables, TimeOutsOfTheCommandLineSet) {
    GoldenFile golden("timeouts.tsv");
    std::map<std::string, int64_t> byLine;
    for (const auto& r : golden.Records())
        if (r.Text("operation") == "vr8200ctl set") byLine[r.Text("line")] = r.Int("timeout_ms");
    ASSERT_EQ(byLine.count("(any other)="), 1u);
    for (uint32_t id = 0; id < protocol::kCommandCount; ++id) {
        const std::string name = protocol::GetCommandName(id);
        if (name.empty()) continue;
        const auto it = byLine.find(name + "=");
        EXPECT_EQ(protocol::SetTimeout(id).count(), it != byLine.end() ? it->second : byLine["(any other)="]) << name;
    }
}

// Reading all settings queries the rows of its model and mode in table order, and dump prints what
// was read in that order.
TEST(GoldenTables, ReadOrderOfEachModelAndMode) {
    GoldenFile golden("read_order.tsv");
    for (const char* model : {"KB", "KA"}) {
        for (uint32_t mode : {0u, 1u}) {
            const std::string column = std::string(model) + (mode == 1 ? " factory" : " user");
            SCOPED_TRACE(column);
            std::vector<std::string> expected;
            for (const auto& r : golden.Records())
                if (r.Text(column) == "yes") expected.push_back(r.Text("mnemonic") + "?");
            Rig rig(model, mode);
            rig.StartUp();
            rig.dlg.ReadAllSettings();
            std::vector<std::string> queried, listed;
            for (const auto& t : rig.link.Timed())
                if (std::find(expected.begin(), expected.end(), t.line) != expected.end()) queried.push_back(t.line);
            for (const auto& read : rig.dlg.LastRead())
                listed.push_back(protocol::GetCommandName(rig.services.table.Row(read.row).def->cmdId) + "?");
            EXPECT_EQ(queried, expected);
            EXPECT_EQ(listed, expected);
        }
    }
    EXPECT_TRUE(camera::RowsToRead(camera::kModelUnknown, true).empty()) << "an unknown model reads nothing";
}
