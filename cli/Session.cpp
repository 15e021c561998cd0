#include "Session.h"

#include <cstdio>

#include "Output.h"
#include "camera/ChromaticAberration.h"
#include "camera/ModelCommands.h"
#include "journal/Journal.h"
#include "journal/Location.h"
#include "journal/Recorder.h"
#include "link/CommSetting.h"
#include "link/NetworkAddress.h"
#include "link/SerialPortList.h"
#include "platform/ControlMode.h"
#include "platform/Registry.h"
#include "protocol/Command.h"
#include "protocol/CommandTimeouts.h"
#include "protocol/TrafficLog.h"
#include "sim/PtyServer.h"

namespace vr::cli {

Session::Session(const Options& options)
    : options_(options),
      platform_(options.yes),
      core_(std::make_unique<app::CoreServices>(
          platform_, options.configDir ? *options.configDir : platform::CRegistry::DefaultFolder(),
          link::SerialPortList(), platform::kCliShutdownStatusName)) {
    // Ctrl-C abandons only a long wait (a calibration, a store); an ordinary command is let finish.
    core_->waitCancel.WaitOutUpTo(protocol::kOrdinaryTimeout);
    if (!core_->registry.Problem().empty()) PrintError(core_->registry.Problem());
}

Session::~Session() {
    // The journal hears nothing more; what it holds is written before the run ends.
    recorder_.reset();
    journal_.reset();
    RememberCameraRate();
    core_->line.Close();
    // This run's choices are not the operator's stored ones.
    core_->controlMode.Set(storedControlMode_);
    core_->traffic.SetTerminalSink(nullptr);
    core_->link.Close();
    if (simulator_) simulator_->Stop();
}

int Session::Prepare() {
    camera::Services& services = core_->Get();
    if (options_.trace) {
        services.traffic.SetTerminalSink([](const std::string& line) {
            const std::string stamped = protocol::TrafficLog::TimeStamp(std::chrono::system_clock::now()) + line;
            std::fprintf(stderr, "%s\n", stamped.c_str());
        });
    }
    storedControlMode_ = services.controlMode.Get();
    if (options_.factory) services.controlMode.Set(platform::ControlMode::kFactory);

    link::CCommSetting& setting = services.link;
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
    if (link::NetworkAddress::Names(device)) {
        link::NetworkAddress address;
        std::string why;
        if (!link::NetworkAddress::Parse(device, address, why)) {
            PrintError(why);
            return kExitUsage;
        }
        setting.SetMode(link::Network);
        setting.SetNetworkAddress(device);
        setting.SetPortIndex(0);
    } else if (!device.empty()) {
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
    if (keepConnection_ && core_->link.IsOpen() && !core_->link.Lost()) return true;
    // The rate the last run left the camera at on this port, as the start-up probes first.
    const uint32_t remembered = RememberedRate();
    return OpenLineAt(options_.rate ? *options_.rate : remembered != 0 ? remembered : core_->link.GetBaudRate());
}

bool Session::OpenLineAt(uint32_t rate) {
    link::CCommSetting& setting = core_->link;
    platform_.Mute(true);
    const bool open = setting.OpenBaud(rate) == 1;
    platform_.Mute(false);
    // The open was muted for its failure boxes; a program holding the port is still worth a line.
    if (const std::string note = setting.HolderNote(); open && !note.empty() && note != holderTold_) {
        holderTold_ = note;
        platform_.MessageBox(note, platform::kAppTitle, platform::MsgIcon::Exclamation, platform::MsgButtons::Ok);
    }
    openFailure_ = open ? std::string() : setting.LastLinkError();
    if (!open && openFailure_.empty()) openFailure_ = "the link could not be opened";
    return open;
}

std::string Session::PortName() {
    link::CCommSetting& setting = core_->link;
    const int index = static_cast<int>(setting.GetPortIndex());
    if (setting.GetMode() == link::ComPort) {
        // A stored adapter that is not plugged in is named, not the port that has its number now.
        const std::string absent = setting.AbsentRememberedDevice();
        if (!absent.empty()) return absent;
        const std::string device = setting.GetPortDevice(index);
        return device.empty() ? "serial port number " + std::to_string(index + 1) : device;
    }
    return setting.GetPortName(index);
}

bool Session::ProbeAtGivenRate() {
    camera::CameraSession& camera = Camera();
    if (camera.ModelProbe() != 1) return false;
    areaAnswered_ = camera.QueryCurrentArea() == 1;
    raised_ = camera.RaiseLine() == 1;
    return true;
}

uint32_t Session::RememberedRate() {
    // A virtual camera of this run always starts afresh; --rate names the rate itself.
    if (options_.rate || options_.simulate) return 0;
    uint32_t rate = 0;
    std::string port;
    if (core_->registry.ReadCameraRate(rate, port) != 1 || port != PortName()) return 0;
    return rate;
}

void Session::RememberCameraRate() {
    // Only what a camera of this run showed: a run that found none, or lost the line, leaves the
    // last known rate as it was.
    if (connection_ != Connection::Ok || options_.simulate) return;
    link::CCommSetting& setting = core_->link;
    if (!setting.IsOpen() || setting.Lost()) return;
    const uint32_t rate = cameraRate_ != 0 ? cameraRate_ : setting.GetBaudRate();
    if (core_->registry.WriteCameraRate(rate, PortName()) == 1)
        core_->traffic.LogNote("the camera is left at " + std::to_string(rate) +
                               " bit/s; the next run probes there first");
}

bool Session::TellUnsupportedModel() {
    const camera::CameraModel& model = core_->Get().model;
    if (model.kind != camera::kModelUnknown) return false;
    std::fprintf(stderr, "vr8200ctl: the camera's model \"%s\" is not supported; its settings were not read\n",
                 protocol::Command::Printable(model.name).c_str());
    return true;
}

int Session::ConnectOrFail(bool readAll) {
    if (Connect(readAll)) return kExitOk;
    int rc = kExitNoLink;
    if (connection_ == Connection::CannotOpen)
        std::fprintf(stderr, "vr8200ctl: cannot open %s: %s\n", PortName().c_str(), openFailure_.c_str());
    else if (connection_ == Connection::Lost) {
        // The camera was there: as for any command it did not answer, exit 1.
        std::fprintf(stderr, "vr8200ctl: the camera on %s answered, then the line went away during the start-up\n",
                     PortName().c_str());
        rc = kExitCameraRefused;
    } else {
        // Bytes that never made a reply (a CR-only line end, a wrong rate) say more than silence.
        const protocol::Failure& heard = core_->engine.LastFailureWithBytes();
        if (heard.received.empty())
            std::fprintf(stderr, "vr8200ctl: no camera answered on %s\n", PortName().c_str());
        else
            std::fprintf(stderr, "vr8200ctl: no camera answered on %s (last: %s)\n", PortName().c_str(),
                         heard.Describe().c_str());
    }
    return rc;
}

bool Session::Connected() {
    const link::CCommSetting& setting = core_->link;
    return connection_ == Connection::Ok && setting.IsOpen() && !setting.Lost();
}

bool Session::Connect(bool readAll) {
    if (keepConnection_ && Connected()) {
        if (readAll) ReadAllSettings();
        return true;
    }
    connection_ = RunStartUp(readAll);
    return connection_ == Connection::Ok;
}

std::string Session::JournalPath() {
    return journal::JournalPath(options_.journal.value_or(""), core_->registry);
}

std::unique_ptr<journal::Journal> OpenRunJournal(const Options& options, platform::CRegistry& store) {
    if (options.noJournal) return nullptr;
    return std::make_unique<journal::Journal>(journal::JournalPath(options.journal.value_or(""), store),
                                              [](const std::string& problem) {
                                                  // Told once, from the journal's own thread; the run goes on.
                                                  std::fprintf(stderr, "vr8200ctl: %s\n", problem.c_str());
                                              });
}

void Session::FlushJournal() {
    if (journal_) journal_->Flush();
}

void Session::StartJournal() {
    if (options_.noJournal || journal_) return;
    journal_ = OpenRunJournal(options_, core_->registry);
    // The scripting session is a program of its own in the journal.
    const std::string program = options_.command == "serve" ? "vr8200ctl serve" : "vr8200ctl";
    recorder_ = std::make_unique<journal::Recorder>(Camera(), *journal_, journal::ThisOrigin(program));
    recorder_->SetLink(PortName());
}

Session::Connection Session::RunStartUp(bool readAll) {
    StartJournal();
    Camera().SetFactoryMode(core_->controlMode.Get() == platform::ControlMode::kFactory);
    // A port that cannot be opened at all cannot be searched either: one message is enough.
    const uint32_t remembered = RememberedRate();
    if (!(remembered != 0 ? OpenLineAt(remembered) : OpenLine())) return Connection::CannotOpen;
    bool found = options_.rate && ProbeAtGivenRate();
    if (remembered != 0) {
        protocol::TrafficLog& traffic = core_->traffic;
        traffic.LogNote("the last run left the camera at " + std::to_string(remembered) +
                        " bit/s: probing there first");
        found = ProbeAtGivenRate();
        if (!found) {
            traffic.LogNote("no answer at " + std::to_string(remembered) + " bit/s: the full rate search follows");
            // The search starts where a camera wakes, as it does without a remembered rate.
            if (!OpenLineAt(link::kRates[0])) return Connection::CannotOpen;
        }
    }
    if (!found) {
        found = Camera().Connect() == 1;
        areaAnswered_ = Camera().AreaKnown();
        if (found) raised_ = Camera().RaiseLine() == 1;
    }
    if (!found) return Connection::NoCamera;
    // A camera that answered the probe and went away (unplugged, or the line could not be reopened
    // at the raised rate) would otherwise cost every later command its full time-out.
    const link::CCommSetting& setting = core_->link;
    if (!setting.IsOpen() || setting.Lost()) return Connection::Lost;
    if (readAll) ReadAllSettings();
    return Connection::Ok;
}

void Session::ReadAllSettings() {
    camera::CameraSession& camera = Camera();
    const camera::RowsRead& read = camera.ReadAllSettings();
    camera.ReportEndedRead();
    // A read that ended early sends nothing more.
    if (read.Ended()) return;
    const camera::ChromaticRead chromatic = camera::ReadChromaticAberration(camera);
    if (chromatic.answered && camera::IsChromaticLens(chromatic.lens)) platform_.PumpMessages();
}

}  // namespace vr::cli
