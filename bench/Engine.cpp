// The engine's own cost per set and per query over an in-memory line that answers at once: what
// the tool adds on top of the wire time.

#include <benchmark/benchmark.h>

#include "FakePlatform.h"
#include "MemoryLink.h"
#include "protocol/Command.h"
#include "protocol/OnlineStatus.h"
#include "protocol/TrafficLog.h"

using vr::protocol::Command;
using vr::protocol::milliseconds;

static void BM_SetAnsweredAtOnce(benchmark::State& state) {
    vr::test::FakePlatform platform;
    vr::protocol::OnlineStatusBroadcaster status;
    vr::protocol::TrafficLog traffic;
    Command engine(platform, status, traffic);
    vr::test::MemoryLink link;
    link.responder = [](const std::string&) { return std::string("COMPLETE\r\n"); };
    engine.SetLink(&link);
    for (auto _ : state) {
        if (engine.SendCommandInt(47, 400, milliseconds(5000)) != 1) state.SkipWithError("set failed");
    }
    engine.SetLink(nullptr);
}
BENCHMARK(BM_SetAnsweredAtOnce)->Unit(benchmark::kMicrosecond);

static void BM_QueryAnsweredAtOnce(benchmark::State& state) {
    vr::test::FakePlatform platform;
    vr::protocol::OnlineStatusBroadcaster status;
    vr::protocol::TrafficLog traffic;
    Command engine(platform, status, traffic);
    vr::test::MemoryLink link;
    link.responder = [](const std::string&) { return std::string("GA=400\r\n"); };
    engine.SetLink(&link);
    int32_t value = 0;
    for (auto _ : state) {
        if (engine.QueryInt(47, value, milliseconds(5000)) != 1) state.SkipWithError("query failed");
        benchmark::DoNotOptimize(value);
    }
    engine.SetLink(nullptr);
}
BENCHMARK(BM_QueryAnsweredAtOnce)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
