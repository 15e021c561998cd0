#include "sim/LineAssembler.h"

namespace vr::sim {

std::optional<LineAssembler::Line> LineAssembler::Feed(char byte) {
    if (byte == '\0') return std::nullopt;
    if (byte == '\r' || byte == '\n') {
        if (buffer_.empty() && !overlong_) return std::nullopt;
        Line line;
        line.overlong = overlong_;
        if (!overlong_) line.text = buffer_;
        Reset();
        return line;
    }
    if (overlong_) return std::nullopt;
    if (buffer_.size() >= kMaxLineBytes) {
        overlong_ = true;
        buffer_.clear();
        return std::nullopt;
    }
    buffer_ += byte;
    return std::nullopt;
}

void LineAssembler::Reset() {
    buffer_.clear();
    overlong_ = false;
}

}  // namespace vr::sim
