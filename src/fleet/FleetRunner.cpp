#include "fleet/FleetRunner.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "camera/CameraSession.h"
#include "fleet/CameraJob.h"
#include "fleet/CameraPlatform.h"

namespace vr::fleet {

std::vector<CameraReport> FleetRunner::Run(const std::vector<CameraEntry>& cameras, const FleetRequest& request,
                                           IFleetObserver* observer, const std::function<bool()>& stopAsked) {
    stop_ = false;
    std::vector<CameraReport> reports(cameras.size());
    std::mutex mutex;
    std::condition_variable done;
    size_t running = cameras.size();
    std::vector<std::thread> threads;
    threads.reserve(cameras.size());
    for (size_t i = 0; i < cameras.size(); ++i) {
        threads.emplace_back([&, i] {
            CameraReport report = RunOne(i, cameras[i], request, observer);
            std::lock_guard<std::mutex> lock(mutex);
            reports[i] = std::move(report);
            --running;
            done.notify_all();
        });
    }
    {
        std::unique_lock<std::mutex> lock(mutex);
        while (running > 0) {
            done.wait_for(lock, std::chrono::milliseconds(50));
            if (stopAsked && stopAsked()) stop_ = true;
        }
    }
    for (std::thread& t : threads) t.join();
    return reports;
}

CameraReport FleetRunner::RunOne(size_t index, const CameraEntry& entry, const FleetRequest& request,
                                 IFleetObserver* observer) {
    CameraPlatform platform(stop_, [observer, index](const std::string& text, int percent) {
        if (observer) observer->OnProgress(index, text, percent);
    });
    CameraReport report;
    OpenedCamera opened = opener_(entry, platform);
    if (opened.session == nullptr) {
        report.name = entry.name;
        report.link = entry.LinkText();
        report.status = kNoCamera;
        report.result = opened.problem.empty() ? "cannot open " + entry.LinkText() : opened.problem;
    } else {
        report = CameraJob(*opened.session, platform, entry, request).Run();
    }
    // The link closes before the camera is counted as done.
    opened = OpenedCamera();
    if (observer) observer->OnFinished(index, report);
    return report;
}

}  // namespace vr::fleet
