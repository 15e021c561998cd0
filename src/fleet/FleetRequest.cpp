#include "fleet/FleetRequest.h"

#include <algorithm>
#include <array>
#include <utility>

namespace vr::fleet {
namespace {

constexpr std::array<std::pair<Operation, const char*>, 7> kNames = {{{Operation::Connect, "connect"},
                                                                      {Operation::Info, "info"},
                                                                      {Operation::Dump, "dump"},
                                                                      {Operation::Check, "check"},
                                                                      {Operation::Apply, "apply"},
                                                                      {Operation::Snapshot, "snapshot"},
                                                                      {Operation::Overview, "overview"}}};

}  // namespace

const char* OperationName(Operation operation) {
    const auto* found =
        std::find_if(kNames.begin(), kNames.end(), [&](const auto& entry) { return entry.first == operation; });
    return found == kNames.end() ? "" : found->second;
}

bool OperationNamed(const std::string& name, Operation& operation) {
    const auto* found = std::find_if(kNames.begin(), kNames.end(), [&](const auto& entry) {
        return entry.second == name && entry.first != Operation::Overview;
    });
    if (found == kNames.end()) return false;
    operation = found->first;
    return true;
}

}  // namespace vr::fleet
