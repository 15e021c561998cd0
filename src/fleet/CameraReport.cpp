#include "fleet/CameraReport.h"

#include <algorithm>

namespace vr::fleet {

int WorstStatus(const std::vector<CameraReport>& reports) {
    int worst = kDone;
    for (const auto& r : reports) worst = std::max(worst, r.status);
    return worst;
}

}  // namespace vr::fleet
