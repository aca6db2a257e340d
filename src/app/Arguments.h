#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>

#include <optional>

namespace app {

// A subcommand's arguments: its options, each taking a value, and a fixed
// number of plain values. Negative numbers ("-3", "-.5") are values, never
// options; "--" ends the options.
class Arguments {
  public:
    Arguments(QString subcommand, const QList<QCommandLineOption>& options, qsizetype valueCount);

    // Reads the arguments; on a usage mistake, what is wrong, in Italian.
    std::optional<QString> parse(const QStringList& arguments);

    bool helpAsked() const { return helpAsked_; }
    const QStringList& values() const { return values_; }
    bool isSet(const QCommandLineOption& option) const;
    QString value(const QCommandLineOption& option) const;

  private:
    bool isOption(const QString& argument) const;
    bool takesValue(const QString& argument) const;
    QString valueCountProblem() const;

    QString subcommand_;
    QList<QCommandLineOption> options_;
    qsizetype valueCount_;
    QCommandLineParser parser_;
    QStringList values_;
    bool helpAsked_ = false;
};

} // namespace app
