// Times the ray steps of one plot (13637 of them, for the worked example)
// and one calculation, with the engine alone.
#include "engine/Calculation.h"
#include "engine/RayStep.h"

#include <benchmark/benchmark.h>

namespace {

void BM_ray_steps_of_one_plot(benchmark::State& state) {
    for (auto _ : state) {
        int sum = 0;
        for (double z = 15.0; z >= 0.0; z += -0.0011)
            sum += engine::rayStep(60.0, 35, 15, z - 15.0).S;
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_ray_steps_of_one_plot)->Unit(benchmark::kMillisecond);

void BM_calculation(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(engine::Calculation::fromTexts("60", "35", "10"));
}
BENCHMARK(BM_calculation)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
