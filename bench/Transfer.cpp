// The table transfers against the virtual camera pacing its replies at the wire rate of 115200
// bit/s, through the real serial link, reader thread and pseudo-terminal: a LUT write of the three
// tables (1536 commands) and a shading write (6148). Each reports `ratio`, its real time divided by
// the wire time of the bytes exchanged (10 bits a byte each way, one after the other since every
// command waits for its reply): 1.0 would mean the tool adds nothing to the line's own time. The
// same LUT write against a camera that answers at once shows what one command costs beyond the wire:
// the tool, the reader thread, the pseudo-terminal and the camera's thread waking each other.
// The network row runs the paced LUT write through ser2net (the shipped template) and on the
// pseudo-terminal directly, one after the other in each iteration, and reports `vs_direct`, the
// network's time over the direct one; it should stay within 1.15.

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <system_error>
#include <thread>

#include "PacedCamera.h"
#include "Ser2netOnPty.h"
#include "TestServices.h"
#include "link/CommSetting.h"
#include "lut/LutTransfer.h"
#include "lut/PlainLutTables.h"
#include "lut/ShadingTransfer.h"
#include "protocol/Command.h"
#include "protocol/CommandIds.h"
#include "protocol/TrafficLog.h"
#include "sim/PtyServer.h"

namespace {

using vr::bench::kRate;

using Transfer = std::function<vr::lut::TransferReport(vr::camera::Services&)>;

void Run(benchmark::State& state, const Transfer& transfer, bool pace) {
    vr::test::TestServices services(vr::test::LineKind::Real);
    vr::sim::PtyServer camera;
    if (!vr::bench::StartPacedCamera(state, camera, pace)) return;
    auto& setting = services.link;
    vr::bench::UseCamera(setting, camera);
    if (setting.OpenBaud(kRate) != 1 ||
        services.engine.SendCommandInt(vr::protocol::cmd::SDM, 1, std::chrono::milliseconds(2000)) != 1) {
        state.SkipWithError("the camera did not answer");
        return;
    }

    uint64_t wireBytes = 0;
    auto count = [&wireBytes](const std::string& line) { wireBytes += line.size() - 4 + 2; };  // "Tx: " off, CR LF on
    services.traffic.SetTerminalSink(count);
    double realSeconds = 0;
    int commands = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const vr::lut::TransferReport report = transfer(services.Get());
        realSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (!report.Complete()) {
            state.SkipWithError(vr::lut::DescribeFailures(report).c_str());
            break;
        }
        commands = report.sent;
    }
    services.traffic.SetTerminalSink(nullptr);
    setting.Close();
    camera.Stop();
    const double wireSeconds = static_cast<double>(wireBytes) * 10.0 / kRate;
    state.counters["commands"] = commands;
    state.counters["wire_s"] = benchmark::Counter(wireSeconds, benchmark::Counter::kAvgIterations);
    if (pace)
        state.counters["ratio"] = wireSeconds > 0 ? realSeconds / wireSeconds : 0;
    else
        state.counters["us_per_command"] =
            commands > 0 ? realSeconds * 1e6 / (static_cast<double>(state.iterations()) * commands) : 0;
}

vr::lut::PlainLutTables LutTables() {
    vr::lut::PlainLutTables tables;
    for (vr::lut::LutColour colour : vr::lut::kLutColours)
        for (int i = 0; i < vr::lut::kLutEntries; ++i) tables.Table(colour)[static_cast<size_t>(i)] = 4095 - 8 * i;
    return tables;
}

