// Rows per second of `raggio-limite tabella` writing CSV (to /dev/null), and
// of the same calculations alone, writing nothing, so that the cost of the
// formatting shows beside them.
#include "Recorder.h"
#include "app/Range.h"
#include "app/Table.h"
#include "engine/Calculation.h"
#include "engine/RuntimeError.h"

#include <cstdio>

namespace {

constexpr std::int64_t kRows = 100000;

app::Range temperatures() {
    QString problem;
    return *app::Range::parse(QStringLiteral("0:99.999:0.001"), &problem); // 100000 values
}

app::Range single(const char* text) {
    QString problem;
    return *app::Range::parse(QString::fromLatin1(text), &problem);
}

void BM_tabella_csv(benchmark::State& state) {
    std::FILE* sink = std::fopen("/dev/null", "w");
    const app::Table table(temperatures(), single("35"), single("10"));
    const auto toSink = [&](std::string_view block) {
        return std::fwrite(block.data(), 1, block.size(), sink) == block.size();
    };
    for (auto _ : state)
        table.write(app::Table::Format::Csv, toSink);
    std::fclose(sink);
}
BENCHMARK(BM_tabella_csv)->Unit(benchmark::kMillisecond);

void BM_engine_only(benchmark::State& state) {
    const app::Range t = temperatures();
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
