#pragma once
// The tool's version, as the build gives it (the project version in the top CMakeLists.txt). Every
// program prints it with --version.

namespace vr::platform {

// "2.01"
const char* VersionText();

}  // namespace vr::platform
