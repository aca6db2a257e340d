#include "app/CommandLine.h"

#include "app/Range.h"
#include "app/Table.h"
#include "engine/Calculation.h"
#include "engine/Report.h"
#include "engine/RuntimeError.h"
#include "main_window/Form1.h"
#include "main_window/Picture.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

#include <cstdio>
#include <optional>

namespace app {

namespace {

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;
constexpr long long kMostRows = 10'000'000;

const char kHelp[] = R"(Uso: raggio-limite [SOTTOCOMANDO] [ARGOMENTI]

Senza argomenti apre la finestra. Con un sottocomando calcola senza finestra.

  calcolo TEMPERATURA SALINITA QUOTA
      Stampa le 21 righe che "Calcolo" scrive nella finestra.
      I valori si leggono come nelle caselle: "." per i decimali, 60,5 vale 60.
      Esempio: raggio-limite calcolo 60 35 10

  tabella --temperatura A[:B[:PASSO]] --salinita A[:B[:PASSO]] --quota A[:B[:PASSO]]
          [--formato csv|testo]
      Una riga per ogni combinazione (la temperatura varia più lentamente),
      in CSV con l'intestazione
      temperatura,salinita,quota,velocita,raggio,coseno,teta,S,errore
      oppure in colonne allineate con --formato testo. Al massimo 10000000 righe.
      Esempio: raggio-limite tabella --temperatura 50:70:10 --salinita 35 --quota 0:15:5

  grafico TEMPERATURA SALINITA QUOTA -o FILE.png|FILE.pdf [--scala N]
      Salva il grafico che la finestra mostra dopo "Calcolo" e "Grafico":
      PNG come sullo schermo (--scala 2 per il doppio dei pixel), oppure
      PDF di una pagina, a vettori.
      Esempio: raggio-limite grafico 60 35 10 -o raggio.png

  -h, --help       questo aiuto
  -v, --version    la versione

Stato d'uscita: 0 riuscito, 1 errore di calcolo o di scrittura, 2 uso sbagliato.
)";

void write(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.data(), 1, std::size_t(bytes.size()), stream);
}

int usageError(const QString& problem) {
    write(stderr, QStringLiteral("raggio-limite: %1. Vedere raggio-limite --help.\n").arg(problem));
    return kUsage;
}

int failure(const QString& message) {
    write(stderr, message + QLatin1Char('\n'));
    return kFailed;
}

bool isNumberLike(const QString& argument) {
    static const QRegularExpression negative(QStringLiteral("^-[0-9.]"));
    return negative.match(argument).hasMatch();
}

bool takesValue(const QList<QCommandLineOption>& options, const QString& argument) {
    if (argument.contains(QLatin1Char('=')))
        return false;
    const QString name = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
    for (const QCommandLineOption& option : options)
        if (option.names().contains(name))
            return !option.valueName().isEmpty();
    return false;
}

// The argument that named the option, as the user typed it.
QString asTyped(const QStringList& arguments, const QString& name) {
    for (const QString& argument : arguments)
        if (argument.section(QLatin1Char('='), 0, 0).endsWith(QLatin1Char('-') + name))
            return argument.section(QLatin1Char('='), 0, 0);
    return name;
}

// A subcommand's options and its values, or the exit status when it is done
// already: help shown, or a usage error told. Negative numbers stay values, not
// options: the values are handed to the parser behind "--".
struct Parsed {
    QStringList values;
    std::optional<int> status;
};

QString valueCountProblem(const QString& subcommand, qsizetype expected, const QStringList& got) {
    if (expected == 0)
        return QStringLiteral("%1 non vuole valori senza opzione (\"%2\")").arg(subcommand, got[0]);
    return QStringLiteral("%1 vuole 3 valori, TEMPERATURA SALINITA QUOTA, e ne ha %2")
        .arg(subcommand)
        .arg(got.size());
}

Parsed parse(QCommandLineParser& parser, const QList<QCommandLineOption>& options,
             const char* subcommand, qsizetype valueCount, const QStringList& arguments) {
    parser.addOptions(options);
    parser.addOption({{QStringLiteral("h"), QStringLiteral("help")}, QString()});
    QStringList ordered{QStringLiteral("raggio-limite")};
    QStringList values;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--")) {
            values += arguments.mid(i + 1);
            break;
        }
        if (!argument.startsWith(QLatin1Char('-')) || isNumberLike(argument) ||
            argument == QLatin1String("-")) {
            values << argument;
            continue;
        }
        ordered << argument;
        if (takesValue(options, argument) && i + 1 < arguments.size())
            ordered << arguments[++i];
    }
    ordered << QStringLiteral("--") << values;
    const bool fits = parser.parse(ordered);
    if (parser.isSet(QStringLiteral("help")))
        return {{}, (write(stdout, QString::fromUtf8(kHelp)), kDone)};
    if (!fits) {
        const QStringList unknown = parser.unknownOptionNames();
        return {{},
                usageError(unknown.isEmpty() ? QStringLiteral("manca il valore di un'opzione (%1)")
                                                   .arg(parser.errorText())
                                             : QStringLiteral("opzione sconosciuta \"%1\"")
                                                   .arg(asTyped(arguments, unknown.first())))};
    }
    values = parser.positionalArguments();
    if (values.size() != valueCount)
        return {{}, usageError(valueCountProblem(QLatin1String(subcommand), valueCount, values))};
    return {values, std::nullopt};
}

