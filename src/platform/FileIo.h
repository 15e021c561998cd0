#pragma once
// Whole-file reads and atomic writes for the files the tool keeps (the settings store and others):
// a write goes to a temporary file in the same folder and is renamed into place, so a crash or a
// full disk never leaves a half-written file where a good one was.

#include <cstddef>
#include <string>

#include "platform/SysCalls.h"

namespace vr::platform {

// Reads the whole file into text. False (and errorText set) when it is missing, is not a regular
// file, is larger than maxBytes or cannot be read.
bool ReadWholeFile(const std::string& path, std::string& text, std::string& errorText, size_t maxBytes = 1 << 20,
                   const SysCalls& calls = SysCalls::Real());

enum class WriteResult {
    Written,
    CreateFailed,  // the temporary file could not even be made (a folder the user may not write, say)
    WriteFailed,   // writing, syncing or renaming it failed
    Refused,       // what is there is no regular file, or one the user may not write: it is left alone
};

// Where a write of path lands: path itself, or the file at the end of the symbolic links it names
// (which need not exist yet). Refused, with errorText, when that is something other than a regular
// file (a device, a FIFO, a folder, a link that loops) or a file the user may not write; Written
// when a write may go ahead.
WriteResult CheckWriteTarget(const std::string& path, std::string& target, std::string& errorText);

// Writes text to a temporary file beside the target (".name.XXXXXX") and renames it into place. A
// symbolic link stays and the file it leads to is replaced, in that file's own folder. A file that
// was there before passes its mode on to the new one, and its owner and group where the process may
// give them. On failure errorText holds the failed step and the system's reason, and the file that
// was there before is untouched.
WriteResult WriteFileAtomically(const std::string& path, const std::string& text, std::string& errorText);

// The folder part of a path, without its last separator ("/" for a file in the root, empty for a
// bare name).
std::string FolderOf(const std::string& path);

// Creates folder and every missing parent (mode 0700 for new ones). True when it exists afterwards.
bool MakeFolders(const std::string& folder, std::string& errorText);

// Whether something (a file, a folder, a device) is at the path, a symbolic link followed.
bool FileExists(const std::string& path, const SysCalls& calls = SysCalls::Real());
// Whether the path itself names something: a symbolic link counts even when it leads nowhere.
bool PathExists(const std::string& path, const SysCalls& calls = SysCalls::Real());
bool IsFolder(const std::string& path, const SysCalls& calls = SysCalls::Real());
// The process's working folder; "." when the operating system cannot tell it.
std::string WorkingFolder();

}  // namespace vr::platform
