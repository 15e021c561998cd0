#include "sim/VirtualCamera.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <utility>

#include "protocol/CommandIds.h"
#include "protocol/Numbers.h"
#include "protocol/ParameterTable.h"
#include "sim/CameraConstants.h"
#include "sim/CameraReplies.h"
#include "sim/ComboValues.h"
#include "sim/StoredSettings.h"

namespace vr::sim {

namespace id = protocol::cmd;
namespace {

using protocol::ControlKind;
using protocol::ParameterDef;
using protocol::ParameterDefs;
using namespace camera;

constexpr size_t kMaxModelNameChars = 32;
constexpr size_t kMaxDeviceVersionChars = 16;
// Lines that arrive while a function runs are kept up to this many, as a UART's buffer would.
constexpr size_t kMaxWaitingLines = 64;

using protocol::NumberParse;
using protocol::ParseWholeNumber;

std::string Trim(const std::string& s) {
    size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    size_t e = s.find_last_not_of(' ');
    return s.substr(b, e - b + 1);
}

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

int32_t Clamp(int64_t v, int32_t lo, int32_t hi) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, lo, hi));
}

std::vector<std::string> One(const char* text) {
    return {text};
}

}  // namespace

VirtualCamera::VirtualCamera(const SimOptions& options)
    : VirtualCamera(options, [] { return std::chrono::steady_clock::now(); }) {}

VirtualCamera::VirtualCamera(const SimOptions& options, ClockSource clock)
    : options_(options),
      clock_(std::move(clock)),
      kind_(KindFromOption(options.model).value_or(CameraKind::KA)),
      rate_(RateToCode(options.startRate) != 0 ? options.startRate : kBootRate) {
    // The kinds are read once, here on the caller's thread: the engine changes a kind for the
    // length of a text send, and the camera may run on another thread.
    for (uint32_t id = 0; id < protocol::kCommandCount; ++id)
        isText_[id] = protocol::GetValueKind(id) == protocol::ValueKind::Text;
    for (auto& name : options_.refuse) name = Upper(name);
    for (auto& name : options_.refuseQuery) name = Upper(name);
    modelName_ = sim::ModelName(kind_);
    BuildRules();
    FactoryReset();
    overlongPending_ = options.overlong;
    Boot(rate_);
}

void VirtualCamera::BuildRules() {
    rules_.fill(Rule{});
    rules_[id::Unnamed].access = Access::Unknown;
    const ParameterDef* defs = ParameterDefs();
    for (size_t row = 0; row < protocol::kParameterRowCount; ++row) {
        const ParameterDef& d = defs[row];
        if (d.cmdId == id::Unnamed) continue;
        Rule& r = rules_[d.cmdId];
        if (d.controlKind == ControlKind::SpinEdit) {
            r.minValue = d.minValue;
            r.maxValue = d.maxValue;
        } else if (d.controlKind == ControlKind::Combo) {
            r.codes = ComboValues(d.ctrlId, kind_);
        } else {
            r.access = Access::WriteOnly;
            r.codes = {0};
        }
    }
    auto range = [this](uint32_t first, uint32_t count, int32_t lo, int32_t hi) {
        for (uint32_t i = first; i < first + count; ++i) rules_[i] = Rule{Access::ReadWrite, lo, hi, {}};
    };
    auto codes = [this](uint32_t first, uint32_t count, std::vector<int32_t> values) {
        for (uint32_t i = first; i < first + count; ++i) rules_[i] = Rule{Access::ReadWrite, 0, 0, values};
    };
    // The tables hold 256 entries; the index goes no further than the last.
    range(id::LUTIG, 3, 0, kLutSize - 1);
    rules_[id::CBDRT].codes = {1, 2, 4, 8, 16};
    codes(id::CACSM, 4, {0, 1});
    range(id::CACR, 16, -80, 80);
    codes(id::CACMT, 4, {0, 1, 2});
    range(id::RatioLeftRed, id::CoeffLeftRed - id::RatioLeftRed, -1000, 1000);
    range(id::CoeffLeftRed, 16, 10, 100);
    range(id::SDDS, 1, 0, 2);
    range(id::SDDI, 1, 1, kShadingSize);
    range(id::SDD, 1, 0, kShadingMax);
    range(id::XMLVR, 1, 0, 999);
    codes(id::EB, 1, {0, 1});
    for (uint32_t i : {id::VN,    id::FPVN,  id::DVN,   id::MD,    id::DV,    id::ID,   id::LRMIN,
                       id::PEMAX, id::PEMIN, id::TMP0,  id::AGCS,  id::AWRS,  id::AHRS, id::SDRS,
                       id::PGS,   id::PBS,   id::SDS00, id::PGS00, id::PBS00, id::EA,   id::ST})
        rules_[i].access = Access::ReadOnly;
    for (uint32_t n = 0; n < 4; ++n) {
        rules_[id::CV + 5 * n].access = Access::ReadOnly;
        rules_[id::CS + 5 * n].access = Access::ReadOnly;
        rules_[id::CR + 5 * n] = Rule{Access::WriteOnly, 0, 0, {0}};
    }
    rules_[id::CRS00] = Rule{Access::WriteOnly, 0, 0, {1}};
    rules_[id::LD] = Rule{Access::WriteOnly, 0, 3, {}};
    rules_[id::SA] = Rule{Access::WriteOnly, 1, 3, {}};
    for (uint32_t i : {id::ULCK, id::ID00, id::MD00, id::DV00}) rules_[i].access = Access::WriteOnly;
    for (uint32_t i : {id::SDDU, id::SDDA, id::SDR00}) rules_[i] = Rule{Access::WriteOnly, 0, 0, {0}};
}

