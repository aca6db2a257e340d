#pragma once

#include <memory>

class QApplication;

namespace app {

// The application of the subcommands that save what the window shows,
// rendered offscreen: the same picture and the same page as on screen,
// without a display.
class OffscreenApplication {
  public:
    // scale: the device pixel ratio of the windows it makes.
    OffscreenApplication(char* program, double scale);
    ~OffscreenApplication();

  private:
    int argc_ = 1;
    char* argv_[2] = {};
    std::unique_ptr<QApplication> application_;
};

} // namespace app
