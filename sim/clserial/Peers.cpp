// The peer registry, the byte queue every peer answers from, and the two peers the tests use.

#include <cstdlib>
#include <fstream>
#include <map>
#include <vector>

#include "ClPeer.h"

namespace vr::cllib {
namespace {

std::map<std::string, PeerFactory>& Registry() {
    static std::map<std::string, PeerFactory> registry;
    return registry;
}

class LoopbackPeer final : public ByteQueuePeer {
public:
    void Write(const char* bytes, size_t count) override { Deliver(std::string(bytes, count)); }
};

class ScriptedPeer final : public ByteQueuePeer {
public:
    explicit ScriptedPeer(const char* scriptPath) {
        if (scriptPath == nullptr) return;
        std::ifstream in(scriptPath);
        std::string line;
        while (std::getline(in, line)) {
            const size_t tab = line.find('\t');
            if (tab != std::string::npos) answers_[line.substr(0, tab)] = line.substr(tab + 1);
        }
    }

    void Write(const char* bytes, size_t count) override {
        for (size_t i = 0; i < count; ++i) {
            if (bytes[i] != '\n') {
                pending_ += bytes[i];
                continue;
            }
            if (!pending_.empty() && pending_.back() == '\r') pending_.pop_back();
            auto it = answers_.find(pending_);
            if (it != answers_.end()) Deliver(it->second + "\r\n");
            pending_.clear();
        }
    }

private:
    std::map<std::string, std::string> answers_;
    std::string pending_;
};

std::unique_ptr<IClPeer> MakeLoopback(uint32_t) {
    return std::make_unique<LoopbackPeer>();
}
std::unique_ptr<IClPeer> MakeScripted(uint32_t) {
    return std::make_unique<ScriptedPeer>(std::getenv("VR8200_CLLIB_SCRIPT"));
}

}  // namespace

bool RegisterPeer(const char* name, PeerFactory factory) {
    Registry()[name] = factory;
    return true;
}

std::unique_ptr<IClPeer> CreatePeer(const std::string& name, uint32_t serialIndex) {
    auto it = Registry().find(name);
    return it == Registry().end() ? nullptr : it->second(serialIndex);
}

bool ByteQueuePeer::Read(char* buffer, size_t count, std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (!cv_.wait_for(lock, timeout, [&] { return queue_.size() >= count; })) return false;
    for (size_t i = 0; i < count; ++i) {
        buffer[i] = queue_.front();
        queue_.pop_front();
    }
    return true;
}

size_t ByteQueuePeer::Available() {
    std::lock_guard<std::mutex> lock(mutex_);
    return queue_.size();
}

void ByteQueuePeer::Flush() {
    std::lock_guard<std::mutex> lock(mutex_);
    queue_.clear();
}

void ByteQueuePeer::Deliver(const std::string& bytes) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        queue_.insert(queue_.end(), bytes.begin(), bytes.end());
    }
    cv_.notify_all();
}

VR_CLLIB_PEER("loopback", MakeLoopback);
VR_CLLIB_PEER("script", MakeScripted);

}  // namespace vr::cllib