void VirtualCamera::FactoryReset() {
    regs_.fill(0);
    const ParameterDef* defs = ParameterDefs();
    for (size_t row = 0; row < protocol::kParameterRowCount; ++row)
        if (defs[row].cmdId != id::Unnamed && defs[row].controlKind != ControlKind::Button)
            regs_[defs[row].cmdId] = defs[row].defaultValue;
    regs_[id::LR] = kFactoryLinePeriod;
    for (uint32_t i : {id::PE, id::PER, id::PEG, id::PEB}) regs_[i] = kFactoryExposure;
    regs_[id::SDDI] = 1;
    regs_[id::XMLVR] = kFactoryXmlVersion;
    for (uint32_t i = id::CoeffLeftRed; i <= id::CacLast; ++i) regs_[i] = kFactoryCoefficient;
    for (int lens = 0; lens < 4; ++lens) RecomputeRatios(lens);
    cacFlash_ = regs_;

    // An identity table: entry i gives the input level i on the 12-bit scale.
    for (auto& colour : lut_)
        for (int i = 0; i < kLutSize; ++i) colour[i] = i == kLutSize - 1 ? 4095 : 16 * i;
    for (int a = 0; a < 4; ++a) {
        areas_[a].values = regs_;
        areas_[a].lut = lut_;
    }
    for (auto& table : shading_)
        for (auto& plane : table) plane.fill(kShadingUnity);
    shadingFlash_ = shading_;
    updateArea_ = 1;
    cameraId_ = kFactoryCameraId;
    userId_ = kFactoryUserId;
    deviceVersion_ = kFactoryDeviceVersion;
}

int VirtualCamera::BootArea() const {
    return regs_[id::BAS00] == 1 ? updateArea_ : 0;
}

