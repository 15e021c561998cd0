#pragma once
// The chromatic aberration correction: one ratio, value and coefficient for each lens, colour,
// point and side, each a camera command of its own. Which command an editor addresses, and the
// read that follows reading every setting: the lens the camera uses, its synchronous mode and
// method, and the three values at the first colour, point 1 and both sides.

#include <cstdint>
#include <optional>

namespace vr::camera {

class CameraSession;

enum class ChromaticEditor { Ratio, Value, Coefficient };

inline constexpr int32_t kChromaticLensCount = 4;
inline constexpr int kChromaticSideBoth = 0, kChromaticSideLeft = 1, kChromaticSideRight = 2;

// The colour, point and side the editors address.
struct ChromaticSelection {
    int colour = 0;
    int point = 1;
    int side = kChromaticSideBoth;
};

bool IsChromaticLens(int32_t lens);
// The camera's "CACM" lens number, after which every command of a family is numbered.
int32_t ChromaticModeCommand();
int32_t ChromaticSyncModeCommand(int32_t lens);
int32_t ChromaticMethodCommand(int32_t lens);
// The command of an editor for a lens and selection; -1 when none exists (a selection out of range,
// the right side's point 0).
int32_t ChromaticCommand(ChromaticEditor editor, int32_t lens, const ChromaticSelection& selection);

// What the read after every setting brought; an empty value went unanswered (or the model lacks it).
struct ChromaticRead {
    bool answered = false;  // "CACM" answered: the rest is worth looking at
    int32_t lens = 0;
    bool modeRead = false;  // the mode row was read into the table
    std::optional<int32_t> syncMode;
    std::optional<int32_t> method;
    std::optional<int32_t> ratio;
    std::optional<int32_t> value;
    std::optional<int32_t> coefficient;
};

// Asks "CACM"; reads the mode row into the table and commits it; for a lens in use the synchronous
// mode, the method and, each after asking "CACM" again, the three editors' values at the default
// selection.
ChromaticRead ReadChromaticAberration(CameraSession& session);

}  // namespace vr::camera
