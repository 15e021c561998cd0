#include "Session.h"

#include <cstdio>
#include <cstdlib>

#include "app/ControlMode.h"
#include "app/Registry.h"
#include "dialogs/TerminalDialog.h"
#include "link/CommSetting.h"
#include "protocol/Command.h"
#include "protocol/TrafficLog.h"
#include "sim/PtyServer.h"
#include "ui/main/CtrlToolDlg.h"

namespace vr::cli {

Session::Session(const Options& options) : options_(options), platform_(options.yes) {
    app::SetPlatform(&platform_);
}

Session::~Session() {
    if (window_) window_->OnDestroy();
    window_.reset();
    // This run's choices are not the operator's stored ones.
    app::ControlMode::Instance().Set(storedControlMode_);
    protocol::TrafficLog::Instance().SetTerminalSink(nullptr);
    link::CCommSetting::Instance().Close();
    if (simulator_) simulator_->Stop();
    app::SetPlatform(nullptr);
}

int Session::Prepare() {
    if (options_.configDir) {
        // The store reads its folder from the environment when it is first used, which is below.
        if (setenv("VR8200_CONFIG_DIR", options_.configDir->c_str(), 1) != 0) {
            std::perror("vr8200ctl: setenv");
            return kExitUsage;
        }
    }
    if (options_.trace) {
        protocol::TrafficLog::Instance().SetTerminalSink([](const std::string& line) {
            const std::string stamped = dialogs::CTerminalDialog::TimeStamp(std::chrono::system_clock::now()) + line;
            std::fprintf(stderr, "%s\n", stamped.c_str());
        });
    }
    storedControlMode_ = app::ControlMode::Instance().Get();
    if (options_.factory) app::ControlMode::Instance().Set(app::ControlMode::kFactory);

    auto& setting = link::CCommSetting::Instance();
    if (options_.OverridesLink()) setting.SetSaveOnExit(false);
    std::string device;
    if (options_.simulate) {
        simulator_ = std::make_unique<sim::PtyServer>();
        sim::SimOptions simOptions;
        simOptions.model = *options_.simulate;
        std::string error;
        if (!simulator_->Start(simOptions, &error)) {
            std::fprintf(stderr, "vr8200ctl: the virtual camera could not start: %s\n", error.c_str());
            return kExitNoLink;
        }
        device = simulator_->DevicePath();
    } else if (options_.port) {
        device = *options_.port;
    }
    if (options_.linkMode) setting.SetMode(*options_.linkMode);
    if (!device.empty()) {
        setting.SetMode(link::ComPort);
        const int index = setting.AddDevicePath(device);
        if (index < 0) {
            std::fprintf(stderr, "vr8200ctl: no such port: %s\n", device.c_str());
            return kExitUsage;
        }
        setting.SetPortIndex(static_cast<uint32_t>(index));
    } else if (options_.portIndex) {
        setting.SetPortIndex(*options_.portIndex);
    }
    return kExitOk;
}

bool Session::OpenLine() {
    auto& setting = link::CCommSetting::Instance();
    protocol::Command::Instance().SetLink(&setting);
    const uint32_t rate = options_.rate ? *options_.rate : setting.GetBaudRate();
    return setting.OpenBaud(rate) == 1;
}

bool Session::ProbeAtGivenRate() {
    auto& window = *window_;
    if (window.ModelProbe() != 1) return false;
    window.QueryCurrentArea();
    window.RaiseLine();
    return true;
}

bool Session::Connect(bool readAll) {
    protocol::Command::Instance().SetLink(&link::CCommSetting::Instance());
    window_ = std::make_unique<ui::CCtrlToolDlg>(controls_);
    window_->SetControlMode(app::ControlMode::Instance().Get());
    window_->PrepareWindow();
    // A port that cannot be opened at all cannot be searched either: one message is enough.
    if (!OpenLine()) return false;
    bool found = options_.rate && ProbeAtGivenRate();
    if (!found) {
        found = window_->Connect() == 1;
        if (found) window_->RaiseLine();
    }
    if (!found) return false;
    if (readAll) window_->ReadAllSettings();
    return true;
}

}  // namespace vr::cli
