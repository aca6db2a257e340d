// Rows per second of `raggio-limite tabella` writing CSV (to /dev/null), and
// of the same calculations alone, writing nothing, so that the cost of the
// formatting shows beside them.
#include "Recorder.h"
#include "engine/Calculation.h"
#include "engine/RuntimeError.h"
#include "table/Range.h"
#include "table/Table.h"

#include <cstdio>

namespace {

constexpr std::int64_t kRows = 100000;

table::Range temperatures() {
    std::string problem;
    return *table::Range::parse("0:99.999:0.001", &problem); // 100000 values
}

table::Range single(const char* text) {
    std::string problem;
    return *table::Range::parse(text, &problem);
}

void BM_tabella_csv(benchmark::State& state) {
    std::FILE* sink = std::fopen("/dev/null", "w");
    const table::Table table(temperatures(), single("35"), single("10"));
    const auto toSink = [&](std::string_view block) {
        return std::fwrite(block.data(), 1, block.size(), sink) == block.size();
    };
    for (auto _ : state)
        table.write(table::Table::Format::Csv, toSink);
    std::fclose(sink);
}
BENCHMARK(BM_tabella_csv)->Unit(benchmark::kMillisecond);

void BM_engine_only(benchmark::State& state) {
    const table::Range t = temperatures();
    for (auto _ : state)
        for (std::int64_t i = 0; i < t.count(); ++i) {
            try {
                benchmark::DoNotOptimize(engine::Calculation::fromNumbers(t.at(i), 35.0, 10.0));
            } catch (const engine::RuntimeError&) {
            }
        }
}
BENCHMARK(BM_engine_only)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char* argv[]) {
    benchmark::Initialize(&argc, argv);
    Recorder recorder;
    benchmark::RunSpecifiedBenchmarks(&recorder);
    std::printf("tabella_rows_per_s: %.0f\n", kRows / recorder.seconds["BM_tabella_csv"]);
    std::printf("engine_rows_per_s: %.0f\n", kRows / recorder.seconds["BM_engine_only"]);
    return 0;
}
