#include "app/Version.h"

#ifndef VR_VERSION
#error "VR_VERSION is set by src/CMakeLists.txt"
#endif

namespace vr::app {

const char* VersionText() {
    return VR_VERSION;
}

}  // namespace vr::app
