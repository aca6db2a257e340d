#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QApplication;

namespace main_window {
class Form1;
}

namespace app {

// The real window, rendered offscreen, for the subcommands that save what it
// shows: the same picture and the same page as on screen, without a display.
class OffscreenWindow {
  public:
    // scale: the device pixel ratio of the picture.
    OffscreenWindow(char* program, double scale);
    ~OffscreenWindow();

    // Types the three texts and clicks "Calcolo", then, with plot, "Grafico".
    // The run-time error's message, or empty.
    QString press(const QStringList& texts, bool plot);

    const main_window::Form1& form() const { return *form_; }

  private:
    int argc_ = 1;
    char* argv_[2] = {};
    std::unique_ptr<QApplication> application_;
    std::unique_ptr<main_window::Form1> form_;
    QString error_;
};

} // namespace app
