#include "protocol/LineAssembler.h"

namespace vr::protocol {

LineAssembler::Result LineAssembler::Feed(char byte) {
    if (byte == '\0' && options_.ignoreNul) return Result::None;
    const bool end = byte == '\n' || (byte == '\r' && options_.lineEnd == LineEnd::CrOrLf);
    if (end) {
        if (options_.lineEnd == LineEnd::CrOrLf) {
            if (buffer_.empty() && !overlongPending_) return Result::None;
            line_ = buffer_;
        } else {
            // The CR of CR LF is dropped; a line that ends in a bare LF keeps all its characters.
            size_t length = buffer_.size();
            if (length > 0 && buffer_[length - 1] == '\r') --length;
            line_.assign(buffer_, 0, length);
        }
        overlong_ = overlongPending_;
        if (overlong_) line_.clear();
        Reset();
        return Result::Line;
    }
    if (overlongPending_) return Result::None;
    if (options_.overflow == Overflow::AtLineEnd && buffer_.size() >= options_.maxBytes) {
        overlongPending_ = true;
        buffer_.clear();
        return Result::None;
    }
    buffer_ += byte;
    if (options_.overflow == Overflow::Immediate && buffer_.size() > options_.maxBytes) {
        Reset();
        return Result::Overflowed;
    }
    return Result::None;
}

void LineAssembler::Reset() {
    buffer_.clear();
    overlongPending_ = false;
}

}  // namespace vr::protocol
