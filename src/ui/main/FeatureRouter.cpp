#include "ui/main/FeatureRouter.h"

#include <algorithm>
#include <iterator>

#include "ui/main/ControlIds.h"

namespace vr::ui {
namespace {

constexpr uint32_t kFeatureButtons[] = {
    id::kOpenLutTable,
    id::kCameraReset,
    id::kSetModelId,
    id::kStoreAll,
    id::kRecalibrateShading,
    id::kRecalibratePixelGain,
    id::kRecalibratePixelBlack,
    id::kAutoSetting,
    id::kFactoryPixelGain,
    id::kFactoryPixelBlack,
    id::kWriteXmlVersion,
    id::kReadXmlVersion,
    id::kShadingToFile,
    id::kShadingFromFile,
    id::kShadingToFlash,
};
constexpr uint32_t kFeatureSelections[] = {id::kWhiteBalance, id::kGainAuto};

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
