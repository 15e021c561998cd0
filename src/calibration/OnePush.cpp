#include "calibration/OnePush.h"

#include "calibration/OnePushWait.h"
#include "camera/CameraSession.h"
#include "camera/ModelCommands.h"
#include "camera/Services.h"
#include "camera/WaitCancel.h"
#include "platform/Platform.h"
#include "protocol/Command.h"
#include "protocol/CommandIds.h"
#include "protocol/ControlIds.h"
#include "protocol/ParameterTable.h"

namespace vr::calibration {

namespace cmd = protocol::cmd;
namespace id = protocol::id;
using std::chrono::milliseconds;

// A recalibration the camera runs on its own after its start command, reporting a status that
// reads 0 ("Busy") until it is done.
struct RecalibrationRow {
    uint32_t startCmd;
    uint32_t statusCmd;
    milliseconds OnePushTiming::*limit;  // the start command's time-out, also the bound of the poll
    const char* name;                    // in the progress window
    const char* title;                   // of the result
    const char* failedStart;             // reported when the start fails; none for the factory ones
};

namespace {

constexpr RecalibrationRow kPixelGain{cmd::PGR,
                                      cmd::PGS,
                                      &OnePushTiming::pixelStart,
                                      "Pixel gain recalibration",
                                      "Recalibrate Pixel Gain",
                                      "Recalibrate Pixel Gain (Tool: PGR Command Timeout)"};
constexpr RecalibrationRow kPixelBlack{cmd::PBR,
                                       cmd::PBS,
                                       &OnePushTiming::pixelStart,
                                       "Pixel black recalibration",
                                       "Recalibrate Pixel Black",
                                       "Recalibrate Pixel Black (Tool: PBR Command Timeout)"};
constexpr RecalibrationRow kFactoryPixelGain{cmd::PGR00,
                                             cmd::PGS00,
                                             &OnePushTiming::factoryPixelStart,
                                             "Factory pixel gain recalibration",
                                             "Recalibrate Pixel Gain (Factory)",
                                             nullptr};
constexpr RecalibrationRow kFactoryPixelBlack{cmd::PBR00,
                                              cmd::PBS00,
                                              &OnePushTiming::factoryPixelStart,
                                              "Factory pixel black recalibration",
                                              "Recalibrate Pixel Black (Factory)",
                                              nullptr};

constexpr int kWhiteBalanceOnceIndex = 1;
constexpr int kExposureOnceIndex = 2;
constexpr int kGainAutoOnceIndex = 1;
// The "AWB" and "AGC" values that start the functions.
constexpr int32_t kStartWhiteBalance = 2;
constexpr int32_t kStartExposureWhiteBalance = 4;
constexpr int32_t kStartGainAuto = 2;
constexpr int kAutoSettingSteps = 4;
constexpr const char* kAutoSettingTitle = "Auto Setting";

long long Seconds(milliseconds d) {
    return std::chrono::duration_cast<std::chrono::seconds>(d).count();
}

// Makes the wait under way known to Tick for as long as the handler runs.
class RunningScope {
public:
    RunningScope(OnePushWait*& slot, OnePushWait& wait) : slot_(slot) { slot_ = &wait; }
    ~RunningScope() { slot_ = nullptr; }
    RunningScope(const RunningScope&) = delete;
    RunningScope& operator=(const RunningScope&) = delete;

private:
    OnePushWait*& slot_;
};

}  // namespace

OnePush::OnePush(camera::CameraSession& session, IOnePushScreen* screen, IWaitClock& clock, const OnePushTiming& timing)
    : session_(session), screen_(screen), services_(session.Services()), clock_(clock), timing_(timing) {}

int32_t OnePush::ListValue(uint32_t listId) {
    return screen_ != nullptr ? screen_->ListValue(listId) : services_.table.GetDataValue(listId);
}

void OnePush::Tick() {
    if (running_ != nullptr) running_->Tick();
}

bool OnePush::HasExposureOnce() const {
    return services_.model.kind != camera::kModelKB;
}

// ---- camera access ------------------------------------------------------------------------------

bool OnePush::Start(uint32_t cmdId, int32_t value, milliseconds timeout) {
    return services_.engine.SendCommandInt(cmdId, value, timeout) == 1;
}

bool OnePush::QueryCode(uint32_t cmdId, int32_t& code) {
    return services_.engine.QueryInt(cmdId, code, timing_.resultQuery) == 1;
}

bool OnePush::StartFailed(OnePushWait& wait, OnePushResult& result, const std::string& title) {
    const protocol::Failure& failure = services_.engine.LastFailure();
    wait.Finish();
    if (failure.kind != protocol::FailureKind::Cancelled) {
        result.end = OnePushEnd::StartFailed;
        result.failure = failure.Describe();
        return false;
    }
    // The operator stopped waiting for the start command: the camera may still be at work, so its
    // result is unknown and nothing more is asked of it (a hung camera would only keep the tool
    // waiting again).
    result.end = OnePushEnd::Stopped;
    result.succeeded = false;
    Show(result, title, camera::WaitCancel::StoppedText(failure.command));
    return true;
}

void OnePush::ReadResult(OnePushResult& result, uint32_t cmdId, ResultTable table, int32_t successCode) {
    int32_t code = 0;
    if (!QueryCode(cmdId, code)) {
        // After an unanswered query there is no code to look up, and none to guess.
        result.end = OnePushEnd::NoAnswer;
        result.succeeded = false;
        result.text = NoAnswerText(cmdId);
        return;
    }
    result.end = OnePushEnd::Result;
    result.code = code;
    result.succeeded = code == successCode;
    result.text = ResultText(table, code);
}

bool OnePush::Refresh(uint32_t ctrlId) {
    const int32_t cmdId = services_.table.ToCmdId(ctrlId);
    if (cmdId < 0) return false;
    int32_t value = 0;
    if (services_.engine.QueryInt(static_cast<uint32_t>(cmdId), value, timing_.resultQuery) != 1) return false;
    services_.table.SetDataValue(ctrlId, value);
    if (screen_ != nullptr) screen_->ShowValue(ctrlId, value);
    return true;
}

void OnePush::Reread(OnePushResult& result, std::initializer_list<uint32_t> ids, bool commit) {
    for (uint32_t ctrlId : ids)
        if (Refresh(ctrlId)) result.reread.push_back(ctrlId);
    if (commit) services_.table.CommitDataValues();
}

void OnePush::RereadGains(OnePushResult& result) {
    Reread(result, {id::kGainRed, id::kGainBlue, id::kGainGreen});
}

void OnePush::Show(OnePushResult& result, const std::string& title, const std::string& text) {
    result.title = title;
    result.text = text;
    const std::string values = RereadText(result);
    const std::string told = values.empty() ? text : text + "\n\n" + values;
    services_.platform.MessageBox(told, title, platform::MsgIcon::None);
    // With the values re-read, as the operator saw them.
    session_.TellOnePush(title, told, result.succeeded);
}

std::string OnePush::RereadText(const OnePushResult& result) const {
    std::string text;
    for (uint32_t ctrlId : result.reread) {
        const int32_t cmdId = services_.table.ToCmdId(ctrlId);
        if (cmdId < 0) continue;
        if (!text.empty()) text += ", ";
        text += protocol::GetCommandName(static_cast<uint32_t>(cmdId)) + "=" +
                std::to_string(services_.table.GetDataValue(ctrlId));
    }
    return text;
}

void OnePush::Report(OnePushResult& result, const std::string& text) {
    result.title = platform::kAppTitle;
    result.text = text;
    services_.platform.MessageBox(text, platform::kAppTitle, platform::MsgIcon::Error);
    session_.TellOnePush(platform::kAppTitle, text, false);
}

std::string OnePush::NoAnswerText(uint32_t cmdId) const {
    const protocol::Failure& failure = services_.engine.LastFailure();
    if (failure.kind == protocol::FailureKind::Cancelled) return camera::WaitCancel::StoppedText(failure.command);
    if (failure.kind == protocol::FailureKind::LinkLost)
        return "No result: the line to the camera went away while waiting for " + protocol::GetCommandName(cmdId);
    return "No result: the camera did not answer " + protocol::GetCommandName(cmdId);
}

// ---- the lists ------------------------------------------------------------------------------------

OnePushResult OnePush::WhiteBalanceSelection(int index) {
    if (index == kWhiteBalanceOnceIndex) return WhiteBalanceOnce();
    // On the VR-8200-KB index 2 is "Preset 5000K": its list has no "Exposure Once".
    if (index == kExposureOnceIndex && HasExposureOnce()) return ExposureWhiteBalanceOnce();
    return SendListValue(id::kWhiteBalance);
}

OnePushResult OnePush::GainAutoSelection(int index) {
    if (index == kGainAutoOnceIndex) return GainAutoOnce();
    return SendListValue(id::kGainAuto);
}

OnePushResult OnePush::SendListValue(uint32_t listId) {
    OnePushResult result;
    services_.table.SetDataValue(listId, ListValue(listId));
    if (screen_ != nullptr) screen_->ShowChangedValues();
    result.succeeded = screen_ != nullptr ? screen_->WriteChangedValues() : session_.WriteChangedValues();
    // Committed whatever the camera said: these lists are not put back after a refusal.
    services_.table.CommitDataValues();
    return result;
}

// ---- functions read once after their COMPLETE -------------------------------------------------------

OnePushResult OnePush::WhiteBalanceOnce() {
    OnePushResult result;
    {
        OnePushWait wait(services_, clock_, "White balance once", "", timing_.whiteBalanceStart);
        RunningScope running(running_, wait);
        if (!Start(cmd::AWB, kStartWhiteBalance, timing_.whiteBalanceStart)) {
            if (StartFailed(wait, result, "White Balance Once")) return result;
            // The list shows the mode the camera is really in again.
            Reread(result, {id::kWhiteBalance}, false);
            return result;
        }
        ReadResult(result, cmd::AWRS, ResultTable::WhiteBalance, kWhiteBalanceSucceeded);
    }
    // Re-read before the box, so the box can say what the function changed.
    const bool individualGain = ListValue(id::kIndividualGainMode) != 0;
    Reread(result, {id::kWhiteBalance, id::kGainRed, id::kGainBlue, individualGain ? id::kGainGreen : id::kGainAll});
    Show(result, "White Balance Once", result.text);
    return result;
}

OnePushResult OnePush::ExposureWhiteBalanceOnce() {
    OnePushResult result;
    {
        OnePushWait wait(services_, clock_, "Exposure white balance once", "", timing_.whiteBalanceStart);
        RunningScope running(running_, wait);
        if (!Start(cmd::AWB, kStartExposureWhiteBalance, timing_.whiteBalanceStart)) {
            if (StartFailed(wait, result, "White Balance Exposure Once")) return result;
            Reread(result, {id::kWhiteBalance}, false);
            return result;
        }
        ReadResult(result, cmd::AHRS, ResultTable::WhiteBalance, kWhiteBalanceSucceeded);
    }
    Reread(result, {id::kWhiteBalance, id::kExposureTimeR, id::kExposureTimeB});
    Show(result, "White Balance Exposure Once", result.text);
    return result;
}

OnePushResult OnePush::GainAutoOnce() {
    OnePushResult result;
    {
        OnePushWait wait(services_, clock_, "Gain auto once", "", timing_.gainAutoStart);
        RunningScope running(running_, wait);
        if (!Start(cmd::AGC, kStartGainAuto, timing_.gainAutoStart)) {
            if (StartFailed(wait, result, "Gain Auto Once")) return result;
            Reread(result, {id::kGainAuto}, false);
            return result;
        }
        ReadResult(result, cmd::AGCS, ResultTable::GainAuto, kGainAutoSucceeded);
    }
    // Gain auto works on the green gain whatever the individual gain mode.
    Reread(result, {id::kGainAuto, id::kGainRed, id::kGainBlue, id::kGainGreen});
    Show(result, "Gain Auto Once", result.text);
    return result;
}

// ---- shading calibration and the recalibrations ------------------------------------------------------

OnePushResult OnePush::ShadingCalibration() {
    OnePushResult result;
    const char* title = "Shading Calibration";
    {
        OnePushWait wait(services_, clock_, "Shading calibration", "", timing_.shadingStart);
        RunningScope running(running_, wait);
        if (!Start(cmd::RS, 0, timing_.shadingStart)) {
            if (!StartFailed(wait, result, title)) Report(result, "Shading Calibration (Tool: RS Command Timeout)");
            return result;
        }
        // The camera has its result ready a moment after the COMPLETE.
        if (!wait.Pause(timing_.pause)) {
            result.end = OnePushEnd::Stopped;
            result.text = wait.StoppedText();
        } else {
            ReadResult(result, cmd::SDRS, ResultTable::Shading, kShadingComplete);
        }
    }
    Show(result, title, result.text);
    return result;
}

OnePushResult OnePush::PixelGainRecalibration() {
    return Recalibrate(kPixelGain);
}

OnePushResult OnePush::PixelBlackRecalibration() {
    return Recalibrate(kPixelBlack);
}

OnePushResult OnePush::FactoryPixelGainRecalibration() {
    return Recalibrate(kFactoryPixelGain);
}

OnePushResult OnePush::FactoryPixelBlackRecalibration() {
    return Recalibrate(kFactoryPixelBlack);
}

OnePushResult OnePush::Recalibrate(const RecalibrationRow& row) {
    OnePushResult result;
    const milliseconds limit = timing_.*row.limit;
    {
        OnePushWait wait(services_, clock_, row.name, "", limit);
        RunningScope running(running_, wait);
        if (!Start(row.startCmd, 0, limit)) {
            if (!StartFailed(wait, result, row.title) && row.failedStart != nullptr) Report(result, row.failedStart);
            return result;
        }
        int unanswered = 0;
        for (;;) {
            if (!wait.Pause(timing_.pause)) {
                result.end = OnePushEnd::Stopped;
                result.text = wait.StoppedText();
                break;
            }
            int32_t status = kRecalibrationBusy;
            if (QueryCode(row.statusCmd, status)) {
                unanswered = 0;
                if (status != kRecalibrationBusy) {
                    result.end = OnePushEnd::Result;
                    result.code = status;
                    result.succeeded = status == kRecalibrationSucceeded;
                    result.text = ResultText(ResultTable::Recalibration, status);
                    break;
                }
            } else if (services_.engine.LastFailure().kind == protocol::FailureKind::Cancelled) {
                result.end = OnePushEnd::Stopped;
                result.text = NoAnswerText(row.statusCmd);
                break;
            } else if (services_.engine.LastFailure().kind == protocol::FailureKind::LinkLost ||
                       ++unanswered >= timing_.unansweredPolls) {
                // A camera that went away or stopped answering is not busy any more; waiting on would
                // only block the tool until the bound.
                result.end = OnePushEnd::NoAnswer;
                result.text = NoAnswerText(row.statusCmd);
                break;
            }
            // The bound counts from the start command, which may itself have taken most of it.
            if (wait.Elapsed() >= limit) {
                result.end = OnePushEnd::Bound;
                result.text =
                    "No result after " + std::to_string(Seconds(limit)) + " s (the camera still reports Busy)";
                break;
            }
        }
    }
    Show(result, row.title, result.text);
    return result;
}

// ---- Auto Setting -----------------------------------------------------------------------------------

bool OnePush::AutoWhiteBalance(OnePushWait& wait, OnePushResult& result, const char* title, const char* abortText) {
    if (!Start(cmd::AWB, kStartWhiteBalance, timing_.whiteBalanceStart)) {
        if (!StartFailed(wait, result, kAutoSettingTitle)) Report(result, abortText);
        return false;
    }
    ReadResult(result, cmd::AWRS, ResultTable::WhiteBalance, kWhiteBalanceSucceeded);
    // A white balance that ran out of time still leaves a balance the next steps can work from.
    if (result.end == OnePushEnd::Result &&
        (result.code == kWhiteBalanceSucceeded || result.code == kWhiteBalanceTimedOut))
        return true;
    wait.Finish();
    result.succeeded = false;
    RereadGains(result);
    Show(result, title, result.text);
    return false;
}

OnePushResult OnePush::AutoSetting() {
    OnePushResult result;
    OnePushWait wait(services_, clock_, "Auto Setting", "white balance", timing_.whiteBalanceStart, kAutoSettingSteps);
    RunningScope running(running_, wait);
    if (!AutoWhiteBalance(wait, result, "White Balance_1 Once", "Auto Setting White Balance_1 Abort")) return result;

    wait.Begin("shading calibration", timing_.shadingStart, 2);
    if (!Start(cmd::RS, 0, timing_.shadingStart)) {
        if (!StartFailed(wait, result, kAutoSettingTitle)) Report(result, "Shading Calibration Abort");
        return result;
    }
    if (!wait.Pause(timing_.pause)) {
        result.end = OnePushEnd::Stopped;
        const std::string text = wait.StoppedText();
        wait.Finish();
        result.succeeded = false;
        // The first white balance has changed the gains already.
        RereadGains(result);
        Show(result, kAutoSettingTitle, text);
        return result;
    }
    ReadResult(result, cmd::SDRS, ResultTable::Shading, kShadingComplete);
    if (result.end != OnePushEnd::Result || result.code != kShadingComplete) {
        wait.Finish();
        result.succeeded = false;
        RereadGains(result);
        Show(result, "Shading Calibration", result.text);
        return result;
    }

    wait.Begin("white balance", timing_.whiteBalanceStart, 3);
    if (!AutoWhiteBalance(wait, result, "White Balance_2 Once", "Auto Setting White Balance_2 Abort")) return result;

    wait.Begin("gain auto", timing_.gainAutoStart, 4);
    if (!Start(cmd::AGC, kStartGainAuto, timing_.gainAutoStart)) {
        if (!StartFailed(wait, result, kAutoSettingTitle)) Report(result, "Auto Setting Gain Auto Abort");
        return result;
    }
    ReadResult(result, cmd::AGCS, ResultTable::GainAuto, kGainAutoSucceeded);
    wait.Finish();
    RereadGains(result);
    if (result.end == OnePushEnd::NoAnswer || result.succeeded)
        Show(result, kAutoSettingTitle, result.text);
    else
        result.title = kAutoSettingTitle;  // any other gain auto code ends the sequence without a word
    return result;
}

}  // namespace vr::calibration
