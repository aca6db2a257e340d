#include "app/PracticeSubcommands.h"

#include "app/Arguments.h"
#include "app/Exit.h"
#include "app/StandardOutput.h"
#include "app/TextFile.h"
#include "engine/Calculation.h"
#include "engine/RuntimeError.h"
#include "practice/Check.h"
#include "practice/ClassMarking.h"
#include "practice/CsvWriter.h"
#include "practice/ExerciseFiles.h"
#include "practice/ExerciseSet.h"

#include <algorithm>
#include <optional>

namespace app {

namespace {

using practice::CsvDialect;
using practice::ExerciseRanges;

QCommandLineOption valued(const QStringList& names, const QString& valueName) {
    return QCommandLineOption(names, {}, valueName);
}

// The ranges of esercizi, which verifica --risposte takes too, to find the
// exercises that the codes name.
struct RangeOptions {
    QCommandLineOption options[3] = {
        valued({QStringLiteral("temperatura")}, QStringLiteral("A:B")),
        valued({QStringLiteral("salinita"), QStringLiteral("salinità")}, QStringLiteral("A:B")),
        valued({QStringLiteral("quota")}, QStringLiteral("A:B")),
    };

    QList<QCommandLineOption> all() const { return {options[0], options[1], options[2]}; }

    const QCommandLineOption* anySet(const Arguments& arguments) const {
        for (const QCommandLineOption& option : options)
            if (arguments.isSet(option))
                return &option;
        return nullptr;
    }

