#pragma once
// One run of vr8200ctl and its composition root: the console platform, the services and the camera
// session over them, the traffic trace, the virtual camera when asked for, and the link chosen for
// this run.

#include <memory>
#include <string>

#include "ConsolePlatform.h"
#include "Options.h"
#include "app/CoreServices.h"
#include "camera/CameraSession.h"

namespace vr::sim {
class PtyServer;
}
namespace vr::journal {
class Journal;
class Recorder;
}  // namespace vr::journal

namespace vr::cli {

// The change journal of a run that records (none with --no-journal): --journal, the stored setting
// in `store`, or the user's data folder. A journal that cannot be written is said once on stderr.
std::unique_ptr<journal::Journal> OpenRunJournal(const Options& options, platform::CRegistry& store);

class Session {
public:
    explicit Session(const Options& options);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Starts the virtual camera and points the link at the port of this run. kExitOk or the exit
    // status of the failure (already reported on stderr).
    int Prepare();

    // Opens the link without any start-up sequence: at --rate, else at the rate the last run left
    // the camera at on this port, else at the stored rate. On failure OpenFailure() says why;
    // nothing else is printed.
    bool OpenLine();

    // A command changed the camera's rate behind the link's back ("CRS00" brings it back at 9600):
    // the rate remembered for the next run.
    void CameraRateChanged(uint32_t rate) { cameraRate_ = rate; }

    enum class Connection { Ok, CannotOpen, NoCamera, Lost };
    // The main window's start-up: open, model probe, "EA", line flush, rate search, raise to
    // 115200, and (readAll) every setting. With --rate the camera is first probed at that rate.
    // True when a camera answered; LastConnection() tells more.
    bool Connect(bool readAll);
    Connection LastConnection() const { return connection_; }
    // The scripting session keeps one connection for many commands: while the camera a start-up
    // found is still on an open line, Connect only reads (readAll) and OpenLine keeps the line as
    // it is. ForgetConnection makes the next Connect run the whole start-up again.
    void KeepConnection(bool keep) { keepConnection_ = keep; }
    void ForgetConnection() { connection_ = Connection::NoCamera; }
    bool Connected();
    // Connect, telling a failure on stderr ("cannot open DEVICE: REASON", "no camera answered on
    // DEVICE"); kExitOk or kExitNoLink.
    int ConnectOrFail(bool readAll);

    // After a start-up that found a camera of a model the tool does not know (its settings were not
    // read): says so on stderr and returns true.
    bool TellUnsupportedModel();

    // The port of this run as messages name it: the device path, or the Camera Link port's name.
    std::string PortName();
    const std::string& OpenFailure() const { return openFailure_; }
    // How far the start-up got: "EA" answered, the line raised (or no raise needed).
    bool AreaAnswered() const { return areaAnswered_; }
    bool Raised() const { return raised_; }

    camera::CameraSession& Camera() { return core_->Session(); }
    // Every setting read again, as the start-up reads them: the rows, the report of a read that
    // ended early, and the chromatic aberration correction after a complete one.
    void ReadAllSettings();
    camera::Services& Services() { return core_->Get(); }
    ConsolePlatform& Platform() { return platform_; }

    // The journal file of this run: --journal, the stored setting, or the user's data folder.
    std::string JournalPath();
    // What the journal records this run's camera as, once a start-up began; null with --no-journal.
    journal::Recorder* Recorder() { return recorder_.get(); }
    // Waits until what this run handed the journal is written.
    void FlushJournal();
    const Options& Opts() const { return options_; }

private:
    bool OpenLineAt(uint32_t rate);
    bool ProbeAtGivenRate();
    // The rate the last run left the camera on this port at, when this run may start there; 0 when not.
    uint32_t RememberedRate();
    void RememberCameraRate();
    Connection RunStartUp(bool readAll);
    // Starts the journal (once) before the first start-up, unless --no-journal.
    void StartJournal();

    const Options& options_;
    ConsolePlatform platform_;
    std::unique_ptr<app::CoreServices> core_;
    std::unique_ptr<sim::PtyServer> simulator_;
    std::unique_ptr<journal::Journal> journal_;
    std::unique_ptr<journal::Recorder> recorder_;
    uint32_t storedControlMode_ = 0;
    std::string openFailure_;
    std::string holderTold_;  // the note about other programs on the port, once said
    Connection connection_ = Connection::NoCamera;
    bool areaAnswered_ = false;
    bool raised_ = false;
    bool keepConnection_ = false;
    uint32_t cameraRate_ = 0;  // 0: the link's rate at the end of the run
};

}  // namespace vr::cli
