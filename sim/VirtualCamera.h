#pragma once
// The virtual camera: a VR-8200-KA or VR-8200-KB as far as a program on its serial line can tell.
// It takes one received line at a time and gives back the lines it answers; it does no I/O of its
// own, so the pty server, the Camera Link library and the tests wrap the same model. Functions that
// take time run against a clock that tests replace, and end when Poll is called after their time.

#include <array>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "protocol/CommandTable.h"
#include "sim/CameraKind.h"
#include "sim/SimOptions.h"

namespace vr::sim {

class VirtualCamera {
public:
    using TimePoint = std::chrono::steady_clock::time_point;
    using ClockSource = std::function<TimePoint()>;

    static constexpr int kLutSize = 256;
    static constexpr int kShadingSize = 1024;
    static constexpr int kShadingSlots = 3;  // "SDM" User1..User3
    static constexpr int32_t kUnlockKey = 6182057;
    static constexpr size_t kMaxUserIdChars = 64;
    static constexpr size_t kMaxCameraIdChars = 10;

    // Runs on the steady clock.
    explicit VirtualCamera(const SimOptions& options);
    VirtualCamera(const SimOptions& options, ClockSource clock);

    // One received line without its line end. Returns every line the camera sends now, oldest
    // first, each without CR LF: the answer to this line, after any answer that fell due before it.
    // A line that arrives while a function runs waits for it; a line during a restart is lost.
    std::vector<std::string> HandleLine(const std::string& line);
    // Lines that fell due since the last call: completions of functions that took time, and the
    // answers to lines that waited for them.
    std::vector<std::string> Poll();
    // When Poll has something to do next; none when nothing is pending.
    std::optional<TimePoint> NextEventTime() const;

    // False while the camera restarts after "CRS00": it hears nothing then.
    bool Listening() const;
    // The line rate the camera's UART runs at, in bit/s.
    uint32_t CurrentRate() const;
    // True while a function that holds back the camera's answers runs.
    bool Busy() const { return job_.has_value(); }
    // True once the camera hung at the line the options name (hangAtCommand); it answers nothing more.
    bool Hung() const { return hung_; }

    CameraKind Kind() const { return kind_; }
    std::string ModelName() const { return modelName_; }
    int CurrentArea() const { return currentArea_; }

    // What a query of the mnemonic would answer after "NAME=", without any side effect; none when
    // the model lacks the command or it cannot be queried.
    std::optional<std::string> QueryValue(const std::string& mnemonic) const;
    // The same read as an integer; none also for text commands.
    std::optional<int32_t> Value(const std::string& mnemonic) const;
    // colour 0 red, 1 green, 2 blue.
    int32_t LutEntry(int colour, int index) const { return lut_[colour][index]; }
    // The table the correction uses: slot 0..2 for "SDM" User1..User3, plane 0 G, 1 R, 2 B.
    int32_t ShadingEntry(int slot, int plane, int index) const { return shading_[slot][plane][index]; }

    // The non-volatile memory: memory areas, boot area, identity, saved chromatic aberration and
    // shading tables. The generation counts changes, so a holder knows when to write it out.
    uint64_t FlashGeneration() const { return flashGeneration_; }
    std::string SaveState() const;
    // Replaces the non-volatile memory and restarts the camera from it at its current rate.
    bool LoadState(const std::string& text, std::string* error);

private:
    enum class Access { ReadWrite, ReadOnly, WriteOnly, Unknown };
    struct Rule {
        Access access = Access::ReadWrite;
        int32_t minValue = INT32_MIN;
        int32_t maxValue = INT32_MAX;
        std::vector<int32_t> codes;  // when not empty, the only values taken
    };
    using Registers = std::array<int32_t, protocol::kCommandCount>;
    using Lut = std::array<std::array<int32_t, kLutSize>, 3>;
    using ShadingTable = std::array<std::array<int32_t, kShadingSize>, 3>;
    struct Area {
        Registers values{};
        Lut lut{};
    };
    struct Job {
        TimePoint due;
        std::function<void()> finish;
    };
    // A calibration whose status reads 0 ("Busy") until its time is up.
    struct Status {
        int32_t code = 1;
        TimePoint readyAt{};
        int busyReads = 0;  // reads still answered "Busy" (--busy-status-reads)
    };
    struct Counter {
        int64_t counted = 0;
        std::optional<TimePoint> since;  // counting since then
    };
    using Reply = std::vector<std::string>;

