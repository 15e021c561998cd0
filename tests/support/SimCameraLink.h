#pragma once
// The virtual camera's own model behind the in-memory link of the windows' tests, as the pty server
// puts it behind a pseudo-terminal. What the engine writes reaches the camera byte by byte, as on a
// wire: only while the scripted line is open, only at the rate the camera's UART runs at (bytes at
// another rate are garbage and spoil the line under way) and never while the camera restarts. The
// camera's answers go straight back on the link.
//
// The camera runs on a clock the test moves. A function that holds back the camera's answers (a
// memory-area load, a one-push run) finishes within the write that started it, as if its time had
// passed while the engine waited, unless the test wants to move the clock itself.

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "FakeLineControl.h"
#include "MemoryLink.h"
#include "sim/CameraReplies.h"
#include "sim/LineAssembler.h"
#include "sim/SimOptions.h"
#include "sim/VirtualCamera.h"

namespace vr::test {

class SimCameraLink {
public:
    SimCameraLink(MemoryLink& link, const FakeLineControl& line, const sim::SimOptions& options = sim::SimOptions())
        : link_(link), line_(line) {
        Reset(options);
        link_.responder = [this](const std::string& text) { return Hear(text); };
    }
    ~SimCameraLink() { link_.responder = nullptr; }
    SimCameraLink(const SimCameraLink&) = delete;
    SimCameraLink& operator=(const SimCameraLink&) = delete;

    // A camera fresh from the factory, built from the options (model, start rate, fault switches).
    void Reset(const sim::SimOptions& options) {
        camera_ = std::make_unique<sim::VirtualCamera>(options, [this] { return now_; });
        firstRate_ = camera_->CurrentRate();
        assembler_.Reset();
    }
    // The camera switched off and on again with other switches: its non-volatile memory (memory
    // areas, boot area, identity, saved tables) stays, its working settings come from its boot area.
    void Restart(const sim::SimOptions& options) {
        const std::string memory = camera_->SaveState();
        Reset(options);
        std::string why;
        if (!camera_->LoadState(memory, &why)) ADD_FAILURE() << "the camera did not take back its memory: " << why;
    }

    sim::VirtualCamera& Camera() { return *camera_; }

    // A line said to the camera on the bench, beside the link, to set it up; it is not listed among
    // the lines received. Returns every line the camera answers, after any function it started ended.
    std::vector<std::string> Say(const std::string& line) {
        std::vector<std::string> replies = camera_->HandleLine(line);
        FinishFunctions(replies);
        return replies;
    }
    // A set said on the bench that the camera must take.
    void Prepare(const std::string& line) {
        EXPECT_EQ(Say(line), std::vector<std::string>{sim::kReplyComplete}) << line;
    }

    // Moves the camera's clock; what the camera sends meanwhile goes back on the link.
    void Advance(std::chrono::nanoseconds duration) {
        now_ += std::chrono::duration_cast<sim::VirtualCamera::TimePoint::duration>(duration);
        const std::vector<std::string> due = camera_->Poll();
        if (!unplugged && line_.open && line_.Rate() == UartRate()) link_.Feed(Wire(due));
    }

    // The lines the camera heard over the link, without their line ends, oldest first.
    const std::vector<std::string>& Received() const { return received_; }
    void ClearReceived() { received_.clear(); }
    // The sets among them ("GA=400"), in order.
    std::vector<std::string> Sets() const {
        std::vector<std::string> sets;
        for (const auto& r : received_)
            if (r.find('=') != std::string::npos) sets.push_back(r);
        return sets;
    }
    // How often the camera heard the query of a mnemonic.
    int Queries(const std::string& mnemonic) const {
        int n = 0;
        for (const auto& r : received_) n += r == mnemonic + "?" ? 1 : 0;
        return n;
    }
    // Bytes that arrived while the line ran at another rate than the camera's UART.
    int BytesDroppedForRate() const { return droppedForRate_; }

    // The cable is pulled: nothing the engine writes reaches the camera.
    bool unplugged = false;
    // The camera's UART cannot change its rate: the camera takes "CBDRT" and answers COMPLETE, but
    // goes on hearing only at the rate it started at.
    bool rateFixed = false;
    // Functions that take time end within the write that started them; when false, the test moves
    // the clock with Advance.
    bool finishFunctionsAtOnce = true;

private:
    uint32_t UartRate() const { return rateFixed ? firstRate_ : camera_->CurrentRate(); }

    // The bytes the camera sends back for one write.
    std::string Hear(const std::string& bytes) {
        std::vector<std::string> replies;
        for (char byte : bytes) {
            if (unplugged || !line_.open || !camera_->Listening() || line_.Rate() != UartRate()) {
                if (!unplugged && line_.open && camera_->Listening()) ++droppedForRate_;
                assembler_.Reset();
                continue;
            }
            const auto heard = assembler_.Feed(byte);
            if (!heard) continue;
            std::vector<std::string> answer;
            if (heard->overlong) {
                answer = camera_->Poll();
                answer.push_back(sim::kErrorTooLong);
            } else {
                received_.push_back(heard->text);
                answer = camera_->HandleLine(heard->text);
            }
            if (finishFunctionsAtOnce) FinishFunctions(answer);
            replies.insert(replies.end(), answer.begin(), answer.end());
        }
        // The answers go out at the rate the line came in, also when the line changed the rate.
        return Wire(replies);
    }

    void FinishFunctions(std::vector<std::string>& replies) {
        while (camera_->Busy()) {
            const auto next = camera_->NextEventTime();
            if (!next) break;
            if (*next > now_) now_ = *next;
            const std::vector<std::string> due = camera_->Poll();
            replies.insert(replies.end(), due.begin(), due.end());
        }
    }

    static std::string Wire(const std::vector<std::string>& lines) {
        std::string bytes;
        for (const auto& l : lines) bytes += l + "\r\n";
        return bytes;
    }

    MemoryLink& link_;
    const FakeLineControl& line_;
    sim::VirtualCamera::TimePoint now_{std::chrono::hours(1)};
    std::unique_ptr<sim::VirtualCamera> camera_;
    sim::LineAssembler assembler_;
    uint32_t firstRate_ = 0;
    std::vector<std::string> received_;
    int droppedForRate_ = 0;
};

}  // namespace vr::test
