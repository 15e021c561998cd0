#pragma once
// How a virtual camera is set up: which model it is, the rate it boots at, how long its one-push
// functions take, and the fault switches that make it misbehave on purpose. The defaults are named
// constants so that tests and tools can reason about them without repeating numbers.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vr::sim {

inline constexpr const char* kDefaultModel = "KA";
inline constexpr uint32_t kDefaultStartRate = 9600;
// The rate the camera comes back at after "CRS00".
inline constexpr uint32_t kBootRate = 9600;

// One-push functions and other slow work, in milliseconds. Long enough to be seen by a person at a
// terminal, short enough that a demo does not stall.
inline constexpr int kDefaultAwbMs = 1500;          // "AWB" = 2 and "AWB" = 4 until COMPLETE
inline constexpr int kDefaultAgcMs = 1000;          // "AGC" = 2 until COMPLETE
inline constexpr int kDefaultShadingMs = 5000;      // "RS" = 0 until COMPLETE
inline constexpr int kDefaultRecalibrateMs = 3000;  // "PGS"/"PBS"/"PGS00"/"PBS00"/"SDS00" read 0 this long
inline constexpr int kDefaultResetMs = 3000;        // silence after "CRS00" = 1
inline constexpr int kDefaultAreaMs = 300;          // "SA", "SA00" and "LD" until COMPLETE

inline constexpr uint32_t kDefaultNoiseSeed = 1;
// How late the one late answer of --late-reply leaves: past the tool's usual 5 s time-out.
inline constexpr int kDefaultLateReplyMs = 5500;

// A query answered with --overlong gets a reply line of this many bytes before its CR LF.
inline constexpr int kOverlongReplyBytes = 1100;

// How the camera ends the lines it sends.
enum class ReplyEnd { CrLf, Cr, Lf };

struct SimOptions {
    std::string model = kDefaultModel;  // "KA" or "KB"
    uint32_t startRate = kDefaultStartRate;
    bool pace = false;      // deliver replies at 10 bits a byte and wait for received bytes likewise
    std::string stateFile;  // keeps memory areas, identity and flash tables across runs; empty: none
    std::string linkPath;   // a symlink to the pty's slave side; empty: none

    // Fault switches.
    bool silent = false;              // never answers
    std::vector<std::string> refuse;  // mnemonics ("GA") or sets ("SA=2") answered with an error text
    int slowMs = 0;                   // every reply waits this long
    int noisePerMille = 0;            // chance per received byte that one of its bits flips
    uint32_t noiseSeed = kDefaultNoiseSeed;
    bool overlong = false;  // the first query gets a reply longer than 1024 bytes
    int hangupAfter = 0;    // close the pty after this many lines; 0: never
    // Mnemonics whose queries are answered with an error text.
    std::vector<std::string> refuseQuery;
    int failQuery = 0;    // the Nth query of the camera's life is answered with an error text; 0: none
    int silentAfter = 0;  // take no line after this many, the pty staying open; 0: never
    // The answer to the lateReplyLine-th line leaves lateReplyMs later than it would, once; the
    // answers after it queue behind it, as a camera busy with one line answers the next after it.
    int lateReplyLine = 0;  // 0: never
    int lateReplyMs = kDefaultLateReplyMs;
    // Answers to lines naming these mnemonics (upper case) leave this many milliseconds later, every time.
    std::map<std::string, int> delayReplyMs;
    ReplyEnd replyEnd = ReplyEnd::CrLf;
    bool nulInReplies = false;  // every line sent carries a NUL byte after its first character

    int awbMs = kDefaultAwbMs;
    int agcMs = kDefaultAgcMs;
    int shadingMs = kDefaultShadingMs;
    int recalibrateMs = kDefaultRecalibrateMs;
    int resetMs = kDefaultResetMs;
    int areaMs = kDefaultAreaMs;

    // Result codes forced instead of the ones the camera would arrive at.
    std::optional<int32_t> awbResult;          // "AWRS"
    std::optional<int32_t> exposureAwbResult;  // "AHRS"
    std::optional<int32_t> agcResult;          // "AGCS"
    std::optional<int32_t> shadingResult;      // "SDRS" and "SDS00"
    std::optional<int32_t> pixelGainResult;    // "PGS" and "PGS00"
    std::optional<int32_t> pixelBlackResult;   // "PBS" and "PBS00"
    // "AWRS" of the first, second, ... white balance once ("AWB" = 2) since the camera started;
    // the runs after the list take awbResult, or the scene's code.
    std::vector<int32_t> awbResultRuns;

    // When above 0, a pixel recalibration status ("PGS", "PBS", "PGS00", "PBS00") reads 0 ("Busy")
    // for this many reads after its start instead of for recalibrateMs, whatever the clock says.
    int busyStatusReads = 0;
    // The camera hangs at the hangAtCount-th line naming hangAtCommand since it started: that line
    // and every later one go unanswered, while the line stays open. Empty: it never hangs.
    std::string hangAtCommand;
    int hangAtCount = 1;
};

// True when the options describe a camera that can run; otherwise false with the reason.
bool ValidateOptions(const SimOptions& options, std::string* error);

// The camera's code for a line rate, used with "CBDRT": 9600 -> 1, 19200 -> 2, 38400 -> 4,
// 57600 -> 8, 115200 -> 16; 0 for any other rate.
int32_t RateToCode(uint32_t rate);
// The rate for a "CBDRT" code; 0 for a code that is none of the five.
uint32_t CodeToRate(int32_t code);

}  // namespace vr::sim
