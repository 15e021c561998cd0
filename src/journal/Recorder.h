#pragma once
// What a camera session does, as journal entries: it listens to the session and hands each entry to
// the journal, which writes it on its own thread. Everything here runs on the session's thread and
// only copies what it is told.

#include <string>
#include <vector>

#include "camera/SessionListener.h"
#include "journal/Entry.h"

namespace vr::camera {
class CameraSession;
}

namespace vr::journal {

class Journal;

class Recorder : public camera::ISessionListener {
public:
    // Listens to `session` until it goes; `origin` says who the entries are from.
    Recorder(camera::CameraSession& session, Journal& journal, Origin origin);
    ~Recorder() override;
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    // What the tool knows of the camera beyond its model: the link it is on, its IDs when read.
    void SetLink(const std::string& link) { camera_.link = link; }
    void SetIds(const std::string& cameraId, const std::string& userId);
    const CameraKey& Camera() const { return camera_; }

    void OnModel(const camera::CameraModel& model) override;
    void OnSettingsRead(const camera::RowsRead& read) override;
    void OnValueChanged(const camera::ValueChange& change) override;
    void OnRefused(const camera::Refusal& refusal) override;
    void OnAreaOperation(camera::AreaOperation operation, int area, bool succeeded) override;
    void OnFile(camera::FileOperation operation, const std::string& path, bool succeeded, int count) override;
    void OnOnePush(const std::string& function, const std::string& text, bool succeeded) override;
    void OnTablesWritten(const camera::TablesWrite& write) override;
    void OnTextWritten(const camera::TextWrite& write) override;

private:
    Entry Make(const char* kind, std::string name) const;

    camera::CameraSession& session_;
    Journal& journal_;
    const Origin origin_;
    CameraKey camera_;
    // By command id: whether the tool's copy of the value is the camera's (read, or set since), so a
    // change's old value means something and a change to the same value is no change.
    std::vector<bool> known_;
};

// The link a session's camera is on as the journal names it: the device path, the network
// address, or the Camera Link port's name.
std::string LinkName(camera::CameraSession& session);

// The user and the machine this program runs as, with `program` as the program's name.
Origin ThisOrigin(const std::string& program);

}  // namespace vr::journal
