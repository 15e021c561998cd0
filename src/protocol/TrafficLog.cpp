#include "protocol/TrafficLog.h"

#include <cstdio>

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

std::string TrafficLog::TimeStamp(std::chrono::system_clock::time_point time) {
    using namespace std::chrono;
    const auto sinceEpoch = time.time_since_epoch();
    // floor, not a cast: a time before 1970 must still give a millisecond in 0..999.
    const auto ms = floor<milliseconds>(sinceEpoch);
    const auto s = floor<seconds>(ms);
    const auto m = floor<minutes>(s);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d:%03d  ", static_cast<int>((m.count() % 60 + 60) % 60),
                  static_cast<int>((s - m).count()), static_cast<int>((ms - s).count()));
    return buffer;
}

}  // namespace vr::protocol
