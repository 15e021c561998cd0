#include "sim/StoredSettings.h"

#include "protocol/CommandIds.h"
#include "protocol/ParameterTable.h"

namespace vr::sim {

namespace id = protocol::cmd;
namespace {

std::vector<uint32_t> Collect(protocol::ParamArea area) {
    std::vector<uint32_t> ids;
    const protocol::ParameterDef* defs = protocol::ParameterDefs();
    for (size_t row = 0; row < protocol::kParameterRowCount; ++row) {
        const auto& d = defs[row];
        if (d.area != area || d.controlKind == protocol::ControlKind::Button || d.cmdId == id::Unnamed) continue;
        if (d.cmdId == id::CBDRT || d.cmdId == id::BAS00) continue;
        if (d.cmdId >= id::LUTIG && d.cmdId <= id::LUTB) continue;
        ids.push_back(d.cmdId);
    }
    return ids;
}

}  // namespace

const std::vector<uint32_t>& StoredUserIds() {
    static const std::vector<uint32_t> ids = Collect(protocol::ParamArea::User);
    return ids;
}

const std::vector<uint32_t>& StoredFactoryIds() {
    static const std::vector<uint32_t> ids = Collect(protocol::ParamArea::Factory);
    return ids;
}

}  // namespace vr::sim
