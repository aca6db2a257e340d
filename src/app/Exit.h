#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace app {

class Arguments;
class StandardOutput;

// How a subcommand ends: its exit status, and the line it says on the way.
class Exit {
  public:
    static constexpr int kDone = 0;
    static constexpr int kFailed = 1; // a run-time or write error
    static constexpr int kUsage = 2;

    // One line on standard error that points to --help; kUsage.
    static int usageError(const QString& problem);
    // The message on standard error, after the program's name; kFailed.
    static int failure(const QString& message);
    // Flushes out: kDone once everything is written, else kFailed with the reason.
    static int finish(StandardOutput& out);
    // Prints the text and finishes.
    static int printed(const QString& text);
    // Prints the --help text.
    static int help();
    // A line on standard error that changes nothing else: "avviso: ...".
    static void notice(const QString& notice);
    // One notice for each of the boxes' texts that is not read whole.
    static void readingNotices(const QStringList& texts);
    // Reads a subcommand's arguments; the exit status when that already ends
    // it: help shown, or a usage mistake told.
    static std::optional<int> read(Arguments& arguments, const QStringList& given);
};

} // namespace app
