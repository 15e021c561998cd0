#pragma once
// Where the traffic on the line is listed: the terminal's time-stamped list ("Tx: ", "Rx: ") and the
// communication dialog's message log (the bare text). The windows, or the command-line tool's
// --trace, install the sinks; without them nothing is listed.

#include <chrono>
#include <functional>
#include <string>

namespace vr::protocol {

// How a received line stands to the command waiting: its reply, a line that was already on its way
// before the command went out (stray), or one that cannot answer it (stale). Lines between commands
// are listed as replies would be.
enum class RxKind { Reply, Stray, Stale };

class TrafficLog {
public:
    using Sink = std::function<void(const std::string&)>;

    // The stamp a listed line starts with, "%02d:%02d:%03d  ": minute, second and millisecond; the
    // hour is not shown.
    static std::string TimeStamp(std::chrono::system_clock::time_point time);

    void SetTerminalSink(Sink sink) { terminal_ = std::move(sink); }
    void SetMessageSink(Sink sink) { messages_ = std::move(sink); }

    // A text written on the line, without its trailing run of CR and LF.
    void LogTx(const std::string& text);
    // A line received from the camera. The terminal marks stray and stale lines; the message log
    // lists them bare.
    void LogRx(const std::string& line, RxKind kind = RxKind::Reply);
    // What the tool itself did about the line (the rate it tries first, the adapter's latency), as
    // "Note: " and the text in the terminal only: the message log lists the camera's traffic.
    void LogNote(const std::string& text);

private:
    void Emit(const std::string& prefix, const std::string& text);

    Sink terminal_;
    Sink messages_;
};

}  // namespace vr::protocol
