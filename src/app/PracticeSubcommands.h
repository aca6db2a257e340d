#pragma once

#include <QStringList>

namespace app {

// The subcommands for students and instructors: verifica checks a
// student's working, or marks a class's answers; esercizi makes a set of
// exercises. On the practice layer alone, no window.
class PracticeSubcommands {
  public:
    // Each takes the arguments after its name; the exit status.
    static int verifica(const QStringList& given);
    static int esercizi(const QStringList& given);
};

} // namespace app
