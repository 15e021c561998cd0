#pragma once
// Turns the bytes the camera receives into command lines. A line ends with LF or with CR, so a
// terminal program that sends only CR for its Enter key is understood as well as the tool's CR LF;
// the empty line between a CR and its LF is not reported. NUL bytes are ignored wherever they
// stand: the tool sends runs of them to wake the line up. The reading itself is the tool's own line
// reader with the camera's options.

#include <cstddef>
#include <optional>
#include <string>

#include "protocol/LineAssembler.h"

namespace vr::sim {

class LineAssembler {
public:
    // The camera's receive buffer; a longer line is reported as overlong when it ends.
    static constexpr size_t kMaxLineBytes = 256;

    struct Line {
        std::string text;  // without its line end; empty when overlong
        bool overlong = false;
    };

    // One received byte; a line when this byte completed one.
    std::optional<Line> Feed(char byte);
    // The partial line is garbage (bytes at a wrong rate, a reset): forget it.
    void Reset() { core_.Reset(); }
    bool Empty() const { return core_.Empty(); }

private:
    protocol::LineAssembler core_{
        {protocol::LineAssembler::LineEnd::CrOrLf, kMaxLineBytes, protocol::LineAssembler::Overflow::AtLineEnd, true}};
};

}  // namespace vr::sim
