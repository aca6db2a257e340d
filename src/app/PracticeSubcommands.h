#pragma once

#include <QStringList>

#include <functional>
#include <vector>

namespace practice {
struct Exercise;
}

namespace app {

// The subcommands for students and instructors: verifica checks a
// student's working, or marks a class's answers; esercizi makes a set of
// exercises. On the practice layer alone, no window.
class PracticeSubcommands {
  public:
    // What an exercise set goes on paper as.
    enum class Paper { Sheets, Key };
    // Writes the set's paper to a PDF, whole or not at all; false with an
    // Italian reason in *problem. The whole command line gives it: these
    // subcommands know no painting.
    using PaperWriter = std::function<bool(Paper paper, const std::vector<practice::Exercise>& set,
                                           const QString& path, QString* problem)>;

    // Each takes the arguments after its name; the exit status.
    static int verifica(const QStringList& given);
    static int esercizi(const QStringList& given, const PaperWriter& writePaper);
};

} // namespace app
