// The virtual camera behind the test Camera Link library: VR8200_CLLIB_PEER=camera. The camera is
// the device at the far end of a grabber's serial port, so it outlives the port: the tool closes and
// opens the port to change its rate, and the camera keeps its settings and its own rate meanwhile.
// VR8200_CLLIB_CAMERA_MODEL picks the model (KA, the default, or KB) when a port is first opened.
//
// Bytes written at a rate other than the camera's are lost, as on the pty; the camera's answers go
// to the port that is open when they fall due.

#include <dlfcn.h>

#include <condition_variable>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>

#include "ClPeer.h"
#include "sim/CameraReplies.h"
#include "sim/LineAssembler.h"
#include "sim/VirtualCamera.h"

namespace vr::cllib {
namespace {

struct Camera {
    std::mutex mutex;
    std::condition_variable answered;
    std::unique_ptr<sim::VirtualCamera> model;
    sim::LineAssembler assembler;
};

std::shared_ptr<Camera> CameraOnPort(uint32_t serialIndex) {
    static std::mutex mutex;
    static std::map<uint32_t, std::shared_ptr<Camera>> cameras;
    std::lock_guard<std::mutex> lock(mutex);
    auto& camera = cameras[serialIndex];
    if (!camera) {
        // The tool frees the library whenever it closes the port; the camera must not lose power
        // with it, so the library stays loaded once a camera lives in it.
        Dl_info self{};
        if (dladdr(reinterpret_cast<void*>(&CameraOnPort), &self) != 0 && self.dli_fname != nullptr)
            dlopen(self.dli_fname, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
        sim::SimOptions options;
        const char* model = std::getenv("VR8200_CLLIB_CAMERA_MODEL");
        if (model != nullptr && std::string(model) == "KB") options.model = "KB";
        camera = std::make_shared<Camera>();
        camera->model = std::make_unique<sim::VirtualCamera>(options);
    }
    return camera;
}

class CameraPeer final : public IClPeer {
public:
    explicit CameraPeer(std::shared_ptr<Camera> camera) : camera_(std::move(camera)) {}

    void Write(const char* bytes, size_t count) override {
        std::lock_guard<std::mutex> lock(camera_->mutex);
        auto& model = *camera_->model;
        for (size_t i = 0; i < count; ++i) {
            if (!model.Listening() || rate_ != model.CurrentRate()) {
                camera_->assembler.Reset();
                continue;
            }
            auto line = camera_->assembler.Feed(bytes[i]);
            if (!line) continue;
            if (line->overlong) {
                Queue(model.Poll());
                Queue({sim::kErrorTooLong});
            } else {
                Queue(model.HandleLine(line->text));
            }
        }
        camera_->answered.notify_all();
    }

    bool Read(char* buffer, size_t count, std::chrono::milliseconds timeout) override {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        std::unique_lock<std::mutex> lock(camera_->mutex);
        for (;;) {
            Queue(camera_->model->Poll());
            if (queue_.size() >= count) {
                for (size_t i = 0; i < count; ++i) {
                    buffer[i] = queue_.front();
                    queue_.pop_front();
                }
                return true;
            }
            const auto now = std::chrono::steady_clock::now();
            if (now >= deadline) return false;
            // Wake for the caller's deadline or for a function of the camera that ends before it.
            auto wake = deadline;
            if (auto event = camera_->model->NextEventTime(); event && *event < wake) wake = *event;
            camera_->answered.wait_until(lock, wake);
        }
    }

    size_t Available() override {
        std::lock_guard<std::mutex> lock(camera_->mutex);
        Queue(camera_->model->Poll());
        return queue_.size();
    }

    void Flush() override {
        std::lock_guard<std::mutex> lock(camera_->mutex);
        queue_.clear();
    }

    void SetBaudRate(uint32_t rate) override {
        std::lock_guard<std::mutex> lock(camera_->mutex);
        rate_ = rate;
    }

private:
    void Queue(const std::vector<std::string>& lines) {
        for (const auto& line : lines) {
            queue_.insert(queue_.end(), line.begin(), line.end());
            queue_.push_back('\r');
            queue_.push_back('\n');
        }
    }

    std::shared_ptr<Camera> camera_;
    std::deque<char> queue_;  // guarded by camera_->mutex
    uint32_t rate_ = 9600;    // a port opens at 9600
};

std::unique_ptr<IClPeer> MakeCameraPeer(uint32_t serialIndex) {
    return std::make_unique<CameraPeer>(CameraOnPort(serialIndex));
}

}  // namespace

VR_CLLIB_PEER("camera", MakeCameraPeer);

}  // namespace vr::cllib
