#pragma once

#include <QStringList>

namespace app {

// The subcommands that print text, calcolo and tabella: the engine and the
// table alone, no window.
class TextSubcommands {
  public:
    // Each takes the arguments after its name; the exit status.
    static int calcolo(const QStringList& given);
    static int tabella(const QStringList& given);
};

} // namespace app