int calcolo(const QStringList& arguments) {
    QCommandLineParser parser;
    const Parsed parsed = parse(parser, {}, "calcolo", 3, arguments);
    if (parsed.status)
        return *parsed.status;
    try {
        const auto c =
            engine::Calculation::fromTexts(parsed.values[0], parsed.values[1], parsed.values[2]);
        write(stdout, engine::reportLines(c).join(QLatin1Char('\n')) + QLatin1Char('\n'));
        return kDone;
    } catch (const engine::RuntimeError& error) {
        return failure(error.message());
    }
}

int tabella(const QStringList& arguments) {
    const QCommandLineOption temperature(QStringLiteral("temperatura"), {}, QStringLiteral("A"));
    const QCommandLineOption salinity(QStringLiteral("salinita"), {}, QStringLiteral("A"));
    const QCommandLineOption depth(QStringLiteral("quota"), {}, QStringLiteral("A"));
    const QCommandLineOption format(QStringLiteral("formato"), {}, QStringLiteral("F"),
                                    QStringLiteral("csv"));
    QCommandLineParser parser;
    const Parsed parsed =
        parse(parser, {temperature, salinity, depth, format}, "tabella", 0, arguments);
    if (parsed.status)
        return *parsed.status;
    std::optional<Range> ranges[3];
    const QCommandLineOption* rangeOptions[] = {&temperature, &salinity, &depth};
    for (int i = 0; i < 3; ++i) {
        const QString name = rangeOptions[i]->names().first();
        if (!parser.isSet(name))
            return usageError(QStringLiteral("manca --%1").arg(name));
        QString problem;
        ranges[i] = Range::parse(parser.value(name), &problem);
        if (!ranges[i])
            return usageError(QStringLiteral("--%1: %2").arg(name, problem));
    }
    const QString formatName = parser.value(format);
    if (formatName != QLatin1String("csv") && formatName != QLatin1String("testo"))
        return usageError(
            QStringLiteral("formato sconosciuto \"%1\": csv o testo").arg(formatName));
    const Table table(*ranges[0], *ranges[1], *ranges[2]);
    if (table.rowCount() > kMostRows)
        return usageError(
            QStringLiteral("la tabella avrebbe %1 righe, più di 10000000").arg(table.rowCount()));
    table.write(formatName == QLatin1String("csv") ? Table::Format::Csv : Table::Format::Text,
                stdout);
    return kDone;
}

// The window, offscreen, after typing the values and clicking "Calcolo" and
// "Grafico", saved as the file's extension says.
int grafico(int argc, char* argv[], const QStringList& arguments) {
    const QCommandLineOption output(QStringList{QStringLiteral("o"), QStringLiteral("output")}, {},
                                    QStringLiteral("FILE"));
    const QCommandLineOption scale(QStringLiteral("scala"), {}, QStringLiteral("N"),
                                   QStringLiteral("1"));
    QCommandLineParser parser;
    const Parsed parsed = parse(parser, {output, scale}, "grafico", 3, arguments);
    if (parsed.status)
        return *parsed.status;
    const QString path = parser.value(output);
    const bool pdf = path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive);
    if (!pdf && !path.endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
        return usageError(QStringLiteral("-o vuole un file .png o .pdf"));
    bool scaleRead = false;
    const double factor = parser.value(scale).toDouble(&scaleRead);
    if (!scaleRead || !(factor > 0.0 && factor <= 8.0))
        return usageError(QStringLiteral("--scala vuole un numero da 0 a 8"));

    // Rendered offscreen; Qt's notes about the desktop session are no news here.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type != QtDebugMsg && type != QtInfoMsg && !message.startsWith("QStandardPaths:"))
            write(stderr, message + QLatin1Char('\n'));
    });
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", parser.value(scale).toLatin1());
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    (void)argc;
    main_window::Form1 form;
    QString error;
    form.setErrorReporter([&](const QString& message) { error = message; });
    const char* boxes[] = {"Text1", "Text2", "Text4"};
    for (int i = 0; i < 3; ++i)
        form.findChild<QLineEdit*>(QLatin1String(boxes[i]))->setText(parsed.values[i]);
    for (const char* button : {"Command1", "Command2"}) {
        form.findChild<QPushButton*>(QLatin1String(button))->click();
        if (!error.isEmpty())
            return failure(error);
    }
    QString problem;
    const bool saved = pdf ? main_window::Picture::savePdf(form, path, &problem)
                           : main_window::Picture::savePng(form, path, &problem);
    return saved ? kDone : failure(problem);
}

} // namespace

bool CommandLine::wantsWindow(int argc, char* argv[]) {
    if (argc < 2)
        return true;
    const QString first = QString::fromLocal8Bit(argv[1]);
    static const QStringList ours = {"-h", "--help", "-v", "--version"};
    return first.startsWith(QLatin1Char('-')) && !ours.contains(first);
}

int CommandLine::run(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 2; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const QString subcommand = QString::fromLocal8Bit(argv[1]);
    if (subcommand == QLatin1String("-h") || subcommand == QLatin1String("--help"))
        return write(stdout, QString::fromUtf8(kHelp)), kDone;
    if (subcommand == QLatin1String("-v") || subcommand == QLatin1String("--version"))
        return write(stdout, QStringLiteral("raggio-limite %1\n").arg(RAGGIO_LIMITE_VERSION)),
               kDone;
    if (subcommand == QLatin1String("calcolo"))
        return calcolo(arguments);
    if (subcommand == QLatin1String("tabella"))
        return tabella(arguments);
    if (subcommand == QLatin1String("grafico"))
        return grafico(argc, argv, arguments);
    return usageError(QStringLiteral("sottocomando sconosciuto \"%1\"").arg(subcommand));
}

} // namespace app
