#pragma once
// The camera's memory areas: area 0 holds the factory settings, 1 to 3 the user settings. Which one
// is in use ("EA"), storing the working settings into one ("SA", "SA00") and loading one into the
// working settings ("LD"). The main window, the communication dialog and the command-line tool all
// go through here.

#include <chrono>
#include <cstdint>

namespace vr::app {
struct Services;
}

namespace vr::settings {

inline constexpr int kFactoryArea = 0;
inline constexpr int kLastUserArea = 3;

class MemoryAreas {
public:
    static constexpr std::chrono::milliseconds kQueryTimeout{5000};
    static constexpr std::chrono::milliseconds kLoadTimeout{10000};
    // The communication dialog's store: a long write into flash.
    static constexpr std::chrono::milliseconds kDialogStoreTimeout{40000};

    explicit MemoryAreas(app::Services& services) : services_(services) {}

    // "EA": 1 and the area in use when the camera answered; 0 and area untouched when not.
    int QueryArea(int32_t& area);
    // "SA" = area for a user area, "SA00" = 0 for the factory area. 1 when the camera completed it.
    int Store(int area, std::chrono::milliseconds timeout);
    // "LD" = area. 1 when the camera completed it.
    int Load(int area);

    static bool IsArea(int area) { return area >= kFactoryArea && area <= kLastUserArea; }

private:
    app::Services& services_;
};

}  // namespace vr::settings
