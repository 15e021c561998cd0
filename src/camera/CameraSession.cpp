#include "camera/CameraSession.h"

#include <algorithm>
#include <ctime>
#include <optional>

#include "camera/LongOperation.h"
#include "camera/MemoryAreas.h"
#include "link/CommSetting.h"
#include "link/LineControl.h"
#include "platform/Platform.h"
#include "protocol/Command.h"
#include "protocol/CommandTable.h"
#include "protocol/Link.h"
#include "protocol/ParameterTable.h"

namespace vr::camera {
namespace {

constexpr protocol::milliseconds kSetTimeout(5000);

std::string LocalTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char text[32] = "";
    if (now == static_cast<std::time_t>(-1) || localtime_r(&now, &local) == nullptr ||
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local) == 0)
        return "an unknown time";
    return text;
}

}  // namespace

CameraSession::CameraSession(camera::Services& services)
    : services_(services),
      rates_(
          services.line, services.engine,
          [this] {
              const std::string step =
                  "Searching for the camera at " +
                  std::to_string(link::CCommSetting::BaudIndexToRate(services_.line.GetBaudIndex())) + " bit/s\u2026";
              Tell([&](ISessionListener& l) { l.OnStartUpStep(step); });
              const int answered = ModelProbe();
              Tell([](ISessionListener& l) { l.OnStartUpStep({}); });
              return answered;
          },
          [this](int index) { Tell([index](ISessionListener& l) { l.OnLineRate(index); }); }) {
    services_.status.Register(this);
    services_.progress = this;
}

CameraSession::~CameraSession() {
    services_.status.Unregister(this);
    if (services_.progress == this) services_.progress = nullptr;
}

void CameraSession::OnProgress(const std::string& text, int percent, bool finished) {
    Tell([&](ISessionListener& l) { l.OnProgress(text, percent, finished); });
}

void CameraSession::AddListener(ISessionListener& listener) {
    if (std::find(listeners_.begin(), listeners_.end(), &listener) == listeners_.end()) listeners_.push_back(&listener);
}

void CameraSession::RemoveListener(ISessionListener& listener) {
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), &listener), listeners_.end());
}

void CameraSession::SetStripPicture(int32_t picture) {
    const int online = picture == protocol::kStripOnline ? 1 : 0;
    if (online == online_) return;
    online_ = online;
    Tell([online](ISessionListener& l) { l.OnOnline(online == 1); });
}

// ---- start-up ----------------------------------------------------------------------------------------

int CameraSession::ModelProbe() {
    std::string name;
    if (services_.engine.QueryString(protocol::cmd::MD, name, kProbeTimeout) != 1) return 0;
    CameraModel& model = services_.model;
    if (name == kModelNameKB) {
        model.kind = kModelKB;
    } else if (name == kModelNameKA) {
        model.kind = kModelKA;
    } else {
        model.kind = kModelUnknown;
        services_.platform.MessageBox("Unsupported model: \"" + name + "\"", platform::kAppTitle,
                                      platform::MsgIcon::Exclamation);
    }
    model.name = name;
    Tell([&model](ISessionListener& l) { l.OnModel(model); });
    return 1;
}

int CameraSession::QueryCurrentArea() {
    int32_t area = 0;
    if (MemoryAreas(services_).QueryArea(area) != 1) return 0;
    areaKnown_ = true;
    currentArea_ = static_cast<uint32_t>(area);
    Tell([this](ISessionListener& l) { l.OnArea(currentArea_); });
    return 1;
}

void CameraSession::SetCurrentArea(uint32_t area) {
    currentArea_ = area;
}

int CameraSession::Connect() {
    link::ILineControl& line = services_.line;
    portOpened_ = line.Reopen() == 1;
    if (!portOpened_) {
        // A device that does not open at the start rate opens at no other: flushing and searching
        // would only repeat the message ten times. The serial port link has told the operator
        // which step failed and why; the Camera Link libraries say nothing of their own.
        if (line.GetMode() != link::ComPort && line.GetMode() != link::Network)
            services_.platform.MessageBox("Failed to initialize!", platform::kAppTitle, platform::MsgIcon::Exclamation);
        return 0;
    }
    // The area is asked only of a camera that answered, wherever it was found; asking a silent line
    // costs a whole time-out and leaves the area unknown anyway.
    int result = ModelProbe();
    if (result == 1) QueryCurrentArea();
    const int answeredAt = line.GetBaudIndex();
    rates_.FlushLine();
    // The flush leaves the line at 9600 bit/s. A camera that answered at another rate (one the tool
    // raised before a reconnect) is still there: the line goes back to it, or the raise would talk
    // to it at a rate it does not listen at.
    if (result == 1 && line.GetBaudIndex() != answeredAt) {
        line.OpenBaud(link::CCommSetting::BaudIndexToRate(answeredAt));
        Tell([answeredAt](ISessionListener& l) { l.OnLineRate(answeredAt); });
    }
    if (result == 0) {
        result = rates_.SearchRate();
        if (result == 1) QueryCurrentArea();
    }
    return result;
}

// ---- values ------------------------------------------------------------------------------------------

const RowsRead& CameraSession::ReadAllSettings() {
    protocol::ScopedDialogsDisabled greyed(services_.dialogs);
    ModelProbe();
    lastRead_ = ReadParameterRows(services_, services_.model.kind, factoryMode_);
    if (std::any_of(lastRead_.rows.begin(), lastRead_.rows.end(), [](const RowReadResult& r) { return r.answered; }))
        SetLastReadAt(services_.model.name, LocalTimeNow());
    services_.table.CommitDataValues();
    Tell([this](ISessionListener& l) { l.OnSettingsRead(lastRead_); });
    return lastRead_;
}

