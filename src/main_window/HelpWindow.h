#pragma once

#include <QWidget>

class QTextBrowser;

namespace main_window {

// The program's help, in Italian, in a window of its own beside the main one:
// read with the arrow keys or a screen reader, closed with Esc.
class HelpWindow : public QWidget {
    Q_OBJECT

  public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shown, raised and given the keyboard, whether it was closed or open already.
    void present();

    // The program's version, its licence and the Qt it runs with, one a line.
    static QString aboutText();

  private:
    QTextBrowser* text_ = nullptr;
};

} // namespace main_window
