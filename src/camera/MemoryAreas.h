#pragma once
// The camera's memory areas: area 0 holds the factory settings, 1 to 3 the user settings. Which one
// is in use ("EA"), storing the working settings into one ("SA", "SA00") or into all of them, loading
// one into the working settings ("LD"), and restarting the camera ("CRS00"). The main window, the
// communication dialog and the command-line tool all go through here.

#include <chrono>
#include <cstdint>
#include <string>

namespace vr::camera {
struct Services;
}

namespace vr::camera {

inline constexpr int kFactoryArea = 0;
inline constexpr int kLastUserArea = 3;

class MemoryAreas {
public:
    static constexpr std::chrono::milliseconds kQueryTimeout{5000};
    static constexpr std::chrono::milliseconds kLoadTimeout{10000};
    // The communication dialog's store: a long write into flash.
    static constexpr std::chrono::milliseconds kDialogStoreTimeout{40000};
    static constexpr std::chrono::milliseconds kMenuStoreTimeout{8000};
    static constexpr std::chrono::milliseconds kStoreAllTimeout{10000};
    // The camera answers a reset at once and restarts after its answer.
    static constexpr std::chrono::milliseconds kResetTimeout{1000};
    // A breath for the camera between two writes into its flash.
    static constexpr std::chrono::milliseconds kStoreAllPause{20};

    static constexpr const char* kStoringText = "Now, Storing camera data.";
    static constexpr const char* kStoreAllQuestion = "Are you sure you want to overwrite into all EEPROM areas?";

    explicit MemoryAreas(camera::Services& services) : services_(services) {}

    // "EA": 1 and the area in use when the camera answered; 0 and area untouched when not.
    int QueryArea(int32_t& area);
    // "SA" = area for a user area, "SA00" = 0 for the factory area. 1 when the camera completed it.
    int Store(int area, std::chrono::milliseconds timeout);
    // "LD" = area. 1 when the camera completed it.
    int Load(int area);

    // The Settings menu's store into the area the operator chose: "Selected invalid area !" for an
    // area that is none, or the factory area outside factory mode (nothing is sent then); the
    // completion message when the camera stored it. 1 when it did.
    int StoreChosen(int area, bool factoryMode);
    // "Store All": asks first, then stores into user areas 1, 2, 3 and the factory area, each after a
    // short pause, and reports once at the end whether every store succeeded. 1 when all did; 0 when
    // one failed, the operator declined or stopped it. Each store may take `timeout` (a fuzz target
    // gives a short one).
    int StoreAll(std::chrono::milliseconds timeout = kStoreAllTimeout);
    // "CRS00" = 1: the camera restarts (at 9600 bit/s, from its boot area). 1 when it answered.
    int ResetCamera();

    static bool IsArea(int area) { return area >= kFactoryArea && area <= kLastUserArea; }
    // "Factory", "User 1" .. "User 3", as the area dialog names them.
    static std::string AreaName(int area);

private:
    camera::Services& services_;
};

}  // namespace vr::camera
