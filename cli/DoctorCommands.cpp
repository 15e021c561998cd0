// "doctor": what keeps the tool from the machine's serial ports, each finding with its fix.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "CommandList.h"
#include "Output.h"
#include "Session.h"
#include "doctor/SerialDoctor.h"
#include "link/NetworkAddress.h"
#include "link/RemoteCheck.h"

namespace vr::cli {
namespace {

std::string ReportJson(const doctor::DoctorReport& report) {
    Json findings = Json::array();
    for (const doctor::DoctorFinding& f : report.findings)
        findings.push_back({{"check", JsonText(f.check)},
                            {"severity", doctor::SeverityName(f.severity)},
                            {"port", JsonText(f.port)},
                            {"text", JsonText(f.text)},
                            {"fix", JsonText(f.fix)}});
    return DumpJson({{"blocking", report.Blocking()}, {"findings", findings}}) + "\n";
}

std::string Ms(double ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", ms);
    return text;
}

// Milliseconds to a tenth, as the text says them.
double Tenths(double ms) {
    return std::round(ms * 10.0) / 10.0;
}

std::string RemoteJson(const link::RemoteCheck& c) {
    const auto list = [](const std::vector<double>& values) {
        Json out = Json::array();
        for (const double v : values) out.push_back(Tenths(v));
        return out;
    };
    return DumpJson({{"address", JsonText(c.address)},
                     {"reached", c.reached},
                     {"problem", JsonText(c.problem)},
                     {"signature", JsonText(c.signature)},
                     {"confirm_ms", list(c.confirmMs)},
                     {"camera_rate", c.cameraRate},
                     {"camera_model", JsonText(c.cameraModel)},
                     {"reply_ms", list(c.replyMs)},
                     {"wire_ms", Tenths(c.wireMs)},
                     {"adds_latency", c.AddsLatency()}}) +
           "\n";
}

std::string RemoteText(const link::RemoteCheck& c) {
    if (!c.reached) return "remote " + c.address + ": " + c.problem + "\n";
    std::string out = "remote " + c.address + ": reached" +
                      (c.signature.empty() ? std::string() : ", server \"" + c.signature + "\"") + "\n";
    if (!c.rfc2217) out += "note: a raw bridge; the line stays at the bridge's rate\n";
    if (!c.confirmMs.empty()) out += "rate confirmation: " + Ms(c.WorstConfirmMs()) + " ms at most\n";
    if (!c.problem.empty()) return out + "problem: " + c.problem + "\n";
    if (c.cameraRate == 0) return out + "problem: no camera answered MD? at any rate\n";
    out += "camera: " + c.cameraModel + " at " + std::to_string(c.cameraRate) + " bit/s; a reply takes " +
           Ms(c.ExtraReplyMs() + c.wireMs) + " ms, " + Ms(c.wireMs) + " ms of it on the wire\n";
    if (c.AddsLatency())
        out += "warning: the server holds each reply back about " + Ms(c.ExtraReplyMs()) +
               " ms; a LUT write sends over a thousand lines. fix: use the options of "
               "/usr/share/doc/vr8200-control/examples/ser2net-vr8200.yaml (sendon, tcp(nodelay))\n";
    return out;
}

int RunRemoteDoctor(Session& session, std::string address) {
    if (!link::NetworkAddress::Names(address)) address = "rfc2217://" + address;
    link::NetworkAddress parsed;
    std::string why;
    if (!link::NetworkAddress::Parse(address, parsed, why)) {
        PrintError(why);
        return kExitUsage;
    }
    const link::RemoteCheck check = link::CheckRemote(session.Platform(), address);
    const std::string text = session.Opts().json ? RemoteJson(check) : RemoteText(check);
    Print(text);
    if (!check.reached) return kExitNoLink;
    return check.problem.empty() && check.cameraRate != 0 ? kExitOk : kExitCameraRefused;
}

int RunDoctor(Session& session) {
    if (const std::string remote = session.Opts().Value("remote"); !remote.empty())
        return RunRemoteDoctor(session, remote);
    // VR8200_DOCTOR_ROOT points the checks at a prepared tree instead of this machine.
    const char* root = std::getenv("VR8200_DOCTOR_ROOT");
    const doctor::SerialDoctor doctor = root != nullptr && root[0] != '\0'
                                            ? doctor::SerialDoctor(root, doctor::SerialDoctor::ForThisMachine().Who())
                                            : doctor::SerialDoctor::ForThisMachine();
    const doctor::DoctorReport report = doctor.Run();
    const std::string text = session.Opts().json ? ReportJson(report) : report.Text();
    Print(text);
    return report.Blocking() ? kExitCameraRefused : kExitOk;
}

}  // namespace

void AddDoctorCommands(CommandList& commands) {
    commands.push_back({"doctor",
                        "check the set-up of the serial ports (group, access, ModemManager, brltty, locks, adapters, "
                        "latency timer); exit 1 when something blocks the tool; with --remote HOST:PORT, a port "
                        "server instead (signature, round trips, whether it holds replies back)",
                        [](CLI::App& sub, Options& o) {
                            sub.add_option("--remote", o.values["remote"],
                                           "a port server to check: HOST:PORT, rfc2217://HOST:PORT or tcp://HOST:PORT");
                        },
                        RunDoctor});
}

}  // namespace vr::cli
