// "doctor": what keeps the tool from the machine's serial ports, each finding with its fix.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "CommandList.h"
#include "Output.h"
#include "Session.h"
#include "doctor/SerialDoctor.h"

namespace vr::cli {
namespace {

std::string Json(const doctor::DoctorReport& report) {
    std::string out = "{\"blocking\": " + std::string(report.Blocking() ? "true" : "false") + ", \"findings\": [";
    for (size_t i = 0; i < report.findings.size(); ++i) {
        const doctor::DoctorFinding& f = report.findings[i];
        out += std::string(i ? ", " : "") + "{\"check\": " + JsonString(f.check) +
               ", \"severity\": " + JsonString(doctor::SeverityName(f.severity)) + ", \"port\": " + JsonString(f.port) +
               ", \"text\": " + JsonString(f.text) + ", \"fix\": " + JsonString(f.fix) + "}";
    }
    return out + "]}\n";
}

int RunDoctor(Session& session) {
    // VR8200_DOCTOR_ROOT points the checks at a prepared tree instead of this machine.
    const char* root = std::getenv("VR8200_DOCTOR_ROOT");
    const doctor::SerialDoctor doctor = root != nullptr && root[0] != '\0'
                                            ? doctor::SerialDoctor(root, doctor::SerialDoctor::ForThisMachine().Who())
                                            : doctor::SerialDoctor::ForThisMachine();
    const doctor::DoctorReport report = doctor.Run();
    const std::string text = session.Opts().json ? Json(report) : report.Text();
    std::fputs(text.c_str(), stdout);
    return report.Blocking() ? kExitCameraRefused : kExitOk;
}

}  // namespace

void AddDoctorCommands(CommandList& commands) {
    commands.push_back({"doctor",
                        "check the set-up of the serial ports (group, access, ModemManager, brltty, locks, adapters, "
                        "latency timer); exit 1 when something blocks the tool",
                        nullptr, RunDoctor});
}

}  // namespace vr::cli
