#include "platform/Version.h"

#ifndef VR_VERSION
#error "VR_VERSION is set by src/CMakeLists.txt"
#endif

namespace vr::platform {

const char* VersionText() {
    return VR_VERSION;
}

}  // namespace vr::platform
