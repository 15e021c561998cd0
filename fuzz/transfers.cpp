// The command engine and the work built on it (a LUT write and read, Store All, a pixel gain
// recalibration polled to its end, and plain sets and queries) against the virtual camera behind a
// scripted line. The input decides for each line the tool sends whether the camera's answer comes at
// once, late (after the tool gave up waiting, ahead of the next answer), twice, or never, and which
// LUT entries or memory areas the camera refuses. The rule
// that must hold: the tool never takes an answer for a command it does not answer. A set it calls
// done was done by the camera, a value it read is the camera's, an entry never gets another's value,
// and a store it reports complete was completed for each area.

#include <algorithm>
#include <chrono>
#include <deque>
#include <memory>

#include "FuzzCheck.h"
#include "app/CoreServices.h"
#include "calibration/OnePush.h"
#include "calibration/WaitClock.h"
#include "camera/MemoryAreas.h"
#include "lut/LutTransfer.h"
#include "platform/SilentPlatform.h"
#include "protocol/Command.h"
#include "protocol/CommandIds.h"
#include "protocol/Link.h"
#include "sim/SimOptions.h"
#include "sim/VirtualCamera.h"
#include "ui/ControlModel.h"
#include "ui/main/CtrlToolDlg.h"
#include "ui/main/MainWindowView.h"

namespace {

using namespace vr;
using std::chrono::milliseconds;

// Short enough that a camera that never answers costs the run milliseconds.
constexpr milliseconds kWait(1);

enum class Delivery { Now, Late, Twice, Never };

class ScriptedCamera final : public protocol::ILink {
public:
    struct Record {
        std::string line;
        std::vector<std::string> answers;  // what the camera answered, however it was delivered
    };

    // `refuse` names the sets the camera refuses ("LUTIG=95"), as the virtual camera's switch does.
    ScriptedCamera(std::string_view script, std::vector<std::string> refuse) : script_(script) {
        sim::SimOptions options;
        options.refuse = std::move(refuse);
        options.recalibrateMs = 250;
        options.areaMs = 20;
        camera_ = std::make_unique<sim::VirtualCamera>(options, [this] { return now_; });
    }

    int Write(const std::string& text) override {
        size_t start = 0;
        for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
            Hear(text.substr(start, end - start));
        return 1;
    }
    int Read(char* buffer, int count, milliseconds) override {
        int n = 0;
        while (n < count && !pending_.empty()) {
            buffer[n++] = pending_.front();
            pending_.pop_front();
        }
        return n;
    }

    sim::VirtualCamera& Camera() { return *camera_; }
    const std::vector<Record>& Records() const { return records_; }

private:
    void Hear(const std::string& line) {
        // What was held back goes first: a camera answers in order.
        Send(held_);
        held_.clear();
        // Time passes between two lines, as on a wire; a function that takes time ends before the
        // camera answers (its answer is then what the delivery decides about).
        now_ += milliseconds(100);
        std::vector<std::string> answers = camera_->HandleLine(line);
        for (const auto& due : camera_->Poll()) answers.push_back(due);
        while (camera_->Busy()) {
            const auto next = camera_->NextEventTime();
            if (!next) break;
            now_ = std::max(now_, *next);
            for (const auto& due : camera_->Poll()) answers.push_back(due);
        }
        records_.push_back({line, answers});
        switch (NextDelivery()) {
            case Delivery::Now:
                Send(answers);
                break;
            case Delivery::Late:
                held_ = answers;
                break;
            case Delivery::Twice:
                Send(answers);
                Send(answers);
                break;
            case Delivery::Never:
                break;
        }
    }
    void Send(const std::vector<std::string>& answers) {
        for (const auto& answer : answers)
            for (char c : answer + "\r\n") pending_.push_back(c);
    }
    Delivery NextDelivery() {
        if (position_ >= script_.size() * 4) return Delivery::Now;
        const auto byte = static_cast<unsigned char>(script_[position_ / 4]);
        const int shift = static_cast<int>(position_ % 4) * 2;
        ++position_;
        return static_cast<Delivery>((byte >> shift) & 3);
    }

