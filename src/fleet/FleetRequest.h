#pragma once
// What a run over every camera of an inventory does.

#include <string>

#include "fleet/RecipeGroups.h"

namespace vr::fleet {

enum class Operation {
    Connect,   // the start-up: model, rate, area
    Info,      // what the camera says about itself
    Dump,      // every setting
    Check,     // every setting against the golden file
    Apply,     // a recipe's settings into the camera
    Snapshot,  // every setting into DIR/POSITION.cam
    Overview,  // the start-up, then a check where the position has a golden file
};

struct FleetRequest {
    Operation operation = Operation::Connect;
    // Check: one golden file for every camera (empty: each position's own). Apply: the recipe.
    std::string file;
    // Snapshot: the folder the files go into.
    std::string folder;
    GroupSelection groups;
    // Apply to a camera whose ID is not the one the inventory expects.
    bool force = false;
    // Factory control mode: factory rows are read, compared and sent too (when their group is chosen).
    bool factory = false;
};

// "connect", "info", "dump", "check", "apply", "snapshot" ("overview" for the window's refresh).
const char* OperationName(Operation operation);
// The operation a command of many cameras names; false for any other name (the window's overview
// is no command).
bool OperationNamed(const std::string& name, Operation& operation);

}  // namespace vr::fleet
