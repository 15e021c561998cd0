#pragma once
// One entry of the journal: what happened to which camera, when, and by whom.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vr::journal {

// The kinds of entry, as the journal stores them and `history` prints them.
namespace kind {
inline constexpr const char* kSet = "set";                         // a value the camera took (old and new)
inline constexpr const char* kRefused = "refused";                 // a value it refused or did not answer
inline constexpr const char* kSnapshot = "snapshot";               // every value of a full read
inline constexpr const char* kSettingsLoaded = "settings-loaded";  // a .cam file went to the camera
inline constexpr const char* kSettingsSaved = "settings-saved";
inline constexpr const char* kAreaStored = "area-stored";
inline constexpr const char* kAllAreasStored = "all-areas-stored";
inline constexpr const char* kAreaLoaded = "area-loaded";
inline constexpr const char* kReset = "reset";
inline constexpr const char* kOnePush = "one-push";
inline constexpr const char* kTablesWritten = "tables-written";  // LUT or shading tables to the camera
inline constexpr const char* kTablesRead = "tables-read";
inline constexpr const char* kTextWritten = "text-written";  // camera ID, user ID, model name
}  // namespace kind

// Which camera: what the tool knew of it when the entry was made.
struct CameraKey {
    std::string model;
    std::string cameraId;
    std::string userId;
    std::string link;  // the device path or network address
};

// Who: the user, the machine and the program that made the entry.
struct Origin {
    std::string user;
    std::string host;
    std::string program;  // "vr8200ctl", "vr8200-control", ...
};

struct Entry {
    int64_t id = 0;    // given by the journal
    std::string time;  // UTC, "2026-12-07T18:47:23.123Z"
    std::string kind;  // one of kind::
    CameraKey camera;
    Origin origin;
    std::string name;  // a command's name, a file's path, a function, an area
    std::optional<std::string> oldValue;
    std::optional<std::string> newValue;
    std::string detail;  // a refusal's reason, what the operator was told
    std::string digest;  // of a file, a table or a snapshot's values
    std::optional<int64_t> count;
    std::optional<bool> ok;

    // Filled on the writer's thread, off the camera's path: the digest of this file or of these values.
    std::string digestFile;
    std::vector<int32_t> digestValues;
    // A snapshot's values, "NAME=VALUE" in parameter-table order.
    std::vector<std::string> values;
};

// One line of what an entry says, for people: "GA 100 -> 300", "146 values", "white-balance: ...".
std::string Describe(const Entry& e);

}  // namespace vr::journal