void VirtualCamera::Boot(uint32_t rate) {
    rate_ = rate;
    restartAt_.reset();
    job_.reset();
    waiting_.clear();
    unlocked_ = false;
    const int area = BootArea();
    LoadArea(area, true);
    currentArea_ = area;
    for (uint32_t i = id::CacFirst; i <= id::CacLast; ++i) regs_[i] = cacFlash_[i];
    shading_ = shadingFlash_;
    stagingSlot_ = -1;
    for (uint32_t i : {id::LUTIG, id::LUTIR, id::LUTIB, id::SDDS, id::EB, id::HP, id::SBDRT, id::ST00, id::GA00,
                       id::PGC00, id::PBC00, id::AGC})
        regs_[i] = 0;
    regs_[id::SDDI] = 1;
    // A one-push mode never survives a restart; the presets do.
    if (regs_[id::AWB] == 2 || regs_[id::AWB] == 4) regs_[id::AWB] = 0;
    regs_[id::AWRS] = kWhiteBalanceIdle;
    regs_[id::AHRS] = kWhiteBalanceIdle;
    regs_[id::AGCS] = kGainAutoIdle;
    regs_[id::SDRS] = kShadingOk;  // the factory calibrated the shading before shipping
    const TimePoint now = Now();
    statuses_.clear();
    for (uint32_t s : {id::PGS, id::PBS, id::PGS00, id::PBS00}) statuses_[s] = Status{kRecalibrateOk, now};
    statuses_[id::SDS00] = Status{kShadingOk, now};
    for (uint32_t n = 0; n < 4; ++n) {
        counters_[n].counted = 0;
        counters_[n].since = regs_[id::CE + 5 * n] != 0 ? std::optional<TimePoint>(now) : std::nullopt;
    }
    bootTime_ = now;
}

void VirtualCamera::StoreArea(int area, bool withFactory) {
    for (uint32_t i : StoredUserIds()) areas_[area].values[i] = regs_[i];
    if (withFactory)
        for (uint32_t i : StoredFactoryIds()) areas_[area].values[i] = regs_[i];
    areas_[area].lut = lut_;
}

void VirtualCamera::LoadArea(int area, bool withFactory) {
    for (uint32_t i : StoredUserIds()) regs_[i] = areas_[area].values[i];
    if (withFactory)
        for (uint32_t i : StoredFactoryIds()) regs_[i] = areas_[0].values[i];
    lut_ = areas_[area].lut;
    stagingSlot_ = -1;
    FoldCounters();
    for (uint32_t n = 0; n < 4; ++n) {
        const bool on = regs_[id::CE + 5 * n] != 0;
        if (on && !counters_[n].since) counters_[n].since = Now();
        if (!on) counters_[n].since.reset();
    }
    AfterFormatChange();
}

bool VirtualCamera::Listening() const {
    return !(restartAt_ && Now() < *restartAt_);
}

uint32_t VirtualCamera::CurrentRate() const {
    return rate_;
}

std::optional<VirtualCamera::TimePoint> VirtualCamera::NextEventTime() const {
    if (hung_) return std::nullopt;
    std::optional<TimePoint> next = restartAt_;
    if (job_ && (!next || job_->due < *next)) next = job_->due;
    return next;
}

void VirtualCamera::Advance() {
    const TimePoint now = Now();
    if (restartAt_ && now >= *restartAt_) Boot(kBootRate);
    while (job_ && now >= job_->due) {
        auto finish = std::move(job_->finish);
        job_.reset();
        finish();
        outbox_.push_back(kReplyComplete);
        while (!job_ && !restartAt_ && !waiting_.empty()) {
            std::string line = std::move(waiting_.front());
            waiting_.pop_front();
            ProcessLine(line);
        }
        if (restartAt_) waiting_.clear();
    }
}

bool VirtualCamera::HangsAt(const std::string& line) {
    if (hung_) return true;
    if (options_.hangAtCommand.empty()) return false;
    const std::string name = Upper(Trim(line.substr(0, line.find_first_of("=?"))));
    if (name != Upper(options_.hangAtCommand) || ++hangAtSeen_ < options_.hangAtCount) return false;
    hung_ = true;
    outbox_.clear();
    return true;
}

std::vector<std::string> VirtualCamera::HandleLine(const std::string& line) {
    if (HangsAt(line)) return {};
    Advance();
    if (restartAt_) return std::exchange(outbox_, {});
    if (job_) {
        if (waiting_.size() < kMaxWaitingLines) waiting_.push_back(line);
        return std::exchange(outbox_, {});
    }
    ProcessLine(line);
    Advance();  // a function without delay ends at once
    return std::exchange(outbox_, {});
}

