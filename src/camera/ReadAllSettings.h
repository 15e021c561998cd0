#pragma once
// The row loop of reading all settings: which rows of the parameter table are queried for a camera
// model and mode, and the query of each behind the progress window. The main window runs the whole
// sequence around it (model probe, layout, display, enabling).

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vr::camera {
struct Services;
}

namespace vr::camera {

// False for the action commands and derived values that are never read (the gain-level copies, the
// one-push buttons, the LUT points, the chromatic aberration editors and "SA00", "PGR00", "PBR00").
bool IsOnReadList(uint32_t ctrlId);

// Whether the row is queried: a supported model, on the read list, not a button, a factory row only
// in factory mode, and a command the model has.
bool ShouldReadRow(size_t rowIndex, uint32_t modelKind, bool factoryMode);

// The rows queried, in table order.
std::vector<size_t> RowsToRead(uint32_t modelKind, bool factoryMode);

struct RowReadResult {
    size_t row;
    bool answered;  // false: the row kept its previous value
};

struct RowsRead {
    std::vector<RowReadResult> rows;  // the rows queried, in table order
    size_t planned = 0;               // how many were to be queried
    bool stopped = false;             // the operator stopped the read before its end
    bool lost = false;                // the line went away: nothing more could be read
    bool silent = false;              // the camera stopped answering (kMaxTimeoutsInARow in a row)
    bool Ended() const { return stopped || lost || silent; }
};

// A camera that stopped answering would otherwise cost a full time-out on every remaining row.
// Refusals do not count: a camera that answers is there.
inline constexpr int kMaxTimeoutsInARow = 5;

inline constexpr const char* kReadingSettingsText = "Now, reading camera settings.";

inline constexpr std::chrono::milliseconds kReadQueryTimeout(5000);

// Queries every row RowsToRead gives (queryTimeout each; tests give a short one), storing each answer with
// SetDataValue, behind the progress window: after each row the position is the running sum of 100 per row over the
// count of value rows of the mode, and the windows paint. The operator may stop it between two rows; a lost line ends
// it at once, and kMaxTimeoutsInARow time-outs in a row end it too.
RowsRead ReadParameterRows(camera::Services& services, uint32_t modelKind, bool factoryMode,
                           std::chrono::milliseconds queryTimeout = kReadQueryTimeout);

}  // namespace vr::camera
