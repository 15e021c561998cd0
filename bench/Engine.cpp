// The engine's own cost per set and per query over an in-memory line that answers at once: what
// the tool adds on top of the wire time.

#include <benchmark/benchmark.h>

#include "FakePlatform.h"
#include "MemoryLink.h"
#include "protocol/Command.h"

using vr::protocol::Command;

static void BM_SetAnsweredAtOnce(benchmark::State& state) {
    vr::test::FakePlatform platform;
    vr::test::MemoryLink link;
    link.responder = [](const std::string&) { return std::string("COMPLETE\r\n"); };
    Command::Instance().SetLink(&link);
    for (auto _ : state) {
        if (Command::Instance().SendCommandInt(47, 400, 5000) != 1) state.SkipWithError("set failed");
    }
    Command::Instance().SetLink(nullptr);
}
BENCHMARK(BM_SetAnsweredAtOnce)->Unit(benchmark::kMicrosecond);

static void BM_QueryAnsweredAtOnce(benchmark::State& state) {
    vr::test::FakePlatform platform;
    vr::test::MemoryLink link;
    link.responder = [](const std::string&) { return std::string("GA=400\r\n"); };
    Command::Instance().SetLink(&link);
    int32_t value = 0;
    for (auto _ : state) {
        if (Command::Instance().QueryInt(47, value, 5000) != 1) state.SkipWithError("query failed");
        benchmark::DoNotOptimize(value);
    }
    Command::Instance().SetLink(nullptr);
}
BENCHMARK(BM_QueryAnsweredAtOnce)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
