#include "protocol/FactoryCommands.h"

#include <algorithm>
#include <cctype>
#include <iterator>

#include "protocol/CommandIds.h"
#include "protocol/CommandTable.h"
#include "protocol/ParameterTable.h"

namespace vr::protocol {
namespace {

constexpr uint32_t kProductionWrites[] = {cmd::ULCK, cmd::ID00,  cmd::MD00,  cmd::DV00,  cmd::XMLVR,
                                          cmd::SA00, cmd::CRS00, cmd::SDR00, cmd::PGR00, cmd::PBR00};

}  // namespace

bool IsFactoryCommand(uint32_t cmdId) {
    if (std::find(std::begin(kProductionWrites), std::end(kProductionWrites), cmdId) != std::end(kProductionWrites))
        return true;
    const ParameterDef* defs = ParameterDefs();
    for (size_t i = 0; i < kParameterRowCount; ++i)
        if (defs[i].cmdId == cmdId && defs[i].area == ParamArea::Factory) return true;
    return false;
}

int32_t CommandSetByLine(const std::string& line) {
    const size_t eq = line.find('=');
    if (eq == std::string::npos) return -1;
    std::string name;
    for (char c : line.substr(0, eq))
        if (c != ' ') name += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name.empty() ? -1 : FindCommand(name);
}

}  // namespace vr::protocol
