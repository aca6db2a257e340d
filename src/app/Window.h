#pragma once

#include <functional>

namespace main_window {
class Form1;
}

namespace app {

// Opens the window and runs it until it is closed; the exit status. Without a
// display it says so in one Italian line, and how to work without one, and
// returns 1. shown, where given, runs once the window is up: a test's look at
// it, which then quits.
int runWindow(int argc, char* argv[],
              const std::function<void(main_window::Form1& form)>& shown = {});

} // namespace app
