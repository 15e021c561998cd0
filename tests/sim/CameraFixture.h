#pragma once
// A virtual camera on a clock the test moves by hand, with short ways to talk to it.

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "sim/CameraReplies.h"
#include "sim/VirtualCamera.h"

namespace vr::sim::test {

class ManualClock {
public:
    VirtualCamera::TimePoint Now() const { return now_; }
    void Advance(std::chrono::milliseconds ms) { now_ += ms; }

private:
    VirtualCamera::TimePoint now_{std::chrono::hours(1)};
};

class CameraFixture {
public:
    explicit CameraFixture(const SimOptions& options = SimOptions()) { Restart(options); }

    void Restart(const SimOptions& options) {
        options_ = options;
        camera_ = std::make_unique<VirtualCamera>(options, [this] { return clock_.Now(); });
    }
    VirtualCamera& Camera() { return *camera_; }

    // Everything the camera says to the line now.
    std::vector<std::string> Send(const std::string& line) { return camera_->HandleLine(line); }
    // The one reply to a line that is answered at once; "<n replies>" otherwise.
    std::string Ask(const std::string& line) {
        auto replies = Send(line);
        if (replies.size() != 1) return "<" + std::to_string(replies.size()) + " replies>";
        return replies[0];
    }
    // The value a query answers, without "NAME=".
    std::string Get(const std::string& mnemonic) {
        const std::string reply = Ask(mnemonic + "?");
        const std::string prefix = mnemonic + "=";
        return reply.rfind(prefix, 0) == 0 ? reply.substr(prefix.size()) : "<" + reply + ">";
    }
    int32_t GetInt(const std::string& mnemonic) {
        const std::string v = Get(mnemonic);
        try {
            return std::stoi(v);
        } catch (const std::exception&) {
            ADD_FAILURE() << mnemonic << " answered " << v;
            return INT32_MIN;
        }
    }
    // Moves the clock and collects what falls due, joined by "|".
    std::string Wait(std::chrono::milliseconds ms) {
        clock_.Advance(ms);
        return Join(camera_->Poll());
    }

    // A conversation: each line and what the camera says at once, several lines joined by "|",
    // "" for nothing; "~N" instead of a line moves the clock N ms and takes what fell due.
    struct Exchange {
        std::string line;
        std::string reply;
    };
    void Talk(std::initializer_list<Exchange> talk) {
        for (const auto& e : talk) {
            if (!e.line.empty() && e.line[0] == '~') {
                EXPECT_EQ(Wait(std::chrono::milliseconds(std::stoi(e.line.substr(1)))), e.reply) << e.line;
            } else {
                EXPECT_EQ(Join(Send(e.line)), e.reply) << e.line;
            }
        }
    }
    static std::string Join(const std::vector<std::string>& lines) {
        std::string s;
        for (const auto& l : lines) s += (s.empty() ? "" : "|") + l;
        return s;
    }

private:
    ManualClock clock_;
    SimOptions options_;
    std::unique_ptr<VirtualCamera> camera_;
};

inline SimOptions Model(const char* model) {
    SimOptions o;
    o.model = model;
    return o;
}

}  // namespace vr::sim::test
