#include "app/CommandLine.h"

#include "app/Arguments.h"
#include "app/Exit.h"
#include "app/Limits.h"
#include "app/OffscreenApplication.h"
#include "app/PracticeSubcommands.h"
#include "app/TextFile.h"
#include "app/TextSubcommands.h"
#include "form/CalculationSheet.h"
#include "form/ExerciseDocuments.h"
#include "main_window/BrowserPage.h"
#include "main_window/Picture.h"
#include "main_window/PrintedDocument.h"
#include "main_window/UnshownWindow.h"

#include <QCoreApplication>

#include <algorithm>
#include <numeric>
#include <optional>

namespace app {

namespace {

using main_window::UnshownWindow;

// What grafico and scheda have in common: the window's picture or its sheet
// after the clicks, made without a window, saved to the file that -o names,
// whose name is then printed.
struct Rendering {
    const char* subcommand;
    QStringList extensions; // accepted, in any case
    bool plot;              // "Grafico" after "Calcolo"
    bool (*save)(const UnshownWindow& window, const QString& path, QString* problem);
};

// What the window shows, labels included: a PNG at the window's ratio, or for
// a name ending ".pdf" (in any case) one page of vectors and text.
bool savePicture(const UnshownWindow& window, const QString& path, QString* problem) {
    return path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)
               ? main_window::Picture::savePdf(window.view(), path, problem)
               : main_window::Picture::savePng(window.view(), path, problem);
}

bool saveSheet(const UnshownWindow& window, const QString& path, QString* problem) {
    return main_window::PrintedDocument::savePdf(
        form::calculationSheet(window.state().lastCalculation()), path, problem);
}

int rendered(char* program, const QStringList& given, const Rendering& kind) {
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")}, {},
                                    QStringLiteral("FILE"));
    const QCommandLineOption scale(QStringLiteral("scala"), {}, QStringLiteral("N"),
                                   QStringLiteral("1"));
    QList<QCommandLineOption> options{output};
    if (kind.plot)
        options << scale;
    Arguments arguments(QString::fromLatin1(kind.subcommand), options, 3);
    if (const auto status = Exit::read(arguments, given))
        return *status;
    if (!arguments.isSet(output))
        return Exit::usageError(QStringLiteral("manca -o FILE, il file %1 da scrivere")
                                    .arg(kind.extensions.join(" o ")));
    const QString path = arguments.value(output);
    const bool known = std::any_of(kind.extensions.begin(), kind.extensions.end(),
                                   [&](auto& e) { return TextFile::hasExtension(path, e); });
    if (!known)
        return Exit::usageError(
            QStringLiteral("-o vuole un file %1").arg(kind.extensions.join(" o ")));
    bool scaleRead = !kind.plot;
    const double factor = kind.plot ? arguments.value(scale).toDouble(&scaleRead) : 1.0;
    if (!scaleRead || !(factor > 0.0 && factor <= kLargestScale))
        return Exit::usageError(
            QStringLiteral("--scala vuole un numero maggiore di 0 e al massimo %1, non \"%2\"")
                .arg(kLargestScale)
                .arg(arguments.value(scale)));
    const OffscreenApplication application(program);
    UnshownWindow window(factor);
    const QStringList& texts = arguments.values();
    Exit::readingNotices(texts);
    std::string error =
        window.calcolo(texts[0].toStdString(), texts[1].toStdString(), texts[2].toStdString());
    if (error.empty() && kind.plot)
        error = window.grafico();
    if (!error.empty())
        return Exit::failure(QString::fromStdString(error));
    QString problem;
    if (!kind.save(window, path, &problem))
        return Exit::failure(problem);
    return Exit::printed(path + QLatin1Char('\n'));
}

int grafico(char* program, const QStringList& given) {
    return rendered(program, given, {"grafico", {".png", ".pdf"}, true, savePicture});
}

int scheda(char* program, const QStringList& given) {
    return rendered(program, given, {"scheda", {".pdf"}, false, saveSheet});
}

