#include "sim/SimCli.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace vr::sim {
namespace {

// A whole non-negative decimal number of an option's value; a typing slip ("5s", "x", "-1") is a
// usage error, not a silent 0.
int Count(const std::string& text, const std::string& option) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < 0)
        throw CLI::ValidationError(option, "\"" + text + "\" is not a count");
    return value;
}

void AddResult(CLI::App& app, const std::string& name, std::optional<int32_t>& target, const std::string& what) {
    app.add_option_function<int32_t>(
        name, [&target](const int32_t& v) { target = v; }, "force the result code of " + what);
}

}  // namespace

void AddSimOptions(CLI::App& app, SimOptions& o) {
    app.add_option("--model", o.model, "VR-8200-KA or VR-8200-KB")
        ->check(CLI::IsMember({"KA", "KB"}))
        ->capture_default_str();
    app.add_option("--start-rate", o.startRate, "the rate the camera boots at (bit/s)")
        ->check(CLI::IsMember({9600, 19200, 38400, 57600, 115200}))
        ->capture_default_str();
    app.add_option("--link", o.linkPath, "make a symlink to the pty's slave side here");
    app.add_flag("--pace", o.pace, "deliver replies at the wire rate, 10 bits a byte");
    app.add_option("--state", o.stateFile, "keep memory areas and identity in this file across runs");

    app.add_flag("--silent", o.silent, "never answer");
    app.add_option_function<std::vector<std::string>>(
           "--refuse",
           [&o](const std::vector<std::string>& names) {
               for (auto name : names) {
                   std::transform(name.begin(), name.end(), name.begin(),
                                  [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
                   o.refuse.push_back(name);
               }
           },
           "answer sets of these commands (NAME, or NAME=VALUE for one value) with an error text")
        ->delimiter(',');
    app.add_option_function<std::vector<std::string>>(
           "--refuse-query",
           [&o](const std::vector<std::string>& names) {
               for (auto name : names) {
                   std::transform(name.begin(), name.end(), name.begin(),
                                  [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
                   o.refuseQuery.push_back(name);
               }
           },
           "answer queries of these commands with an error text")
        ->delimiter(',');
    app.add_option("--slow", o.slowMs, "delay every reply by this many milliseconds")->check(CLI::NonNegativeNumber);
    app.add_option("--noise", o.noisePerMille, "flip a bit in this many received bytes per thousand")
        ->check(CLI::Range(0, 1000));
    app.add_option("--noise-seed", o.noiseSeed, "seed of the noise")->capture_default_str();
    app.add_flag("--overlong", o.overlong, "answer the first query with a line longer than 1024 bytes");
    app.add_option("--hangup-after", o.hangupAfter, "close the pty after this many lines")
        ->check(CLI::NonNegativeNumber);
    app.add_option("--fail-query", o.failQuery, "answer the Nth query with an error text")
        ->check(CLI::NonNegativeNumber);
    app.add_option("--silent-after", o.silentAfter, "stop answering after this many lines")
        ->check(CLI::NonNegativeNumber);

    app.add_option_function<std::string>(
        "--late-reply",
        [&o](const std::string& what) {
            const size_t colon = what.find(':');
            o.lateReplyLine = Count(what.substr(0, colon), "--late-reply");
            if (colon != std::string::npos) o.lateReplyMs = Count(what.substr(colon + 1), "--late-reply");
        },
        "N[:MS]: the answer to the Nth line leaves MS (default 5500) later, once");
    app.add_option_function<std::vector<std::string>>(
           "--delay-reply",
           [&o](const std::vector<std::string>& entries) {
               for (const auto& entry : entries) {
                   const size_t colon = entry.find(':');
                   std::string name = entry.substr(0, colon);
                   std::transform(name.begin(), name.end(), name.begin(),
                                  [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
                   if (colon == std::string::npos)
                       throw CLI::ValidationError("--delay-reply", entry + " names no time");
                   o.delayReplyMs[name] = Count(entry.substr(colon + 1), "--delay-reply");
               }
           },
           "NAME:MS[,NAME:MS...]: the answers to lines naming NAME leave MS later, every time")
        ->delimiter(',');
    app.add_option_function<std::string>(
           "--reply-end",
           [&o](const std::string& end) {
               o.replyEnd = end == "cr" ? ReplyEnd::Cr : end == "lf" ? ReplyEnd::Lf : ReplyEnd::CrLf;
           },
           "end the lines the camera sends with crlf (the default), cr or lf")
        ->check(CLI::IsMember({"crlf", "cr", "lf"}));
    app.add_flag("--nul-in-replies", o.nulInReplies, "put a NUL byte after the first character of every line sent");

    app.add_option("--awb-ms", o.awbMs, "white balance once takes this long")->capture_default_str();
    app.add_option("--agc-ms", o.agcMs, "gain auto once takes this long")->capture_default_str();
    app.add_option("--shading-ms", o.shadingMs, "shading calibration takes this long")->capture_default_str();
    app.add_option("--recalibrate-ms", o.recalibrateMs, "pixel recalibration status reads busy this long")
        ->capture_default_str();
    app.add_option("--reset-ms", o.resetMs, "the camera is silent this long after CRS00")->capture_default_str();
    app.add_option("--area-ms", o.areaMs, "storing and loading a memory area take this long")->capture_default_str();

    AddResult(app, "--awb-result", o.awbResult, "white balance once (AWRS)");
    AddResult(app, "--exposure-awb-result", o.exposureAwbResult, "exposure white balance once (AHRS)");
    AddResult(app, "--agc-result", o.agcResult, "gain auto once (AGCS)");
    AddResult(app, "--shading-result", o.shadingResult, "shading calibration (SDRS, SDS00)");
    AddResult(app, "--pixel-gain-result", o.pixelGainResult, "pixel gain recalibration (PGS, PGS00)");
    AddResult(app, "--pixel-black-result", o.pixelBlackResult, "pixel black recalibration (PBS, PBS00)");
    app.add_option("--awb-result-runs", o.awbResultRuns,
                   "force AWRS of the first, second, ... white balance once; later runs as usual")
        ->delimiter(',');
    app.add_option("--busy-status-reads", o.busyStatusReads,
                   "pixel recalibration status reads busy this many times instead of for a time")
        ->check(CLI::NonNegativeNumber);
    app.add_option_function<std::string>(
        "--hang-at",
        [&o](const std::string& where) {
            const size_t colon = where.find(':');
            std::string name = where.substr(0, colon);
            std::transform(name.begin(), name.end(), name.begin(),
                           [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
            o.hangAtCommand = name;
            o.hangAtCount = colon == std::string::npos ? 1 : Count(where.substr(colon + 1), "--hang-at");
        },
        "NAME[:N]: stop answering at the Nth line naming NAME (default the first)");
}

}  // namespace vr::sim
