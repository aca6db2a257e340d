#pragma once

namespace app {

// The program's second face: with a subcommand (calcolo, tabella, grafico)
// or --help/--version it runs without a window; with none it opens one.
class CommandLine {
  public:
    // True when the arguments ask for the window: none, or only the options
    // that Qt itself reads (-platform, -style...).
    static bool wantsWindow(int argc, char* argv[]);

    // Runs the subcommand; the exit status: 0 done, 1 a run-time or write
    // error, 2 a usage error.
    static int run(int argc, char* argv[]);
};

} // namespace app
