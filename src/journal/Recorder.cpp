#include "journal/Recorder.h"

#include <pwd.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <utility>

#include "camera/CameraSession.h"
#include "journal/Clock.h"
#include "journal/Journal.h"
#include "journal/Revert.h"
#include "link/CommSetting.h"
#include "protocol/CommandIds.h"
#include "protocol/CommandTable.h"
#include "protocol/ParameterTable.h"

namespace vr::journal {

Recorder::Recorder(camera::CameraSession& session, Journal& journal, Origin origin)
    : session_(session), journal_(journal), origin_(std::move(origin)) {
    camera_.model = session.Model().name;
    known_.assign(protocol::kCommandCount, false);
    session_.AddListener(*this);
}

Recorder::~Recorder() {
    session_.RemoveListener(*this);
}

void Recorder::SetIds(const std::string& cameraId, const std::string& userId) {
    camera_.cameraId = cameraId;
    camera_.userId = userId;
}

Entry Recorder::Make(const char* kind, std::string name) const {
    Entry e;
    e.time = Now();
    e.kind = kind;
    e.camera = camera_;
    e.origin = origin_;
    e.name = std::move(name);
    return e;
}

void Recorder::OnModel(const camera::CameraModel& model) {
    camera_.model = model.name;
}

void Recorder::OnSettingsRead(const camera::RowsRead& read) {
    Entry e = Make(kind::kSnapshot, {});
    // The session tells of its own last read.
    e.values = LastReadValues(session_);
    const protocol::ParameterTable& table = session_.Services().table;
    for (const camera::RowReadResult& row : read.rows)
        if (row.answered) known_[table.Row(row.row).def->cmdId] = true;
    // A read that ended early is kept, but is no point to go back to.
    e.ok = !read.Ended() && e.values.size() == read.rows.size();
    e.count = static_cast<int64_t>(e.values.size());
    if (!*e.ok)
        e.detail = "partial: " + std::to_string(e.values.size()) + " of " + std::to_string(read.planned) + " values";
    if (e.values.empty()) return;
    journal_.Add(std::move(e));
}

void Recorder::OnValueChanged(const camera::ValueChange& change) {
    const bool oldKnown = change.oldKnown && change.cmdId < known_.size() && known_[change.cmdId];
    if (change.cmdId < known_.size()) known_[change.cmdId] = true;
    if (oldKnown && change.oldValue == change.newValue) return;
    Entry e = Make(kind::kSet, protocol::GetCommandName(change.cmdId));
    if (oldKnown) e.oldValue = std::to_string(change.oldValue);
    e.newValue = std::to_string(change.newValue);
    e.ok = true;
    journal_.Add(std::move(e));
}

void Recorder::OnRefused(const camera::Refusal& refusal) {
    Entry e = Make(kind::kRefused, protocol::GetCommandName(refusal.cmdId));
    e.newValue = refusal.sent;
    e.detail = refusal.reason;
    e.ok = false;
    journal_.Add(std::move(e));
}

void Recorder::OnAreaOperation(camera::AreaOperation operation, int area, bool succeeded) {
    const char* k = kind::kReset;
    switch (operation) {
        case camera::AreaOperation::Store:
            k = kind::kAreaStored;
            break;
        case camera::AreaOperation::StoreAll:
            k = kind::kAllAreasStored;
            break;
        case camera::AreaOperation::Load:
            k = kind::kAreaLoaded;
            break;
        case camera::AreaOperation::Reset:
            break;
    }
    Entry e = Make(k, area >= 0 ? std::to_string(area) : std::string());
    e.ok = succeeded;
    journal_.Add(std::move(e));
}

void Recorder::OnFile(camera::FileOperation operation, const std::string& path, bool succeeded, int count) {
    const char* k = kind::kSettingsLoaded;
    switch (operation) {
        case camera::FileOperation::SettingsLoaded:
            break;
        case camera::FileOperation::SettingsSaved:
            k = kind::kSettingsSaved;
            break;
        case camera::FileOperation::TablesWritten:
            // Told with the tables themselves (OnTablesWritten), which the entry digests.
            return;
        case camera::FileOperation::TablesRead:
            k = kind::kTablesRead;
            break;
    }
    char resolved[PATH_MAX];
    Entry e = Make(k, ::realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : path);
    // The file as it is now: loaded, or just written.
    e.digestFile = e.name;
    e.count = count;
    e.ok = succeeded;
    journal_.Add(std::move(e));
}

void Recorder::OnOnePush(const std::string& function, const std::string& text, bool succeeded) {
    Entry e = Make(kind::kOnePush, function);
    e.detail = text;
    e.ok = succeeded;
    journal_.Add(std::move(e));
}

void Recorder::OnTablesWritten(const camera::TablesWrite& write) {
    Entry e = Make(kind::kTablesWritten, write.what);
    e.digestValues = write.values;
    e.count = write.taken;
    e.detail = std::to_string(write.taken) + " of " + std::to_string(write.sent) + " commands taken";
    e.ok = write.succeeded;
    journal_.Add(std::move(e));
}

void Recorder::OnTextWritten(const camera::TextWrite& write) {
    Entry e = Make(kind::kTextWritten, protocol::GetCommandName(write.cmdId));
    e.newValue = write.text;
    e.ok = write.succeeded;
    journal_.Add(std::move(e));
    if (!write.succeeded) return;
    // The entries from now on name the camera as it calls itself now.
    if (write.cmdId == protocol::cmd::ID00) camera_.cameraId = write.text;
    if (write.cmdId == protocol::cmd::UD) camera_.userId = write.text;
}

std::string LinkName(camera::CameraSession& session) {
    link::CCommSetting& link = session.Services().link;
    if (link.GetMode() == link::Network) return link.GetNetworkAddress();
    const int index = static_cast<int>(link.GetPortIndex());
    const std::string device = link.GetMode() == link::ComPort ? link.GetPortDevice(index) : std::string();
    return device.empty() ? link.GetPortName(index) : device;
}

Origin ThisOrigin(const std::string& program) {
    Origin origin;
    origin.program = program;
    if (const passwd* pw = ::getpwuid(::getuid()); pw != nullptr && pw->pw_name != nullptr)
        origin.user = pw->pw_name;
    else if (const char* user = std::getenv("USER"); user != nullptr)
        origin.user = user;
    char host[HOST_NAME_MAX + 1] = {};
    if (::gethostname(host, sizeof host) == 0) origin.host = host;
    return origin;
}

}  // namespace vr::journal
