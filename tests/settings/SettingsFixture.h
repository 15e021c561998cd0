#pragma once
// The main window's logic with the settings feature, on a virtual camera over a pseudo-terminal.

#include <filesystem>
#include <fstream>
#include <optional>

#include "../lut_files/CameraOnPty.h"
#include "settings/SettingsFeature.h"

namespace vr::test {

// The hand-derived expected files beside this header.
inline std::string ExpectedFile(const std::string& name) {
    std::ifstream in(std::filesystem::path(__FILE__).parent_path() / "expected" / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class SettingsFixture : public CameraOnPty {
protected:
    // A camera of the model and the window's logic on it at 9600 bit/s; with `connect` the start-up
    // without the read has run.
    void Start(const std::string& model, sim::SimOptions options = {}, uint32_t controlMode = 0, bool connect = true) {
        areaAsked.clear();
        shownDifferences.clear();
        options.model = model;
        StartWindow(options, controlMode);
        settings::SettingsFront front;
        front.chooseArea = [this](ui::AreaDialogMode mode, bool factoryMode) {
            areaAsked.push_back({mode, factoryMode});
            return areaAnswer;
        };
        front.showDifferences = [this](const std::string&, const std::vector<settings::SettingDifference>& d) {
            shownDifferences = d;
            return loadAfterCompare;
        };
        feature = std::make_unique<settings::SettingsFeature>(services->Get(), *dlg, std::move(front));
        feature->Register(dlg->Router());
        if (connect) Connect();
    }
    void Shutdown() override {
        feature.reset();
        CameraOnPty::Shutdown();
    }

    Strings Texts() const { return services->platform.Texts(); }
    std::string Path(const std::string& name) const { return services->dir / name; }
    std::string Read(const std::string& name) const { return services->dir.ReadFile(name); }

    std::unique_ptr<settings::SettingsFeature> feature;
    std::optional<int> areaAnswer;
    std::vector<std::pair<ui::AreaDialogMode, bool>> areaAsked;  // mode, factory mode
    std::vector<settings::SettingDifference> shownDifferences;
    bool loadAfterCompare = false;
};

}  // namespace vr::test
