// What recording a play (brambleholt --record) adds to a frame: the frame's
// line, written out about once a second, and the World's hash taken at the
// first click or key of a frame.

#include "busy_level.h"

#include "app/recording.h"
#include "app/world_hash.h"
#include "world/level.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <string>

namespace {

std::string scratchFile()
{
    return "/tmp/brambleholt-recording-bench-" + std::to_string(getpid()) + ".txt";
}

// Every frame's line, with the writes they take, on average.
void BM_RecordFrame(benchmark::State& state)
{
    const std::string file = scratchFile();
    if (!startRecording(file).empty()) {
        state.SkipWithError("cannot write the scratch file");
        return;
    }
    for (auto _ : state)
        recordFrame(sf::microseconds(33412), false);
    stopRecording();
    std::remove(file.c_str());
}
BENCHMARK(BM_RecordFrame)->Unit(benchmark::kMicrosecond);

// The hash a frame with input takes first, on a board of so many wolves.
void BM_HashAtInput(benchmark::State& state)
{
    setUpBusyLevel(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(hashWorld());
    clearWorld();
}
BENCHMARK(BM_HashAtInput)->Arg(0)->Arg(200)->Arg(2000)->Unit(benchmark::kMicrosecond);

} // namespace