    std::string_view script_;
    size_t position_ = 0;
    sim::VirtualCamera::TimePoint now_{};
    std::unique_ptr<sim::VirtualCamera> camera_;
    std::vector<Record> records_;
    std::vector<std::string> held_;
    std::deque<char> pending_;
};

class InstantClock final : public calibration::IWaitClock {
public:
    TimePoint Now() override { return now_; }
    void Sleep(milliseconds duration) override { now_ += duration; }

private:
    TimePoint now_{};
};

// The program's services. The settings store, the tables and the link object are made once (the
// store writes its file, flushed, whenever it is made and goes); the engine and the window's logic
// are new for each run, since an engine that still owes answers from the last run would make a run
// depend on the one before.
struct Program {
    explicit Program(ScriptedCamera& camera)
        : engine(Core().Get().platform, Core().status, Core().traffic),
          services{Core().Get().platform, Core().registry, Core().controlMode, Core().traffic,
                   Core().status,         Core().dialogs,  Core().table,       engine,
                   Core().link,           Core().line,     Core().model},
          window(services, controls, view) {
        engine.SetLink(&camera);
    }
    static app::CoreServices& Core() {
        static platform::SilentPlatform silent(platform::MsgResult::Yes);
        static app::CoreServices core(silent, fuzz::ScratchFolder());
        return core;
    }
    protocol::Command engine;
    camera::Services services;
    ui::ControlModel controls;
    ui::NoWindowView view;
    ui::CCtrlToolDlg window;
};

// The last record of a line, or null.
const ScriptedCamera::Record* Last(const ScriptedCamera& camera, const std::string& line, size_t from = 0) {
    const auto& records = camera.Records();
    for (size_t i = records.size(); i > from; --i)
        if (records[i - 1].line == line) return &records[i - 1];
    return nullptr;
}

bool AnsweredComplete(const ScriptedCamera::Record* record) {
    return record != nullptr && record->answers == std::vector<std::string>{"COMPLETE"};
}

void SetsAndQueries(protocol::Command& engine, ScriptedCamera& camera, std::string_view plan) {
    constexpr int32_t kValues[] = {100, 400, 99999, 3200, -5, 777};
    for (unsigned char step : plan.substr(0, 24)) {
        const size_t before = camera.Records().size();
        if ((step & 1) == 0) {
            const int32_t value = kValues[(step >> 1) % std::size(kValues)];
            const std::string line = "GA=" + std::to_string(value);
            const int done = engine.SendCommandInt(protocol::cmd::GA, value, kWait);
            const ScriptedCamera::Record* sent = Last(camera, line, before);
            if (done == 1) {
                FUZZ_CHECK(AnsweredComplete(sent));
                FUZZ_CHECK(camera.Camera().Value("GA") == value);
            }
            const protocol::Failure& f = engine.LastFailure();
            if (done == 0 && f.kind == protocol::FailureKind::Refused)
                FUZZ_CHECK(sent != nullptr && sent->answers.size() == 1 && sent->answers[0] == f.received);
            if (done == 0 && !f.notSent.empty()) FUZZ_CHECK(sent == nullptr);
        } else {
            int32_t value = -12345;
            if (engine.QueryInt(protocol::cmd::GA, value, kWait) == 1) FUZZ_CHECK(camera.Camera().Value("GA") == value);
        }
    }
}

void LutWriteAndRead(camera::Services& services, ScriptedCamera& camera) {
    const lut::TransferTimeouts timeouts{kWait, kWait, kWait};
    lut::LutTable table{};
    for (size_t i = 0; i < table.size(); ++i) table[i] = static_cast<int32_t>(4095 - i);
    const lut::TransferReport written = lut::WriteLutToCamera(services, lut::LutColour::Green, table, timeouts);
    for (size_t i = 0; i < table.size(); ++i) {
        const int32_t entry = camera.Camera().LutEntry(1, static_cast<int>(i));
        // Each entry holds its old value or its own new one: never a neighbour's.
        FUZZ_CHECK(entry == table[i] || entry == (i == 255 ? 4095 : 16 * static_cast<int32_t>(i)));
        if (written.Complete()) FUZZ_CHECK(entry == table[i]);
    }
    lut::LutTable read{};
    if (lut::ReadLutTable(services, lut::LutColour::Green, read, timeouts).Complete())
        for (size_t i = 0; i < read.size(); ++i)
            FUZZ_CHECK(read[i] == camera.Camera().LutEntry(1, static_cast<int>(i)));
}

void StoreAll(camera::Services& services, ScriptedCamera& camera) {
    if (camera::MemoryAreas(services).StoreAll(kWait) != 1) return;
    for (const char* line : {"SA=1", "SA=2", "SA=3", "SA00=0"}) FUZZ_CHECK(AnsweredComplete(Last(camera, line)));
}

void PixelGain(ui::CCtrlToolDlg& window, ScriptedCamera& camera) {
    calibration::OnePushTiming timing;
    timing.whiteBalanceStart = timing.gainAutoStart = timing.shadingStart = kWait;
    // The start's own wait (on the real clock) and the bound of the polls (on the instant one).
    timing.pixelStart = timing.factoryPixelStart = milliseconds(50);
    timing.resultQuery = timing.xmlWrite = timing.xmlRead = kWait;
    timing.pause = milliseconds(1);
    InstantClock clock;
    calibration::OnePush onePush(window.Session(), &window, clock, timing);
    const calibration::OnePushResult result = onePush.PixelGainRecalibration();
    if (!result.succeeded) return;
    // The camera did report success to one of the polls.
    bool reported = false;
    for (const auto& r : camera.Records())
        reported = reported || (r.line == "PGS?" && r.answers == std::vector<std::string>{"PGS=1"});
    FUZZ_CHECK(reported);
    FUZZ_CHECK(AnsweredComplete(Last(camera, "PGR=0")));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const auto parts = fuzz::SplitInput(fuzz::AsText(data + 1, size - 1));
    const int scenario = data[0] % 4;
    // The third part names what the camera refuses: LUT entries to select, areas to store.
    std::vector<std::string> refuse;
    if (parts.size() > 2)
        for (unsigned char b : parts[2].substr(0, 8))
            refuse.push_back(scenario == 2 ? "SA=" + std::to_string(b % 3 + 1) : "LUTIG=" + std::to_string(b));
    ScriptedCamera camera(parts[0], refuse);
    Program program(camera);
    protocol::Command& engine = program.engine;
    switch (scenario) {
        case 0:
            SetsAndQueries(engine, camera, parts.size() > 1 ? parts[1] : std::string("\x02\x01\x04\x03\x00\x01"));
            break;
        case 1:
            LutWriteAndRead(program.services, camera);
            break;
        case 2:
            StoreAll(program.services, camera);
            break;
        case 3:
            PixelGain(program.window, camera);
            break;
    }
    return 0;
}
