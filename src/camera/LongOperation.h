#pragma once
// The one helper every long camera operation runs through (reading all settings, loading a settings
// file, table and shading transfers, one-push waits, storing all areas): the progress window with
// the operation's text, a step counter, the registry's dialogs greyed and given back on every path
// out, the windows kept painting while input stays blocked, and a way for the operator to stop.
//
// The operation stops between commands: it asks Continue() after each command. A command already on
// the wire is waited for, unless its wait is a long one the operator abandons (camera::WaitCancel).
// Painting is throttled, so a transfer of thousands of commands runs at the speed of the line and
// not at the speed of the progress bar.

#include <chrono>
#include <string>

namespace vr::protocol {
class DialogRegistry;
}

namespace vr::platform {
class IPlatform;
}

namespace vr::camera {

struct Services;

// Whoever follows a camera's long operations beyond its progress window (the session, for its
// listeners): told each text and percentage the window is shown, and the end.
class IProgressSink {
public:
    virtual ~IProgressSink() = default;
    virtual void OnProgress(const std::string& text, int percent, bool finished) = 0;
};

class LongOperation {
public:
    using Clock = std::chrono::steady_clock;
    // How often the windows are given a chance to paint and the operator to press Cancel: ten times a
    // second is smooth enough for a bar and quick enough for Cancel, and each paint costs the line time.
    static constexpr std::chrono::milliseconds kPaintInterval{100};

    struct Options {
        bool cancellable = true;  // offer Cancel between commands
        bool greyDialogs = true;  // grey the registry's dialogs while it runs
    };

    // Opens the progress window with `text`.
    LongOperation(platform::IPlatform& platform, protocol::DialogRegistry& dialogs, const std::string& text);
    LongOperation(platform::IPlatform& platform, protocol::DialogRegistry& dialogs, const std::string& text,
                  Options options);
    // A camera's operation: its progress is told to the session's sink as well.
    LongOperation(camera::Services& services, const std::string& text);
    LongOperation(camera::Services& services, const std::string& text, Options options);
    // Finishes when that was not done yet.
    ~LongOperation();
    LongOperation(const LongOperation&) = delete;
    LongOperation& operator=(const LongOperation&) = delete;

    void SetText(const std::string& text);
    void SetPercent(int percent);
    // A wait of unknown length: the bar runs as a busy indicator.
    void SetBusy(bool busy);
    // `text` followed by "  (done / total)", and done / total as the percentage.
    void SetStep(const std::string& text, int done, int total);
    // Offers Cancel or takes it away (one-push functions offer it only during their pauses).
    void AllowCancel(bool allow);

    // Puts the text and the bar on screen now, without taking any input: for a text that changes
    // while a command waits for its reply (the elapsed time of a one-push function).
    void ShowNow() { Flush(); }

    // Between two commands: lets the windows paint when it is time and takes the operator's Cancel.
    // False once the operator asked to stop; it stays false from then on.
    bool Continue();
    bool Stopped() const { return stopped_; }

    // Shows the last position, closes the progress window (with the platform's pause at 100 %) and
    // gives the dialogs back.
    void Finish();

    // "Stopped after 37 of 146 settings."
    static std::string StoppedText(int done, int total, const std::string& items);

private:
    void Flush();

    platform::IPlatform& platform_;
    protocol::DialogRegistry& dialogs_;
    IProgressSink* sink_ = nullptr;
    Options options_;
    std::string text_;
    std::string shownText_;
    int percent_ = 0;
    int shownPercent_ = -1;
    bool cancelOffered_ = false;
    bool stopped_ = false;
    bool finished_ = false;
    Clock::time_point lastPaint_;
};

}  // namespace vr::camera
