#pragma once
// What one run of a one-push handler came to: the operator has already been told; this is for the
// command line, which prints it, and for whoever wants to know without reading message boxes.

#include <cstdint>
#include <string>
#include <vector>

namespace vr::calibration {

enum class OnePushEnd {
    Generic,      // a plain list item: sent like any other setting, no function started
    StartFailed,  // the start command was refused or went unanswered
    Result,       // the camera's result code was read
    NoAnswer,     // a result or status query went unanswered
    Bound,        // the status still read "Busy" when the function's time was up
    Stopped,      // the operator stopped the wait
};

struct OnePushResult {
    OnePushEnd end = OnePushEnd::Generic;
    // The function's own success code ("Succeeded", "Complete"); for a plain list item, whether the
    // camera took the value.
    bool succeeded = false;
    int32_t code = 0;              // the result code, when end is Result
    std::string title;             // the title of what the operator was told about the outcome; may be empty
    std::string text;              // what the operator was told (or, at the end of Auto Setting, could have been)
    std::vector<uint32_t> reread;  // the controls re-read from the camera that answered, in order
    // When the start failed: the engine's account of it ("no reply to RS=0 within 420 s").
    std::string failure;
};

}  // namespace vr::calibration
