#include "settings/MemoryAreas.h"

#include "app/Services.h"
#include "protocol/Command.h"
#include "protocol/CommandTable.h"

namespace vr::settings {

int MemoryAreas::QueryArea(int32_t& area) {
    int32_t answer = 0;
    if (services_.engine.QueryInt(protocol::cmd::EA, answer, kQueryTimeout) != 1) return 0;
    area = answer;
    return 1;
}

int MemoryAreas::Store(int area, std::chrono::milliseconds timeout) {
    if (!IsArea(area)) return 0;
    if (area == kFactoryArea) return services_.engine.SendCommandInt(protocol::cmd::SA00, 0, timeout);
    return services_.engine.SendCommandInt(protocol::cmd::SA, area, timeout);
}

int MemoryAreas::Load(int area) {
    if (!IsArea(area)) return 0;
    return services_.engine.SendCommandInt(protocol::cmd::LD, area, kLoadTimeout);
}

}  // namespace vr::settings
