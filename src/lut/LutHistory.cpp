#include "lut/LutHistory.h"

#include <utility>

namespace vr::lut {

void LutHistory::Record(LutSnapshot before) {
    undo_.push_back(std::move(before));
    if (undo_.size() > kDepth) undo_.erase(undo_.begin());
    redo_.clear();
}

std::optional<LutSnapshot> LutHistory::Undo(LutSnapshot current) {
    if (undo_.empty()) return std::nullopt;
    LutSnapshot back = std::move(undo_.back());
    undo_.pop_back();
    redo_.push_back(std::move(current));
    return back;
}

std::optional<LutSnapshot> LutHistory::Redo(LutSnapshot current) {
    if (redo_.empty()) return std::nullopt;
    LutSnapshot again = std::move(redo_.back());
    redo_.pop_back();
    undo_.push_back(std::move(current));
    return again;
}

}  // namespace vr::lut
