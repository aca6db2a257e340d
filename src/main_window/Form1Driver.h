#pragma once

#include <QString>
#include <QStringList>

class QPushButton;

namespace platform {
class Timer;
}

namespace main_window {

class Form1;

// Form1 driven from code without looking its controls up by name, for the
// command line, the tools and the benchmarks: the three inputs, the two
// buttons, and what the window then shows, as a picture or a page. The
// form's run-time errors come here instead of a message box.
class Form1Driver {
  public:
    explicit Form1Driver(Form1& form);

    // The boxes Temperatura, Salinità and Quota di calc., as typed.
    void setInputs(const QString& temperature, const QString& salinity, const QString& depth);
    // A click on the button; the message of the run-time error it raised, or empty.
    QString pressCalcolo();
    QString pressGrafico();

    // Every message so far, the plot timer's too.
    const QStringList& errors() const { return errors_; }
    // Ticks while the plot is shown.
    const platform::Timer& plotTimer() const;

    // What the window shows, labels included, as a PNG at the screen's device
    // pixel ratio, or for a name ending ".pdf" (in any case) one page
    // of vectors and text. Written whole or not at all; false with an Italian
    // reason in *problem.
    bool savePicture(const QString& path, QString* problem) const;
    // The calculation sheet of the last "Calcolo" that completed, as a PDF.
    bool saveSheet(const QString& path, QString* problem) const;

  private:
    QString pressed(QPushButton& button);

    Form1& form_;
    QStringList errors_;
};

} // namespace main_window
