#pragma once

#include <QString>
#include <QStringList>

class QPushButton;

namespace platform {
class Timer;
}

namespace main_window {

class Form1;

// Form1 driven from code, through its controls' object names as a user's
// tools would find them, for the tools, the benchmarks and the tests: the
// three inputs and the two buttons. The form's run-time errors come here
// instead of a message box.
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

  private:
    QString pressed(const char* button);

    Form1& form_;
    QStringList errors_;
};

} // namespace main_window
