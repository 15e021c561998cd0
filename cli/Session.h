#pragma once
// One run of vr8200ctl and its composition root: the console platform, the services, the traffic
// trace, the virtual camera when asked for, the link chosen for this run, and the main window's
// logic over the headless control model.

#include <memory>
#include <string>

#include "ConsolePlatform.h"
#include "Options.h"
#include "app/CoreServices.h"
#include "ui/ControlModel.h"
#include "ui/main/CtrlToolDlg.h"
#include "ui/main/MainWindowView.h"

namespace vr::sim {
class PtyServer;
}

namespace vr::cli {

class Session {
public:
    explicit Session(const Options& options);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Starts the virtual camera and points the link at the port of this run. kExitOk or the exit
    // status of the failure (already reported on stderr).
    int Prepare();

    // Opens the link at the given or stored settings without any start-up sequence.
    bool OpenLine();

    // The main window's start-up: open, model probe, "EA", line flush, rate search, raise to
    // 115200, and (readAll) every setting. With --rate the camera is first probed at that rate.
    // False when no camera answered.
    bool Connect(bool readAll);

    ui::CCtrlToolDlg& Window() { return *window_; }
    app::Services& Services() { return core_->Get(); }
    ConsolePlatform& Platform() { return platform_; }
    const Options& Opts() const { return options_; }

private:
    bool ProbeAtGivenRate();

    const Options& options_;
    ConsolePlatform platform_;
    std::unique_ptr<app::CoreServices> core_;
    std::unique_ptr<sim::PtyServer> simulator_;
    ui::ControlModel controls_;
    ui::NoWindowView view_;
    std::unique_ptr<ui::CCtrlToolDlg> window_;
    uint32_t storedControlMode_ = 0;
};

}  // namespace vr::cli
