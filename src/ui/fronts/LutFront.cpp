#include "ui/fronts/LutFront.h"

#include <utility>

#include "lut/TableFiles.h"
#include "protocol/ControlIds.h"
#include "ui/main/FeatureRouter.h"

namespace vr::ui {

void RegisterLutEditors(FeatureRouter& router, std::function<void()> open) {
    router.AddButton(protocol::id::kOpenLutTable, std::move(open));
}

void RegisterTableFiles(FeatureRouter& router, lut::TableFiles& files) {
    using lut::TableFiles;
    router.AddMenuCommand(TableFiles::kOpenLutFileMenu, [&files] { files.OpenLutFile(); });
    router.AddMenuCommand(TableFiles::kSaveLutFileMenu, [&files] { files.SaveLutFile(); });
    router.AddMenuCommand(TableFiles::kLoadAllLutMenu, [&files] { files.LoadAllLutTables(); });
    router.AddButton(protocol::id::kShadingToFile, [&files] { files.ShadingToFile(); });
    router.AddButton(protocol::id::kShadingFromFile, [&files] { files.ShadingFromFile(); });
    router.AddButton(protocol::id::kShadingToFlash, [&files] { files.ShadingToFlash(); });
}

}  // namespace vr::ui
