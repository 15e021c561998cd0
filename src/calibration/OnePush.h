#pragma once
// The camera's one-push functions: white balance and exposure white balance once, gain auto once,
// shading calibration, the four pixel recalibrations and the Auto Setting sequence. The camera does
// the work; the tool starts each function with one command, waits the way the function needs,
// reads the camera's result code and tells the operator its text, and re-reads the values the
// function changed.
//
// Every wait runs through one long operation with the function's name and its elapsed time. The
// recalibrations' status polls are bounded by their start command's own time-out, counted from the
// start; a status that goes unanswered several times in a row ends the poll too.

#include <chrono>
#include <cstdint>
#include <initializer_list>
#include <string>

#include "calibration/OnePushResult.h"
#include "calibration/OnePushTiming.h"
#include "calibration/ResultTables.h"
#include "calibration/WaitClock.h"

namespace vr::camera {
struct Services;
}
namespace vr::camera {
class CameraSession;
}

namespace vr::calibration {

// What the one-push functions do on a window that shows the camera's values.
class IOnePushScreen {
public:
    virtual ~IOnePushScreen() = default;
    // A value the function re-read, in the table already.
    virtual void ShowValue(uint32_t ctrlId, int32_t value) = 0;
    // The value a list shows (the operator's pick).
    virtual int32_t ListValue(uint32_t listId) = 0;
    // The table's values that differ from their committed ones.
    virtual void ShowChangedValues() = 0;
    // Sends the changed values (a refusal told in the screen's own words); true when all were taken.
    virtual bool WriteChangedValues() = 0;
};

class OnePushWait;
struct RecalibrationRow;

class OnePush {
public:
    // Without a screen (nullptr) the lists' values are the table's.
    OnePush(camera::CameraSession& session, IOnePushScreen* screen, IWaitClock& clock,
            const OnePushTiming& timing = OnePushTiming());
    OnePush(const OnePush&) = delete;
    OnePush& operator=(const OnePush&) = delete;

    // The white balance "Mode" list (1408) was set to `index`: "Once" starts white balance once;
    // "Exposure Once" (index 2 on every model but the VR-8200-KB) starts exposure white balance
    // once; the other items are sent as the mode.
    OnePushResult WhiteBalanceSelection(int index);
    // The "Gain Auto" list (1173): "Once" starts gain auto once, "Off" is sent as the mode.
    OnePushResult GainAutoSelection(int index);

    OnePushResult WhiteBalanceOnce();
    OnePushResult ExposureWhiteBalanceOnce();
    OnePushResult GainAutoOnce();
    OnePushResult ShadingCalibration();
    OnePushResult PixelGainRecalibration();
    OnePushResult PixelBlackRecalibration();
    OnePushResult FactoryPixelGainRecalibration();
    OnePushResult FactoryPixelBlackRecalibration();
    OnePushResult AutoSetting();

    // Whether the white balance list carries "Exposure Once" at index 2 for the connected model.
    bool HasExposureOnce() const;

    // Puts the elapsed time of the running function on screen; nothing when none runs. The desktop
    // tool calls it from a timer, which runs while the engine waits for a long reply.
    void Tick();

private:
    OnePushResult Recalibrate(const RecalibrationRow& row);
    // Auto Setting's white balance (steps 1 and 2, 5 and 6); false when the sequence stops there.
    bool AutoWhiteBalance(OnePushWait& wait, OnePushResult& result, const char* title, const char* abortText);
    // Sends a function's start command; false when the camera refused it or did not answer in time.
    bool Start(uint32_t cmdId, int32_t value, std::chrono::milliseconds timeout);
    // Ends the wait after a start command failed, keeping the engine's account of the failure. When
    // the operator stopped waiting for it, says so in a box with `title` and returns true; false
    // leaves telling the operator to the caller.
    bool StartFailed(OnePushWait& wait, OnePushResult& result, const std::string& title);
    // Reads a result code into `result`: its text, and whether it is the function's success code.
    void ReadResult(OnePushResult& result, uint32_t cmdId, ResultTable table, int32_t successCode);
    // A plain list item: the value is sent and committed; a refusal is not undone.
    OnePushResult SendListValue(uint32_t listId);

    // Queries a result code; false when the camera did not answer.
    bool QueryCode(uint32_t cmdId, int32_t& code);
    // The value of a control's command into the table and on screen; false when unanswered.
    bool Refresh(uint32_t ctrlId);
    void Reread(OnePushResult& result, std::initializer_list<uint32_t> ids, bool commit = true);
    void RereadGains(OnePushResult& result);
    // A box with the function's title, an OK button and no icon; below the text, the values re-read
    // so far ("GAR=3091, GAB=6276").
    void Show(OnePushResult& result, const std::string& title, const std::string& text);
    std::string RereadText(const OnePushResult& result) const;
    // A box with the tool's title and the error icon.
    void Report(OnePushResult& result, const std::string& text);
    std::string NoAnswerText(uint32_t cmdId) const;

    // The list's value on screen, or in the table without one.
    int32_t ListValue(uint32_t listId);

    camera::CameraSession& session_;
    IOnePushScreen* screen_;
    camera::Services& services_;
    IWaitClock& clock_;
    OnePushTiming timing_;
    OnePushWait* running_ = nullptr;  // the wait under way, for Tick
};

}  // namespace vr::calibration
