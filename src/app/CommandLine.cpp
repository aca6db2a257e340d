#include "app/CommandLine.h"

#include "app/Arguments.h"
#include "app/OffscreenWindow.h"
#include "app/Range.h"
#include "app/StandardOutput.h"
#include "app/Table.h"
#include "engine/Calculation.h"
#include "engine/Report.h"
#include "engine/RuntimeError.h"
#include "main_window/Picture.h"
#include "main_window/Sheet.h"

#include <cstdio>
#include <optional>

namespace app {

namespace {

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;
constexpr long long kMostRows = 10'000'000;
constexpr double kLargestScale = 8.0;

const char kHelp[] = R"(Uso: raggio-limite [SOTTOCOMANDO] [ARGOMENTI]

Senza argomenti apre la finestra. Con un sottocomando calcola senza finestra.

  calcolo TEMPERATURA SALINITA QUOTA
      Stampa le 21 righe che "Calcolo" scrive nella finestra.
      I valori si leggono come nelle caselle: "." per i decimali, 60,5 vale 60.
      Esempio: raggio-limite calcolo 60 35 10

  tabella --temperatura A[:B[:PASSO]] --salinita A[:B[:PASSO]] --quota A[:B[:PASSO]]
          [--formato csv|testo]
      Una riga per ogni combinazione (la temperatura varia più lentamente,
      poi la salinità, poi la quota), in CSV con l'intestazione
      temperatura,salinita,quota,velocita,raggio,coseno,teta,S,errore
      oppure in colonne allineate con --formato testo. Salinità e quota
      entrano nel calcolo come numeri interi: i loro intervalli devono dare
      solo interi. Si scrive anche --salinità. Al massimo 10000000 righe.
      Esempio: raggio-limite tabella --temperatura 50:70:10 --salinita 35 --quota 0:15:5

  grafico TEMPERATURA SALINITA QUOTA -o FILE.png|FILE.pdf [--scala N]
      Salva il grafico che la finestra mostra dopo "Calcolo" e "Grafico":
      PNG come sullo schermo (--scala 2 per il doppio dei pixel, da più di 0
      a 8), oppure PDF di una pagina, a vettori. Scrive il nome del file.
      Esempio: raggio-limite grafico 60 35 10 -o raggio.png

  scheda TEMPERATURA SALINITA QUOTA -o FILE.pdf
      Salva la scheda di calcolo: una pagina A4 con i dati, le 21 righe del
      calcolo e il grafico. Scrive il nome del file.
      Esempio: raggio-limite scheda 60 35 10 -o scheda.pdf

