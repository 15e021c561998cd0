#pragma once
// Saving a traffic list to a text file, shared by the terminal and the communication dialog: the file
// dialog starting in the remembered log folder, the replace question, the atomic write and the
// remembered folder afterwards.

#include <functional>
#include <string>
#include <vector>

#include "app/Platform.h"

namespace vr::dialogs {

// The remembered folder of the log files (the settings store's "Command Log File Path").
struct LogFolderStore {
    std::function<std::string()> read;  // the folder, or the working folder when none is stored
    std::function<void(const std::string&)> write;
};

enum class FileWriteResult { Written, OpenFailed, WriteFailed };

// Writes `content` to a temporary file beside `path` and renames it into place, so a full disk or a
// crash never leaves a half-written file where a good one was. `detail` receives the system's reason
// on failure.
FileWriteResult WriteFileAtomically(const std::string& path, const std::string& content, std::string& detail);

// Asks for a file name (default extension `extension`, one filter), asks before replacing an existing
// file and writes every line followed by a newline, in the order given. The operator is told about
// failures here. True when the file was written.
bool SaveLogLines(const LogFolderStore& folder, const std::string& extension, const app::FileFilter& filter,
                  const std::vector<std::string>& lines);

// The folder part of a path, without its last separator ("/" for a file in the root).
std::string FolderOf(const std::string& path);

}  // namespace vr::dialogs
