#include "dialogs/LogFile.h"

#include "platform/FileIo.h"

namespace vr::dialogs {
namespace {

bool HasExtension(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    return dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
}

}  // namespace

bool SaveLogLines(platform::IPlatform& platform, const LogFolderStore& folder, const std::string& extension,
                  const platform::FileFilter& filter, const std::vector<std::string>& lines) {
    const std::string start = folder.read ? folder.read() : platform::WorkingFolder();
    std::string path = platform.SaveFileDialog("Save As", start, "", {filter});
    if (path.empty()) return false;
    if (!HasExtension(path)) path += "." + extension;

    if (platform::FileExists(path)) {
        const std::string question = path + "\nThis file already exists." + "\nReplace existing file?";
        if (platform.MessageBox(question, platform::kAppTitle, platform::MsgIcon::Question,
                                platform::MsgButtons::YesNo) != platform::MsgResult::Yes)
            return false;
    }

    std::string content;
    for (const auto& line : lines) {
        content += line;
        content += '\n';
    }
    std::string detail;
    switch (platform::WriteFileAtomically(path, content, detail)) {
        case platform::WriteResult::CreateFailed:
            platform.MessageBox("File open error !", platform::kAppTitle, platform::MsgIcon::Error);
            return false;
        case platform::WriteResult::Refused:
            // A device or a read-only file that opening it would have refused.
            platform.MessageBox("File open error !\n" + path + ": " + detail, platform::kAppTitle,
                                platform::MsgIcon::Error);
            return false;
        case platform::WriteResult::WriteFailed:
            // The old file, if any, is still in place; say why the new one is not.
            platform.MessageBox("File write error !\n" + path + ": " + detail, platform::kAppTitle,
                                platform::MsgIcon::Error);
            return false;
        case platform::WriteResult::Written:
            break;
    }
    if (folder.write) folder.write(platform::FolderOf(path));
    return true;
}

}  // namespace vr::dialogs
