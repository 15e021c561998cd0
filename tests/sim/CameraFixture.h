#pragma once
// A virtual camera on a clock the test moves by hand, with short ways to talk to it.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <source_location>
#include <sstream>
#include <string>
#include <vector>

#include "sim/CameraReplies.h"
#include "sim/VirtualCamera.h"

namespace vr::sim::test {

class CameraFixture {
public:
    explicit CameraFixture(const SimOptions& options = SimOptions())
        : camera_(std::make_unique<VirtualCamera>(options, [this] { return now_; })) {}
    CameraFixture(CameraFixture&&) = delete;  // the camera's clock points back here

    VirtualCamera& Camera() { return *camera_; }

    // A conversation: "LINE > REPLY" steps split by ";", replies joined by "|", none for silence; "~N"
    // moves the clock N ms and takes what fell due. C is COMPLETE, Range the out-of-range error. Lines
    // and replies are trimmed, so lines whose spaces matter go through Step.
    void Talk(const std::string& script, std::source_location where = std::source_location::current()) {
        const ::testing::ScopedTrace trace(where.file_name(), static_cast<int>(where.line()), "conversation");
        std::istringstream steps(script);
        for (std::string step; std::getline(steps, step, ';');) {
            const auto gt = step.find('>');
            if (gt == std::string::npos) {
                EXPECT_EQ(Trim(step), "") << "no '>' in this step";
                continue;
            }
            std::istringstream replies(step.substr(gt + 1));
            std::vector<std::string> expected;
            for (std::string r; std::getline(replies, r, '|');) {
                r = Trim(r);
                expected.push_back(r == "C" ? kReplyComplete : r == "Range" ? kErrorOutOfRange : r);
            }
            Step(Trim(step.substr(0, gt)), Join(expected));
        }
    }
    void Step(const std::string& line, const std::string& reply) {
        const bool wait = !line.empty() && line[0] == '~';
        if (wait) now_ += std::chrono::milliseconds(std::stoi(line.substr(1)));
        EXPECT_EQ(Join(wait ? camera_->Poll() : camera_->HandleLine(line)), reply) << line;
    }

private:
    static std::string Join(const std::vector<std::string>& lines) {
        std::string s;
        for (const auto& l : lines) s += (s.empty() ? "" : "|") + l;
        return s;
    }
    static std::string Trim(const std::string& s) {
        const auto first = s.find_first_not_of(' ');
        return first == std::string::npos ? "" : s.substr(first, s.find_last_not_of(' ') - first + 1);
    }

    VirtualCamera::TimePoint now_{std::chrono::hours(1)};
    std::unique_ptr<VirtualCamera> camera_;
};

inline SimOptions With(const std::function<void(SimOptions&)>& set) {
    SimOptions o;
    set(o);
    return o;
}
inline SimOptions Model(const char* model) {
    return With([model](SimOptions& o) { o.model = model; });
}

}  // namespace vr::sim::test