    // The defaults where an option is not given; a usage mistake in *problem.
    std::optional<ExerciseRanges> read(const Arguments& arguments, QString* problem) const {
        ExerciseRanges ranges;
        const ExerciseRanges::Input inputs[] = {ExerciseRanges::Input::Temperature,
                                                ExerciseRanges::Input::Salinity,
                                                ExerciseRanges::Input::Depth};
        for (int i = 0; i < 3; ++i) {
            if (!arguments.isSet(options[i]))
                continue;
            std::string why;
            const auto range =
                ExerciseRanges::parse(inputs[i], arguments.value(options[i]).toStdString(), &why);
            if (!range) {
                *problem = QStringLiteral("--%1: %2")
                               .arg(options[i].names().first(), QString::fromStdString(why));
                return std::nullopt;
            }
            ranges[inputs[i]] = *range;
        }
        return ranges;
    }
};

// The step options of verifica, in the order of the steps.
QList<QCommandLineOption> stepOptions() {
    return {valued({QStringLiteral("velocita"), QStringLiteral("velocità")}, QStringLiteral("V")),
            valued({QStringLiteral("raggio")}, QStringLiteral("R")),
            valued({QStringLiteral("coseno")}, QStringLiteral("C")),
            valued({QStringLiteral("teta")}, QStringLiteral("A")),
            valued({QStringLiteral("ascissa")}, QStringLiteral("S"))};
}

// A usage mistake that the practice layer words as a sentence.
int usageError(const std::string& sentence) {
    QString problem = QString::fromStdString(sentence);
    if (problem.endsWith(QLatin1Char('.')))
        problem.chop(1); // usageError ends it
    return Exit::usageError(problem);
}

// How verifica writes: its text, or CSV in one of the two forms.
const CsvDialect* dialectOf(const QString& format) {
    if (format == QLatin1String("csv"))
        return &CsvDialect::kStandard;
    if (format == QLatin1String("csv-it"))
        return &CsvDialect::kItalian;
    return nullptr;
}

// Prints the text; exit status 1 also when the check found a wrong step.
int printed(const std::string& text, bool passed) {
    StandardOutput out;
    out.write(text);
    const int status = Exit::finish(out);
    return status == Exit::kDone && !passed ? Exit::kFailed : status;
}

int checkWorking(const Arguments& arguments, const QList<QCommandLineOption>& steps,
                 const CsvDialect* dialect) {
    practice::Working working;
    for (const practice::Step step : practice::kSteps)
        if (const QCommandLineOption& option = steps[qsizetype(practice::indexOf(step))];
            arguments.isSet(option))
            working.set(step, arguments.value(option).toStdString());
    if (const auto problem = working.problem())
        return usageError(*problem);
    const QStringList& v = arguments.values();
    Exit::readingNotices(v);
    try {
        const auto c = engine::Calculation::fromTexts(v[0].toStdString(), v[1].toStdString(),
                                                      v[2].toStdString());
        const practice::Check check(c, working);
        return printed(dialect ? check.csv(*dialect) : check.text(), check.passed());
    } catch (const engine::RuntimeError& error) {
        return Exit::failure(QString::fromUtf8(error.what()));
    }
}

int markClass(const QString& path, const ExerciseRanges& ranges, const CsvDialect* dialect) {
    QByteArray bytes;
    QString problem;
    if (!TextFile::load(path, &bytes, &problem))
        return Exit::failure(problem);
    std::string why;
    const auto marking = practice::ClassMarking::read(
        std::string_view(bytes.constData(), std::size_t(bytes.size())), ranges, &why);
    if (!marking)
        return Exit::failure(QStringLiteral("%1: %2").arg(path, QString::fromStdString(why)));
    return printed(dialect ? marking->csv(*dialect) : marking->text(), true);
}

// How a user types the option: "-o", "--csv".
QString typed(const QCommandLineOption& option) {
    const QString name = option.names().first();
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

// A file option of esercizi, and the extension its file must have.
struct FileOption {
    QCommandLineOption option;
    QString extension;
};

} // namespace

int PracticeSubcommands::verifica(const QStringList& given) {
    const QList<QCommandLineOption> steps = stepOptions();
    const RangeOptions ranges;
    const QCommandLineOption answers = valued({QStringLiteral("risposte")}, QStringLiteral("FILE"));
    const QCommandLineOption format(QStringLiteral("formato"), {}, QStringLiteral("F"),
                                    QStringLiteral("testo"));
    const bool forClass = std::any_of(given.begin(), given.end(), [](const QString& a) {
        return a == QLatin1String("--risposte") || a.startsWith(QLatin1String("--risposte="));
    });
    Arguments arguments(QStringLiteral("verifica"),
                        steps + ranges.all() + QList<QCommandLineOption>{answers, format},
                        forClass ? 0 : 3);
    if (const auto status = Exit::read(arguments, given))
        return *status;
    const QString formatName = arguments.value(format);
    const CsvDialect* dialect = dialectOf(formatName);
    if (!dialect && formatName != QLatin1String("testo"))
        return Exit::usageError(
            QStringLiteral("formato sconosciuto \"%1\": testo, csv o csv-it").arg(formatName));
    if (!forClass) {
        if (const QCommandLineOption* range = ranges.anySet(arguments))
            return Exit::usageError(
                QStringLiteral("--%1 vale solo con --risposte, per i codici degli esercizi")
                    .arg(range->names().first()));
        return checkWorking(arguments, steps, dialect);
    }
    for (const QCommandLineOption& step : steps)
        if (arguments.isSet(step))
            return Exit::usageError(
                QStringLiteral("con --risposte i passi vengono dal file, non da --%1")
                    .arg(step.names().first()));
    QString problem;
    const std::optional<ExerciseRanges> read = ranges.read(arguments, &problem);
    if (!read)
        return Exit::usageError(problem);
    return markClass(arguments.value(answers), *read, dialect);
}

int PracticeSubcommands::esercizi(const QStringList& given, const PaperWriter& writePaper) {
    const QCommandLineOption count = valued({QStringLiteral("numero")}, QStringLiteral("N"));
    const QCommandLineOption seed = valued({QStringLiteral("seme")}, QStringLiteral("S"));
    const RangeOptions rangeOptions;
    // In the order their names are printed once written.
    const FileOption files[] = {
        {valued({QStringLiteral("csv")}, QStringLiteral("FILE")), QStringLiteral(".csv")},
        {valued({QStringLiteral("csv-it")}, QStringLiteral("FILE")), QStringLiteral(".csv")},
        {valued({QStringLiteral("moodle")}, QStringLiteral("FILE")), QStringLiteral(".xml")},
        {valued({QStringLiteral("o"), QStringLiteral("output")}, QStringLiteral("FILE")),
         QStringLiteral(".pdf")},
        {valued({QStringLiteral("soluzioni")}, QStringLiteral("FILE")), QStringLiteral(".pdf")},
    };
    QList<QCommandLineOption> options{count, seed};
    options += rangeOptions.all();
    for (const FileOption& file : files)
        options << file.option;
    Arguments arguments(QStringLiteral("esercizi"), options, 0);
    if (const auto status = Exit::read(arguments, given))
        return *status;
    constexpr int most = practice::ExerciseSet::kMostExercises;
    if (!arguments.isSet(count))
        return Exit::usageError(
            QStringLiteral("manca --numero N, quanti esercizi (da 1 a %1)").arg(most));
    bool whole = false;
    const int n = arguments.value(count).toInt(&whole);
    if (!whole || n < 1 || n > most)
        return Exit::usageError(QStringLiteral("--numero vuole un numero intero da 1 a %1, non "
                                               "\"%2\"")
                                    .arg(most)
                                    .arg(arguments.value(count)));
    if (!arguments.isSet(seed))
        return Exit::usageError(
            QStringLiteral("manca --seme S, il numero intero da cui nascono gli esercizi"));
    std::string why;
    const auto s = practice::ExerciseSet::readSeed(arguments.value(seed).toStdString(), &why);
    if (!s)
        return Exit::usageError(QStringLiteral("--seme: ") + QString::fromStdString(why));
    QString problem;
    const std::optional<ExerciseRanges> ranges = rangeOptions.read(arguments, &problem);
    if (!ranges)
        return Exit::usageError(problem);
    if (arguments.isSet(files[0].option) && arguments.isSet(files[1].option))
        return Exit::usageError(QStringLiteral("--csv o --csv-it, non tutti e due"));
    for (const FileOption& file : files)
        if (arguments.isSet(file.option) &&
            !TextFile::hasExtension(arguments.value(file.option), file.extension))
            return Exit::usageError(
                QStringLiteral("%1 vuole un file %2").arg(typed(file.option), file.extension));
    const auto set = practice::ExerciseSet::make(*s, n, *ranges, &why);
    if (!set)
        return usageError(why);
    namespace files_of = practice::exercise_files;
    const auto save = [&](std::size_t file, const QString& path) {
        switch (file) {
        case 0:
        case 1:
            return TextFile::save(
                path,
                files_of::list(*set, file == 0 ? CsvDialect::kStandard : CsvDialect::kItalian),
                &problem);
        case 2:
            return TextFile::save(path, files_of::moodle(*set, *ranges), &problem);
        default:
            return writePaper(file == 3 ? Paper::Sheets : Paper::Key, *set, path, &problem);
        }
    };
    if (std::none_of(std::begin(files), std::end(files),
                     [&](const FileOption& f) { return arguments.isSet(f.option); }))
        return printed(files_of::list(*set, CsvDialect::kStandard), true);
    StandardOutput out;
    for (std::size_t i = 0; i < std::size(files); ++i) {
        if (!arguments.isSet(files[i].option))
            continue;
        const QString path = arguments.value(files[i].option);
        if (!save(i, path)) {
            out.finish();
            return Exit::failure(problem);
        }
        out.write(path + QLatin1Char('\n'));
    }
    return Exit::finish(out);
}

} // namespace app
