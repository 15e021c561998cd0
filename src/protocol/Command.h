#pragma once
// The command engine: the only path by which the tool talks to the camera. It writes a set or a
// query line, waits for the camera's reply line and interprets it. Between commands a 25 ms timer
// that the platform drives calls OnTimer, which lists lines the camera sends on its own.

#include <chrono>
#include <cstdint>
#include <deque>
#include <string>

#include "protocol/CommandTable.h"

namespace vr::app {
class IPlatform;
}

namespace vr::protocol {

class ILink;
class OnlineStatusBroadcaster;
class TrafficLog;

using std::chrono::milliseconds;

struct CommandValue {
    ValueKind kind = ValueKind::Integer;
    int32_t intValue = 0;
    std::string textValue;
};

struct ParsedReply {
    std::string raw;        // the line without spaces, CR and LF
    std::string name;       // the text before the separator
    std::string separator;  // "=" or "?"
    std::string valueText;
    int32_t commandId = -1;
    bool failed = true;
    CommandValue value;
};

class Command {
public:
    static constexpr int kTimerPeriodMs = 25;
    static constexpr int kRxBufferSize = 1024;

    // Errors go to the platform's message boxes, answers and time-outs to the status broadcaster,
    // received lines to the traffic log.
    Command(app::IPlatform& platform, OnlineStatusBroadcaster& status, TrafficLog& traffic)
        : platform_(platform), status_(status), traffic_(traffic) {}
    Command(const Command&) = delete;
    Command& operator=(const Command&) = delete;

    // The line the engine talks on; the application sets the process's link object.
    void SetLink(ILink* link) { link_ = link; }
    ILink* Link() const { return link_; }

    int SendCommandInt(uint32_t cmdId, int32_t value, milliseconds timeout);
    int SendCommandString(uint32_t cmdId, const std::string& text, milliseconds timeout);
    int SendCommand(uint32_t cmdId, const CommandValue& value, milliseconds timeout);

    int QueryInt(uint32_t cmdId, int32_t& value, milliseconds timeout);
    int QueryString(uint32_t cmdId, std::string& text, milliseconds timeout);
    int QueryCommand(uint32_t cmdId, CommandValue& value, milliseconds timeout);

    static ParsedReply ParseReply(const std::string& line);
    static int ParseLine(const std::string& line, int32_t& cmdId, std::string& name, int32_t& intValue,
                         std::string& textValue);

    // The 25 ms drain: takes at most one stray line, never waits, and does nothing while a command
    // is waiting for its reply (so it can never take that reply).
    void OnTimer();

    void ClearReceived();
    // Removes and returns the oldest received line; empty when there is none.
    std::string TakeReceivedLine();
    size_t ReceivedLineCount() const { return receivedLines_.size(); }

    // True while a command waits for its reply.
    bool Busy() const { return busy_; }

    static std::string GetCommandName(uint32_t cmdId) { return protocol::GetCommandName(cmdId); }

private:
    // Assembles bytes into rxBuffer_ until a line ends, no byte arrives before the deadline, or the
    // buffer overflows. True when a line was completed.
    bool ReceiveLine(std::chrono::steady_clock::time_point deadline);
    // Waits until a line is received or the time-out has passed since start; false on time-out.
    bool WaitForLine(std::chrono::steady_clock::time_point start, milliseconds timeout);
    int WaitForComplete(std::chrono::steady_clock::time_point start, milliseconds timeout);
    void ShowError(const std::string& text);

    app::IPlatform& platform_;
    OnlineStatusBroadcaster& status_;
    TrafficLog& traffic_;
    ILink* link_ = nullptr;
    char rxBuffer_[kRxBufferSize] = {};
    int32_t rxPos_ = 0;
    std::deque<std::string> receivedLines_;
    bool busy_ = false;
};

}  // namespace vr::protocol
