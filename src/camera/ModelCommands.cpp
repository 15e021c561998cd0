#include "camera/ModelCommands.h"

#include <set>

#include "protocol/CommandTable.h"

namespace vr::camera {
namespace {

struct CommandRange {
    const char* first;
    const char* last;  // the same as first for a single command
};

// The commands each model lacks. A range runs over consecutive command ids.
constexpr CommandRange kMissingOnKB[] = {
    {"EI", "EI"},       {"ETM", "ETM"},     {"PER", "PER"},    {"PEG", "PEG"},  {"PEB", "PEB"},
    {"SCB", "SCB"},     {"SGG", "SGG"},     {"SGR", "SGR"},    {"SGB", "SGB"},  {"STP", "STP"},
    {"SPISR", "SPISR"}, {"SPISB", "SPISB"}, {"GAORA", "OBBB"}, {"SCBN", "NRL"},
};
constexpr CommandRange kMissingOnKA[] = {
    {"LROP", "LROP"}, {"EAS", "EAS"},     {"SGA", "SGA"},  {"ODM", "ODM"},
    {"ODS", "ODS"},   {"SPCM", "SPCD16"}, {"GAOR", "OBB"},
};

template <size_t N>
std::set<uint32_t> Expand(const CommandRange (&ranges)[N]) {
    std::set<uint32_t> ids;
    for (const CommandRange& r : ranges) {
        const int32_t first = protocol::FindCommand(r.first);
        const int32_t last = protocol::FindCommand(r.last);
        for (int32_t id = first; first >= 0 && id <= last; ++id) ids.insert(static_cast<uint32_t>(id));
    }
    return ids;
}

}  // namespace

bool IsCommandOnModel(uint32_t cmdId, uint32_t modelKind) {
    static const std::set<uint32_t> missingOnKB = Expand(kMissingOnKB);
    static const std::set<uint32_t> missingOnKA = Expand(kMissingOnKA);
    if (modelKind == kModelKB) return missingOnKB.count(cmdId) == 0;
    if (modelKind == kModelKA) return missingOnKA.count(cmdId) == 0;
    return true;
}

}  // namespace vr::camera
