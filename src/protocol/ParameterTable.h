#pragma once
// The parameter table: binds every parameter control of the main window to a camera command and
// holds the tool's copy of each parameter (its current value and the value last accepted by the
// camera). Row order is fixed and meaningful; iteration always follows it.

#include <cstddef>
#include <cstdint>
#include <string>

namespace vr::platform {
class IPlatform;
}

namespace vr::protocol {

enum class ControlKind : uint32_t { Combo = 4, SpinEdit = 6, Button = 7 };
enum class ParamArea : uint32_t { None = 0, User = 1, Factory = 2 };

// The constant part of a row, with the layout and captions that identify the parameter.
struct ParameterDef {
    uint32_t ctrlId;
    uint32_t cmdId;
    ControlKind controlKind;
    ParamArea area;
    bool inSettingsFile;
    int32_t minValue;
    int32_t maxValue;
    int32_t defaultValue;
    uint32_t layout;    // dialog template id of the page (111..117)
    const char* group;  // group box caption, empty when the control stands outside a group
    const char* label;  // caption beside the control
};

struct ParameterEntry {
    const ParameterDef* def;
    int32_t value;
    int32_t committedValue;
};

inline constexpr size_t kParameterRowCount = 222;
inline constexpr uint32_t kTerminatorCtrlId = 0xFFFFFFFFu;

// The constant rows, kParameterRowCount of them plus the terminating row.
const ParameterDef* ParameterDefs();

class ParameterTable {
public:
    // A lookup of a control id that no row has tells the operator in a box of the platform's.
    explicit ParameterTable(platform::IPlatform& platform);
    ParameterTable(const ParameterTable&) = delete;
    ParameterTable& operator=(const ParameterTable&) = delete;

    // Row access in table order; index < kParameterRowCount.
    const ParameterEntry& Row(size_t index) const { return rows_[index]; }
    static constexpr size_t Size() { return kParameterRowCount; }

    int32_t GetDataValue(uint32_t ctrlId) const;
    int32_t GetCommittedDataValue(uint32_t ctrlId) const;
    bool SetDataValue(uint32_t ctrlId, int32_t value);
    void CommitDataValues();
    int32_t ToCmdId(uint32_t ctrlId) const;
    int32_t CtrlId2TblIndex(uint32_t ctrlId) const;
    bool GetDataRange(uint32_t ctrlId, int32_t& minValue, int32_t& maxValue) const;
    bool IsFactoryParam(uint32_t ctrlId) const;
    bool IsInSettingsFile(uint32_t ctrlId) const;
    bool HoldsValue(size_t rowIndex) const;
    int32_t CountValueParams() const;
    int32_t CountUserParams() const;
    int32_t ToCtrlId(uint32_t cmdId) const;

    // Every row back to its default, committed; for tests and a fresh start.
    void ResetToDefaults();

private:
    void Warn(const std::string& text) const;
    // Row index of the control, or -1; no message.
    int32_t Find(uint32_t ctrlId) const;

    platform::IPlatform& platform_;
    ParameterEntry rows_[kParameterRowCount + 1];
};

}  // namespace vr::protocol
