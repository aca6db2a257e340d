#pragma once

namespace app {

// The program's second face: with a subcommand (calcolo, tabella, grafico,
// scheda) or --help/--version it runs without a window.
class CommandLine {
  public:
    // Runs the arguments (at least one); the exit status: 0 done, 1 a
    // run-time or write error, 2 a usage error.
    static int run(int argc, char* argv[]);
};

} // namespace app