void CameraSession::SetLastReadAt(std::string model, std::string time) {
    lastReadModel_ = std::move(model);
    lastReadTime_ = std::move(time);
}

void CameraSession::ReportEndedRead() {
    const int done = static_cast<int>(
        std::count_if(lastRead_.rows.begin(), lastRead_.rows.end(), [](const RowReadResult& r) { return r.answered; }));
    const int planned = static_cast<int>(lastRead_.planned);
    const int queried = static_cast<int>(lastRead_.rows.size());
    platform::IPlatform& platform = services_.platform;
    if (lastRead_.stopped) {
        platform.MessageBox(LongOperation::StoppedText(queried, planned, "settings"), platform::kAppTitle,
                            platform::MsgIcon::Information);
    } else if (lastRead_.lost) {
        platform.MessageBox("The line to the camera went away (" + services_.engine.Link()->LostReason() + "); " +
                                std::to_string(done) + " of " + std::to_string(planned) + " settings were read.",
                            platform::kAppTitle, platform::MsgIcon::Exclamation);
    } else if (lastRead_.silent) {
        platform.MessageBox("The camera stopped answering (" + std::to_string(kMaxTimeoutsInARow) +
                                " settings in a row); " + std::to_string(done) + " of " + std::to_string(planned) +
                                " settings were read.",
                            platform::kAppTitle, platform::MsgIcon::Exclamation);
    }
}

bool CameraSession::WriteChangedValues(const std::function<void(const protocol::ParameterDef&)>& onRefused) {
    protocol::ParameterTable& table = services_.table;
    for (size_t i = 0; i < table.Size(); ++i) {
        const auto& row = table.Row(i);
        if (row.value == row.committedValue) continue;
        // The editor rows without a command of their own are sent by their editors, never from here.
        if (row.def->cmdId == protocol::cmd::Unnamed) continue;
        const ValueChange change{row.def->cmdId, row.def->ctrlId, row.committedValue, row.value};
        int sent = 0;
        {
            std::optional<protocol::Command::Quiet> quiet;
            if (onRefused) quiet.emplace(services_.engine);
            sent = services_.engine.SendCommandInt(row.def->cmdId, row.value, kSetTimeout);
        }
        if (sent != 1) {
            const Refusal refusal{change.cmdId,
                                  protocol::GetCommandName(change.cmdId) + "=" + std::to_string(change.newValue),
                                  services_.engine.LastFailure().Describe()};
            if (onRefused && services_.engine.LastFailure().kind == protocol::FailureKind::Refused) onRefused(*row.def);
            TellRefused(refusal);
            return false;
        }
        TellValueChanged(change);
    }
    return true;
}

bool CameraSession::HasCommand(uint32_t cmdId) const {
    return IsCommandOnModel(cmdId, services_.model.kind);
}

bool CameraSession::RefreshValue(uint32_t ctrlId) {
    protocol::ParameterTable& table = services_.table;
    const int32_t cmd = table.ToCmdId(ctrlId);
    // A command the camera lacks would only be refused, with a box each time.
    if (cmd < 0 || !HasCommand(static_cast<uint32_t>(cmd))) return false;
    int32_t value = 0;
    if (services_.engine.QueryInt(static_cast<uint32_t>(cmd), value, kReadQueryTimeout) != 1) return false;
    table.SetDataValue(ctrlId, value);
    return true;
}

// ---- memory areas ------------------------------------------------------------------------------------

int CameraSession::StoreArea(int area) {
    if (MemoryAreas::IsArea(area)) SetCurrentArea(static_cast<uint32_t>(area));
    const int result = MemoryAreas(services_).StoreChosen(area, factoryMode_);
    Tell([&](ISessionListener& l) { l.OnAreaOperation(AreaOperation::Store, area, result == 1); });
    return result;
}

int CameraSession::LoadArea(int area) {
    SetCurrentArea(static_cast<uint32_t>(area));
    const int result = MemoryAreas(services_).Load(area);
    Tell([&](ISessionListener& l) { l.OnAreaOperation(AreaOperation::Load, area, result == 1); });
    return result;
}

int CameraSession::StoreAllAreas() {
    const int result = MemoryAreas(services_).StoreAll();
    Tell([&](ISessionListener& l) { l.OnAreaOperation(AreaOperation::StoreAll, -1, result == 1); });
    return result;
}

int CameraSession::ResetCamera() {
    const int result = MemoryAreas(services_).ResetCamera();
    Tell([&](ISessionListener& l) { l.OnAreaOperation(AreaOperation::Reset, -1, result == 1); });
    return result;
}

// ---- what features tell ------------------------------------------------------------------------------

void CameraSession::TellFile(FileOperation operation, const std::string& path, bool succeeded, int count) {
    Tell([&](ISessionListener& l) { l.OnFile(operation, path, succeeded, count); });
}

void CameraSession::TellOnePush(const std::string& function, const std::string& text, bool succeeded) {
    Tell([&](ISessionListener& l) { l.OnOnePush(function, text, succeeded); });
}

void CameraSession::TellValueChanged(const ValueChange& change) {
    Tell([&change](ISessionListener& l) { l.OnValueChanged(change); });
}

}  // namespace vr::camera

namespace vr::camera {

void CameraSession::TellRefused(const Refusal& refusal) {
    Tell([&refusal](ISessionListener& l) { l.OnRefused(refusal); });
}

}  // namespace vr::camera
