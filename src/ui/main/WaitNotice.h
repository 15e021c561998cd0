#pragma once
// What the window says while the tool waits for the camera: nothing for a short wait, then the
// command it waits on and how much of its time-out has passed ("Waiting for the camera (BA=1), 3 of
// 20 s"), or, while a step of its own sets one, that step's text ("Searching for the camera at 57600
// bit/s…"). The window asks for the text while the engine lets it paint.

#include <chrono>
#include <string>

namespace vr::protocol {
class Command;
}

namespace vr::ui {

class WaitNotice {
public:
    using Clock = std::chrono::steady_clock;
    // Shorter waits pass unnoticed; longer ones would look like a frozen window.
    static constexpr std::chrono::milliseconds kQuietWait{500};

    explicit WaitNotice(const protocol::Command& engine) : engine_(engine) {}

    // The text to show now: the step's while one is set and a command waits, else the command's
    // once its wait is no longer short; empty otherwise.
    std::string Text(Clock::time_point now = Clock::now()) const;

    // "Waiting for the camera (BA=1), 3 of 20 s": whole seconds, the part of a second begun counted.
    static std::string Format(const std::string& line, std::chrono::milliseconds waited,
                              std::chrono::milliseconds timeout);

    // A step's own text, shown instead of the command's while it is set; empty ends it.
    void SetStep(std::string text) { step_ = std::move(text); }
    const std::string& Step() const { return step_; }

    // Sets a step's text for as long as it lives.
    class ScopedStep {
    public:
        ScopedStep(WaitNotice& notice, std::string text) : notice_(notice) { notice_.SetStep(std::move(text)); }
        ~ScopedStep() { notice_.SetStep({}); }
        ScopedStep(const ScopedStep&) = delete;
        ScopedStep& operator=(const ScopedStep&) = delete;

    private:
        WaitNotice& notice_;
    };

private:
    const protocol::Command& engine_;
    std::string step_;
};

}  // namespace vr::ui
