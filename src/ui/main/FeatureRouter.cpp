#include "ui/main/FeatureRouter.h"

#include <algorithm>
#include <iterator>

#include "protocol/ControlIds.h"

namespace vr::ui {
namespace {

constexpr uint32_t kFeatureButtons[] = {
    protocol::id::kOpenLutTable,
    protocol::id::kCameraReset,
    protocol::id::kSetModelId,
    protocol::id::kStoreAll,
    protocol::id::kRecalibrateShading,
    protocol::id::kRecalibratePixelGain,
    protocol::id::kRecalibratePixelBlack,
    protocol::id::kAutoSetting,
    protocol::id::kFactoryPixelGain,
    protocol::id::kFactoryPixelBlack,
    protocol::id::kWriteXmlVersion,
    protocol::id::kReadXmlVersion,
    protocol::id::kShadingToFile,
    protocol::id::kShadingFromFile,
    protocol::id::kShadingToFlash,
};
constexpr uint32_t kFeatureSelections[] = {protocol::id::kWhiteBalance, protocol::id::kGainAuto};

template <typename Map, typename... Args>
bool Run(const Map& handlers, uint32_t id, Args... args) {
    const auto it = handlers.find(id);
    if (it == handlers.end() || !it->second) return false;
    // A copy: the handler may register or replace handlers while it runs.
    const auto handler = it->second;
    handler(args...);
    return true;
}

}  // namespace

bool FeatureRouter::RunMenuCommand(uint32_t menuId) const {
    return Run(menus_, menuId);
}

bool FeatureRouter::RunButton(uint32_t ctrlId) const {
    return Run(buttons_, ctrlId);
}

bool FeatureRouter::RunSelection(uint32_t comboId, int index) const {
    return Run(selections_, comboId, index);
}

bool FeatureRouter::IsFeatureButton(uint32_t ctrlId) {
    return std::find(std::begin(kFeatureButtons), std::end(kFeatureButtons), ctrlId) != std::end(kFeatureButtons);
}

bool FeatureRouter::IsFeatureSelection(uint32_t comboId) {
    return std::find(std::begin(kFeatureSelections), std::end(kFeatureSelections), comboId) !=
           std::end(kFeatureSelections);
}

}  // namespace vr::ui
