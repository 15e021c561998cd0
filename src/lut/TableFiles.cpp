#include "lut/TableFiles.h"

#include "camera/CameraSession.h"
#include "camera/Services.h"
#include "lut/GammaFile.h"
#include "lut/ShadingFile.h"
#include "lut/ShadingTransfer.h"
#include "platform/FileIo.h"
#include "protocol/ControlIds.h"
#include "protocol/OnlineStatus.h"

namespace vr::lut {
namespace {

constexpr const char* kCouldNotOpen = "\nCouldn't open this file";
// Far beyond any table file; a larger file is not one.
constexpr size_t kMaxFileBytes = 16u << 20;

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The busy cursor for the life of the object.
class WaitCursor {
public:
    explicit WaitCursor(platform::IPlatform& platform) : platform_(platform) { platform_.BeginWaitCursor(); }
    ~WaitCursor() { platform_.EndWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    platform::IPlatform& platform_;
};

}  // namespace

TableFiles::TableFiles(camera::CameraSession& session, ILutTables& tables, TableFilesWindow window,
                       const TransferTimeouts& timeouts)
    : session_(session),
      services_(session.Services()),
      tables_(tables),
      window_(std::move(window)),
      timeouts_(timeouts),
      shading_(std::make_unique<ShadingBuffer>()) {}

TableFiles::~TableFiles() = default;

// ---- the menu commands and buttons ------------------------------------------------------------

void TableFiles::OpenLutFile() {
    const std::string path = AskOpen(kOpenLutFilter);
    if (!path.empty()) ReadGammaFile(path);
}

void TableFiles::SaveLutFile() {
    // The file gets what the camera holds now; without it there is nothing to save.
    if (ReadLutTables() != TableFileOutcome::Done) return;
    const std::string path = AskSave(kSaveLutFilter);
    if (path.empty() || ConfirmReplace(path) != TableFileOutcome::Done) return;
    if (WriteGammaFile(path) == TableFileOutcome::Done)
        ShowStatusText("Saved the red, green and blue LUT tables to " + FullPath(path));
}

void TableFiles::LoadAllLutTables() {
    WaitCursor cursor(services_.platform);
    // One bracket around the three reads, so the windows stay greyed between them.
    protocol::ScopedDialogsDisabled greyed(services_.dialogs);
    ReadLutTables();
}

void TableFiles::ShadingToFile() {
    if (CheckShadingMode() != TableFileOutcome::Done) return;
    const TableFileOutcome read = ReadShading();
    if (window_.activate) window_.activate();
    // A read that did not get everything would put stale entries into the file as if they were read.
    if (read != TableFileOutcome::Done) return;
    const std::string path = AskSave(kShadingFilter);
    if (path.empty() || ConfirmReplace(path) != TableFileOutcome::Done) return;
    if (WriteShadingFile(path) == TableFileOutcome::Done)
        ShowStatusText("Saved the camera's shading data to " + FullPath(path));
}

void TableFiles::ShadingFromFile() {
    if (CheckShadingMode() != TableFileOutcome::Done) return;
    const std::string path = AskOpen(kShadingFilter);
    if (path.empty() || ReadShadingFile(path) != TableFileOutcome::Done) return;
    if (ConfirmShortFile(lastFileEntries_, kShadingEntries, true) != TableFileOutcome::Done) return;
    WriteShading();
}

void TableFiles::ShadingToFlash() {
    if (StoreShading() == TableFileOutcome::Done)
        ShowStatusText("The camera stored its shading data in its flash memory");
}

void TableFiles::ShowStatusText(const std::string& text) const {
    if (window_.showStatusText) window_.showStatusText(text);
}

// ---- gamma files and LUT tables ---------------------------------------------------------------

TableFileOutcome TableFiles::ReadGammaFile(const std::string& path) {
    std::string text;
    if (!LoadText(path, text)) return CouldNotOpen(path, lastFileError_);
    const CsvReadResult read = ReadGammaText(text, tables_);
    lastFileEntries_ = read.entries;
    lastFileRead_ = path;
    for (const std::string& message : read.messages)
        services_.platform.MessageBox(message, platform::kAppTitle, platform::MsgIcon::Error);
    return read.ok ? TableFileOutcome::Done : TableFileOutcome::FileFailed;
}

TableFileOutcome TableFiles::WriteGammaFile(const std::string& path) {
    if (!lut::WriteGammaFile(path, tables_.Table(LutColour::Red), tables_.Table(LutColour::Green),
                             tables_.Table(LutColour::Blue), lastFileError_))
        return CouldNotOpen(path, lastFileError_);
    return TableFileOutcome::Done;
}

TableFileOutcome TableFiles::ReadLutTables() {
    return AfterTransfer(ReadAllLuts(services_, tables_, timeouts_), camera::FileOperation::TablesRead, {});
}

TableFileOutcome TableFiles::WriteLutTables() {
    WaitCursor cursor(services_.platform);
    return AfterTransfer(WriteAllLuts(services_, tables_, timeouts_), camera::FileOperation::TablesWritten,
                         lastFileRead_);
}

// ---- shading --------------------------------------------------------------------------------------

TableFileOutcome TableFiles::CheckShadingMode() {
    int32_t mode = 0;
    // No answer: the engine and the status strip have told the operator already.
    if (!QueryShadingMode(services_, mode, timeouts_)) return TableFileOutcome::CameraFailed;
    if (mode == 0) return Tell(kShadingModeOff, platform::MsgIcon::Error, TableFileOutcome::CameraFailed);
    return TableFileOutcome::Done;
}

TableFileOutcome TableFiles::ReadShading() {
    WaitCursor cursor(services_.platform);
    return AfterTransfer(ReadShadingFromCamera(services_, *shading_, timeouts_), camera::FileOperation::TablesRead, {});
}

TableFileOutcome TableFiles::WriteShading() {
    WaitCursor cursor(services_.platform);
    return AfterTransfer(WriteShadingToCamera(services_, *shading_, timeouts_), camera::FileOperation::TablesWritten,
                         lastFileRead_);
}

TableFileOutcome TableFiles::ReadShadingFile(const std::string& path) {
    std::string text;
    if (!LoadText(path, text)) return CouldNotOpen(path, lastFileError_);
    const CsvReadResult read = ReadShadingText(text, *shading_);
    lastFileEntries_ = read.entries;
    lastFileRead_ = path;
    for (const std::string& message : read.messages)
        services_.platform.MessageBox(message, platform::kAppTitle, platform::MsgIcon::Error);
    return read.ok ? TableFileOutcome::Done : TableFileOutcome::FileFailed;
}

TableFileOutcome TableFiles::WriteShadingFile(const std::string& path) {
    if (!lut::WriteShadingFile(path, *shading_, lastFileError_)) return CouldNotOpen(path, lastFileError_);
    return TableFileOutcome::Done;
}

TableFileOutcome TableFiles::StoreShading() {
    return StoreShadingInFlash(services_, timeouts_) == 1 ? TableFileOutcome::Done : TableFileOutcome::CameraFailed;
}

// ---- questions and messages -----------------------------------------------------------------------

TableFileOutcome TableFiles::ConfirmReplace(const std::string& path) {
    std::string target, reason;
    if (platform::CheckWriteTarget(path, target, reason) != platform::WriteResult::Written)
        return CouldNotOpen(path, reason);
    if (!platform::FileExists(path)) return TableFileOutcome::Done;
    const std::string text = FullPath(path) + "\nThis file already exists." + "\nReplace existing file?";
    const platform::MsgResult answer = services_.platform.MessageBox(
        text, platform::kAppTitle, platform::MsgIcon::Question, platform::MsgButtons::YesNo);
    return answer == platform::MsgResult::Yes ? TableFileOutcome::Done : TableFileOutcome::Declined;
}

TableFileOutcome TableFiles::ConfirmShortFile(int entries, int total, bool shading) {
    if (entries >= total) return TableFileOutcome::Done;
    const std::string text = "The file holds " + std::to_string(entries) + " of " + std::to_string(total) +
                             " entries; the others will be written as 0" +
                             (shading ? " (or as the last shading data read from the camera)" : "") + ". Continue?";
    const platform::MsgResult answer = services_.platform.MessageBox(
        text, platform::kAppTitle, platform::MsgIcon::Question, platform::MsgButtons::YesNo);
    return answer == platform::MsgResult::Yes ? TableFileOutcome::Done : TableFileOutcome::Declined;
}

TableFileOutcome TableFiles::Tell(const std::string& text, platform::MsgIcon icon, TableFileOutcome outcome) {
    services_.platform.MessageBox(text, platform::kAppTitle, icon);
    return outcome;
}

TableFileOutcome TableFiles::CouldNotOpen(const std::string& path, const std::string& reason) {
    lastFileError_ = reason;
    return Tell(FullPath(path) + kCouldNotOpen, platform::MsgIcon::Error, TableFileOutcome::FileFailed);
}

TableFileOutcome TableFiles::AfterTransfer(const TransferReport& report, camera::FileOperation operation,
                                           const std::string& path) {
    lastReport_ = report;
    session_.TellFile(operation, path, report.Complete(), report.answered);
    if (report.Complete()) return TableFileOutcome::Done;
    // Never a quiet end: a camera that stopped answering half-way must not look like a success.
    services_.platform.MessageBox(DescribeFailures(report), platform::kAppTitle, platform::MsgIcon::Exclamation);
    return report.stopped ? TableFileOutcome::Stopped : TableFileOutcome::CameraFailed;
}

bool TableFiles::LoadText(const std::string& path, std::string& text) {
    lastFileError_.clear();
    return platform::ReadWholeFile(path, text, lastFileError_, kMaxFileBytes);
}

std::string TableFiles::AskOpen(const char* filter) {
    return services_.platform.OpenFileDialog("Open", platform::WorkingFolder(), SplitFilter(filter));
}

std::string TableFiles::AskSave(const char* filter) {
    return services_.platform.SaveFileDialog("Save As", platform::WorkingFolder(), "", SplitFilter(filter));
}

std::vector<platform::FileFilter> TableFiles::SplitFilter(const std::string& text) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t bar = text.find('|', start);
        parts.push_back(Trim(text.substr(start, bar == std::string::npos ? std::string::npos : bar - start)));
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    std::vector<platform::FileFilter> filters;
    // Pairs until the empty part that ends the list.
    for (size_t i = 0; i + 1 < parts.size() && !parts[i].empty(); i += 2) filters.push_back({parts[i], parts[i + 1]});
    return filters;
}

std::string TableFiles::FullPath(const std::string& path) {
    if (path.empty() || path.front() == '/') return path;
    return platform::WorkingFolder() + "/" + path;
}

}  // namespace vr::lut
