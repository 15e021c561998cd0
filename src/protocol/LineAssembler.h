#pragma once
// Turns received bytes into lines, one byte at a time. The tool and the virtual camera read lines
// the same way but for their line ends and their limits, which the options say:
// - the tool: a line ends with LF, a CR before the LF is dropped and any other character kept; 1024
//   bytes without an LF overflow the receive buffer at once;
// - the camera: CR or LF ends a line and the empty line between them is not reported, NUL bytes (the
//   tool's wake-up bytes) are ignored, and a line longer than its buffer is reported as overlong
//   when it ends.

#include <cstddef>
#include <string>

namespace vr::protocol {

class LineAssembler {
public:
    enum class LineEnd { Lf, CrOrLf };
    enum class Overflow { Immediate, AtLineEnd };
    struct Options {
        LineEnd lineEnd = LineEnd::Lf;
        size_t maxBytes = 1023;  // bytes a line may hold before its end
        Overflow overflow = Overflow::Immediate;
        bool ignoreNul = false;
    };
    enum class Result { None, Line, Overflowed };

    explicit LineAssembler(Options options) : options_(options) {}

    // One received byte. Line: Line() holds the completed line (empty and Overlong() for a line
    // that outgrew the buffer, with Overflow::AtLineEnd). Overflowed: the buffer filled without a
    // line end and its bytes were dropped (Overflow::Immediate).
    Result Feed(char byte);

    const std::string& Line() const { return line_; }
    bool Overlong() const { return overlong_; }
    // The bytes of the line being received.
    const std::string& Partial() const { return buffer_; }
    bool Empty() const { return buffer_.empty() && !overlongPending_; }
    // Forgets the partial line.
    void Reset();

private:
    Options options_;
    std::string buffer_;
    std::string line_;
    bool overlong_ = false;
    bool overlongPending_ = false;
};

}  // namespace vr::protocol