// The page for the browser, copied whole to the file that -o names.
int pagina(char* program, const QStringList& given) {
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")}, {},
                                    QStringLiteral("FILE"));
    Arguments arguments(QStringLiteral("pagina"), {output}, 0);
    if (const auto status = Exit::read(arguments, given))
        return *status;
    const QString path = arguments.value(output);
    if (!arguments.isSet(output))
        return Exit::usageError(QStringLiteral("manca -o FILE, il file .html da scrivere"));
    if (!TextFile::hasExtension(path, QStringLiteral(".html")))
        return Exit::usageError(QStringLiteral("-o vuole un file .html"));
    int argc = 1;
    char* argv[] = {program, nullptr};
    const QCoreApplication application(argc, argv); // to find the page beside the program
    QString problem;
    if (!main_window::BrowserPage::save(path, &problem))
        return Exit::failure(problem);
    return Exit::printed(path + QLatin1Char('\n'));
}

// esercizi, with its sheets and key painted as the calculation sheet is.
int esercizi(char* program, const QStringList& given) {
    std::optional<OffscreenApplication> application; // for fonts, made once a PDF is asked for
    return PracticeSubcommands::esercizi(given, [&](PracticeSubcommands::Paper paper,
                                                    const std::vector<practice::Exercise>& set,
                                                    const QString& path, QString* problem) {
        if (!application)
            application.emplace(program);
        return main_window::PrintedDocument::savePdf(paper == PracticeSubcommands::Paper::Sheets
                                                         ? form::exerciseSheets(set)
                                                         : form::exerciseKey(set),
                                                     path, problem);
    });
}

struct Subcommand {
    const char* name;
    int (*run)(char* program, const QStringList& given);
};

const Subcommand kSubcommands[] = {
    {"calcolo", [](char*, const QStringList& given) { return TextSubcommands::calcolo(given); }},
    {"tabella", [](char*, const QStringList& given) { return TextSubcommands::tabella(given); }},
    {"grafico", grafico},
    {"scheda", scheda},
    {"pagina", pagina},
    {"verifica",
     [](char*, const QStringList& given) { return PracticeSubcommands::verifica(given); }},
    {"esercizi", esercizi},
};

// How many letters to insert, delete or change to turn one word into the other.
qsizetype editDistance(const QString& from, const QString& to) {
    QList<qsizetype> row(to.size() + 1);
    std::iota(row.begin(), row.end(), 0);
    for (qsizetype i = 1; i <= from.size(); ++i) {
        qsizetype diagonal = row[0];
        row[0] = i;
        for (qsizetype j = 1; j <= to.size(); ++j) {
            const qsizetype above = row[j];
            row[j] = std::min({above + 1, row[j - 1] + 1, diagonal + (from[i - 1] != to[j - 1])});
            diagonal = above;
        }
    }
    return row[to.size()];
}

// The subcommand a mistyped word most likely means, as " (forse intendevi: X)";
// empty when none is within two letters.
QString suggestionFor(const QString& word) {
    qsizetype fewest = 3;
    QString nearest;
    for (const Subcommand& subcommand : kSubcommands) {
        const qsizetype edits = editDistance(word.toLower(), QLatin1String(subcommand.name));
        if (edits < fewest) {
            fewest = edits;
            nearest = QStringLiteral(" (forse intendevi: %1)").arg(subcommand.name);
        }
    }
    return nearest;
}

} // namespace

int CommandLine::run(int argc, char* argv[]) {
    QStringList given;
    for (int i = 2; i < argc; ++i)
        given << QString::fromLocal8Bit(argv[i]);
    const QString first = QString::fromLocal8Bit(argv[1]);
    if (first == QLatin1String("-h") || first == QLatin1String("--help"))
        return Exit::help();
    if (first == QLatin1String("-v") || first == QLatin1String("--version"))
        return Exit::printed(QStringLiteral("raggio-limite %1\n").arg(RAGGIO_LIMITE_VERSION));
    for (const Subcommand& subcommand : kSubcommands)
        if (first == QLatin1String(subcommand.name))
            return subcommand.run(argv[0], given);
    if (first.startsWith(QLatin1Char('-')))
        return Exit::usageError(QStringLiteral("opzione sconosciuta \"%1\"").arg(first));
    return Exit::usageError(
        QStringLiteral("sottocomando sconosciuto \"%1\"%2").arg(first, suggestionFor(first)));
}

} // namespace app
