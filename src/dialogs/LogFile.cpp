#include "dialogs/LogFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

namespace vr::dialogs {
namespace {

std::string WorkingFolder() {
    std::string buffer(4096, '\0');
    if (::getcwd(buffer.data(), buffer.size()) == nullptr) return ".";
    buffer.resize(std::strlen(buffer.c_str()));
    return buffer;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

// A name that nobody else in this folder uses; the open below still insists on creating it.
std::string TemporaryName(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    return path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

bool WriteAll(int fd, const std::string& content, std::string& detail) {
    const char* p = content.data();
    size_t left = content.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            detail = std::strerror(errno);
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

bool HasExtension(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    return dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
}

}  // namespace

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return {};
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

FileWriteResult WriteFileAtomically(const std::string& path, const std::string& content, std::string& detail) {
    int fd = -1;
    std::string temp;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = TemporaryName(path);
        do {
            fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        } while (fd < 0 && errno == EINTR);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) {
        detail = std::strerror(errno);
        return FileWriteResult::OpenFailed;
    }
    bool ok = WriteAll(fd, content, detail);
    if (ok && ::fsync(fd) != 0) {
        detail = std::strerror(errno);
        ok = false;
    }
    // close() is not retried on EINTR: on Linux the descriptor is gone either way.
    if (::close(fd) != 0 && ok) {
        detail = std::strerror(errno);
        ok = false;
    }
    if (ok && ::rename(temp.c_str(), path.c_str()) != 0) {
        detail = std::strerror(errno);
        ok = false;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        return FileWriteResult::WriteFailed;
    }
    return FileWriteResult::Written;
}

bool SaveLogLines(const LogFolderStore& folder, const std::string& extension, const app::FileFilter& filter,
                  const std::vector<std::string>& lines) {
    app::IPlatform& platform = app::Platform();
    const std::string start = folder.read ? folder.read() : WorkingFolder();
    std::string path = platform.SaveFileDialog("Save As", start, "", {filter});
    if (path.empty()) return false;
    if (!HasExtension(path)) path += "." + extension;

    if (FileExists(path)) {
        const std::string question = path + "\nThis file already exists." + "\nReplace existing file?";
        if (platform.MessageBox(question, app::kAppTitle, app::MsgIcon::Question, app::MsgButtons::YesNo) !=
            app::MsgResult::Yes)
            return false;
    }

    std::string content;
    for (const auto& line : lines) {
        content += line;
        content += '\n';
    }
    std::string detail;
    switch (WriteFileAtomically(path, content, detail)) {
        case FileWriteResult::OpenFailed:
            platform.MessageBox("File open error !", app::kAppTitle, app::MsgIcon::Error);
            return false;
        case FileWriteResult::WriteFailed:
            // The old file, if any, is still in place; say why the new one is not.
            platform.MessageBox("File write error !\n" + path + ": " + detail, app::kAppTitle, app::MsgIcon::Error);
            return false;
        case FileWriteResult::Written:
            break;
    }
    if (folder.write) folder.write(FolderOf(path));
    return true;
}

}  // namespace vr::dialogs
