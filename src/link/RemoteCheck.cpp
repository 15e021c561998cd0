#include "link/RemoteCheck.h"

#include <algorithm>
#include <chrono>

#include "link/CommSetting.h"
#include "link/NetworkLinkDriver.h"

namespace vr::link {
namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

constexpr std::chrono::milliseconds kReplyTimeout(500);

// One "MD?" exchange: the reply line, empty when none came in time.
std::string AskModel(NetworkLinkDriver& driver) {
    driver.Write("MD?\r\n");
    std::string line;
    const auto end = Clock::now() + kReplyTimeout;
    char c = 0;
    while (Clock::now() < end && !driver.Lost()) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(end - Clock::now());
        if (driver.Read(&c, 1, left) != 1) break;
        if (c == '\n') return line;
        if (c != '\r') line.push_back(c);
    }
    return {};
}

}  // namespace

double RemoteCheck::WorstConfirmMs() const {
    return confirmMs.empty() ? 0 : *std::max_element(confirmMs.begin(), confirmMs.end());
}

double RemoteCheck::ExtraReplyMs() const {
    if (replyMs.empty()) return 0;
    // The median: one exchange that met a busy machine says nothing about the server.
    std::vector<double> sorted = replyMs;
    std::sort(sorted.begin(), sorted.end());
    return std::max(0.0, sorted[sorted.size() / 2] - wireMs);
}

RemoteCheck CheckRemote(platform::IPlatform& platform, const std::string& address, int rounds) {
    RemoteCheck check;
    check.address = address;
    NetworkLinkDriver driver(platform);
    driver.SetAddress(address);
    check.rfc2217 = driver.Rfc2217();
    if (driver.Open(0, kRates[0]) != 1) {
        check.problem = driver.LastError();
        return check;
    }
    check.reached = true;
    check.signature = driver.Signature();
    if (check.rfc2217) {
        for (int i = 0; i < rounds; ++i) {
            const auto start = Clock::now();
            if (!driver.Reconfirm()) {
                check.problem = driver.LastError();
                return check;
            }
            check.confirmMs.push_back(MsSince(start));
        }
    }
    for (int index = kRateCount - 1; index >= 0 && check.cameraRate == 0; --index) {
        if (!driver.SupportsRate(kRates[index]) || driver.ChangeRate(kRates[index]) != 1) continue;
        driver.Purge();
        // NUL bytes end whatever the camera's receiver assembled at another rate.
        driver.Write(std::string(14, '\0'));
        const std::string reply = AskModel(driver);
        if (reply.rfind("MD=", 0) != 0) continue;
        check.cameraRate = kRates[index];
        check.cameraModel = reply.substr(3);
    }
    if (check.cameraRate == 0) return check;
    // "MD?" CR LF out, the model line and CR LF back, ten bits a byte.
    const double bytes = 5.0 + 3.0 + static_cast<double>(check.cameraModel.size()) + 2.0;
    check.wireMs = bytes * 10.0 * 1000.0 / check.cameraRate;
    for (int i = 0; i < rounds; ++i) {
        const auto start = Clock::now();
        if (AskModel(driver).empty()) break;
        check.replyMs.push_back(MsSince(start));
    }
    return check;
}

}  // namespace vr::link
