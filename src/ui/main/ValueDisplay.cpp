#include "ui/main/ValueDisplay.h"

#include <cctype>
#include <climits>
#include <cstdio>
#include <utility>

#include "protocol/CommandTable.h"
#include "protocol/ControlIds.h"
#include "protocol/Numbers.h"
#include "protocol/ParameterTable.h"

namespace vr::ui {

CtrlType ValueDisplay::KindOf(uint32_t id) const {
    if (!controls_.Exists(id)) return CtrlType::None;
    return TypeOf(id);
}

int32_t ValueDisplay::LeadingNumber(const std::string& text) {
    return protocol::LeadingDecimal(text);
}

bool ValueDisplay::ParseInteger(const std::string& text, int32_t& value) {
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const size_t digitsStart = i;
    long long v = 0;
    for (; i < n && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        v = v * 10 + (text[i] - '0');
        if (v > static_cast<long long>(INT_MAX) + 1) return false;
    }
    if (i == digitsStart) return false;
    while (i < n && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    if (i != n) return false;
    if (negative) v = -v;
    if (v > INT_MAX || v < INT_MIN) return false;
    value = static_cast<int32_t>(v);
    return true;
}

int32_t ValueDisplay::ReadValue(uint32_t id) const {
    switch (KindOf(id)) {
        case CtrlType::Edit:
            return LeadingNumber(controls_.GetText(id));
        case CtrlType::Spin:
            return controls_.GetSpinPos(id);
        case CtrlType::Combo: {
            const int sel = controls_.Selection(id);
            if (sel < 0) return kNoControlValue;
            const int32_t data = controls_.ItemValue(id, sel);
            return data == 0 ? sel : data;
        }
        default:
            return kNoControlValue;
    }
}

void ValueDisplay::ShowValue(uint32_t id, int32_t value) {
    const std::string text = std::to_string(value);
    switch (KindOf(id)) {
        case CtrlType::Edit:
            controls_.SetText(id, text);
            // The spin follows, so text that is no number later falls back to the value shown here.
            if (uint32_t spin = SpinOf(id); spin != 0) controls_.SetSpinPos(spin, value);
            break;
        case CtrlType::Spin:
            controls_.SetSpinPos(id, value);
            if (uint32_t buddy = BuddyOf(id); buddy != 0) controls_.SetText(buddy, text);
            break;
        case CtrlType::Combo: {
            const int count = controls_.ItemCount(id);
            for (int i = 0; i < count; ++i) {
                if (controls_.ItemValue(id, i) == value) {
                    controls_.SetSelection(id, i);
                    return;
                }
            }
            controls_.SetSelection(id, value);
            break;
        }
        default:
            break;
    }
}

int32_t ValueDisplay::SpinPosition(uint32_t spinId) {
    const uint32_t buddy = BuddyOf(spinId);
    int32_t value = 0;
    if (buddy != 0 && ParseInteger(controls_.GetText(buddy), value)) {
        int32_t lo = 0, hi = 0;
        controls_.GetSpinRange(spinId, lo, hi);
        if (lo > hi) std::swap(lo, hi);
        if (value >= lo && value <= hi) controls_.SetSpinPos(spinId, value);
    }
    return controls_.GetSpinPos(spinId);
}

void ValueDisplay::ShowUnknown(uint32_t id) {
    switch (KindOf(id)) {
        case CtrlType::Edit:
            controls_.SetText(id, "");
            break;
        case CtrlType::Combo:
            controls_.SetSelection(id, -1);
            break;
        default:
            break;
    }
}

void ValueDisplay::ShowAllValues(bool withEditors) {
    const auto& table = table_;
    for (size_t i = 0; i < table.Size(); ++i) {
        const auto& row = table.Row(i);
        const uint32_t cmd = row.def->cmdId;
        if (cmd != protocol::cmd::Unnamed && !CameraHas(cmd))
            ShowUnknown(row.def->ctrlId);
        else if (withEditors || cmd != protocol::cmd::Unnamed)
            ShowValue(row.def->ctrlId, row.value);
    }
}

void ValueDisplay::ShowChangedValues() {
    const auto& table = table_;
    for (size_t i = 0; i < table.Size(); ++i) {
        const auto& row = table.Row(i);
        const uint32_t cmd = row.def->cmdId;
        if (row.value != row.committedValue && cmd != protocol::cmd::Unnamed && CameraHas(cmd))
            ShowValue(row.def->ctrlId, row.value);
    }
}

std::string ValueDisplay::FormatLinePeriod(int32_t period) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2fus", period / 100.0);
    return buffer;
}

std::string ValueDisplay::FormatLineFrequency(int32_t period) {
    // No line period, no frequency: 1 / 0 would read "infhz".
    if (period == 0) return "-";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.4fhz", 1.0 / (period / 100000000.0));
    return buffer;
}

void ValueDisplay::ShowLineRate() {
    const int32_t period = table_.GetDataValue(protocol::id::kLineRate);
    controls_.SetText(protocol::id::kLinePeriodText, FormatLinePeriod(period));
    controls_.SetText(protocol::id::kLineFrequencyText, FormatLineFrequency(period));
}

}  // namespace vr::ui
