#include "protocol/Command.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "app/Platform.h"
#include "protocol/Deadline.h"
#include "protocol/Link.h"
#include "protocol/Numbers.h"
#include "protocol/OnlineStatus.h"
#include "protocol/TrafficLog.h"

namespace vr::protocol {
namespace {

constexpr const char* kCaption = "Communication Error";
// How long one read may block before the wait lets pending window messages run.
constexpr std::chrono::milliseconds kPumpInterval(30);

bool IsCompletion(const std::string& line) {
    static const char kWord[] = "COMPLETE";
    if (line.size() < 8) return false;
    for (size_t i = 0; i < 8; ++i)
        if (std::toupper(static_cast<unsigned char>(line[i])) != kWord[i]) return false;
    return true;
}

struct BusyScope {
    explicit BusyScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~BusyScope() { flag_ = false; }
    bool& flag_;
};

}  // namespace

void Command::ShowError(const std::string& text) {
    platform_.MessageBox(text, kCaption, app::MsgIcon::Exclamation);
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
        r.value.textValue = r.valueText;
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
    rxPos_ = 0;
    receivedLines_.clear();
}

std::string Command::TakeReceivedLine() {
    if (receivedLines_.empty()) return {};
    std::string line = std::move(receivedLines_.front());
    receivedLines_.pop_front();
    return line;
}

bool Command::ReceiveLine(std::chrono::steady_clock::time_point deadline) {
    if (link_ == nullptr) return false;
    for (;;) {
        auto now = std::chrono::steady_clock::now();
        auto wait = std::min(Deadline(std::chrono::milliseconds(0), deadline).Remaining(now), kPumpInterval);
        char byte = 0;
        if (link_->Read(&byte, 1, wait) != 1) {
            if (std::chrono::steady_clock::now() >= deadline) return false;
            if (busy_) platform_.PumpMessages();
            continue;
        }
        if (byte == '\n') {
            // The CR of CR LF is dropped; a line that ends in a bare LF keeps all its characters.
            int32_t end = rxPos_;
            if (end > 0 && rxBuffer_[end - 1] == '\r') --end;
            std::string line(rxBuffer_, static_cast<size_t>(end));
            rxPos_ = 0;
            receivedLines_.push_back(line);
            traffic_.LogRx(line);
            return true;
        }
        rxBuffer_[rxPos_++] = byte;
        if (rxPos_ > kRxBufferSize - 1) {
            // Reset before the box: the timer may enter again while the box is open.
            rxPos_ = 0;
            ShowError("RS-232C receiving buffer overflowed");
            return false;
        }
    }
}

bool Command::WaitForLine(std::chrono::steady_clock::time_point start, milliseconds timeout) {
    const auto deadline = start + std::max(timeout, milliseconds(0));
    do {
        if (ReceiveLine(deadline)) return true;
    } while (std::chrono::steady_clock::now() < deadline);
    return false;
}

int Command::WaitForComplete(std::chrono::steady_clock::time_point start, milliseconds timeout) {
    platform_.BeginWaitCursor();
    if (!WaitForLine(start, timeout)) {
        platform_.EndWaitCursor();
        status_.SetOffline();
        return 0;
    }
    const std::string reply = TakeReceivedLine();
    platform_.EndWaitCursor();
    const bool complete = IsCompletion(reply);
    if (!complete) ShowError(reply);
    status_.SetOnline();
    return complete ? 1 : 0;
}

int Command::SendCommand(uint32_t cmdId, const CommandValue& value, milliseconds timeout) {
    BusyScope busy(busy_);
    ClearReceived();
    std::string line = protocol::GetCommandName(cmdId) + "=";
    if (GetValueKind(cmdId) == ValueKind::Text)
        line += value.textValue;
    else
        line += std::to_string(value.intValue);
    line += "\r\n";
    if (link_ == nullptr || link_->Write(line) == 0) return 0;
    return WaitForComplete(std::chrono::steady_clock::now(), timeout);
}

int Command::SendCommandInt(uint32_t cmdId, int32_t value, milliseconds timeout) {
    CommandValue v;
    v.kind = ValueKind::Integer;
    v.intValue = value;
    return SendCommand(cmdId, v, timeout);
}

int Command::SendCommandString(uint32_t cmdId, const std::string& text, milliseconds timeout) {
    const ValueKind previous = GetValueKind(cmdId);
    SetValueKind(cmdId, ValueKind::Text);
    CommandValue v;
    v.kind = ValueKind::Text;
    v.textValue = text;
    const int result = SendCommand(cmdId, v, timeout);
    SetValueKind(cmdId, previous);
    return result;
}

int Command::QueryCommand(uint32_t cmdId, CommandValue& value, milliseconds timeout) {
    const std::string name = protocol::GetCommandName(cmdId);
    if (name.empty()) return 0;
    BusyScope busy(busy_);
    ClearReceived();
    const std::string query = name + "?";
    if (link_ != nullptr) link_->Write(query + "\r\n");  // a failed write ends in a time-out
    if (!WaitForLine(std::chrono::steady_clock::now(), timeout)) {
        status_.SetOffline();
        return 0;
    }
    const ParsedReply reply = ParseReply(TakeReceivedLine());
    if (!reply.failed && reply.name == name) {
        value = reply.value;
        status_.SetOnline();
        return 1;
    }
    ShowError(reply.raw + " for " + query);
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
    ReceiveLine(std::chrono::steady_clock::now());
}

}  // namespace vr::protocol