std::vector<std::string> VirtualCamera::Poll() {
    if (hung_) return {};
    Advance();
    return std::exchange(outbox_, {});
}

void VirtualCamera::StartJob(int delayMs, std::function<void()> finish) {
    job_ = Job{Now() + std::chrono::milliseconds(delayMs), std::move(finish)};
}

void VirtualCamera::ProcessLine(const std::string& line) {
    if (regs_[id::EB] == 1) outbox_.push_back(line);
    const size_t sep = line.find_first_of("=?");
    if (Trim(line).empty()) return;
    auto reply = [this](std::vector<std::string> lines) {
        for (auto& l : lines) outbox_.push_back(std::move(l));
    };
    if (sep == std::string::npos) return reply(One(kErrorSyntax));
    const std::string name = Upper(Trim(line.substr(0, sep)));
    const int32_t found = name.empty() ? -1 : protocol::FindCommand(name);
    if (found < 0 || rules_[found].access == Access::Unknown) return reply(One(kErrorUnknownCommand));
    const auto cmdId = static_cast<uint32_t>(found);
    if (!IsCommandOnModel(cmdId, kind_)) return reply(One(kErrorNotSupported));
    if (line[sep] == '?') {
        if (!Trim(line.substr(sep + 1)).empty()) return reply(One(kErrorSyntax));
        if (std::find(options_.refuseQuery.begin(), options_.refuseQuery.end(), name) != options_.refuseQuery.end())
            return reply(One(kErrorRefused));
        if (++queriesSeen_ == options_.failQuery) return reply(One(kErrorRefused));
        auto answer = Query(cmdId);
        if (auto status = statuses_.find(cmdId); status != statuses_.end() && status->second.busyReads > 0)
            --status->second.busyReads;
        if (overlongPending_ && answer.size() == 1 && answer[0].find('=') != std::string::npos) {
            overlongPending_ = false;
            // Text after a comma is no part of the value, so only the line's length is wrong.
            answer[0] += ',';
            answer[0].resize(kOverlongReplyBytes, 'X');
        }
        return reply(std::move(answer));
    }
    if (Refused(name, line.substr(sep + 1))) return reply(One(kErrorRefused));
    reply(Set(cmdId, line.substr(sep + 1)));
}

bool VirtualCamera::Refused(const std::string& name, const std::string& valueText) const {
    const std::string value = Upper(Trim(valueText));
    for (const std::string& entry : options_.refuse) {
        const size_t eq = entry.find('=');
        if (eq == std::string::npos ? entry == name : entry.compare(0, eq, name) == 0 && entry.substr(eq + 1) == value)
            return true;
    }
    return false;
}

std::vector<std::string> VirtualCamera::Query(uint32_t cmdId) const {
    if (rules_[cmdId].access == Access::WriteOnly) return One(kErrorWriteOnly);
    auto text = ValueText(cmdId);
    if (!text) return One(kErrorWriteOnly);
    return {protocol::GetCommandName(cmdId) + "=" + *text};
}

std::optional<std::string> VirtualCamera::QueryValue(const std::string& mnemonic) const {
    const int32_t found = protocol::FindCommand(mnemonic);
    if (found < 0 || rules_[found].access == Access::Unknown || rules_[found].access == Access::WriteOnly)
        return std::nullopt;
    if (!IsCommandOnModel(static_cast<uint32_t>(found), kind_)) return std::nullopt;
    return ValueText(static_cast<uint32_t>(found));
}

std::optional<int32_t> VirtualCamera::Value(const std::string& mnemonic) const {
    const int32_t found = protocol::FindCommand(mnemonic);
    if (found < 0 || isText_[found]) return std::nullopt;
    auto text = QueryValue(mnemonic);
    if (!text) return std::nullopt;
    int32_t v = 0;
    if (ParseWholeNumber(*text, v) != NumberParse::Ok) return std::nullopt;
    return v;
}

