// What an instructor waits for: `esercizi --numero 1000` with every output
// (the list in both CSV forms and the Moodle quiz), and marking a class's
// file of 10,000 answers, read, checked and written back as CSV. The
// practice layer alone, without Qt, as the command line runs it.
#include "Recorder.h"
#include "practice/ClassMarking.h"
#include "practice/Digits.h"
#include "practice/ExerciseFiles.h"
#include "practice/ExerciseSet.h"

#include <cstdio>
#include <string>

namespace {

constexpr int kExercises = 1000;
constexpr int kAnswers = 10000;
constexpr std::uint64_t kSeed = 2027;

std::vector<practice::Exercise> exercises() {
    std::string problem;
    return *practice::ExerciseSet::make(kSeed, kExercises, {}, &problem);
}

void BM_esercizi_1000(benchmark::State& state) {
    for (auto _ : state) {
        const auto set = exercises();
        benchmark::DoNotOptimize(
            practice::exercise_files::list(set, practice::CsvDialect::kStandard));
        benchmark::DoNotOptimize(
            practice::exercise_files::list(set, practice::CsvDialect::kItalian));
        benchmark::DoNotOptimize(practice::exercise_files::moodle(set, {}));
    }
}
BENCHMARK(BM_esercizi_1000)->Unit(benchmark::kMillisecond);

// A class's file: every exercise answered ten times, rounded as students
// round, a slip here and there.
std::string answers() {
    using practice::digits::fixed;
    const auto set = exercises();
    practice::CsvWriter csv(practice::CsvDialect::kStandard);
    for (const char* column : {"nome", "codice", "velocita", "raggio", "coseno", "teta", "S"})
        csv.text(column);
    csv.endRecord();
    for (int i = 0; i < kAnswers; ++i) {
        const practice::Exercise& e = set[std::size_t(i % kExercises)];
        const engine::RayPoint& p = e.calculation.point;
        csv.text("studente " + std::to_string(i)).text(e.code());
        csv.text(fixed(p.vel - (i % 3 == 0 ? 0.273 : 0.0), 1)).text(fixed(p.r1, 1));
        csv.text(fixed(p.cosTeta, 7)).text(practice::digits::significant(p.teta, 5));
        csv.whole(p.S + (i % 5 == 0)).endRecord();
    }
    return csv.bytes();
}

void BM_mark_10000(benchmark::State& state) {
    const std::string file = answers();
    for (auto _ : state) {
        std::string problem;
        const auto marking = practice::ClassMarking::read(file, {}, &problem);
        benchmark::DoNotOptimize(marking->csv(practice::CsvDialect::kStandard));
    }
}
BENCHMARK(BM_mark_10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char* argv[]) {
    benchmark::Initialize(&argc, argv);
    Recorder recorder;
    benchmark::RunSpecifiedBenchmarks(&recorder);
    std::printf("esercizi_1000_ms: %.1f\n", 1e3 * recorder.seconds["BM_esercizi_1000"]);
    std::printf("mark_10000_ms: %.1f\n", 1e3 * recorder.seconds["BM_mark_10000"]);
    std::printf("answers_per_s: %.0f\n", kAnswers / recorder.seconds["BM_mark_10000"]);
    return 0;
}
