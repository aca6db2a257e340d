#include "app/Arguments.h"

#include <QRegularExpression>

namespace app {

namespace {

const QString kHelpOption = QStringLiteral("help");

QString nameOf(const QString& argument) {
    return argument.section(QLatin1Char('='), 0, 0)
        .remove(QRegularExpression(QStringLiteral("^-+")));
}

} // namespace

Arguments::Arguments(QString subcommand, const QList<QCommandLineOption>& options,
                     qsizetype valueCount)
    : subcommand_(std::move(subcommand)), options_(options), valueCount_(valueCount) {
    parser_.addOptions(options_);
    parser_.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), kHelpOption}));
}

std::optional<QString> Arguments::parse(const QStringList& arguments) {
    // The values go to the parser behind "--", so that it never reads "-3" as an option.
    QStringList ordered{QStringLiteral("raggio-limite")};
    QStringList values;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--")) {
            values += arguments.mid(i + 1);
            break;
        }
        if (!isOption(argument)) {
            values << argument;
            continue;
        }
        ordered << argument;
        if (takesValue(argument)) {
            if (i + 1 == arguments.size())
                return QStringLiteral("manca il valore di %1").arg(argument);
            ordered << arguments[++i];
        }
    }
    ordered << QStringLiteral("--") << values;
    const bool fits = parser_.parse(ordered);
    helpAsked_ = parser_.isSet(kHelpOption);
    if (helpAsked_)
        return std::nullopt;
    if (!fits) {
        for (const QString& argument : arguments)
            if (isOption(argument) && parser_.unknownOptionNames().contains(nameOf(argument)))
                return QStringLiteral("opzione sconosciuta \"%1\"")
                    .arg(argument.section(QLatin1Char('='), 0, 0));
        return QStringLiteral("opzioni scritte male");
    }
    values_ = parser_.positionalArguments();
    if (values_.size() != valueCount_)
        return valueCountProblem();
    return std::nullopt;
}

bool Arguments::isSet(const QCommandLineOption& option) const {
    return parser_.isSet(option);
}

QString Arguments::value(const QCommandLineOption& option) const {
    return parser_.value(option);
}

bool Arguments::isOption(const QString& argument) const {
    static const QRegularExpression number(QStringLiteral("^-[0-9.]"));
    return argument.startsWith(QLatin1Char('-')) && argument != QLatin1String("-") &&
           !number.match(argument).hasMatch();
}

bool Arguments::takesValue(const QString& argument) const {
    if (argument.contains(QLatin1Char('=')))
        return false;
    const QString name = nameOf(argument);
    for (const QCommandLineOption& option : options_)
        if (option.names().contains(name))
            return !option.valueName().isEmpty();
    return false;
}

QString Arguments::valueCountProblem() const {
    if (valueCount_ == 0)
        return QStringLiteral("%1 non vuole valori senza opzione (\"%2\")")
            .arg(subcommand_, values_.first());
    return QStringLiteral("%1 vuole 3 valori, TEMPERATURA SALINITA QUOTA, e ne ha %2")
        .arg(subcommand_)
        .arg(values_.size());
}

} // namespace app
