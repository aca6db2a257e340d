#include "app/CommandLine.h"
#include "app/Window.h"

// The bare program opens the window; any argument is for the command line.
int main(int argc, char* argv[]) {
    return argc > 1 ? app::CommandLine::run(argc, argv) : app::runWindow(argc, argv);
}
