#include "link/RateNegotiation.h"

#include <utility>

#include "link/CommSetting.h"
#include "link/LineControl.h"
#include "protocol/Command.h"
#include "protocol/CommandTable.h"

namespace vr::link {
namespace {

constexpr int kFastestBaudIndex = kRateCount - 1;
// NUL bytes end whatever garbage line a camera receiver assembled at a foreign rate.
constexpr int kWakeUpByteCount = 14;
// The camera's own code for 115200 bit/s in "CBDRT" (1, 2, 4, 8, 16 stand for 9600 ... 115200).
constexpr int32_t kCameraRateCode115200 = 16;
constexpr std::chrono::milliseconds kRateChangeTimeout(5000);

}  // namespace

RateNegotiation::RateNegotiation(ILineControl& line, protocol::Command& engine, std::function<int()> probe,
                                 std::function<void(int)> selectBaud)
    : line_(line), engine_(engine), probe_(std::move(probe)), selectBaud_(std::move(selectBaud)) {}

bool RateNegotiation::SwitchRate(int index) {
    // A Camera Link library that cannot run at a rate would only refuse it with a message.
    if (!line_.LinkSupportsRate(kRates[index])) return false;
    line_.OpenBaud(kRates[index]);
    selectBaud_(index);
    return true;
}

void RateNegotiation::FlushLine() {
    for (int index = kFastestBaudIndex; index >= 0; --index)
        if (SwitchRate(index)) line_.SendWakeUpBytes(kWakeUpByteCount);
}

int RateNegotiation::SearchRate() {
    for (int index = kFastestBaudIndex; index >= 0; --index)
        if (SwitchRate(index) && probe_() == 1) return 1;
    return 0;
}

int RateNegotiation::RaiseLine() {
    const int before = line_.GetBaudIndex();
    if (before == kFastestBaudIndex) return 1;
    // Sending the camera to a rate the link cannot follow would lose it until it is power-cycled.
    if (!line_.LinkSupportsRate(kRates[kFastestBaudIndex])) return 1;
    if (engine_.SendCommandInt(protocol::cmd::CBDRT, kCameraRateCode115200, kRateChangeTimeout) != 1) return 0;
    line_.OpenBaud(kRates[kFastestBaudIndex]);
    // The camera answered COMPLETE at the old rate; only a reply at the new one proves the switch.
    if (engine_.SendCommandInt(protocol::cmd::CBDRT, kCameraRateCode115200, kRateChangeTimeout) == 1) {
        selectBaud_(kFastestBaudIndex);
        return 1;
    }
    line_.OpenBaud(CCommSetting::BaudIndexToRate(before));
    return 0;
}

}  // namespace vr::link
