#pragma once
// The XML version number of the factory page: three one-digit boxes, written to the camera as one
// number and read back digit by digit.

#include <array>
#include <cstdint>
#include <string>

#include "calibration/OnePushTiming.h"

namespace vr::ui {
class CCtrlToolDlg;
class FeatureRouter;
}  // namespace vr::ui

namespace vr::calibration {

class XmlVersion {
public:
    static constexpr uint32_t kBoxes[3] = {1178, 1179, 1180};

    explicit XmlVersion(ui::CCtrlToolDlg& window, const OnePushTiming& timing = OnePushTiming());

    // Sends the number the three boxes make and tells the operator how it went; true when the
    // camera took it.
    bool Write();
    // Queries the number into the three boxes; false (the boxes as they were) when unanswered.
    bool Read(int32_t* version = nullptr);

    // The first character of each box, joined, read as a base-10 number: white space before it
    // skipped, a sign taken, digits up to the first other character; 0 without leading digits.
    static int32_t VersionFromBoxes(const std::array<std::string, 3>& boxes);
    // The hundreds, tens and units of a version as the boxes show them; the first box takes every
    // leading digit of a version of 1000 or more.
    static std::array<std::string, 3> BoxesFromVersion(int32_t version);

    void Register(ui::FeatureRouter& router);

private:
    ui::CCtrlToolDlg& window_;
    OnePushTiming timing_;
};

}  // namespace vr::calibration
