#pragma once

namespace app {

// Opens the window and runs it until it is closed; the exit status. Without a
// display it says so in one Italian line, and how to work without one, and
// returns 1.
int runWindow(int argc, char* argv[]);

} // namespace app
