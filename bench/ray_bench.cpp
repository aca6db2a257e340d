// Times the ray steps of one plot (13637 of them, for the worked example),
// whole at every depth and as the plot takes them (the radius once, the
// ranges a block at a time, the angle only where the range is not clear), and
// one calculation, with the engine alone.
#include "engine/Calculation.h"
#include "engine/ClearRanges.h"

#include <benchmark/benchmark.h>

#include <array>
#include <optional>

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

void BM_plot_ranges_of_one_plot(benchmark::State& state) {
    constexpr std::size_t kBlock = 256;
    std::array<double, kBlock> deltaD{};
    std::array<std::optional<std::int16_t>, kBlock> ranges{};
    for (auto _ : state) {
        const engine::RayRadius radius = engine::rayRadius(60.0, 35, 15);
        int sum = 0;
        double z = 15.0;
        while (z >= 0.0) {
            std::size_t n = 0;
            for (; n < kBlock && z >= 0.0; ++n, z += -0.0011)
                deltaD[n] = z - 15.0;
            engine::clearRanges(radius, std::span(deltaD).first(n), ranges);
            for (std::size_t i = 0; i < n; ++i)
                sum += ranges[i] ? *ranges[i] : engine::rayStepAt(radius, deltaD[i]).S;
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_plot_ranges_of_one_plot)->Unit(benchmark::kMillisecond);

void BM_calculation(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(engine::Calculation::fromTexts("60", "35", "10"));
}
BENCHMARK(BM_calculation)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