std::optional<std::string> VirtualCamera::ValueText(uint32_t cmdId) const {
    if (isText_[cmdId]) {
        switch (cmdId) {
            case id::VN:
                return kFirmwareVersion;
            case id::FPVN:
                return kFpgaVersion;
            case id::ID:
                return cameraId_;
            case id::UD:
                return userId_;
            case id::DVN:
                return kVendorName;
            case id::MD:
                return modelName_;
            case id::DV:
                return deviceVersion_;
            default:
                return std::nullopt;
        }
    }
    const TimePoint now = Now();
    int64_t v = regs_[cmdId];
    switch (cmdId) {
        case id::CBDRT:
            v = RateToCode(rate_);
            break;
        case id::LRMIN:
            v = LineRateMin();
            break;
        case id::PEMAX:
            v = ExposureMax();
            break;
        case id::PEMIN:
            v = kExposureMin;
            break;
        case id::TMP0: {
            const auto minutes = std::chrono::duration_cast<std::chrono::minutes>(now - bootTime_).count();
            v = std::min<int64_t>(kMaxTemperature, kStartTemperature + minutes);
            break;
        }
        case id::AGCFV8:
            v = (regs_[id::AGCF] * 255 + 99) / 100;
            break;
        case id::AGCFV:
            v = 4 * ((regs_[id::AGCF] * 255 + 99) / 100);
            break;
        case id::EA:
            v = currentArea_;
            break;
        case id::ST:
            v = job_ ? 1 : 0;
            for (const auto& [statusId, s] : statuses_)
                if (now < s.readyAt || s.busyReads > 0) v = 1;
            break;
        case id::PGS:
        case id::PBS:
        case id::PGS00:
        case id::PBS00:
        case id::SDS00: {
            const Status& s = statuses_.at(cmdId);
            v = now < s.readyAt || s.busyReads > 0 ? kRecalibrateBusy : s.code;
            break;
        }
        case id::LUTR:
            v = lut_[0][regs_[id::LUTIR]];
            break;
        case id::LUTG:
            v = lut_[1][regs_[id::LUTIG]];
            break;
        case id::LUTB:
            v = lut_[2][regs_[id::LUTIB]];
            break;
        case id::SDD: {
            // Staged entries of another slot are forgotten on the next transfer, so read through.
            const auto& table = stagingSlot_ == ShadingSlot() ? staging_ : shading_[ShadingSlot()];
            v = table[regs_[id::SDDS]][regs_[id::SDDI] - 1];
            break;
        }
        default:
            if (cmdId >= id::CE && cmdId < id::CE + 20) {
                const uint32_t n = (cmdId - id::CE) / 5;
                const uint32_t field = (cmdId - id::CE) % 5;
                if (field == id::CV - id::CE) v = std::min<int64_t>(CounterValue(static_cast<int>(n)), INT32_MAX);
                if (field == id::CS - id::CE)
                    v = CounterValue(static_cast<int>(n)) > INT32_MAX ? 4 : (regs_[id::CE + 5 * n] != 0 ? 2 : 0);
            }
            break;
    }
    return std::to_string(v);
}

bool VirtualCamera::InRange(uint32_t cmdId, int32_t v) const {
    const Rule& r = rules_[cmdId];
    if (!r.codes.empty()) return std::find(r.codes.begin(), r.codes.end(), v) != r.codes.end();
    return v >= r.minValue && v <= r.maxValue;
}

std::vector<std::string> VirtualCamera::Set(uint32_t cmdId, const std::string& valueText) {
    if (rules_[cmdId].access == Access::ReadOnly) return One(kErrorReadOnly);
    if (isText_[cmdId]) return SetText(cmdId, valueText);
    int32_t v = 0;
    switch (ParseWholeNumber(Trim(valueText), v)) {
        case NumberParse::Syntax:
            return One(kErrorSyntax);
        case NumberParse::Overflow:
            return One(kErrorOutOfRange);
        case NumberParse::Ok:
            break;
    }
    if (cmdId == id::ULCK) {
        unlocked_ = v == kUnlockKey;
        return One(unlocked_ ? kReplyComplete : kErrorInvalidKey);
    }
    if (!InRange(cmdId, v)) return One(kErrorOutOfRange);
    return SetInteger(cmdId, v);
}

