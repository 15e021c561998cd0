// The inventory reader on any text: it never throws or crashes; a bad inventory keeps no camera and
// says why with a line; a usable one names each position once, safely for a file name, each link
// once; and what it read, written back as TOML, reads back the same.

#include "fleet/Inventory.h"

#include <toml++/toml.h>

#include <set>
#include <sstream>

#include "FuzzCheck.h"
#include "link/CommSetting.h"

namespace {

std::string WriteBack(const vr::fleet::Inventory& inventory) {
    toml::array cameras;
    for (const auto& c : inventory.cameras) {
        toml::table t{{"name", c.name}};
        if (c.mode == vr::link::ComPort || c.mode == vr::link::Network) {
            t.insert("port", c.port);
        } else {
            t.insert("link", c.LinkText().substr(0, c.LinkText().find(' ')));
            t.insert("port_index", static_cast<int64_t>(c.portIndex));
        }
        if (c.cameraId) t.insert("camera_id", *c.cameraId);
        if (!c.golden.empty()) t.insert("golden", c.golden);
        cameras.push_back(std::move(t));
    }
    std::ostringstream out;
    out << toml::table{{"camera", std::move(cameras)}};
    return out.str();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(vr::fuzz::AsText(data, size));
    // An absolute folder: the paths read are absolute, and read again they stay as they are.
    const vr::fleet::Inventory inventory = vr::fleet::ParseInventory(text, "/inventory");
    if (!inventory.problems.empty()) {
        FUZZ_CHECK(inventory.cameras.empty());
        for (const auto& p : inventory.problems) FUZZ_CHECK(p.line >= 0 && !p.text.empty());
        return 0;
    }
    FUZZ_CHECK(!inventory.Usable() || !inventory.cameras.empty());
    std::set<std::string> names, links;
    for (const auto& c : inventory.cameras) {
        FUZZ_CHECK(names.insert(c.name).second);
        FUZZ_CHECK(links.insert(std::to_string(c.mode) + " " + c.LinkText()).second);
        FUZZ_CHECK(!c.name.empty() && c.name.front() != '.' && c.name.find('/') == std::string::npos);
        FUZZ_CHECK(!vr::fuzz::HasControlCharacter(c.name));
        FUZZ_CHECK(c.mode <= vr::link::Network);
        FUZZ_CHECK(c.line > 0);
    }
    if (!inventory.Usable()) return 0;
    const vr::fleet::Inventory again = vr::fleet::ParseInventory(WriteBack(inventory), "/inventory");
    FUZZ_CHECK(again.Usable());
    FUZZ_CHECK(again.cameras.size() == inventory.cameras.size());
    for (size_t i = 0; i < again.cameras.size(); ++i) {
        const auto& a = inventory.cameras[i];
        const auto& b = again.cameras[i];
        FUZZ_CHECK(a.name == b.name && a.mode == b.mode && a.port == b.port && a.portIndex == b.portIndex);
        FUZZ_CHECK(a.cameraId == b.cameraId && a.golden == b.golden);
    }
    return 0;
}
