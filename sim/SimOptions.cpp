#include "sim/SimOptions.h"

#include <cctype>

#include "protocol/CommandTable.h"

namespace vr::sim {
namespace {

constexpr struct {
    uint32_t rate;
    int32_t code;
} kRateCodes[] = {{9600, 1}, {19200, 2}, {38400, 4}, {57600, 8}, {115200, 16}};

bool Fail(std::string* error, const std::string& text) {
    if (error != nullptr) *error = text;
    return false;
}

}  // namespace

int32_t RateToCode(uint32_t rate) {
    for (const auto& rc : kRateCodes)
        if (rc.rate == rate) return rc.code;
    return 0;
}

uint32_t CodeToRate(int32_t code) {
    for (const auto& rc : kRateCodes)
        if (rc.code == code) return rc.rate;
    return 0;
}

bool ValidateOptions(const SimOptions& o, std::string* error) {
    if (o.model != "KA" && o.model != "KB") return Fail(error, "model must be KA or KB, not \"" + o.model + "\"");
    if (RateToCode(o.startRate) == 0)
        return Fail(error,
                    "start rate must be 9600, 19200, 38400, 57600 or 115200, not " + std::to_string(o.startRate));
    if (o.noisePerMille < 0 || o.noisePerMille > 1000) return Fail(error, "noise must lie in 0..1000 per mille");
    if (o.slowMs < 0 || o.hangupAfter < 0 || o.failQuery < 0 || o.silentAfter < 0)
        return Fail(error, "slow, hang-up, failed-query and silence counts cannot be negative");
    for (int ms : {o.awbMs, o.agcMs, o.shadingMs, o.recalibrateMs, o.resetMs, o.areaMs})
        if (ms < 0) return Fail(error, "delays cannot be negative");
    if (o.busyStatusReads < 0) return Fail(error, "busy status reads cannot be negative");
    if (!o.hangAtCommand.empty() && protocol::FindCommand(o.hangAtCommand) < 0)
        return Fail(error, "cannot hang at \"" + o.hangAtCommand + "\": no such command");
    if (o.hangAtCount < 1) return Fail(error, "the line to hang at is counted from 1");
    if (o.lateReplyLine < 0 || o.lateReplyMs < 0)
        return Fail(error, "the late reply's line and delay cannot be negative");
    for (const auto& [name, ms] : o.delayReplyMs) {
        if (name.empty() || protocol::FindCommand(name) < 0)
            return Fail(error, "cannot delay the answers to \"" + name + "\": no such command");
        if (ms < 0) return Fail(error, "delays cannot be negative");
    }
    for (const auto* names : {&o.refuse, &o.refuseQuery}) {
        for (const auto& name : *names) {
            std::string upper = name;
            for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            upper = upper.substr(0, upper.find('='));
            if (upper.empty() || protocol::FindCommand(upper) < 0)
                return Fail(error, "cannot refuse \"" + name + "\": no such command");
        }
    }
    return true;
}

}  // namespace vr::sim
