#pragma once
// The XML version number of the factory page: three one-digit boxes, written to the camera as one
// number and read back digit by digit.

#include <array>
#include <cstdint>
#include <string>

#include "calibration/OnePushTiming.h"

namespace vr::camera {
class CameraSession;
}

namespace vr::calibration {

// The three boxes on screen (the factory page's), or wherever else the digits are kept.
class IVersionBoxes {
public:
    virtual ~IVersionBoxes() = default;
    virtual std::array<std::string, 3> VersionTexts() const = 0;
    virtual void ShowVersionTexts(const std::array<std::string, 3>& texts) = 0;
};

// Digits kept without a window (the command-line tool).
class PlainVersionBoxes : public IVersionBoxes {
public:
    std::array<std::string, 3> VersionTexts() const override { return texts_; }
    void ShowVersionTexts(const std::array<std::string, 3>& texts) override { texts_ = texts; }

private:
    std::array<std::string, 3> texts_;
};

class XmlVersion {
public:
    XmlVersion(camera::CameraSession& session, IVersionBoxes& boxes, const OnePushTiming& timing = OnePushTiming());

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

private:
    camera::CameraSession& session_;
    IVersionBoxes& boxes_;
    OnePushTiming timing_;
};

}  // namespace vr::calibration
