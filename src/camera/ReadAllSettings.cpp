#include "camera/ReadAllSettings.h"

#include <algorithm>
#include <chrono>
#include <iterator>

#include "camera/LongOperation.h"
#include "camera/ModelCommands.h"
#include "camera/Services.h"
#include "protocol/Command.h"
#include "protocol/ParameterTable.h"

namespace vr::camera {
namespace {

// Action commands and values the tool derives itself; querying them would start or select something.
constexpr uint32_t kNeverRead[] = {
    1669, 1671, 1667, 1121, 1193, 1183,                    // AGCFV, AGCFV8, AS, RS, PGR, PBR
    1160, 1421, 1425, 1162, 1423, 1427,                    // LUT point index and value
    1560, 1695, 1696, 1699, 1700, 1701, 1702, 1703, 1704,  // chromatic aberration mode and editors
    1698, 1126, 1197, 1198,                                // CACS, SA00, PGR00, PBR00
};

}  // namespace

bool IsOnReadList(uint32_t ctrlId) {
    return std::find(std::begin(kNeverRead), std::end(kNeverRead), ctrlId) == std::end(kNeverRead);
}

bool ShouldReadRow(size_t rowIndex, uint32_t modelKind, bool factoryMode) {
    if (modelKind != kModelKB && modelKind != kModelKA) return false;
    const protocol::ParameterDef& def = protocol::ParameterDefs()[rowIndex];
    if (!IsOnReadList(def.ctrlId)) return false;
    if (def.area == protocol::ParamArea::Factory && !factoryMode) return false;
    if (def.controlKind == protocol::ControlKind::Button) return false;
    return IsCommandOnModel(def.cmdId, modelKind);
}

std::vector<size_t> RowsToRead(uint32_t modelKind, bool factoryMode) {
    std::vector<size_t> rows;
    for (size_t i = 0; i < protocol::ParameterTable::Size(); ++i)
        if (ShouldReadRow(i, modelKind, factoryMode)) rows.push_back(i);
    return rows;
}

RowsRead ReadParameterRows(camera::Services& services, uint32_t modelKind, bool factoryMode,
                           std::chrono::milliseconds queryTimeout) {
    protocol::ParameterTable& table = services.table;
    const int32_t total = factoryMode ? table.CountValueParams() : table.CountUserParams();
    const std::vector<size_t> rows = RowsToRead(modelKind, factoryMode);
    RowsRead read;
    read.planned = rows.size();
    camera::LongOperation operation(services, kReadingSettingsText);
    int32_t sum = 0;
    int timeoutsInARow = 0;
    for (size_t row : rows) {
        if (!operation.Continue()) {
            read.stopped = true;
            break;
        }
        const protocol::ParameterDef& def = *table.Row(row).def;
        int32_t value = 0;
        const bool answered = services.engine.QueryInt(def.cmdId, value, queryTimeout) == 1;
        if (answered) table.SetDataValue(def.ctrlId, value);
        read.rows.push_back({row, answered});
        sum += 100;
        operation.SetPercent(sum / total);
        const protocol::FailureKind failure =
            answered ? protocol::FailureKind::None : services.engine.LastFailure().kind;
        if (failure == protocol::FailureKind::LinkLost) {
            read.lost = true;
            break;
        }
        timeoutsInARow = failure == protocol::FailureKind::TimedOut ? timeoutsInARow + 1 : 0;
        if (timeoutsInARow >= kMaxTimeoutsInARow) {
            read.silent = true;
            break;
        }
    }
    operation.Finish();
    return read;
}

}  // namespace vr::camera
