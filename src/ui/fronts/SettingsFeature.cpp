#include "ui/fronts/SettingsFeature.h"

#include "camera/CameraSession.h"
#include "camera/LongOperation.h"
#include "camera/MemoryAreas.h"
#include "camera/ModelCommands.h"
#include "camera/ReadAllSettings.h"
#include "camera/Services.h"
#include "platform/FileIo.h"
#include "platform/Platform.h"
#include "platform/Registry.h"
#include "protocol/ControlIds.h"
#include "protocol/ParameterTable.h"
#include "settings/ModelIdentity.h"
#include "ui/main/CtrlToolDlg.h"
#include "ui/main/FeatureRouter.h"

namespace vr::ui {

using settings::CompareSettings;
using settings::ModelIdentity;
using settings::ReadUnreadSettings;
using settings::RefusedLine;
using settings::SettingDifference;
using settings::SettingsFileLine;
using settings::SettingsLoad;
using settings::SettingsVariant;
using settings::UnreadSetting;

namespace {

// More would not fit a message box on the screen; the count says how many there were.
constexpr size_t kRefusedLinesListed = 10;

bool HasExtension(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    return dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
}

// A refused line as the operator can read it: control characters would garble the box.
std::string Printable(std::string text) {
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    return text;
}

}  // namespace

SettingsFeature::SettingsFeature(CCtrlToolDlg& window, SettingsFront front)
    : window_(window), services_(window.Services()), front_(std::move(front)), file_(window.Session(), &window) {}

void SettingsFeature::Register(FeatureRouter& router) {
    router.AddMenuCommand(kMenuOpenSettingsFile, [this] { OpenFile(); });
    router.AddMenuCommand(kMenuSaveAllData, [this] { SaveAllData(); });
    router.AddMenuCommand(kMenuSaveShippingData, [this] { SaveShippingData(); });
    router.AddMenuCommand(kMenuCompareWithFile, [this] { CompareWithFile(); });
    router.AddMenuCommand(kMenuStoreSettings, [this] { StoreSettings(); });
    router.AddMenuCommand(kMenuLoadSettings, [this] { LoadSettings(); });
    router.AddButton(protocol::id::kStoreAll, [this] { StoreAll(); });
    router.AddButton(protocol::id::kCameraReset, [this] { CameraReset(); });
    router.AddButton(protocol::id::kSetModelId, [this] { SetModel(); });
}

std::string SettingsFeature::CameraFileFolder() {
    std::string folder;
    services_.registry.ReadString(platform::kRegCameraFilePath, folder);
    return folder;
}

void SettingsFeature::RememberFolder(const std::string& path) {
    services_.registry.WriteString(platform::kRegCameraFilePath, platform::FolderOf(path));
}

std::string SettingsFeature::AskSavePath() {
    std::string path =
        services_.platform.SaveFileDialog("Save As", CameraFileFolder(), "", {{kFileFilterText, "*.cam"}});
    if (path.empty()) return {};
    if (!HasExtension(path)) path += std::string(".") + kFileExtension;
    if (platform::FileExists(path) &&
        services_.platform.MessageBox(path + "\nThis file already exists." + "\nReplace existing file?",
                                      platform::kAppTitle, platform::MsgIcon::Question,
                                      platform::MsgButtons::YesNo) != platform::MsgResult::Yes)
        return {};
    return path;
}

std::string SettingsFeature::AskOpenPath() {
    return services_.platform.OpenFileDialog("Open", CameraFileFolder(), {{kFileFilterText, "*.cam"}});
}

void SettingsFeature::SaveAs(SettingsVariant variant) {
    const std::string path = AskSavePath();
    if (path.empty()) return;
    int lines = 0;
    const bool written = file_.Write(path, variant, &lines);
    RememberFolder(path);
    if (!written) return;
    window_.View().ShowStatusText(std::string("Saved ") +
                                  (variant == SettingsVariant::AllData ? "All Data" : "Shipping Data") + " (" +
                                  std::to_string(lines) + " settings) to " + path);
    if (fileUsed_) fileUsed_(path);
}

void SettingsFeature::OpenFile() {
    const std::string path = AskOpenPath();
    if (path.empty()) return;
    LoadFile(path);
}

SettingsLoad SettingsFeature::LoadFile(const std::string& path) {
    const SettingsLoad load = file_.Load(path);
    RememberFolder(path);
    if (load.opened && fileUsed_) fileUsed_(path);
    const std::string report = LoadReport(load, path);
    if (report.empty()) return load;
    const platform::MsgIcon icon =
        load.refused.empty() ? platform::MsgIcon::Information : platform::MsgIcon::Exclamation;
    // The pages show the file's values; after refusals they may not be the camera's. A camera that
    // went away has nothing to reload.
    if (load.refused.empty() || load.lost) {
        services_.platform.MessageBox(report, platform::kAppTitle, icon);
        return load;
    }
    if (services_.platform.MessageBox(report + "\n" + kReloadQuestion, platform::kAppTitle, icon,
                                      platform::MsgButtons::YesNo) == platform::MsgResult::Yes) {
        window_.QueryCurrentArea();
        window_.ReadAllSettings();
    }
    return load;
}

std::string SettingsFeature::LoadReport(const SettingsLoad& load, const std::string& path) {
    std::string text;
    const std::string handled =
        std::to_string(load.done) + " of " + std::to_string(load.lines) + " lines were handled.";
    if (load.stopped) text = camera::LongOperation::StoppedText(load.done, load.lines, "lines");
    if (load.lost) text = "The line to the camera went away; " + handled;
    if (load.silent)
        text = "The camera stopped answering (" + std::to_string(camera::kMaxTimeoutsInARow) + " lines in a row); " +
               handled;
    if (load.refused.empty()) return text;
    if (!text.empty()) text += "\n";
    const size_t n = load.refused.size();
    text += "The camera did not take " + std::to_string(n) + (n == 1 ? " line" : " lines") + " of " + path + ":";
    for (size_t i = 0; i < n && i < kRefusedLinesListed; ++i) {
        const RefusedLine& r = load.refused[i];
        text += "\nline " + std::to_string(r.number) + ": " + Printable(r.text);
        if (r.why == RefusedLine::Why::Refused && !r.reply.empty()) text += " (" + r.reply + ")";
        if (r.why == RefusedLine::Why::NoAnswer) text += " (no answer)";
        if (r.why == RefusedLine::Why::NotSendable) text += " (not sent: control character)";
        if (r.why == RefusedLine::Why::TooLarge) text += " (not sent: a number beyond 32 bits)";
    }
    if (n > kRefusedLinesListed) text += "\nand " + std::to_string(n - kRefusedLinesListed) + " more";
    text += "\nThe pages show the file's values.";
    return text;
}

void SettingsFeature::CompareWithFile() {
    const std::string path = AskOpenPath();
    if (path.empty()) return;
    std::vector<SettingsFileLine> lines;
    const bool read = file_.ReadLines(path, lines);
    RememberFolder(path);
    if (!read) return;
    window_.ReadAllSettings();
    // A read that ended early (the operator, a lost line, a silent camera) has nothing complete to
    // compare with; the read has said why.
    if (window_.LastReadEnded()) return;
    const std::vector<UnreadSetting> unread = ReadUnreadSettings(services_, lines, file_.Reader(), window_.LastRead(),
                                                                 services_.model.kind, window_.FactoryMode());
    const std::vector<SettingDifference> differences = CompareSettings(
        lines, file_.Reader(), services_.table, window_.LastRead(), unread, services_.model, window_.FactoryMode());
    if (differences.empty()) {
        services_.platform.MessageBox("The camera holds every setting of " + path + " as the file has it.",
                                      platform::kAppTitle, platform::MsgIcon::Information);
        return;
    }
    if (front_.showDifferences && front_.showDifferences(path, differences)) LoadFile(path);
}

void SettingsFeature::StoreSettings() {
    if (!front_.chooseArea) return;
    const std::optional<int> area = front_.chooseArea(AreaDialogMode::Store, window_.FactoryMode());
    if (!area) return;
    if (window_.Session().StoreArea(*area) == 1)
        window_.View().ShowStatusText("The camera stored its settings in " + camera::MemoryAreas::AreaName(*area));
}

void SettingsFeature::LoadSettings() {
    if (!front_.chooseArea) return;
    const std::optional<int> area = front_.chooseArea(AreaDialogMode::Load, window_.FactoryMode());
    // The dialog always has an area selected; "LD" with anything else would only be refused.
    if (!area || !camera::MemoryAreas::IsArea(*area)) return;
    if (window_.Session().LoadArea(*area) == 1) window_.ReadAllSettings();
}

void SettingsFeature::StoreAll() {
    if (window_.Session().StoreAllAreas() == 1)
        window_.View().ShowStatusText("The camera stored its settings in every area");
}

void SettingsFeature::CameraReset() {
    // The camera restarts whether or not its answer arrived: the tool ends without asking.
    window_.Session().ResetCamera();
    window_.SetCloseWithoutConfirm(true);
    window_.OnClose();
}

void SettingsFeature::SetModel() {
    ModelIdentity(window_.Session()).WriteModel(window_.Controls().Selection(protocol::id::kModelDisplay));
}

}  // namespace vr::ui
