#include "calibration/ResultTables.h"

namespace vr::calibration {
namespace {

constexpr ResultEntry kWhiteBalance[] = {
    {1, "Succeeded"},
    {2, "Error1 - G image was too bright"},
    {3, "Error2 - G image was too dark"},
    {4, "Error3 - Timeout-error occurred"},
    {5, "IDLE"},
};

constexpr ResultEntry kGainAuto[] = {
    {1, "Succeeded"},
    {2, "Timeout-error occurred"},
    {3, "Control Limit"},
    {4, "IDLE"},
};

constexpr ResultEntry kRecalibration[] = {
    {0, "Busy"}, {1, "Succeeded"}, {2, "Too Bright"}, {3, "Too Dark"}, {4, "Timeout Error"},
};

constexpr ResultEntry kShading[] = {
    {0, "Condition_Error"}, {1, "Too Dark"}, {2, "Too Bright"}, {3, "Correction Limit"}, {4, "Complete"},
};

}  // namespace

std::span<const ResultEntry> ResultRows(ResultTable table) {
    switch (table) {
        case ResultTable::WhiteBalance:
            return kWhiteBalance;
        case ResultTable::GainAuto:
            return kGainAuto;
        case ResultTable::Recalibration:
            return kRecalibration;
        case ResultTable::Shading:
            return kShading;
    }
    return {};
}

std::string ResultText(ResultTable table, int32_t code) {
    for (const auto& row : ResultRows(table))
        if (row.code == code) return row.text;
    return kUnknownResult;
}

}  // namespace vr::calibration
