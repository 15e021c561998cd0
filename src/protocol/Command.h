#pragma once
// The command engine: the only path by which the tool talks to the camera. It writes a set or a
// query line, waits for the camera's reply line and interprets it. Between commands a 25 ms timer
// that the platform drives calls OnTimer, which lists lines the camera sends on its own.
//
// A reply is the line that can answer the command waiting: lines that were already on their way
// when the command went out (a late answer to an earlier command, a line the camera sent on its
// own) are listed as stray, and a line that cannot be the answer (another command's value while a
// query waits, a value while a set waits for its completion, a blank line) is listed as stale and
// skipped. So one late reply never shifts every later reply by one.
//
// Late replies. The camera answers every line, one answer each, in the order it received them. A
// command that timed out (or whose wait was abandoned as one) leaves its answer owed, and it may
// still come, ahead of the answers to later commands. A value names its command, so a query's answer
// is known whatever comes before it, and once it is in, every earlier answer is in. A set's answer
// ("COMPLETE" or an error text) names nothing; so while an answer is owed, a set does not go out
// until the model query "MD?" (which changes nothing) has been answered with its value: the lines
// before that value are the late answers, listed as stale. When that query is not answered within
// the set's own time-out, the set is not sent and fails as a time-out (Failure::notSent names it).
// While an answer is owed, an error text that reaches a waiting query is counted as a late answer
// until as many lines as are owed have come; only a line beyond them is the query's own refusal.
//
// A wait that may last long (a calibration, a store into flash) can be abandoned by the operator
// through IWaitCancel: it ends as a time-out does, its answer owed as above, except that the camera
// is not taken for gone (it may still be working) and nothing is shown.

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>

#include "protocol/CommandTable.h"
#include "protocol/LineAssembler.h"

namespace vr::platform {
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

// Why the last command failed, for callers that tell the operator more than the engine's own box.
enum class FailureKind {
    None,
    NoLink,         // no link, or the write was refused
    TimedOut,       // no line that could be the reply within the time-out
    Refused,        // the camera answered with an error text
    NotUnderstood,  // a query's reply could not be read as its value
    LinkLost,       // the line went away while the command waited
    Cancelled,      // the operator stopped waiting; the camera's answer is unknown
};

struct Failure {
    FailureKind kind = FailureKind::None;
    std::string command;   // the line sent, without CR LF ("GA=99999")
    std::string received;  // what came back, printable; for a time-out any bytes without a line end
    milliseconds timeout{0};
    // A set held back because the camera still owed an earlier answer and did not answer the query
    // that would have shown it caught up ("GA=400"); empty when the command went out.
    std::string notSent;
    // One line for the operator: "no reply to GA? within 5 s", "the camera answered ERROR: Out of
    // range to GA=99999" ...
    std::string Describe() const;
};

// Asked by the engine while a command waits longer than a moment: Begins when a command whose
// time-out exceeds Command::kCancellableWait is on the wire, Requested each time the wait lets the
// windows run (about every 30 ms), Ends when the wait is over, answered or not.
class IWaitCancel {
public:
    virtual ~IWaitCancel() = default;
    virtual void LongWaitBegins() = 0;
    virtual bool CancelRequested() = 0;
    virtual void LongWaitEnds() = 0;
};

class Command {
public:
    static constexpr int kTimerPeriodMs = 25;
    // Waits whose time-out is longer than this may be abandoned; shorter ones are always waited for.
    static constexpr milliseconds kCancellableWait{2000};
    static constexpr int kRxBufferSize = 1024;

    // Errors go to the platform's message boxes, answers and time-outs to the status broadcaster,
    // received lines to the traffic log.
    Command(platform::IPlatform& platform, OnlineStatusBroadcaster& status, TrafficLog& traffic);
    Command(const Command&) = delete;
    Command& operator=(const Command&) = delete;

    // The line the engine talks on; the application sets the process's link object.
    void SetLink(ILink* link) { link_ = link; }
    ILink* Link() const { return link_; }
    // Who may abandon a long wait; none by default.
    void SetWaitCancel(IWaitCancel* cancel) { waitCancel_ = cancel; }

    int SendCommandInt(uint32_t cmdId, int32_t value, milliseconds timeout);
    // The text goes as it is, whatever kind the command's values have.
    int SendCommandString(uint32_t cmdId, const std::string& text, milliseconds timeout);
    // The value goes in the kind of the command's values.
    int SendCommand(uint32_t cmdId, const CommandValue& value, milliseconds timeout);

    int QueryInt(uint32_t cmdId, int32_t& value, milliseconds timeout);
    int QueryString(uint32_t cmdId, std::string& text, milliseconds timeout);
    int QueryCommand(uint32_t cmdId, CommandValue& value, milliseconds timeout);

    static ParsedReply ParseReply(const std::string& line);
    static int ParseLine(const std::string& line, int32_t& cmdId, std::string& name, int32_t& intValue,
                         std::string& textValue);
    // A text fit for a message or a log: control characters shown as \xHH, so a NUL or a CR in a
    // camera's line neither cuts nor garbles what the operator reads.
    static std::string Printable(const std::string& text);

