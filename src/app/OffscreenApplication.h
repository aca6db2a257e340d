#pragma once

#include <memory>

class QGuiApplication;

namespace app {

// The application of the subcommands that save what the window shows: fonts,
// colours and images, offscreen, without a display and without widgets.
class OffscreenApplication {
  public:
    explicit OffscreenApplication(char* program);
    ~OffscreenApplication();

  private:
    int argc_ = 1;
    char* argv_[2] = {};
    std::unique_ptr<QGuiApplication> application_;
};

} // namespace app
