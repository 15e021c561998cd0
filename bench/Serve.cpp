// A script's queries through one `vr8200ctl serve` session: 20 requests of one `get` each, every
// one written only after the answer to the one before, against the virtual camera pacing its
// replies at the wire rate of 115200 bit/s. Reports `ratio`, the real time of the 20 requests
// divided by the wire time of the 20 queries they sent (10 bits a byte each way, counted from the
// session's own traffic trace in the same run): what the session adds to the line for a script that
// asks one value at a time. It should stay within 1.2. The same 20 queries straight through the
// command engine, in-process, give the ratio of the tool without the session beside it.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>

#include "PacedCamera.h"
#include "TestServices.h"
#include "protocol/Command.h"
#include "protocol/CommandTable.h"
#include "protocol/TrafficLog.h"
#include "sim/PtyServer.h"

namespace {

constexpr std::array<const char*, 20> kNames = {"GA", "GAR", "GAB", "GAG", "PE", "PER", "PEG", "PEB", "LR",  "TM",
                                                "TI", "TA",  "EA",  "MD",  "HB", "VB",  "BA",  "WTC", "OFC", "AGC"};

// vr8200ctl serve in a child process, its stdin and stdout as pipes; the trace on stderr is read
// on a thread that counts the bytes of every Tx and Rx line.
class ServeProcess {
public:
    bool Start(const std::string& port, const std::string& configDir) {
        int in[2], out[2], err[2];
        if (::pipe(in) != 0 || ::pipe(out) != 0 || ::pipe(err) != 0) return false;
        pid_ = ::fork();
        if (pid_ < 0) return false;
        if (pid_ == 0) {
            if (::dup2(in[0], 0) < 0 || ::dup2(out[1], 1) < 0 || ::dup2(err[1], 2) < 0) ::_exit(127);
            for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) ::close(fd);
            ::execl(VR8200CTL_EXE, "vr8200ctl", "--config-dir", configDir.c_str(), "--port", port.c_str(), "--rate",
                    "115200", "--trace", "serve", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(in[0]);
        ::close(out[1]);
        ::close(err[1]);
        toServe_ = in[1];
        fromServe_ = ::fdopen(out[0], "r");
        trace_ = std::thread([this, fd = err[0]] { CountTrace(fd); });
        return fromServe_ != nullptr;
    }

    ~ServeProcess() {
        if (toServe_ >= 0) ::close(toServe_);
        if (pid_ > 0) {
            int status = 0;
            ::waitpid(pid_, &status, 0);
        }
        if (trace_.joinable()) trace_.join();
        if (fromServe_ != nullptr) std::fclose(fromServe_);
    }

    bool Write(const std::string& line) {
        return ::write(toServe_, line.data(), line.size()) == static_cast<ssize_t>(line.size());
    }

    std::string ReadLine() {
        std::string line;
        for (int c = std::fgetc(fromServe_); c != EOF && c != '\n'; c = std::fgetc(fromServe_))
            line += static_cast<char>(c);
        return line;
    }

    uint64_t WireBytes() const { return wireBytes_.load(); }
    uint64_t TraceLines() const { return traceLines_.load(); }

private:
    void CountTrace(int fd) {
        FILE* in = ::fdopen(fd, "r");
        if (in == nullptr) return;
        std::string line;
        for (int c = std::fgetc(in); c != EOF; c = std::fgetc(in)) {
            if (c != '\n') {
                line += static_cast<char>(c);
                continue;
            }
            // "HH:MM:SS.mmm Tx: GA?": the text after the marker, with its CR LF on the wire.
            for (const char* marker : {"Tx: ", "Rx: "}) {
                if (const size_t at = line.find(marker); at != std::string::npos) {
                    wireBytes_ += line.size() - at - 4 + 2;
                    ++traceLines_;
                }
            }
            line.clear();
        }
        std::fclose(in);
    }

    pid_t pid_ = -1;
    int toServe_ = -1;
    FILE* fromServe_ = nullptr;
    std::thread trace_;
    std::atomic<uint64_t> wireBytes_{0};
    std::atomic<uint64_t> traceLines_{0};
};

void BM_ServeGetsPacedAt115200(benchmark::State& state) {
    vr::sim::PtyServer camera;
    if (!vr::bench::StartPacedCamera(state, camera)) return;
    const std::filesystem::path config =
        std::filesystem::temp_directory_path() / ("bench-serve-" + std::to_string(::getpid()));
    std::filesystem::create_directories(config);
    double realSeconds = 0;
    uint64_t wireBytes = 0;
    {
        ServeProcess serve;
        if (!serve.Start(camera.DevicePath(), config.string()) ||
            serve.ReadLine().find("\"event\":\"online\"") == std::string::npos) {
            state.SkipWithError("vr8200ctl serve found no camera");
            return;
        }
        int id = 0;
        for (auto _ : state) {
            // The trace of the start-up and of the last round is in before the count starts.
            while (serve.TraceLines() % 2 != 0) std::this_thread::yield();
            const uint64_t before = serve.WireBytes();
            const uint64_t linesBefore = serve.TraceLines();
            const auto start = std::chrono::steady_clock::now();
            for (const char* name : kNames) {
                const std::string request =
                    "{\"id\":" + std::to_string(++id) + ",\"cmd\":\"get\",\"args\":[\"" + name + "\"]}\n";
                if (!serve.Write(request) || serve.ReadLine().find("\"ok\":true") == std::string::npos) {
                    state.SkipWithError("a get failed");
                    return;
                }
            }
            realSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            // Every query and its answer is traced before the answer goes out; wait for the reader.
            while (serve.TraceLines() < linesBefore + 2 * kNames.size()) std::this_thread::yield();
            wireBytes += serve.WireBytes() - before;
        }
        serve.Write("{\"cmd\":\"close\"}\n");
    }
    camera.Stop();
    std::error_code ignored;
    std::filesystem::remove_all(config, ignored);
    const double wireSeconds = static_cast<double>(wireBytes) * 10.0 / vr::bench::kRate;
    state.counters["wire_s"] = benchmark::Counter(wireSeconds, benchmark::Counter::kAvgIterations);
    state.counters["ratio"] = wireSeconds > 0 ? realSeconds / wireSeconds : 0;
}
BENCHMARK(BM_ServeGetsPacedAt115200)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

void BM_EngineGetsPacedAt115200(benchmark::State& state) {
    vr::test::TestServices services(vr::test::LineKind::Real);
    vr::sim::PtyServer camera;
    if (!vr::bench::StartPacedCamera(state, camera)) return;
    vr::bench::UseCamera(services.link, camera);
    if (services.link.OpenBaud(vr::bench::kRate) != 1) {
        state.SkipWithError("the line did not open");
        return;
    }
    uint64_t wireBytes = 0;
    services.traffic.SetTerminalSink([&wireBytes](const std::string& line) { wireBytes += line.size() - 4 + 2; });
    double realSeconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        for (const char* name : kNames) {
            vr::protocol::CommandValue value;
            const int32_t id = vr::protocol::FindCommand(name);
            if (id < 0 || !services.engine.QueryCommand(static_cast<uint32_t>(id), value, std::chrono::seconds(5))) {
                state.SkipWithError("a query failed");
                return;
            }
        }
        realSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    services.traffic.SetTerminalSink(nullptr);
    services.link.Close();
    camera.Stop();
    const double wireSeconds = static_cast<double>(wireBytes) * 10.0 / vr::bench::kRate;
    state.counters["wire_s"] = benchmark::Counter(wireSeconds, benchmark::Counter::kAvgIterations);
    state.counters["ratio"] = wireSeconds > 0 ? realSeconds / wireSeconds : 0;
}
BENCHMARK(BM_EngineGetsPacedAt115200)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

}  // namespace

BENCHMARK_MAIN();
