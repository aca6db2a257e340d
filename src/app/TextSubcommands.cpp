#include "app/TextSubcommands.h"

#include "app/Arguments.h"
#include "app/Exit.h"
#include "app/Limits.h"
#include "app/StandardOutput.h"
#include "engine/Calculation.h"
#include "engine/Report.h"
#include "engine/RuntimeError.h"
#include "table/Range.h"
#include "table/Table.h"

#include <optional>

namespace app {

namespace {

using table::Range;
using table::Table;

// A range option of tabella, or the usage mistake in it.
std::optional<Range> rangeOf(const Arguments& arguments, const QCommandLineOption& option,
                             bool wholeOnly, QString* problem) {
    const QString name = QStringLiteral("--") + option.names().first();
    if (!arguments.isSet(option)) {
        *problem = QStringLiteral("manca %1").arg(name);
        return std::nullopt;
    }
    std::string why;
    const std::optional<Range> range = Range::parse(arguments.value(option).toStdString(), &why);
    if (!range)
        *problem = name + QStringLiteral(": ") + QString::fromStdString(why);
    else if (wholeOnly && !range->allWhole())
        *problem = QStringLiteral("%1: \"%2\" dà valori non interi, ma il calcolo arrotonda "
                                  "salinità e quota a numeri interi; scrivere un intervallo di "
                                  "interi, come 30:40 o 0:15:5")
                       .arg(name, arguments.value(option));
    return problem->isEmpty() ? range : std::nullopt;
}

} // namespace

int TextSubcommands::calcolo(const QStringList& given) {
    Arguments arguments(QStringLiteral("calcolo"), {}, 3);
    if (const auto status = Exit::read(arguments, given))
        return *status;
    const QStringList& v = arguments.values();
    Exit::readingNotices(v);
    try {
        const auto c = engine::Calculation::fromTexts(v[0].toStdString(), v[1].toStdString(),
                                                      v[2].toStdString());
        return Exit::printed(QString::fromStdString(engine::reportText(engine::reportLines(c))));
    } catch (const engine::RuntimeError& error) {
        return Exit::failure(QString::fromUtf8(error.what()));
    }
}

int TextSubcommands::tabella(const QStringList& given) {
    const QCommandLineOption temperature(QStringLiteral("temperatura"), {}, QStringLiteral("A"));
    const QCommandLineOption salinity({QStringLiteral("salinita"), QStringLiteral("salinità")}, {},
                                      QStringLiteral("A"));
    const QCommandLineOption depth(QStringLiteral("quota"), {}, QStringLiteral("A"));
    const QCommandLineOption format(QStringLiteral("formato"), {}, QStringLiteral("F"),
                                    QStringLiteral("csv"));
    Arguments arguments(QStringLiteral("tabella"), {temperature, salinity, depth, format}, 0);
    if (const auto status = Exit::read(arguments, given))
        return *status;
    QString problem;
    std::optional<Range> ranges[3];
    const QCommandLineOption* options[] = {&temperature, &salinity, &depth};
    for (int i = 0; i < 3 && problem.isEmpty(); ++i)
        ranges[i] = rangeOf(arguments, *options[i], i > 0, &problem);
    if (!problem.isEmpty())
        return Exit::usageError(problem);
    const QString formatName = arguments.value(format);
    const QStringList formatNames{QStringLiteral("csv"), QStringLiteral("csv-it"),
                                  QStringLiteral("testo")}; // in the order of Table::Format
    if (!formatNames.contains(formatName))
        return Exit::usageError(
            QStringLiteral("formato sconosciuto \"%1\": csv, csv-it o testo").arg(formatName));
    const Table rows(*ranges[0], *ranges[1], *ranges[2]);
    if (rows.rowCount() > kMostTableRows)
        return Exit::usageError(QStringLiteral("la tabella avrebbe %1 righe, più di %2")
                                    .arg(rows.rowCount())
                                    .arg(kMostTableRows));
    StandardOutput out;
    rows.write(static_cast<Table::Format>(formatNames.indexOf(formatName)),
               [&](std::string_view block) { return out.write(block); });
    return Exit::finish(out);
}

} // namespace app
