#include "fleet/FleetRequest.h"

namespace vr::fleet {

const char* OperationName(Operation operation) {
    switch (operation) {
        case Operation::Connect:
            return "connect";
        case Operation::Info:
            return "info";
        case Operation::Dump:
            return "dump";
        case Operation::Check:
            return "check";
        case Operation::Apply:
            return "apply";
        case Operation::Snapshot:
            return "snapshot";
        case Operation::Overview:
            return "overview";
    }
    return "";
}

}  // namespace vr::fleet
