#pragma once
// Runs one operation on every camera of an inventory at once: each camera gets its own services,
// session and thread, so a camera that is missing, silent, refusing or gone never stops or slows the
// others. The work per camera is waiting for the camera, not computing, so eight cameras take about
// as long as one.

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "fleet/CameraEntry.h"
#include "fleet/CameraReport.h"
#include "fleet/FleetRequest.h"

namespace vr::camera {
class CameraSession;
}
namespace vr::platform {
class IPlatform;
}

namespace vr::fleet {

// A session on one camera's link, built by the program (which owns the services): `owner` keeps
// them alive, `session` is on them. No session, with `problem`, when the link cannot be chosen.
struct OpenedCamera {
    std::shared_ptr<void> owner;
    camera::CameraSession* session = nullptr;
    std::string problem;
};
// Called on the camera's own thread; `platform` outlives the session.
using CameraOpener = std::function<OpenedCamera(const CameraEntry& entry, platform::IPlatform& platform)>;

// Told on each camera's thread: the observer guards its own data.
class IFleetObserver {
public:
    virtual ~IFleetObserver() = default;
    // The long operation under way on camera `index` (of the list run): its text and percentage (-1:
    // only the text changed).
    virtual void OnProgress(size_t index, const std::string& text, int percent) {
        (void)index;
        (void)text;
        (void)percent;
    }
    virtual void OnFinished(size_t index, const CameraReport& report) {
        (void)index;
        (void)report;
    }
};

class FleetRunner {
public:
    explicit FleetRunner(CameraOpener opener) : opener_(std::move(opener)) {}

    // Runs `request` on every camera, one thread each, and returns their reports in the order of
    // `cameras` once all are done. `stopAsked` (may be empty) is asked about every 50 ms on the
    // calling thread; once it says yes, every camera stops between two commands.
    std::vector<CameraReport> Run(const std::vector<CameraEntry>& cameras, const FleetRequest& request,
                                  IFleetObserver* observer = nullptr, const std::function<bool()>& stopAsked = {});
    // Stops the run under way from any thread.
    void Stop() { stop_ = true; }

private:
    CameraReport RunOne(size_t index, const CameraEntry& entry, const FleetRequest& request, IFleetObserver* observer);

    CameraOpener opener_;
    std::atomic<bool> stop_{false};
};

}  // namespace vr::fleet
