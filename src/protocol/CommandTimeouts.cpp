#include "protocol/CommandTimeouts.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "protocol/CommandIds.h"

namespace vr::protocol {
namespace {

using std::chrono::milliseconds;

// The time-outs the tool's own handlers use for these commands.
constexpr std::pair<uint32_t, milliseconds> kSetTimeouts[] = {
    {cmd::AWB, milliseconds(40000)},    {cmd::AGC, milliseconds(40000)},   {cmd::RS, milliseconds(420000)},
    {cmd::PGR, milliseconds(420000)},   {cmd::PBR, milliseconds(420000)},  {cmd::PGR00, milliseconds(200000)},
    {cmd::PBR00, milliseconds(200000)}, {cmd::SA, milliseconds(10000)},    {cmd::SA00, milliseconds(10000)},
    {cmd::LD, milliseconds(10000)},     {cmd::CRS00, milliseconds(1000)},  {cmd::MD00, milliseconds(10000)},
    {cmd::ID00, milliseconds(10000)},   {cmd::DV00, milliseconds(10000)},  {cmd::XMLVR, milliseconds(10000)},
    {cmd::BA, milliseconds(20000)},     {cmd::CLCFG, milliseconds(20000)}, {cmd::LROP, milliseconds(20000)},
    {cmd::STP, milliseconds(20000)},
};

constexpr uint32_t kOnePushStarts[] = {cmd::AS, cmd::RS, cmd::PGR, cmd::PBR, cmd::PGR00, cmd::PBR00};

}  // namespace

milliseconds SetTimeout(uint32_t cmdId) {
    for (const auto& [id, timeout] : kSetTimeouts)
        if (id == cmdId) return timeout;
    return kOrdinaryTimeout;
}

bool StartsOnePush(uint32_t cmdId) {
    return std::find(std::begin(kOnePushStarts), std::end(kOnePushStarts), cmdId) != std::end(kOnePushStarts);
}

}  // namespace vr::protocol