    TimePoint Now() const { return clock_(); }
    void FactoryReset();
    void BuildRules();
    void Boot(uint32_t rate);
    // Ends a restart or a function whose time has come, then answers the lines that waited.
    void Advance();
    void ProcessLine(const std::string& line);
    // Whether --refuse names this set: by its mnemonic alone, or by mnemonic and value ("SA=2").
    bool Refused(const std::string& name, const std::string& valueText) const;
    // Counts the line towards the hang the options ask for; true when the camera hangs from it on.
    bool HangsAt(const std::string& line);
    Reply Query(uint32_t id) const;
    Reply Set(uint32_t id, const std::string& valueText);
    Reply SetText(uint32_t id, const std::string& text);
    Reply SetInteger(uint32_t id, int32_t v);
    std::optional<std::string> ValueText(uint32_t id) const;
    bool InRange(uint32_t id, int32_t v) const;
    void StartJob(int delayMs, std::function<void()> finish);

    // Geometry, line rate and exposure, kept consistent with each other.
    int32_t SensorWidth() const;
    int32_t LineRateMin() const;
    int32_t ExposureMax() const;
    void AfterFormatChange();
    Reply SetGeometry(uint32_t id, int32_t v);
    Reply SetExposure(uint32_t id, int32_t v);

    // The scene in front of the lens, in per mille of full scale for the green channel.
    int32_t SceneLevel() const;
    // The result code a calibration reports for the scene: too bright, too dark or fine.
    int32_t SceneCode(int32_t tooBright, int32_t tooDark, int32_t ok) const;
    void FinishWhiteBalance();
    void FinishExposureWhiteBalance();
    void FinishGainAuto();
    void FinishShading();
    void StartStatus(uint32_t statusId, std::optional<int32_t> forced, int32_t natural);
    void RecomputeRatios(int lens);

    int ShadingSlot() const;
    void SyncStaging();
    int64_t CounterValue(int n) const;
    void FoldCounters();

    void StoreArea(int area, bool withFactory);
    void LoadArea(int area, bool withFactory);
    int BootArea() const;
    void FlashChanged() { ++flashGeneration_; }

    SimOptions options_;
    ClockSource clock_;
    CameraKind kind_;
    std::string modelName_;
    std::string cameraId_;
    std::string userId_;
    std::string deviceVersion_;
    std::array<bool, protocol::kCommandCount> isText_{};
    std::array<Rule, protocol::kCommandCount> rules_;
    Registers regs_{};
    Lut lut_{};
    std::array<Area, 4> areas_{};
    int updateArea_ = 1;  // the user area "BAS00" = 1 boots from: the one stored last
    int currentArea_ = 0;
    Registers cacFlash_{};
    std::array<ShadingTable, kShadingSlots> shading_{};
    std::array<ShadingTable, kShadingSlots> shadingFlash_{};
    ShadingTable staging_{};
    int stagingSlot_ = -1;
    std::map<uint32_t, Status> statuses_;
    std::array<Counter, 4> counters_{};
    uint32_t rate_;
    bool unlocked_ = false;
    bool overlongPending_ = false;
    int queriesSeen_ = 0;  // for --fail-query
    TimePoint bootTime_{};
    std::optional<TimePoint> restartAt_;
    std::optional<Job> job_;
    std::deque<std::string> waiting_;
    std::vector<std::string> outbox_;
    uint64_t flashGeneration_ = 0;
    size_t whiteBalanceRuns_ = 0;
    int hangAtSeen_ = 0;
    bool hung_ = false;
};

}  // namespace vr::sim