  -h, --help       questo aiuto
  -v, --version    la versione

Stato d'uscita: 0 riuscito, 1 errore di calcolo o di scrittura, 2 uso sbagliato.
)";

void tell(const QString& line) {
    std::fputs(qPrintable(line + QLatin1Char('\n')), stderr);
}

int usageError(const QString& problem) {
    tell(QStringLiteral("raggio-limite: %1. Vedere raggio-limite --help.").arg(problem));
    return kUsage;
}

int failure(const QString& message) {
    tell(message);
    return kFailed;
}

// The exit status once everything is written.
int finish(StandardOutput& out) {
    return out.finish() ? kDone : failure(out.problem());
}

int printed(const QString& text) {
    StandardOutput out;
    out.write(text);
    return finish(out);
}

int help() {
    return printed(QString::fromUtf8(kHelp));
}

// Reads a subcommand's arguments; the exit status when that already ends it:
// help shown, or a usage mistake told.
std::optional<int> read(Arguments& arguments, const QStringList& given) {
    if (const auto problem = arguments.parse(given))
        return usageError(*problem);
    if (arguments.helpAsked())
        return help();
    return std::nullopt;
}

int calcolo(const QStringList& given) {
    Arguments arguments(QStringLiteral("calcolo"), {}, 3);
    if (const auto status = read(arguments, given))
        return *status;
    const QStringList& v = arguments.values();
    try {
        const auto c = engine::Calculation::fromTexts(v[0].toStdString(), v[1].toStdString(),
                                                      v[2].toStdString());
        std::string report;
        for (const std::string& line : engine::reportLines(c))
            report += line + '\n';
        return printed(QString::fromStdString(report));
    } catch (const engine::RuntimeError& error) {
        return failure(QString::fromStdString(error.message()));
    }
}

// A range option of tabella, or the usage mistake in it.
std::optional<Range> rangeOf(const Arguments& arguments, const QCommandLineOption& option,
                             bool wholeOnly, QString* problem) {
    const QString name = QStringLiteral("--") + option.names().first();
    if (!arguments.isSet(option)) {
        *problem = QStringLiteral("manca %1").arg(name);
        return std::nullopt;
    }
    QString why;
    const std::optional<Range> range = Range::parse(arguments.value(option), &why);
    if (!range)
        *problem = name + QStringLiteral(": ") + why;
    else if (wholeOnly && !range->allWhole())
        *problem = QStringLiteral("%1: \"%2\" dà valori non interi, ma il calcolo arrotonda "
                                  "salinità e quota a numeri interi; scrivere un intervallo di "
                                  "interi, come 30:40 o 0:15:5")
                       .arg(name, arguments.value(option));
    return problem->isEmpty() ? range : std::nullopt;
}

int tabella(const QStringList& given) {
    const QCommandLineOption temperature(QStringLiteral("temperatura"), {}, QStringLiteral("A"));
    const QCommandLineOption salinity({QStringLiteral("salinita"), QStringLiteral("salinità")}, {},
                                      QStringLiteral("A"));
    const QCommandLineOption depth(QStringLiteral("quota"), {}, QStringLiteral("A"));
    const QCommandLineOption format(QStringLiteral("formato"), {}, QStringLiteral("F"),
                                    QStringLiteral("csv"));
    Arguments arguments(QStringLiteral("tabella"), {temperature, salinity, depth, format}, 0);
    if (const auto status = read(arguments, given))
        return *status;
    QString problem;
    std::optional<Range> ranges[3];
    const QCommandLineOption* options[] = {&temperature, &salinity, &depth};
    for (int i = 0; i < 3 && problem.isEmpty(); ++i)
        ranges[i] = rangeOf(arguments, *options[i], i > 0, &problem);
    if (!problem.isEmpty())
        return usageError(problem);
    const QString formatName = arguments.value(format);
    if (formatName != QLatin1String("csv") && formatName != QLatin1String("testo"))
        return usageError(
            QStringLiteral("formato sconosciuto \"%1\": csv o testo").arg(formatName));
    const Table table(*ranges[0], *ranges[1], *ranges[2]);
    if (table.rowCount() > kMostRows)
        return usageError(
            QStringLiteral("la tabella avrebbe %1 righe, più di 10000000").arg(table.rowCount()));
    StandardOutput out;
    table.write(formatName == QLatin1String("csv") ? Table::Format::Csv : Table::Format::Text,
                [&](std::string_view block) { return out.write(block); });
    return finish(out);
}

// What grafico and scheda have in common: the window, offscreen, after the
// clicks, saved to the file that -o names, whose name is then printed.
struct Rendering {
    const char* subcommand;
    QStringList extensions; // accepted, in any case
    bool plot;              // "Grafico" after "Calcolo"
    bool (*save)(const main_window::Form1& form, const QString& path, QString* problem);
};

int rendered(char* program, const QStringList& given, const Rendering& kind) {
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")}, {},
                                    QStringLiteral("FILE"));
    const QCommandLineOption scale(QStringLiteral("scala"), {}, QStringLiteral("N"),
                                   QStringLiteral("1"));
    QList<QCommandLineOption> options{output};
    if (kind.plot)
        options << scale;
    Arguments arguments(QString::fromLatin1(kind.subcommand), options, 3);
    if (const auto status = read(arguments, given))
        return *status;
    const QString path = arguments.value(output);
    const bool known = std::any_of(kind.extensions.begin(), kind.extensions.end(), [&](auto& e) {
        return path.endsWith(e, Qt::CaseInsensitive) && path.size() > e.size();
    });
    if (!known)
        return usageError(QStringLiteral("-o vuole un file %1").arg(kind.extensions.join(" o ")));
    bool scaleRead = !kind.plot;
    const double factor = kind.plot ? arguments.value(scale).toDouble(&scaleRead) : 1.0;
    if (!scaleRead || !(factor > 0.0 && factor <= kLargestScale))
        return usageError(QStringLiteral("--scala vuole un numero maggiore di 0 e al massimo 8, "
                                         "non \"%1\"")
                              .arg(arguments.value(scale)));
    OffscreenWindow window(program, factor);
    const QString error = window.press(arguments.values(), kind.plot);
    if (!error.isEmpty())
        return failure(error);
    QString problem;
    if (!kind.save(window.form(), path, &problem))
        return failure(problem);
    return printed(path + QLatin1Char('\n'));
}

bool savePicture(const main_window::Form1& form, const QString& path, QString* problem) {
    return path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)
               ? main_window::Picture::savePdf(form, path, problem)
               : main_window::Picture::savePng(form, path, problem);
}

} // namespace

int CommandLine::run(int argc, char* argv[]) {
    QStringList given;
    for (int i = 2; i < argc; ++i)
        given << QString::fromLocal8Bit(argv[i]);
    const QString first = QString::fromLocal8Bit(argv[1]);
    if (first == QLatin1String("-h") || first == QLatin1String("--help"))
        return help();
    if (first == QLatin1String("-v") || first == QLatin1String("--version"))
        return printed(QStringLiteral("raggio-limite %1\n").arg(RAGGIO_LIMITE_VERSION));
    if (first == QLatin1String("calcolo"))
        return calcolo(given);
    if (first == QLatin1String("tabella"))
        return tabella(given);
    if (first == QLatin1String("grafico"))
        return rendered(argv[0], given, {"grafico", {".png", ".pdf"}, true, &savePicture});
    if (first == QLatin1String("scheda"))
        return rendered(argv[0], given, {"scheda", {".pdf"}, false, &main_window::Sheet::savePdf});
    if (first.startsWith(QLatin1Char('-')))
        return usageError(QStringLiteral("opzione sconosciuta \"%1\"").arg(first));
    return usageError(QStringLiteral("sottocomando sconosciuto \"%1\"").arg(first));
}

} // namespace app
