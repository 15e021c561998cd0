#pragma once
// Saving a traffic list to a text file, shared by the terminal and the communication dialog: the file
// dialog starting in the remembered log folder, the replace question, the atomic write and the
// remembered folder afterwards.

#include <functional>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace vr::dialogs {

// The remembered folder of the log files (the settings store's "Command Log File Path").
struct LogFolderStore {
    std::function<std::string()> read;  // the folder, or the working folder when none is stored
    std::function<void(const std::string&)> write;
};

// Asks for a file name (default extension `extension`, one filter), asks before replacing an existing
// file and writes every line followed by a newline, in the order given. The operator is told about
// failures here. True when the file was written.
bool SaveLogLines(platform::IPlatform& platform, const LogFolderStore& folder, const std::string& extension,
                  const platform::FileFilter& filter, const std::vector<std::string>& lines);

}  // namespace vr::dialogs
