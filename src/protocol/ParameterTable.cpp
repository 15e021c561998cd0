#include "protocol/ParameterTable.h"

#include <cstdio>
#include <string>

#include "platform/Platform.h"

namespace vr::protocol {

void ParameterTable::Warn(const std::string& text) const {
    platform_.MessageBox(text, platform::kAppTitle, platform::MsgIcon::Exclamation);
}

ParameterTable::ParameterTable(platform::IPlatform& platform) : platform_(platform) {
    const ParameterDef* defs = ParameterDefs();
    for (size_t i = 0; i <= kParameterRowCount; ++i) rows_[i] = {&defs[i], defs[i].defaultValue, defs[i].defaultValue};
}

void ParameterTable::ResetToDefaults() {
    for (auto& row : rows_) row.value = row.committedValue = row.def->defaultValue;
}

int32_t ParameterTable::Find(uint32_t ctrlId) const {
    for (size_t i = 0; rows_[i].def->ctrlId != kTerminatorCtrlId; ++i)
        if (rows_[i].def->ctrlId == ctrlId) return static_cast<int32_t>(i);
    return -1;
}

int32_t ParameterTable::GetDataValue(uint32_t ctrlId) const {
    int32_t i = Find(ctrlId);
    if (i < 0) {
        Warn("Unexpected error occurred in GetDataValue().");
        return -1;
    }
    return rows_[i].value;
}

int32_t ParameterTable::GetCommittedDataValue(uint32_t ctrlId) const {
    int32_t i = Find(ctrlId);
    if (i < 0) {
        Warn("Unexpected error occurred in GetDataValue().");
        return -1;
    }
    return rows_[i].committedValue;
}

bool ParameterTable::SetDataValue(uint32_t ctrlId, int32_t value) {
    int32_t i = Find(ctrlId);
    if (i < 0) {
        Warn("Unexpected error occurred in SetDataValue().");
        return false;
    }
    rows_[i].value = value;
    return true;
}

void ParameterTable::CommitDataValues() {
    for (auto& row : rows_) row.committedValue = row.value;
}

int32_t ParameterTable::ToCmdId(uint32_t ctrlId) const {
    int32_t i = Find(ctrlId);
    if (i < 0) {
        Warn("Unexpected error occurred in ToCmdId().");
        return -1;
    }
    return static_cast<int32_t>(rows_[i].def->cmdId);
}

int32_t ParameterTable::CtrlId2TblIndex(uint32_t ctrlId) const {
    int32_t i = Find(ctrlId);
    if (i < 0) Warn("Unexpected error occurred in CtrlId2TblIndex().");
    return i;
}

bool ParameterTable::GetDataRange(uint32_t ctrlId, int32_t& minValue, int32_t& maxValue) const {
    int32_t i = CtrlId2TblIndex(ctrlId);
    if (i < 0) return false;
    minValue = rows_[i].def->minValue;
    maxValue = rows_[i].def->maxValue;
    return true;
}

bool ParameterTable::IsFactoryParam(uint32_t ctrlId) const {
    int32_t i = Find(ctrlId);
    if (i < 0) {
        char text[160];
        std::snprintf(text, sizeof text,
                      "ERROR: IsFactoryParam(): Control id \"%d: 0x%x\" is not registered in database table",
                      static_cast<int>(ctrlId), ctrlId);
        Warn(text);
        return false;
    }
    return rows_[i].def->area == ParamArea::Factory;
}

bool ParameterTable::IsInSettingsFile(uint32_t ctrlId) const {
    int32_t i = Find(ctrlId);
    return i >= 0 && rows_[i].def->inSettingsFile;
}

bool ParameterTable::HoldsValue(size_t rowIndex) const {
    return rows_[rowIndex].def->controlKind != ControlKind::Button;
}

int32_t ParameterTable::CountValueParams() const {
    static const int32_t count = [this] {
        int32_t n = 0;
        for (size_t i = 0; i < kParameterRowCount; ++i) n += HoldsValue(i) ? 1 : 0;
        return n;
    }();
    return count;
}

int32_t ParameterTable::CountUserParams() const {
    static const int32_t count = [this] {
        int32_t n = 0;
        for (size_t i = 0; i < kParameterRowCount; ++i)
            n += HoldsValue(i) && rows_[i].def->area == ParamArea::User ? 1 : 0;
        return n;
    }();
    return count;
}

int32_t ParameterTable::ToCtrlId(uint32_t cmdId) const {
    // The chromatic aberration families are shown by one editor control each.
    if (cmdId >= 145 && cmdId <= 148) return 1699;
    if (cmdId >= 149 && cmdId <= 164) return 1702;
    if (cmdId >= 165 && cmdId <= 168) return 1701;
    if (cmdId >= 169 && cmdId <= 304) return 1696;
    if (cmdId >= 305 && cmdId <= 320) return 1703;
    for (size_t i = 0; rows_[i].def->ctrlId != kTerminatorCtrlId; ++i)
        if (rows_[i].def->cmdId == cmdId) return static_cast<int32_t>(rows_[i].def->ctrlId);
    char text[96];
    std::snprintf(text, sizeof text, "Unexpected error occurred in ToCtrlId(): Command id is %d",
                  static_cast<int>(cmdId));
    Warn(text);
    return -1;
}

}  // namespace vr::protocol