void BM_LutWritePacedAt115200(benchmark::State& state) {
    vr::lut::PlainLutTables tables = LutTables();
    Run(
        state, [&tables](vr::camera::Services& services) { return vr::lut::WriteAllLuts(services, tables); }, true);
}
BENCHMARK(BM_LutWritePacedAt115200)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_ShadingWritePacedAt115200(benchmark::State& state) {
    vr::lut::ShadingBuffer buffer{};
    for (auto& plane : buffer)
        for (size_t i = 0; i < plane.size(); ++i) plane[i] = static_cast<int32_t>(4096 + i);
    Run(
        state, [&buffer](vr::camera::Services& services) { return vr::lut::WriteShadingToCamera(services, buffer); },
        true);
}
BENCHMARK(BM_ShadingWritePacedAt115200)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_LutWriteAnsweredAtOnce(benchmark::State& state) {
    vr::lut::PlainLutTables tables = LutTables();
    Run(
        state, [&tables](vr::camera::Services& services) { return vr::lut::WriteAllLuts(services, tables); }, false);
}
BENCHMARK(BM_LutWriteAnsweredAtOnce)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// One LUT write on the link as the caller set it up, its seconds; negative when it failed.
double TimedLutWrite(vr::test::TestServices& services, vr::lut::PlainLutTables& tables, std::string& why) {
    if (services.link.OpenBaud(kRate) != 1) {
        why = "the link did not open: " + services.link.LastLinkError();
        return -1;
    }
    // As in every run of the tools, the camera answers its model query before any transfer.
    std::string model;
    if (services.engine.QueryString(vr::protocol::cmd::MD, model, std::chrono::milliseconds(2000)) != 1) {
        why = "the camera did not answer MD?";
        services.link.Close();
        return -1;
    }
    const auto start = std::chrono::steady_clock::now();
    const vr::lut::TransferReport report = vr::lut::WriteAllLuts(services.Get(), tables);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    services.link.Close();
    if (!report.Complete()) {
        why = vr::lut::DescribeFailures(report);
        return -1;
    }
    return seconds;
}

// ser2net closes the device a moment after its client went; until then it may still flush the line,
// which would cut the next direct run's first answer. Waits (untimed) until its process no longer
// holds the device open, at most two seconds.
bool WaitUntilServerReleases(int pid, const std::string& device) {
    std::error_code error;
    const std::filesystem::path target = std::filesystem::canonical(device, error);
    if (error) return false;
    const std::filesystem::path fds = "/proc/" + std::to_string(pid) + "/fd";
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (std::chrono::steady_clock::now() < end) {
        bool holds = false;
        for (const auto& fd : std::filesystem::directory_iterator(fds, error)) {
            std::error_code linkError;
            if (std::filesystem::read_symlink(fd.path(), linkError) == target) holds = true;
        }
        if (error) return false;
        if (!holds) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

void BM_LutWritePacedThroughSer2net(benchmark::State& state) {
    if (!vr::test::Ser2netOnPty::Installed()) {
        state.SkipWithError("ser2net is not installed");
        return;
    }
    vr::sim::PtyServer camera;
    if (!vr::bench::StartPacedCamera(state, camera, true)) return;
    vr::test::Ser2netOnPty server;
    std::string why;
    if (!server.Start(camera.DevicePath(), why)) {
        state.SkipWithError(why.c_str());
        return;
    }
    vr::test::TestServices direct(vr::test::LineKind::Real);
    vr::bench::UseCamera(direct.link, camera);
    vr::test::TestServices network(vr::test::LineKind::Real);
    network.link.SetSaveOnExit(false);
    network.link.SetMode(vr::link::Network);
    network.link.SetNetworkAddress(server.Address());
    network.link.SetPortIndex(0);
    vr::lut::PlainLutTables tables = LutTables();
    double directSeconds = 0, networkSeconds = 0;
    for (auto _ : state) {
        const double d = TimedLutWrite(direct, tables, why);
        const double n = d < 0 ? -1 : TimedLutWrite(network, tables, why);
        if (n >= 0 && !WaitUntilServerReleases(server.Pid(), camera.DevicePath())) {
            state.SkipWithError("ser2net still holds the camera's device two seconds after its client left");
            break;
        }
        if (d < 0 || n < 0) {
            state.SkipWithError(why.c_str());
            break;
        }
        directSeconds += d;
        networkSeconds += n;
    }
    camera.Stop();
    state.counters["direct_s"] = benchmark::Counter(directSeconds, benchmark::Counter::kAvgIterations);
    state.counters["network_s"] = benchmark::Counter(networkSeconds, benchmark::Counter::kAvgIterations);
    const double ratio = directSeconds > 0 ? networkSeconds / directSeconds : 0;
    state.counters["vs_direct"] = ratio;
    state.SetLabel(ratio <= 1.15 ? "within 1.15x of the direct line" : "SLOWER than 1.15x the direct line");
}
BENCHMARK(BM_LutWritePacedThroughSer2net)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
