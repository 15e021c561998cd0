#include "fleet/Inventory.h"

#include <toml++/toml.h>

#include <map>
#include <set>

#include "link/CommSetting.h"
#include "link/NetworkAddress.h"
#include "platform/FileIo.h"
#include "protocol/Command.h"
#include "protocol/TextValue.h"

namespace vr::fleet {
namespace {

// The Camera Link library versions, as the command line's --link names them.
const std::map<std::string, uint32_t> kLinkNames = {
    {"cl2000", link::CameraLink2000}, {"cl2001", link::CameraLink2001}, {"cl11", link::CameraLinkVer11}};

const std::set<std::string> kKeys = {"name", "port", "link", "port_index", "camera_id", "golden"};

// The longest position name: it names a file, and a column of a table.
constexpr size_t kMaxNameLength = 64;

int LineOf(const toml::node& node) {
    return static_cast<int>(node.source().begin.line);
}

// A position becomes the file name DIR/POSITION.cam: nothing that leaves DIR, hides the file or
// cannot be shown on one line.
std::string NameProblem(const std::string& name) {
    if (name.empty()) return "the name is empty";
    if (name.size() > kMaxNameLength) return "the name is longer than " + std::to_string(kMaxNameLength) + " bytes";
    if (name.front() == '.') return "the name must not start with a dot";
    for (const unsigned char c : name) {
        if (c == '/' || c == '\\') return "the name must not contain a slash";
        if (c < 0x20 || c == 0x7f) return "the name must not contain a control character";
    }
    return {};
}

std::string Resolve(const std::string& folder, const std::string& path) {
    if (path.front() == '/' || folder.empty() || folder == ".") return path;
    return folder.back() == '/' ? folder + path : folder + "/" + path;
}

class Reader {
public:
    Reader(Inventory& out, const std::string& folder) : out_(out), folder_(folder) {}

    void Table(const toml::table& root) {
        for (const auto& [key, node] : root) {
            if (key.str() != "camera") Problem(LineOf(node), "unknown key \"" + std::string(key.str()) + "\"");
        }
        const toml::node_view<const toml::node> cameras = root["camera"];
        if (!cameras) {
            Problem(0, "no [[camera]] entries");
            return;
        }
        const toml::array* list = cameras.as_array();
        if (list == nullptr) {
            Problem(LineOf(*cameras.node()), "\"camera\" must be a list of [[camera]] tables");
            return;
        }
        if (list->empty()) Problem(LineOf(*list), "no [[camera]] entries");
        for (const toml::node& item : *list) {
            if (const toml::table* table = item.as_table())
                Camera(*table);
            else
                Problem(LineOf(item), "a camera must be a [[camera]] table");
        }
    }

    void Problem(int line, std::string text) { out_.problems.push_back({line, std::move(text)}); }

private:
    std::optional<std::string> Text(const toml::table& table, const char* key, int line) {
        const toml::node* node = table.get(key);
        if (node == nullptr) return std::nullopt;
        if (const auto value = node->value_exact<std::string>()) return *value;
        Problem(LineOf(*node) > 0 ? LineOf(*node) : line, std::string("\"") + key + "\" must be a string");
        return std::nullopt;
    }