std::vector<std::string> VirtualCamera::SetText(uint32_t cmdId, const std::string& text) {
    switch (cmdId) {
        case id::UD:
            if (text.size() > kMaxUserIdChars) return One(kErrorTooLong);
            userId_ = text;
            break;
        case id::ID00:
            if (!unlocked_) return One(kErrorLocked);
            if (text.size() > kMaxCameraIdChars) return One(kErrorTooLong);
            cameraId_ = text;
            unlocked_ = false;  // each write of the camera ID needs its own unlock
            break;
        case id::MD00: {
            if (text.empty()) return One(kErrorOutOfRange);
            if (text.size() > kMaxModelNameChars) return One(kErrorTooLong);
            modelName_ = text;
            // The model name decides the firmware's personality; an unknown name keeps the old one.
            if (auto k = KindFromName(text); k && *k != kind_) {
                kind_ = *k;
                BuildRules();
            }
            break;
        }
        case id::DV00:
            if (text.size() > kMaxDeviceVersionChars) return One(kErrorTooLong);
            deviceVersion_ = text;
            break;
        default:
            return One(kErrorReadOnly);
    }
    FlashChanged();
    return One(kReplyComplete);
}

std::vector<std::string> VirtualCamera::SetInteger(uint32_t cmdId, int32_t v) {
    const std::vector<std::string> done = One(kReplyComplete);
    switch (cmdId) {
        case id::CBDRT:
            // The answer still goes out at the old rate; the pty server takes the rate before the line.
            rate_ = CodeToRate(v);
            return done;
        case id::CRS00:
            restartAt_ = Now() + std::chrono::milliseconds(options_.resetMs);
            rate_ = kBootRate;
            return done;
        case id::WTC:
        case id::OFC:
        case id::HB:
        case id::AWBW:
        case id::AWBO:
            return SetGeometry(cmdId, v);
        case id::PE:
        case id::PER:
        case id::PEG:
        case id::PEB:
            return SetExposure(cmdId, v);
        case id::LR:
            if (v < LineRateMin()) return One(kErrorOutOfRange);
            FoldCounters();
            regs_[id::LR] = v;
            AfterFormatChange();
            return done;
        case id::BA:
        case id::CLCFG:
        case id::CLCF:
        case id::LROP:
            regs_[cmdId] = v;
            AfterFormatChange();
            return done;
        case id::AGCFV:
            regs_[id::AGCF] = Clamp((v / 4) * 100 / 255, 30, 95);
            return done;
        case id::AGCFV8:
            regs_[id::AGCF] = Clamp(v * 100 / 255, 30, 95);
            return done;
        case id::AWB:
            if (v == 2) {
                StartJob(options_.awbMs, [this] { FinishWhiteBalance(); });
                return {};
            }
            if (v == 4) {
                StartJob(options_.awbMs, [this] { FinishExposureWhiteBalance(); });
                return {};
            }
            if (v >= 5) {
                // The presets take the factory's red and blue gains for their colour temperature.
                regs_[id::GAR] = regs_[id::WB0R + 2 * static_cast<uint32_t>(v - 5)];
                regs_[id::GAB] = regs_[id::WB0B + 2 * static_cast<uint32_t>(v - 5)];
            }
            regs_[id::AWB] = v;
            return done;
        case id::AGC:
            if (v == 2) {
                StartJob(options_.agcMs, [this] { FinishGainAuto(); });
                return {};
            }
            regs_[id::AGC] = v;
            return done;
        case id::RS:
            StartJob(options_.shadingMs, [this] { FinishShading(); });
            return {};
        case id::AS:
            StartJob(2 * options_.awbMs + options_.shadingMs + options_.agcMs, [this] {
                FinishWhiteBalance();
                if (regs_[id::AWRS] != kWhiteBalanceOk && regs_[id::AWRS] != 4) return;
                FinishShading();
                if (regs_[id::SDRS] != kShadingOk) return;
                FinishWhiteBalance();
                if (regs_[id::AWRS] != kWhiteBalanceOk && regs_[id::AWRS] != 4) return;
                FinishGainAuto();
            });
            return {};
        case id::PGR:
        case id::PGR00: {
            const int32_t natural = SceneCode(kRecalibrateBright, kRecalibrateDark, kRecalibrateOk);
            StartStatus(cmdId == id::PGR ? id::PGS : id::PGS00, options_.pixelGainResult, natural);
            return done;
        }
        case id::PBR:
        case id::PBR00:
            // Pixel black is calibrated with the lens capped, so the scene does not matter.
            StartStatus(cmdId == id::PBR ? id::PBS : id::PBS00, options_.pixelBlackResult, kRecalibrateOk);
            return done;
        case id::SDR00:
            StartStatus(id::SDS00, options_.shadingResult, kShadingOk);
            return done;
        case id::CACS:
            for (uint32_t i = id::CacFirst; i <= id::CacLast; ++i) cacFlash_[i] = regs_[i];
            FlashChanged();
            return done;
        case id::LD:
            StartJob(options_.areaMs, [this, v] {
                LoadArea(v, v == 0);
                currentArea_ = v;
            });
            return {};
        case id::SA:
            StartJob(options_.areaMs, [this, v] {
                StoreArea(v, false);
                updateArea_ = v;
                currentArea_ = v;
                FlashChanged();
            });
            return {};
        case id::SA00:
            StartJob(options_.areaMs, [this] {
                StoreArea(0, true);
                currentArea_ = 0;
                FlashChanged();
            });
            return {};
        case id::BAS00:
        case id::XMLVR:
            regs_[cmdId] = v;
            FlashChanged();
            return done;
        case id::LUTR:
            lut_[0][regs_[id::LUTIR]] = v;
            return done;
        case id::LUTG:
            lut_[1][regs_[id::LUTIG]] = v;
            return done;
        case id::LUTB:
            lut_[2][regs_[id::LUTIB]] = v;
            return done;
        case id::SDD:
            SyncStaging();
            staging_[regs_[id::SDDS]][regs_[id::SDDI] - 1] = v;
            return done;
        case id::SDDU:
            SyncStaging();
            shading_[ShadingSlot()] = staging_;
            return done;
        case id::SDDA:
            shadingFlash_ = shading_;
            FlashChanged();
            return done;
        case id::SDM:
            // Another slot: transfers start over from that slot's table.
            if (std::clamp(v, 1, kShadingSlots) - 1 != ShadingSlot()) stagingSlot_ = -1;
            regs_[cmdId] = v;
            return done;
        default:
            break;
    }
    if (cmdId >= id::CACMT && cmdId < id::CACMT + 4) {
        regs_[cmdId] = v;
        RecomputeRatios(static_cast<int>(cmdId - id::CACMT));
        return done;
    }
    if (cmdId >= id::CoeffLeftRed && cmdId <= id::CacLast) {
        regs_[cmdId] = v;
        RecomputeRatios(static_cast<int>((cmdId - id::CoeffLeftRed) % 4));
        return done;
    }
    if (cmdId >= id::RatioLeftRed && cmdId < id::CoeffLeftRed) {
        // A ratio set by hand makes the lens's method "Custom".
        regs_[cmdId] = v;
        const uint32_t lens =
            cmdId < id::RatioRightRed ? ((cmdId - id::RatioLeftRed) / 9) % 4 : ((cmdId - id::RatioRightRed) / 8) % 4;
        regs_[id::CACMT + lens] = 2;
        return done;
    }
    if (cmdId >= id::CE && cmdId < id::CE + 20) {
        const uint32_t n = (cmdId - id::CE) / 5;
        if (cmdId == id::CE + 5 * n) {
            FoldCounters();
            regs_[cmdId] = v;
            if (v != 0 && !counters_[n].since) counters_[n].since = Now();
            if (v == 0) counters_[n].since.reset();
            return done;
        }
        if (cmdId == id::CR + 5 * n) {
            counters_[n].counted = 0;
            if (counters_[n].since) counters_[n].since = Now();
            return done;
        }
    }
    regs_[cmdId] = v;
    return done;
}

}  // namespace vr::sim
