#pragma once
// A damaged file set aside beside itself, never over an earlier one: "FILE.bad", then "FILE.bad.2",
// "FILE.bad.3", ..., since each may hold something somebody wants back.

#include <string>

namespace vr::platform {

// Renames without replacing what is there; false (errno EEXIST) when `to` exists.
bool RenameNoReplace(const std::string& from, const std::string& to);

// Renames `path` to the first free "path.bad[.N]" (N up to `maxTries`): true with that name in
// `asideAs`; false with errno telling why.
bool SetFileAside(const std::string& path, int maxTries, std::string& asideAs);

}  // namespace vr::platform