    // The 25 ms drain: takes at most one stray line, never waits, and does nothing while a command
    // is waiting for its reply (so it can never take that reply).
    void OnTimer();

    void ClearReceived();
    // Removes and returns the oldest received line; empty when there is none.
    std::string TakeReceivedLine();
    size_t ReceivedLineCount() const { return receivedLines_.size(); }

    // True while a command waits for its reply.
    bool Busy() const { return busy_; }
    // The last command line sent ("BA=1", "GA?"), when it went out and how long it may wait, so a
    // window can say what the tool is waiting for.
    const std::string& SentLine() const { return sentLine_; }
    // The command the caller waits for: the set held back while the camera catches up (SentLine()
    // is then "MD?"), else SentLine().
    const std::string& WaitingFor() const { return heldBack_.empty() ? sentLine_ : heldBack_; }
    std::chrono::steady_clock::time_point SentAt() const { return sentAt_; }
    milliseconds SentTimeout() const { return timeout_; }

    // While quiet, the camera's error replies show no box of their own: a transfer of thousands of
    // commands that goes on past refusals counts them and reports once at its end. The failure is
    // still kept in LastFailure().
    class Quiet {
    public:
        explicit Quiet(Command& engine) : engine_(engine) { ++engine_.quietDepth_; }
        ~Quiet() { --engine_.quietDepth_; }
        Quiet(const Quiet&) = delete;
        Quiet& operator=(const Quiet&) = delete;

    private:
        Command& engine_;
    };
    // Why the last command failed; kind None after a success.
    const Failure& LastFailure() const { return lastFailure_; }
    // The last failure after which something did come back (bytes without a line end, a line that
    // was not the reply): what a search that found no camera can still tell the operator.
    const Failure& LastFailureWithBytes() const { return lastHeard_; }
    // The line of the link went away (see ILink::Lost).
    bool LinkLost() const;
    // True after a time-out until a query's own value shows that every earlier answer is in: the
    // next set first asks "MD?" (see the rule above). A wait that is abandoned ends as a time-out
    // and so leaves the engine out of step as well.
    bool OutOfStep() const { return outOfStep_; }
    // Answers the camera may still send for commands that timed out, less the lines that came since.
    int OwedAnswers() const { return owed_; }

    static std::string GetCommandName(uint32_t cmdId) { return protocol::GetCommandName(cmdId); }

private:
    enum class Fit { Reply, Stale };

    // Sends the value as `kind`: the kind belongs to this one send, never to the command table.
    int Send(uint32_t cmdId, const CommandValue& value, ValueKind kind, milliseconds timeout);
    using Filter = std::function<Fit(const std::string& line)>;

    // Assembles bytes until a line ends, no byte arrives before the deadline, or the buffer
    // overflows. True when a line was completed (it is in receivedLines_).
    bool ReceiveLine(std::chrono::steady_clock::time_point deadline);
    // Lists every complete line already received or waiting on the link as stray, then forgets them
    // and any partial line: none of it can be the reply to the command about to go out.
    void DropStrayLines();
    // Waits for the first line that fits the command; false on time-out or a lost line.
    bool WaitForReply(std::chrono::steady_clock::time_point start, milliseconds timeout, const Filter& filter,
                      std::string& reply);
    int WaitForComplete(std::chrono::steady_clock::time_point start, milliseconds timeout);
    // While out of step: asks "MD?" and waits for its value, listing the late answers before it.
    // True when the camera caught up; false (the failure recorded) when it did not answer in time.
    bool CatchUp(milliseconds timeout);
    // A command's answer did not come in time: it is owed from now on.
    void Owe();
    // A line came that was not taken as a reply: one owed answer fewer.
    void Received() { owed_ = owed_ > 0 ? owed_ - 1 : 0; }
    void Fail(FailureKind kind, std::string received = {});
    void Start(const std::string& line, milliseconds timeout);
    void ShowError(const std::string& text);

    platform::IPlatform& platform_;
    OnlineStatusBroadcaster& status_;
    TrafficLog& traffic_;
    ILink* link_ = nullptr;
    IWaitCancel* waitCancel_ = nullptr;
    bool longWait_ = false;   // the wait under way may be abandoned
    bool cancelled_ = false;  // and the operator abandoned it
    LineAssembler assembler_;
    std::deque<std::string> receivedLines_;
    bool busy_ = false;
    int quietDepth_ = 0;
    std::string sentLine_;  // the command waiting, without CR LF
    std::string heldBack_;  // the set waiting for the camera to catch up
    milliseconds timeout_{0};
    std::chrono::steady_clock::time_point sentAt_{};
    std::string lastStale_;  // the last line skipped while it waited
    bool outOfStep_ = false;
    int owed_ = 0;
    Failure lastFailure_;
    Failure lastHeard_;
};

}  // namespace vr::protocol
