// What an instructor waits for: `esercizi --numero 1000` with every output
// (the list in both CSV forms and the Moodle quiz; then with the sheets and
// the key as PDF files too), and marking a class's file of 10,000 answers,
// read, checked and written back as CSV. The practice layer as the command
// line runs it, and the documents' painter offscreen.
#include "Recorder.h"
#include "form/ExerciseDocuments.h"
#include "main_window/PrintedDocument.h"
#include "practice/ClassMarking.h"
#include "practice/Digits.h"
#include "practice/ExerciseFiles.h"
#include "practice/ExerciseSet.h"

#include <QGuiApplication>
#include <QTemporaryDir>

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

// The set and its text files.
void writeTextFiles() {
    const auto set = exercises();
    benchmark::DoNotOptimize(practice::exercise_files::list(set, practice::CsvDialect::kStandard));
    benchmark::DoNotOptimize(practice::exercise_files::list(set, practice::CsvDialect::kItalian));
    benchmark::DoNotOptimize(practice::exercise_files::moodle(set, {}));
}

void BM_esercizi_1000(benchmark::State& state) {
    for (auto _ : state)
        writeTextFiles();
}
BENCHMARK(BM_esercizi_1000)->Unit(benchmark::kMillisecond);

// The same with the students' sheets and the key, two PDFs of 1000 pages.
void BM_esercizi_1000_pdf(benchmark::State& state) {
    const QTemporaryDir folder;
    for (auto _ : state) {
        writeTextFiles();
        const auto set = exercises();
        QString problem;
        for (const auto& [name, document] : {std::pair{"esercizi.pdf", form::exerciseSheets(set)},
                                             std::pair{"chiave.pdf", form::exerciseKey(set)}})
            if (!main_window::PrintedDocument::savePdf(document, folder.filePath(name), &problem))
                state.SkipWithError(qPrintable(problem));
    }
}
BENCHMARK(BM_esercizi_1000_pdf)->Unit(benchmark::kMillisecond);

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
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // fonts for the PDFs, no display needed
    int qtArgc = 1;
    const QGuiApplication application(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    Recorder recorder;
    benchmark::RunSpecifiedBenchmarks(&recorder);
    std::printf("esercizi_1000_ms: %.1f\n", 1e3 * recorder.seconds["BM_esercizi_1000"]);
    std::printf("esercizi_1000_pdf_ms: %.1f\n", 1e3 * recorder.seconds["BM_esercizi_1000_pdf"]);
    std::printf("mark_10000_ms: %.1f\n", 1e3 * recorder.seconds["BM_mark_10000"]);
    std::printf("answers_per_s: %.0f\n", kAnswers / recorder.seconds["BM_mark_10000"]);
    return 0;
}
