#include "protocol/Command.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "platform/Deadline.h"
#include "platform/Platform.h"
#include "protocol/CommandIds.h"
#include "protocol/Link.h"
#include "protocol/Numbers.h"
#include "protocol/OnlineStatus.h"
#include "protocol/TextValue.h"
#include "protocol/TrafficLog.h"

namespace vr::protocol {
namespace {

constexpr const char* kCaption = "Communication Error";
// How long one read may block before the wait lets pending window messages run.
constexpr milliseconds kPumpInterval(30);

bool IsCompletion(const std::string& line) {
    static const char kWord[] = "COMPLETE";
    if (line.size() < 8) return false;
    for (size_t i = 0; i < 8; ++i)
        if (std::toupper(static_cast<unsigned char>(line[i])) != kWord[i]) return false;
    return true;
}

// The name of a "NAME=value" line when NAME is one of the camera's commands; empty otherwise.
std::string ValueLineName(const std::string& line) {
    const ParsedReply r = Command::ParseReply(line);
    if (r.separator != "=" || r.commandId < 0 || r.name.empty()) return {};
    return r.name;
}

// A line of nothing but blanks says nothing: it is no answer to any command.
bool IsBlank(const std::string& line) {
    return line.find_first_not_of(' ') == std::string::npos;
}

std::string Trim(const std::string& text) {
    const size_t b = text.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    const size_t e = text.find_last_not_of(' ');
    return text.substr(b, e - b + 1);
}

struct BusyScope {
    explicit BusyScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~BusyScope() { flag_ = false; }
    bool& flag_;
};

std::string Seconds(milliseconds timeout) {
    char text[32];
    if (timeout.count() % 1000 == 0)
        std::snprintf(text, sizeof text, "%lld s", static_cast<long long>(timeout.count() / 1000));
    else
        std::snprintf(text, sizeof text, "%lld ms", static_cast<long long>(timeout.count()));
    return text;
}

}  // namespace

std::string Failure::Describe() const {
    switch (kind) {
        case FailureKind::None:
            return {};
        case FailureKind::NoLink:
            return "no link to send " + command + " on";
        case FailureKind::TimedOut:
            return "no reply to " + command + " within " + Seconds(timeout) +
                   (received.empty() ? std::string() : " (received: \"" + received + "\")") +
                   (notSent.empty() ? std::string()
                                    : "; the camera still owed an earlier answer, so " + notSent + " was not sent");
        case FailureKind::Refused:
            return "the camera answered \"" + received + "\" to " + command;
        case FailureKind::NotUnderstood:
            return "the reply \"" + received + "\" does not answer " + command;
        case FailureKind::LinkLost:
            return "the line went away while waiting for the reply to " + command +
                   (received.empty() ? std::string() : " (" + received + ")");
        case FailureKind::Cancelled:
            return "stopped waiting for the reply to " + command +
                   (notSent.empty() ? std::string() : " (not sent: the camera still owed an earlier answer)");
    }
    return {};
}

Command::Command(platform::IPlatform& platform, OnlineStatusBroadcaster& status, TrafficLog& traffic)
    : platform_(platform),
      status_(status),
      traffic_(traffic),
      assembler_({LineAssembler::LineEnd::Lf, kRxBufferSize - 1, LineAssembler::Overflow::Immediate, false}) {}

void Command::ShowError(const std::string& text) {
    if (quietDepth_ > 0) return;
    platform_.MessageBox(text, kCaption, platform::MsgIcon::Exclamation);
}

std::string Command::Printable(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (unsigned char c : text) {
        if (c >= 0x20 && c != 0x7F) {
            out += static_cast<char>(c);
            continue;
        }
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
        out += escaped;
    }
    return out;
}

ParsedReply Command::ParseReply(const std::string& line) {
    ParsedReply r;
    for (char c : line)
        if (c != ' ' && c != '\r' && c != '\n') r.raw += c;
    size_t sep = r.raw.find('=');
    if (sep == std::string::npos) sep = r.raw.find('?');
    if (sep == std::string::npos) return r;
    r.name = r.raw.substr(0, sep);
    r.separator = r.raw.substr(sep, 1);
    if (r.separator == "=") {
        size_t comma = r.raw.find(',', sep + 1);
        r.valueText = r.raw.substr(sep + 1, comma == std::string::npos ? std::string::npos : comma - sep - 1);
    } else {
        r.valueText = r.raw.substr(sep + 1);
    }
    r.commandId = FindCommand(r.name);
    if (r.commandId < 0) return r;
    r.value.kind = GetValueKind(static_cast<uint32_t>(r.commandId));
    if (r.value.kind == ValueKind::Text) {
        // Blanks only separate the parts of a line; inside a text value they are part of it
        // ("line 3 left"), so the text comes from the line itself, trimmed at its ends.
        std::string bare;
        for (char c : line)
            if (c != '\r' && c != '\n') bare += c;
        const size_t at = bare.find(r.separator[0]);
        std::string text = at == std::string::npos ? std::string() : bare.substr(at + 1);
        if (r.separator == "=") text = text.substr(0, text.find(','));
        r.value.textValue = Trim(text);
        r.valueText = r.value.textValue;
    } else if (!ParseLeadingNumber(r.valueText, r.value.intValue)) {
        // "&H" with no digit is no number at all: the reply is not understood.
        return r;
    }
    r.failed = false;
    return r;
}

int Command::ParseLine(const std::string& line, int32_t& cmdId, std::string& name, int32_t& intValue,
                       std::string& textValue) {
    ParsedReply r = ParseReply(line);
    cmdId = r.commandId;
    name = r.name;
    intValue = r.value.intValue;
    textValue = r.value.textValue;
    return r.failed ? 0 : 1;
}

void Command::ClearReceived() {
    assembler_.Reset();
    receivedLines_.clear();
}

std::string Command::TakeReceivedLine() {
    if (receivedLines_.empty()) return {};
    std::string line = std::move(receivedLines_.front());
    receivedLines_.pop_front();
    return line;
}

bool Command::LinkLost() const {
    return link_ != nullptr && link_->Lost();
}

void Command::Fail(FailureKind kind, std::string received) {
    lastFailure_ = {kind, sentLine_, Printable(received), timeout_, {}};
    if (!lastFailure_.received.empty()) lastHeard_ = lastFailure_;
}

void Command::Owe() {
    outOfStep_ = true;
    // More than a camera's input queue holds cannot come back; the bound only keeps the count finite.
    constexpr int kMostOwed = 1000;
    owed_ = std::min(owed_ + 1, kMostOwed);
}

void Command::Start(const std::string& line, milliseconds timeout) {
    sentLine_ = line;
    timeout_ = timeout;
    sentAt_ = std::chrono::steady_clock::now();
}

bool Command::ReceiveLine(std::chrono::steady_clock::time_point deadline) {
    if (link_ == nullptr) return false;
    for (;;) {
        const auto now = std::chrono::steady_clock::now();
        const auto wait = std::min(platform::Deadline(milliseconds(0), deadline).Remaining(now), kPumpInterval);
        char byte = 0;
        if (link_->Read(&byte, 1, wait) != 1) {
            if (link_->Lost() || std::chrono::steady_clock::now() >= deadline) return false;
            if (busy_) platform_.PumpMessages();
            if (longWait_ && waitCancel_->CancelRequested()) {
                cancelled_ = true;
                return false;
            }
            continue;
        }
        switch (assembler_.Feed(byte)) {
            case LineAssembler::Result::Line:
                receivedLines_.push_back(assembler_.Line());
                return true;
            case LineAssembler::Result::Overflowed:
                // The assembler has dropped the bytes before the box: the timer may enter again while
                // the box is open.
                ShowError("RS-232C receiving buffer overflowed");
                return false;
            case LineAssembler::Result::None:
                break;
        }
    }
}

void Command::DropStrayLines() {
    receivedLines_.clear();
    if (link_ != nullptr) {
        char byte = 0;
        while (link_->Read(&byte, 1, milliseconds(0)) == 1) {
            if (assembler_.Feed(byte) == LineAssembler::Result::Line) {
                traffic_.LogRx(Printable(assembler_.Line()), RxKind::Stray);
                if (!IsBlank(assembler_.Line())) Received();
            }
        }
    }
    assembler_.Reset();
}

bool Command::WaitForReply(std::chrono::steady_clock::time_point start, milliseconds timeout, const Filter& filter,
                           std::string& reply) {
    const auto deadline = start + std::max(timeout, milliseconds(0));
    lastStale_.clear();
    cancelled_ = false;
    struct LongWait {
        LongWait(Command& engine, bool cancellable) : engine_(engine) {
            engine_.longWait_ = cancellable;
            if (cancellable) engine_.waitCancel_->LongWaitBegins();
        }
        ~LongWait() {
            if (!engine_.longWait_) return;
            engine_.longWait_ = false;
            engine_.waitCancel_->LongWaitEnds();
        }
        Command& engine_;
    } longWait(*this, waitCancel_ != nullptr && timeout > kCancellableWait);
    do {
        if (!ReceiveLine(deadline)) continue;
        std::string line = TakeReceivedLine();
        if (IsBlank(line)) {
            traffic_.LogRx(Printable(line), RxKind::Stale);
            continue;
        }
        if (filter(line) == Fit::Stale) {
            traffic_.LogRx(Printable(line), RxKind::Stale);
            Received();
            lastStale_ = std::move(line);
            continue;
        }
        traffic_.LogRx(Printable(line), RxKind::Reply);
        reply = std::move(line);
        return true;
    } while (std::chrono::steady_clock::now() < deadline && !LinkLost() && !cancelled_);
    return false;
}

bool Command::CatchUp(milliseconds timeout) {
    const std::string query = protocol::GetCommandName(cmd::MD) + "?";
    DropStrayLines();
    Start(query, timeout);
    link_->Write(query + "\r\n");  // a failed write ends in a time-out
    // Only the model's own value shows the camera caught up; everything before it answers earlier lines.
    auto modelValue = [&](const std::string& line) {
        const ParsedReply r = ParseReply(line);
        return !r.failed && r.separator == "=" && r.commandId == static_cast<int32_t>(cmd::MD) ? Fit::Reply
                                                                                               : Fit::Stale;
    };
    std::string reply;
    if (WaitForReply(std::chrono::steady_clock::now(), timeout, modelValue, reply)) {
        outOfStep_ = false;
        owed_ = 0;
        return true;
    }
    if (cancelled_) {
        Owe();
        Fail(FailureKind::Cancelled);
        return false;
    }
    if (LinkLost()) {
        Fail(FailureKind::LinkLost, link_->LostReason());
    } else {
        Owe();
        Fail(FailureKind::TimedOut, lastStale_.empty() ? assembler_.Partial() : lastStale_);
    }
    status_.SetOffline();
    return false;
}

int Command::WaitForComplete(std::chrono::steady_clock::time_point start, milliseconds timeout) {
    // While a set waits for its completion, another command's value is a late answer to a query.
    auto setFilter = [](const std::string& line) { return ValueLineName(line).empty() ? Fit::Reply : Fit::Stale; };
    platform_.BeginWaitCursor();
    std::string reply;
    if (!WaitForReply(start, timeout, setFilter, reply)) {
        platform_.EndWaitCursor();
        // Abandoned by the operator: its answer is owed, as after a time-out, but the camera may
        // still be at work, so it is not taken for gone.
        if (cancelled_) {
            Owe();
            Fail(FailureKind::Cancelled);
            return 0;
        }
        if (LinkLost()) {
            Fail(FailureKind::LinkLost, link_->LostReason());
        } else {
            Owe();
            Fail(FailureKind::TimedOut, lastStale_.empty() ? assembler_.Partial() : lastStale_);
        }
        status_.SetOffline();
        return 0;
    }
    platform_.EndWaitCursor();
    const bool complete = IsCompletion(reply);
    if (complete) {
        lastFailure_ = {};
    } else {
        Fail(FailureKind::Refused, reply);
        // The camera's own text, and on a line of its own the command it refused.
        ShowError(Printable(reply) + "\n" + Printable(sentLine_));
    }
    status_.SetOnline();
    return complete ? 1 : 0;
}

int Command::SendCommand(uint32_t cmdId, const CommandValue& value, milliseconds timeout) {
    return Send(cmdId, value, GetValueKind(cmdId), timeout);
}

int Command::Send(uint32_t cmdId, const CommandValue& value, ValueKind kind, milliseconds timeout) {
    BusyScope busy(busy_);
    const std::string name = protocol::GetCommandName(cmdId);
    std::string line = name + "=";
    const bool text = kind == ValueKind::Text;
    line += text ? value.textValue : std::to_string(value.intValue);
    Start(line, timeout);
    if (text && !IsSendableText(value.textValue)) {
        // A CR or LF would end the line early and run the rest as a command of its own.
        Fail(FailureKind::NoLink);
        ShowError("The text for " + name + " holds a control character; it was not sent:\n" + Printable(line));
        return 0;
    }
    if (link_ == nullptr) {
        Fail(FailureKind::NoLink);
        return 0;
    }
    if (outOfStep_) {
        heldBack_ = line;
        const bool caughtUp = CatchUp(timeout);
        heldBack_.clear();
        if (!caughtUp) {
            lastFailure_.notSent = Printable(line);
            // The operator stopped waiting for the camera to catch up: for him it was this command's wait.
            if (lastFailure_.kind == FailureKind::Cancelled) lastFailure_.command = lastFailure_.notSent;
            if (!lastFailure_.received.empty()) lastHeard_ = lastFailure_;
            return 0;
        }
    }
    Start(line, timeout);
    DropStrayLines();
    line += "\r\n";
    if (link_->Write(line) == 0) {
        Fail(FailureKind::NoLink);
        return 0;
    }
    return WaitForComplete(std::chrono::steady_clock::now(), timeout);
}

int Command::SendCommandInt(uint32_t cmdId, int32_t value, milliseconds timeout) {
    CommandValue v;
    v.kind = ValueKind::Integer;
    v.intValue = value;
    return SendCommand(cmdId, v, timeout);
}

int Command::SendCommandString(uint32_t cmdId, const std::string& text, milliseconds timeout) {
    CommandValue v;
    v.kind = ValueKind::Text;
    v.textValue = text;
    return Send(cmdId, v, ValueKind::Text, timeout);
}

int Command::QueryCommand(uint32_t cmdId, CommandValue& value, milliseconds timeout) {
    const std::string name = protocol::GetCommandName(cmdId);
    if (name.empty()) return 0;
    BusyScope busy(busy_);
    DropStrayLines();
    const std::string query = name + "?";
    Start(query, timeout);
    if (link_ != nullptr) link_->Write(query + "\r\n");  // a failed write ends in a time-out
    // A completion, or another command's value, answers an earlier command, not this query; so does
    // a line without a name while the camera still owes earlier answers.
    auto queryFilter = [&](const std::string& line) {
        if (IsCompletion(line)) return Fit::Stale;
        const std::string other = ValueLineName(line);
        if (!other.empty()) return other != name ? Fit::Stale : Fit::Reply;
        return owed_ > 0 ? Fit::Stale : Fit::Reply;
    };
    std::string line;
    if (!WaitForReply(std::chrono::steady_clock::now(), timeout, queryFilter, line)) {
        if (cancelled_) {
            Owe();
            Fail(FailureKind::Cancelled);
            return 0;
        }
        if (LinkLost()) {
            Fail(FailureKind::LinkLost, link_->LostReason());
            status_.SetOffline();
            return 0;
        }
        Owe();
        if (!lastStale_.empty()) {
            // The camera did answer, only never this query: say what came, as for a wrong reply.
            Fail(FailureKind::NotUnderstood, lastStale_);
            ShowError(Printable(ParseReply(lastStale_).raw) + " for " + query);
            return 0;
        }
        Fail(FailureKind::TimedOut, assembler_.Partial());
        status_.SetOffline();
        return 0;
    }
    const ParsedReply reply = ParseReply(line);
    if (!reply.failed && reply.name == name) {
        value = reply.value;
        lastFailure_ = {};
        // The camera answers in order: with this answer in, every earlier one is in.
        outOfStep_ = false;
        owed_ = 0;
        status_.SetOnline();
        return 1;
    }
    const bool errorText = reply.separator.empty();
    Fail(errorText ? FailureKind::Refused : FailureKind::NotUnderstood, line);
    ShowError(Printable(reply.raw) + " for " + query);
    return 0;
}

int Command::QueryInt(uint32_t cmdId, int32_t& value, milliseconds timeout) {
    CommandValue v;
    if (!QueryCommand(cmdId, v, timeout)) return 0;
    value = v.intValue;
    return 1;
}

int Command::QueryString(uint32_t cmdId, std::string& text, milliseconds timeout) {
    CommandValue v;
    if (!QueryCommand(cmdId, v, timeout)) {
        text.clear();
        return 0;
    }
    text = v.textValue;
    return 1;
}

void Command::OnTimer() {
    if (busy_) return;
    if (ReceiveLine(std::chrono::steady_clock::now())) {
        traffic_.LogRx(Printable(receivedLines_.back()));
        if (!IsBlank(receivedLines_.back())) Received();
    }
}

}  // namespace vr::protocol
