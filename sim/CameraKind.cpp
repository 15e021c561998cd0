#include "sim/CameraKind.h"

#include <algorithm>
#include <iterator>

#include "protocol/CommandTable.h"

namespace vr::sim {
namespace {

// Commands the VR-8200-KB lacks: the individual exposures and analog gains, the sensor select, the
// sub-pixel shift and the KA's factory gain, black, cable and chromatic aberration adjustments.
constexpr const char* kMissingOnKB[] = {"EI",  "ETM", "PER", "PEG", "PEB",   "SCB",
                                        "SGG", "SGR", "SGB", "STP", "SPISR", "SPISB"};
constexpr uint32_t kMissingRangesOnKB[][2] = {{404, 421}, {428, 434}};  // "GAORA".."OBBB", "SCBN".."NRL"

// Commands the VR-8200-KA lacks: the line rate option, the exposure active source, the common analog
// gain, the object direction, the spatial compensation and the KB's factory gain and black.
constexpr const char* kMissingOnKA[] = {"LROP", "EAS", "SGA", "ODM", "ODS"};
constexpr uint32_t kMissingRangesOnKA[][2] = {{323, 327}, {395, 403}};  // "SPCM".."SPCD16", "GAOR".."OBB"

template <size_t N, size_t M>
bool Listed(uint32_t cmdId, const char* const (&names)[N], const uint32_t (&ranges)[M][2]) {
    const std::string name = protocol::GetCommandName(cmdId);
    if (std::any_of(std::begin(names), std::end(names), [&](const char* n) { return name == n; })) return true;
    for (const auto& r : ranges)
        if (cmdId >= r[0] && cmdId <= r[1]) return true;
    return false;
}

}  // namespace

const char* ModelName(CameraKind kind) {
    return kind == CameraKind::KA ? kModelNameKA : kModelNameKB;
}

std::optional<CameraKind> KindFromName(const std::string& name) {
    if (name == kModelNameKA) return CameraKind::KA;
    if (name == kModelNameKB) return CameraKind::KB;
    return std::nullopt;
}

std::optional<CameraKind> KindFromOption(const std::string& option) {
    if (option == "KA") return CameraKind::KA;
    if (option == "KB") return CameraKind::KB;
    return std::nullopt;
}

bool IsCommandOnModel(uint32_t cmdId, CameraKind kind) {
    if (cmdId >= protocol::kCommandCount) return false;
    return kind == CameraKind::KA ? !Listed(cmdId, kMissingOnKA, kMissingRangesOnKA)
                                  : !Listed(cmdId, kMissingOnKB, kMissingRangesOnKB);
}

}  // namespace vr::sim
