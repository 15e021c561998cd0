#include "protocol/TrafficLog.h"

namespace vr::protocol {

void TrafficLog::LogTx(const std::string& text) {
    size_t end = text.size();
    while (end > 0 && (text[end - 1] == '\r' || text[end - 1] == '\n')) --end;
    Emit("Tx: ", text.substr(0, end));
}

void TrafficLog::LogRx(const std::string& line, RxKind kind) {
    switch (kind) {
        case RxKind::Reply:
            Emit("Rx: ", line);
            return;
        case RxKind::Stray:
            if (terminal_) terminal_("Rx: " + line + "  (stray: not a reply)");
            if (messages_) messages_(line);
            return;
        case RxKind::Stale:
            if (terminal_) terminal_("Rx: " + line + "  (stale: skipped)");
            if (messages_) messages_(line);
            return;
    }
}

void TrafficLog::LogNote(const std::string& text) {
    if (terminal_) terminal_("Note: " + text);
}

void TrafficLog::Emit(const std::string& prefix, const std::string& text) {
    if (terminal_) terminal_(prefix + text);
    if (messages_) messages_(text);
}

}  // namespace vr::protocol
