#pragma once
// The inventory of an inspection line: a TOML file naming each camera position and its link.
//
//   [[camera]]
//   name = "left"                 # the position, unique
//   port = "/dev/ttyUSB0"         # a device path, or "rfc2217://host:port" / "tcp://host:port"
//   camera_id = "2400012345"      # optional: the ID expected at this position
//   golden = "golden/left.cam"    # optional: this position's golden settings file
//
//   [[camera]]
//   name = "right"
//   link = "cl11"                 # a Camera Link library version (cl2000, cl2001, cl11) instead of a port
//   port_index = 1                # and the port's index in its list
//
// Paths are relative to the inventory's folder. Any bad entry makes the whole inventory unusable:
// every problem is listed with its line, and no camera is opened.

#include <string>
#include <vector>

#include "fleet/CameraEntry.h"

namespace vr::fleet {

struct InventoryProblem {
    int line = 0;  // 0 when the problem belongs to no line (an empty inventory)
    std::string text;
    // "line 7: ..." (or the text alone without a line).
    std::string Describe() const;
};

struct Inventory {
    std::vector<CameraEntry> cameras;
    std::vector<InventoryProblem> problems;
    bool Usable() const { return problems.empty() && !cameras.empty(); }
};

// The largest inventory file read: far beyond any line of cameras.
inline constexpr size_t kMaxInventoryBytes = 1 << 20;

// Reads the text of an inventory; relative paths in it are taken from `folder` ("" or "." for the
// current one).
Inventory ParseInventory(const std::string& text, const std::string& folder);
// Reads the file; a file that cannot be read is one problem without a line.
Inventory ReadInventory(const std::string& path);

}  // namespace vr::fleet
