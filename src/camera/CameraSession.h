#pragma once
// One camera on one link: the link, the command engine talking on it, the parameter table of its
// values, its online status, its model and the memory area in use, and what is done with them as a
// whole: the start-up (open, model probe, "EA", line flush, rate search, raise to 115200 bit/s),
// reading every setting, sending the changed ones, and the memory-area operations. It knows no
// window and no control on screen; whoever shows the camera (the main window) or drives it (the
// command-line tool) listens to it.
//
// A session is used from one thread at a time. Several sessions in one process, each on its own
// thread with its own services, share only constant data.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "camera/LongOperation.h"
#include "camera/ModelCommands.h"
#include "camera/ReadAllSettings.h"
#include "camera/Services.h"
#include "camera/SessionListener.h"
#include "link/RateNegotiation.h"
#include "protocol/OnlineStatus.h"

namespace vr::protocol {
struct ParameterDef;
}

namespace vr::camera {

class CameraSession : private protocol::COnlineStatusUpdater, private IProgressSink {
public:
    static constexpr std::chrono::milliseconds kProbeTimeout{1000};

    // `services` are this camera's: its link, engine, table, status and model record.
    explicit CameraSession(camera::Services& services);
    ~CameraSession() override;
    CameraSession(const CameraSession&) = delete;
    CameraSession& operator=(const CameraSession&) = delete;

    camera::Services& Services() { return services_; }
    const CameraModel& Model() const { return services_.model; }

    // A listener hears every change from now on until it is removed (before it goes).
    void AddListener(ISessionListener& listener);
    void RemoveListener(ISessionListener& listener);

    // ---- control mode ------------------------------------------------------------------------
    // Factory mode reads, writes and stores the factory settings too.
    bool FactoryMode() const { return factoryMode_; }
    void SetFactoryMode(bool on) { factoryMode_ = on; }

    // ---- start-up ------------------------------------------------------------------------------
    // Open, model probe, "EA", line flush and, when the camera did not answer at the start rate, the
    // rate search. 1 when a camera answered. A port that does not open is told once.
    int Connect();
    // Whether the last Connect opened the port.
    bool PortOpened() const { return portOpened_; }
    // Raises the line to 115200 bit/s with "CBDRT" when the link can follow: 1 when the line runs as
    // fast as the link allows; 0 when the camera did not take the change.
    int RaiseLine() { return rates_.RaiseLine(); }
    // Queries "MD" into the model record; an unsupported model is told. 1 when the camera answered.
    int ModelProbe();
    // Queries "EA" into the current area; unchanged when the camera does not answer. 1 when it did.
    int QueryCurrentArea();
    // Whether an "EA" query answered since the session began, so CurrentArea() is the camera's.
    bool AreaKnown() const { return areaKnown_; }
    uint32_t CurrentArea() const { return currentArea_; }
    // The area the operator chose for the next store or load.
    void SetCurrentArea(uint32_t area);

    // ---- values ----------------------------------------------------------------------------------
    // Model probe, then every parameter the model has (in this mode) from the camera into the table,
    // behind the progress window, and commits them. The last read stays for LastRead.
    const RowsRead& ReadAllSettings();
    const RowsRead& LastRead() const { return lastRead_; }
    // Tells the operator why the last read ended early, when it did.
    void ReportEndedRead();
    // The model and the local time of the last read that brought any value; empty before one did.
    const std::string& LastReadModel() const { return lastReadModel_; }
    const std::string& LastReadTime() const { return lastReadTime_; }
    void SetLastReadAt(std::string model, std::string time);

    // Sends every value of the table that differs from its committed one, in table order, and stops
    // at the first the camera does not take. True when all were taken. Nothing is committed here.
    // With `onRefused`, a value the camera refused shows no box of the engine's: `onRefused` tells the
    // operator instead (the window names the control and the values it takes).
    bool WriteChangedValues(const std::function<void(const protocol::ParameterDef&)>& onRefused = {});
    // Queries a control's command into the table when the model has the command; true when answered.
    bool RefreshValue(uint32_t ctrlId);
    // Whether the connected model has the command.
    bool HasCommand(uint32_t cmdId) const;

    // ---- memory areas --------------------------------------------------------------------------
    // The Settings menu's store into `area` (see MemoryAreas::StoreChosen); the area becomes current.
    int StoreArea(int area);
    // "LD" = area into the working settings, the area current. 1 when the camera completed it; the
    // caller reads the settings again then.
    int LoadArea(int area);
    // Asks, then stores into every area (MemoryAreas::StoreAll).
    int StoreAllAreas();
    // "CRS00": the camera restarts.
    int ResetCamera();

    // ---- what features tell through the session -------------------------------------------------
    void TellFile(FileOperation operation, const std::string& path, bool succeeded, int count);
    void TellOnePush(const std::string& function, const std::string& text, bool succeeded);
    void TellValueChanged(const ValueChange& change);
    void TellRefused(const Refusal& refusal);

private:
    // COnlineStatusUpdater: the session follows the status for its listeners.
    bool HasStrip() const override { return true; }
    void SetStripPicture(int32_t picture) override;
    // IProgressSink: the long operations on this camera, for the listeners.
    void OnProgress(const std::string& text, int percent, bool finished) override;

    template <typename Call>
    void Tell(Call call) {
        // A copy: a listener may remove itself while it is told.
        const std::vector<ISessionListener*> listeners = listeners_;
        for (ISessionListener* l : listeners) call(*l);
    }

    camera::Services& services_;
    link::RateNegotiation rates_;
    std::vector<ISessionListener*> listeners_;
    bool factoryMode_ = false;
    uint32_t currentArea_ = 0;
    bool areaKnown_ = false;
    bool portOpened_ = false;
    int online_ = -1;  // -1 until the status was first told
    RowsRead lastRead_;
    std::string lastReadModel_;
    std::string lastReadTime_;
};

}  // namespace vr::camera
