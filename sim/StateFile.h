#pragma once
// The file behind --state: the virtual camera's non-volatile memory between runs.

#include <string>

namespace vr::sim {

// Reads the whole file. A file that does not exist yet is an empty text and success: the camera
// then starts from its factory state.
bool ReadStateFile(const std::string& path, std::string* text, std::string* error);

// Writes the text to a temporary file in the same folder, flushes it to the disk and renames it
// over the old file, so that a crash never leaves half a state behind.
bool WriteStateFile(const std::string& path, const std::string& text, std::string* error);

}  // namespace vr::sim
