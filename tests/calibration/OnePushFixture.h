#pragma once
// A main window with the calibration feature registered, against the virtual camera on a
// pseudo-terminal through the real serial link. The one-push waits run on a clock the test moves,
// and the camera's own delays are short, so minutes of calibration take milliseconds.

#include <functional>
#include <sstream>
#include <thread>

#include "../lut_files/CameraOnPty.h"
#include "calibration/OnePush.h"
#include "calibration/WaitClock.h"
#include "calibration/XmlVersion.h"

namespace vr::test {

// A sleep adds its time at once; with `realSleep` it also takes that long, for the progress window's
// paint interval to pass.
class ManualClock final : public calibration::IWaitClock {
public:
    TimePoint Now() override { return now; }
    void Sleep(std::chrono::milliseconds duration) override {
        now += duration;
        if (onSleep) onSleep();
        if (realSleep.count() > 0) std::this_thread::sleep_for(realSleep);
    }
    std::chrono::milliseconds Elapsed() const {
        return std::chrono::duration_cast<std::chrono::milliseconds>(now - start);
    }

    const TimePoint start{std::chrono::hours(1)};
    TimePoint now = start;
    std::chrono::milliseconds realSleep{0};
    std::function<void()> onSleep;
};

// The camera's delays, short.
inline sim::SimOptions FastCamera(const std::string& model) {
    sim::SimOptions o;
    o.model = model;
    o.awbMs = o.agcMs = o.shadingMs = 20;
    o.recalibrateMs = 0;
    return o;
}

class OnePushFixture : public CameraOnPty {
protected:
    OnePushFixture() {
        // The start commands the virtual camera answers within its short delays, and an unanswered
        // query ends after half a second; the recalibrations keep their real time-outs, which bound
        // their polls on the test's clock.
        timing.whiteBalanceStart = timing.gainAutoStart = timing.shadingStart = std::chrono::milliseconds(2000);
        timing.resultQuery = timing.xmlWrite = timing.xmlRead = std::chrono::milliseconds(500);
    }

    // A main window connected to the camera at 115200 bit/s; with `readAll` the pages hold the
    // camera's settings. Afterwards the lines sent and the boxes are cleared.
    void Start(const sim::SimOptions& options, bool readAll = true) {
        StartWindow(options);
        onePush = std::make_unique<calibration::OnePush>(*dlg, clock, timing);
        onePush->Register(dlg->Router());
        xml = std::make_unique<calibration::XmlVersion>(*dlg, timing);
        xml->Register(dlg->Router());
        if (readAll) {
            dlg->OnInitDialog();
        } else {
            Connect();
        }
        services->traffic.SetTerminalSink([this](const std::string& line) {
            if (line.rfind("Tx: ", 0) != 0) return;
            sent.push_back(line.substr(4));
            cancelWhileSending = cancelWhileSending || services->platform.cancelOffered;
        });
        sent.clear();
        services->platform.boxes.clear();
        services->platform.progress.clear();
    }
    void Shutdown() override {
        onePush.reset();
        xml.reset();
        CameraOnPty::Shutdown();
        cancelWhileSending = false;
    }

    void Select(uint32_t id, int index) {
        controls->SetCurSel(id, index);
        dlg->OnControlEvent(id, {ui::ControlEventType::SelChange});
    }
    // The lines sent since the start-up, joined by spaces; "PGS?x5" for five PGS queries in a row.
    std::string Sent() const {
        std::ostringstream out;
        for (size_t i = 0; i < sent.size();) {
            size_t n = 1;
            while (i + n < sent.size() && sent[i + n] == sent[i]) ++n;
            out << (i == 0 ? "" : " ") << sent[i];
            if (n > 1) out << "x" << n;
            i += n;
        }
        return out.str();
    }

    ManualClock clock;
    calibration::OnePushTiming timing;
    std::unique_ptr<calibration::OnePush> onePush;
    std::unique_ptr<calibration::XmlVersion> xml;
    bool cancelWhileSending = false;  // whether Cancel was on offer while a line went out
};

}  // namespace vr::test