    void Camera(const toml::table& table) {
        CameraEntry entry;
        entry.line = LineOf(table);
        const size_t before = out_.problems.size();
        for (const auto& [key, node] : table) {
            if (kKeys.count(std::string(key.str())) == 0)
                Problem(LineOf(node), "unknown key \"" + std::string(key.str()) + "\"");
        }
        if (const auto name = Text(table, "name", entry.line)) {
            entry.name = *name;
            if (const std::string why = NameProblem(entry.name); !why.empty()) Problem(NodeLine(table, "name"), why);
        } else if (!table.contains("name")) {
            Problem(entry.line, "a camera without a name");
        }
        const auto port = Text(table, "port", entry.line);
        const auto link = Text(table, "link", entry.line);
        if (link && *link != "com") {
            const auto mode = kLinkNames.find(*link);
            if (mode == kLinkNames.end())
                Problem(NodeLine(table, "link"),
                        "unknown link \"" + protocol::Command::Printable(*link) + "\" (com, cl2000, cl2001 or cl11)");
            else
                entry.mode = mode->second;
            if (port) Problem(NodeLine(table, "port"), "a Camera Link camera takes port_index, not port");
            PortIndex(table, entry);
        } else if (port) {
            Port(table, *port, entry);
        } else if (!table.contains("port") && !table.contains("link")) {
            Problem(entry.line, "a camera needs a port, or a link and a port_index");
        }
        if (const auto id = Text(table, "camera_id", entry.line)) {
            if (id->empty() || id->size() > 10 || id->find(',') != std::string::npos || !protocol::IsSendableText(*id))
                Problem(NodeLine(table, "camera_id"), "a camera ID is 1 to 10 characters, no comma");
            else
                entry.cameraId = *id;
        }
        if (const auto golden = Text(table, "golden", entry.line)) {
            if (golden->empty())
                Problem(NodeLine(table, "golden"), "the golden file's name is empty");
            else
                entry.golden = Resolve(folder_, *golden);
        }
        if (out_.problems.size() != before) return;
        for (const CameraEntry& other : out_.cameras) {
            if (other.name == entry.name) {
                Problem(NodeLine(table, "name"),
                        "the position \"" + entry.name + "\" is already named on line " + std::to_string(other.line));
                return;
            }
            if (other.mode == entry.mode && other.port == entry.port && other.portIndex == entry.portIndex) {
                Problem(entry.line,
                        "\"" + entry.name + "\" and \"" + other.name + "\" name the same link " + entry.LinkText());
                return;
            }
        }
        out_.cameras.push_back(std::move(entry));
    }

    void Port(const toml::table& table, const std::string& port, CameraEntry& entry) {
        const int line = NodeLine(table, "port");
        if (table.contains("port_index")) Problem(NodeLine(table, "port_index"), "port_index needs a Camera Link link");
        if (port.empty() || !protocol::IsSendableText(port)) {
            Problem(line, "the port is empty or holds a control character");
            return;
        }
        entry.port = port;
        if (link::NetworkAddress::Names(port)) {
            link::NetworkAddress address;
            std::string why;
            if (!link::NetworkAddress::Parse(port, address, why)) Problem(line, why);
            entry.mode = link::Network;
        } else {
            entry.port = Resolve(folder_, port);
            entry.mode = link::ComPort;
        }
    }

    void PortIndex(const toml::table& table, CameraEntry& entry) {
        const toml::node* node = table.get("port_index");
        if (node == nullptr) {
            Problem(NodeLine(table, "link"), "a Camera Link camera needs a port_index");
            return;
        }
        const auto index = node->value_exact<int64_t>();
        if (!index || *index < 0 || *index > 255) {
            Problem(LineOf(*node), "port_index must be a whole number from 0 to 255");
            return;
        }
        entry.portIndex = static_cast<uint32_t>(*index);
    }

    // The line of a key's value, or of the table when the parser gave none.
    int NodeLine(const toml::table& table, const char* key) const {
        const toml::node* node = table.get(key);
        const int line = node == nullptr ? 0 : LineOf(*node);
        return line > 0 ? line : LineOf(table);
    }

    Inventory& out_;
    const std::string& folder_;
};

}  // namespace

std::string CameraEntry::LinkText() const {
    switch (mode) {
        case link::CameraLink2000:
            return "cl2000 port " + std::to_string(portIndex);
        case link::CameraLink2001:
            return "cl2001 port " + std::to_string(portIndex);
        case link::CameraLinkVer11:
            return "cl11 port " + std::to_string(portIndex);
        default:
            return port;
    }
}

std::string InventoryProblem::Describe() const {
    return line > 0 ? "line " + std::to_string(line) + ": " + text : text;
}

Inventory ParseInventory(const std::string& text, const std::string& folder) {
    Inventory inventory;
    Reader reader(inventory, folder);
    try {
        const toml::table root = toml::parse(text);
        reader.Table(root);
    } catch (const toml::parse_error& error) {
        reader.Problem(static_cast<int>(error.source().begin.line),
                       protocol::Command::Printable(std::string(error.description())));
    }
    if (!inventory.problems.empty()) inventory.cameras.clear();
    return inventory;
}

Inventory ReadInventory(const std::string& path) {
    std::string text, error;
    if (!platform::ReadWholeFile(path, text, error, kMaxInventoryBytes)) {
        Inventory inventory;
        inventory.problems.push_back({0, path + ": " + error});
        return inventory;
    }
    const size_t slash = path.rfind('/');
    return ParseInventory(text, slash == std::string::npos ? std::string() : path.substr(0, slash == 0 ? 1 : slash));
}

}  // namespace vr::fleet
