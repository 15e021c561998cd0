#include "sim/LineAssembler.h"

namespace vr::sim {

std::optional<LineAssembler::Line> LineAssembler::Feed(char byte) {
    if (core_.Feed(byte) != protocol::LineAssembler::Result::Line) return std::nullopt;
    return Line{core_.Line(), core_.Overlong()};
}

}  // namespace vr::sim
